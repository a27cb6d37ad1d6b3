// A small world for the vehicle and phase tests: flat ground at height 100
// with a gap from x 100 to 160 whose river bed lies under water at 60,
// vehicle physics written here, and bridges built over the gap in the two
// editing planes z 160 (front) and z 150 (back).
#pragma once

#include "platform/vector.h"

constexpr float GROUNDY = 100.0f;
constexpr float WATERY = 60.0f;
constexpr float FRONTZ = 160.0f;
constexpr float BACKZ = 150.0f;
constexpr float LANEZ = 155.0f;
constexpr float GAPLEFT = 100.0f;
constexpr float GAPRIGHT = 160.0f;

// Vehicle types with physics; BADTYPE has none.
constexpr int LOCOTYPE = 0;
constexpr int RAILCARTYPE = 3;
constexpr int CARTYPE = 16;
constexpr int BOATTYPE = 32;
constexpr int BADTYPE = 7;

// Tables, landscape, vehicle physics, an empty level without phases and an
// empty bridge. The simulation is not built yet.
void setupvehicleworld();

int addpoint(int type, float x, float y, float z);
void addlink(int type, int a, int b, int deck);

// A steel truss over the gap, 20 high, braced between its planes. With weak set, only
// a deck of iron links, which cannot carry a vehicle.
void buildtruss(int weak);
// A two-leaf drawbridge over the gap, split at x 130, each leaf lifted by a
// shortening hydraulic from a tower anchor; with hydraulics 0 it has neither
// drawbridge joints nor hydraulics.
void builddrawbridge(int hydraulics);
// A steel deck over the water at height y on anchors, for boats.
void buildlowdeck(float y);

// Axes facing +x (back row along -x), and facing +z.
orientation facingx();
orientation facingz();

// Appends a phase of the type and returns its number (1-based).
int addphase(int type);
// Appends a vehicle placement running in phase phase; returns its index.
int addplacement(int type, int phase, const vector3 *position, const orientation *axes);
void addcar(int placement, int type);
void addwaypoint(int placement, float x, float y, float z);

// Orientation rows equal within tolerance.
bool axesnear(const orientation *a, const orientation *b, float tolerance);
