// Building blocks of the demo levels: the landscape of a river gap between
// two banks at road height, the reference bridge drawn in one plane and
// repeated in the mirror plane the way the bridge editor builds it, vehicle
// routes, props, and the budget and limits that follow from the bridge.
#pragma once

#include "platform/vector.h"

constexpr float ROADHEIGHT = 320.0f;
constexpr float FRONTPLANEZ = 1285.0f;  // the editor's editing plane
constexpr float BACKPLANEZ = 1275.0f;   // its mirror plane, 10 units behind
constexpr float LANEZ = 1280.0f;        // the road's centre line

// One point of a bridge as drawn in the editing plane.
struct designpoint {
	float x, y;
	int type;  // point type: anchor, joint, drawbridge joint, curve point
};

// One member between two design points. Deck members must be Iron or Steel
// at road height; the rest get their twin, the crossbeams and the X
// diagonals that the editor adds, where its rules allow them.
struct designmember {
	int a, b;
	int material;
	int deck;
};

struct terrainplan {
	float gapleft, gapright;  // bank edges: the road ends at these x
	float floor;              // river bed
	float water;
	float hills;              // height of the hills beside the road
	int seed;
	float pierx;              // a rock pier standing in the river under the
	float piertop;            // road at this x, up to this height; 0: none
};

// Starts an empty level record and bridge with the given texts.
void beginlevel(const char *name, const char *line0, const char *line1, const char *line2,
	const char *line3);
void buildterrain(const terrainplan *plan);
// Adds the bridge of a design: every point in both planes, then each member.
// Returns the number of member links the editor's rules would refuse (0 for
// a sound design).
int buildbridge(const designpoint *points, int numpoints, const designmember *members, int nummembers);

// A vehicle placement driving towards +x along the lane from startx, its
// route ending at endx; phase is 1-based. A train gets numofcars cars of
// cartype behind it.
void addvehicle(int type, float startx, float endx, int phase, int numofcars, int cartype);
void addphase(int type);
void setweather(float windspeed, float currentspeed);
// Scatters props: pines on the hills, houses and rocks beside the road.
void addprops(const terrainplan *plan, int seed, int houses);
// Budget: the bridge's cost with a margin, rounded up to 500 dollars.
// Limits: for each material the bridge uses, its count with a margin.
void setbudgetandlimits();
