// Building blocks of the demo levels: the landscape of a river gap between
// two banks at road height, the anchors, the reference bridge clicked
// together in the bridge editor, vehicle routes, props, and the budget and
// limits that follow from the bridge.
#pragma once

#include "platform/vector.h"

constexpr float ROADHEIGHT = 320.0f;
constexpr float FRONTPLANEZ = 1285.0f;  // the editor's editing plane
constexpr float BACKPLANEZ = 1275.0f;   // its mirror plane, 10 units behind
constexpr float LANEZ = 1280.0f;        // the road's centre line

// An anchor of a level, given in the editing plane; it stands in both planes.
struct anchorpoint {
	float x, y;
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
// The level's anchors in both planes, the bridge emptied.
void placeanchors(const anchorpoint *anchors, int numanchors);
// Builds the bridge on the anchors with a player's clicks in the bridge
// editor (see clickreplay.h), the budget and limits enforced but set out of
// reach. Returns the words of the script that could not be played.
int clickbridge(const char *script);

// A vehicle placement driving towards +x along the lane from startx, its
// route ending at endx; phase is 1-based. A train gets numofcars cars of
// cartype behind it.
void addvehicle(int type, float startx, float endx, int phase, int numofcars, int cartype);
void addphase(int type);
void setweather(float windspeed, float currentspeed);
// Scatters props: pines on the hills, houses and rocks beside the road.
void addprops(const terrainplan *plan, int seed, int houses);
// Budget: the bridge's cost with a margin, rounded up to 500 dollars.
// Limits: for each material the bridge uses, its count with a margin; none
// for the others.
void setbudgetandlimits();
