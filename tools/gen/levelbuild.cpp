#include "tools/gen/levelbuild.h"

#include <cmath>
#include <cstring>

#include "editor/cost.h"
#include "editor/editor.h"
#include "tools/gen/clickreplay.h"
#include "tools/gen/picture.h"
#include "world/landscape.h"
#include "world/level.h"
#include "world/materials.h"

void beginlevel(const char *name, const char *line0, const char *line1, const char *line2,
	const char *line3)
{
	memset(&level, 0, sizeof(level));
	numofpoints = 0;
	numoflinks = 0;
	level.landscapewidth = LANDSCAPESIZE;
	level.landscapedepth = LANDSCAPESIZE;
	copystring(level.levelname, name, NAMESIZE);
	copystring(level.designer, "Trusvane", NAMESIZE);
	copystring(level.description[0], line0, NAMESIZE);
	copystring(level.description[1], line1, NAMESIZE);
	copystring(level.description[2], line2, NAMESIZE);
	copystring(level.description[3], line3, NAMESIZE);
	setuplinkdata();
	for (int t = 0; t < MAXLINKCOLORS; t++)
		level.linkcolor[t] = linktype[t].color;
}

static float smoothstepunit(float t)
{
	t = clampunit(t);
	return t * t * (3.0f - 2.0f * t);
}

void buildterrain(const terrainplan *plan)
{
	level.waterlevel = plan->water;
	// Mud under the water, grass on the banks, rock on the slopes, snow on top.
	level.colorband[0] = colorbandstruct{{0.45f, 0.38f, 0.25f}, plan->water + 2.0f};
	level.colorband[1] = colorbandstruct{{0.3f, 0.55f, 0.2f}, ROADHEIGHT + 15.0f};
	level.colorband[2] = colorbandstruct{{0.5f, 0.47f, 0.42f}, ROADHEIGHT + 70.0f};
	level.colorband[3] = colorbandstruct{{0.95f, 0.95f, 0.97f}, ROADHEIGHT + 400.0f};
	for (int j = 0; j < LANDSCAPESIZE; j++) {
		for (int i = 0; i < LANDSCAPESIZE; i++) {
			float x = i * LANDSCAPESTEP;
			float z = j * LANDSCAPESTEP;
			float h;
			if (x > plan->gapleft && x < plan->gapright) {
				// The river bed, cut straight through the map so the banks
				// stand as cliffs at the bridge's ends.
				h = plan->floor + 4.0f * tilefractal(i / 8.0f, j / 8.0f, 64, 2, plan->seed + 1);
				if (plan->piertop > 0.0f && fabsf(x - plan->pierx) <= 10.0f && fabsf(z - LANEZ) <= 15.0f)
					h = plan->piertop;
			} else {
				// Flat banks along the road, rising into hills away from it.
				float away = smoothstepunit((fabsf(z - LANEZ) - 100.0f) / 250.0f);
				float edge = fminf(fabsf(x - plan->gapleft), fabsf(x - plan->gapright));
				float fromriver = smoothstepunit((edge - 20.0f) / 150.0f);
				float hill = tilefractal(i / 24.0f, j / 24.0f, 21, 4, plan->seed);
				h = ROADHEIGHT + plan->hills * away * fromriver * hill;
			}
			landscape.height[j * LANDSCAPESIZE + i] = h;
		}
	}
}

void placeanchors(const anchorpoint *anchors, int numanchors)
{
	numofpoints = 0;
	numoflinks = 0;
	for (int i = 0; i < numanchors; i++) {
		const float planes[2] = {FRONTPLANEZ, BACKPLANEZ};
		for (float z : planes) {
			point[numofpoints].type = POINTANCHOR;
			point[numofpoints].position = vector3{anchors[i].x, anchors[i].y, z};
			numofpoints++;
		}
	}
}

int clickbridge(const char *script)
{
	level.budget = 1 << 30;
	for (int m = 0; m < MAXMATERIALLIMITS; m++)
		level.materiallimit[m] = MAXLINKS;
	cheat[0] = 1;
	cheat[1] = 1;
	cheat[3] = 0;
	levelnum = 0;  // a map pack level: no anchors are placed or deleted
	return replayclicks(script, nullptr);
}

static ::orientation travelplusx()
{
	::orientation o;
	o.v[0] = vector3{0.0f, 0.0f, 1.0f};  // right
	o.v[1] = vector3{0.0f, 1.0f, 0.0f};  // up
	o.v[2] = vector3{-1.0f, 0.0f, 0.0f}; // back
	return o;
}

