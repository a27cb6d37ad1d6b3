// A small world for simulation tests: material tables, gravity, and a
// landscape of two flat banks with a valley between them.
#pragma once

#include "platform/vector.h"

constexpr int SCENESIZE = 300;  // landscape vertices each way (0 to 1495 units)
constexpr float BANKHEIGHT = 310.0f;
constexpr float VALLEYHEIGHT = 250.0f;
constexpr float ROADHEIGHT = 320.0f;
constexpr float FRONTZ = 1285.0f;  // the two editing planes of the game
constexpr float BACKZ = 1275.0f;

// Banks at BANKHEIGHT, the valley floor at VALLEYHEIGHT for vertices with
// gapfrom < x < gapto; water at waterlevel. Empties the bridge and the
// simulation and resets the editor's grid step.
void setupscene(float gapfrom, float gapto, float waterlevel);
// The structure's part of one simulation step, in the step order.
void structurestep();
// Appends a point and returns its index (no rules applied).
int addpoint(int type, float x, float y, float z);
// Appends a link (no rules applied).
void addlink(int a, int b, int type, int deck);
// A braced Warren truss from x0 in bays of 10 between anchors, in the two
// editing planes, as the editor builds it with Mirror and Crossbeams on.
void buildtruss(float x0, int bays, int type);
// Steel deck links alone from x0 in eight bays of 20 between anchors: far
// too long a span without a truss.
void builddeckonly(float x0);