void addvehicle(int type, float startx, float endx, int phase, int numofcars, int cartype)
{
	if (level.numoflevelobjects >= MAXLEVELOBJECTS)
		return;
	levelobjectstruct *o = &level.levelobject[level.numoflevelobjects++];
	memset(o, 0, sizeof(*o));
	o->type = type;
	o->numofcars = numofcars;
	for (int i = 0; i < numofcars && i < MAXCARS; i++)
		o->cartype[i] = cartype;
	o->inphase[phase - 1] = 1;
	o->position = vector3{startx, ROADHEIGHT, LANEZ};
	o->orientation = travelplusx();
	// A waypoint halfway keeps the vehicle on the lane; the route ends on
	// the far bank, well clear of the river.
	o->numofwaypoints = 2;
	o->waypoint[0] = vector3{0.5f * (startx + endx), ROADHEIGHT, LANEZ};
	o->waypoint[1] = vector3{endx, ROADHEIGHT, LANEZ};
}

void addphase(int type)
{
	if (level.numofphases < MAXPHASES - 1)
		level.phase[level.numofphases++].type = type;
}

void setweather(float windspeed, float currentspeed)
{
	level.phase[WINDPHASE].data[WINDSPEEDWORD] = windspeed;
	level.phase[WINDPHASE].data[CURRENTSPEEDWORD] = currentspeed;
}

static const terrainplan *propterrain;

static void addprop(const char *name, float x, float z, float turn)
{
	if (level.numofprops >= MAXPROPS)
		return;
	// Nothing stands in the river or on the brink of its cliffs.
	if (x > propterrain->gapleft - 25.0f && x < propterrain->gapright + 25.0f)
		return;
	int i = (int)(x / LANDSCAPESTEP), j = (int)(z / LANDSCAPESTEP);
	if (i < 0 || j < 0 || i >= LANDSCAPESIZE || j >= LANDSCAPESIZE)
		return;
	propstruct *p = &level.prop[level.numofprops++];
	memset(p, 0, sizeof(*p));
	p->model = -1;
	copystring(p->name, name, NAMESIZE);
	p->position = vector3{x, landscape.height[j * LANDSCAPESIZE + i], z};
	resetorientation(&p->orientation);
	vector3 up = {0.0f, 1.0f, 0.0f};
	rotateorientation(&p->orientation, &up, turn);
}

void addprops(const terrainplan *plan, int seed, int houses)
{
	propterrain = plan;
	// Pines on the slopes either side of the road corridor.
	for (int k = 0; k < 60; k++) {
		unsigned int h = hashpoint(k, 1, seed);
		float x = 800.0f + (h & 1023) * 0.9f;
		float side = (h & 1024) ? 1.0f : -1.0f;
		float z = LANEZ + side * (130.0f + ((h >> 11) & 255));
		addprop("pine", x, z, (h >> 20 & 63) * 0.1f);
	}
	for (int k = 0; k < houses; k++) {
		unsigned int h = hashpoint(k, 2, seed);
		float x = (k & 1) ? 1500.0f + (h & 127) : 950.0f + (h & 127);
		addprop("house", x, LANEZ - 40.0f - (h >> 8 & 31), 0.0f);
	}
	for (int k = 0; k < 6; k++) {
		unsigned int h = hashpoint(k, 3, seed);
		float x = (k & 1) ? 1420.0f + (h & 63) : 1080.0f + (h & 63);
		addprop("rock", x, LANEZ + 30.0f + (h >> 8 & 63), (h >> 16 & 63) * 0.1f);
	}
}

void setbudgetandlimits()
{
	memset(level.materiallimit, 0, sizeof level.materiallimit);
	int cost = calculatebridgecost(1);
	level.budget = ((cost + cost / 4) / 500 + 1) * 500;
	for (int m = 0; m < MATERIALCOUNTS; m++) {
		int used = (int)editor.materialcount[m];
		if (m == 8)
			continue;
		if (m == 7)
			used += (int)editor.materialcount[8];
		if (used > 0)
			level.materiallimit[m] = used + used / 2 + 4;
	}
	// Both hydraulic kinds count against entry 7; entry 8 only says the
	// second kind is on offer.
	if (level.materiallimit[7] > 0)
		level.materiallimit[8] = level.materiallimit[7];
}
