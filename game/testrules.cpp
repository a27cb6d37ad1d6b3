#include "game/testrules.h"

#include "editor/editor.h"
#include "world/level.h"
#include "world/mappack.h"
#include "world/simulation.h"
#include "world/vehicle.h"

#include <cmath>
#include <cstring>

int listfollowvehicles(int list[MAXFOLLOWKEYS])
{
	int count = 0;
	for (int n = 0; n < numofobjects && count < MAXFOLLOWKEYS; n++) {
		// Types 4 to 15 are the cars behind a locomotive.
		if (object[n].type >= 4 && object[n].type < FIRSTROADTYPE)
			continue;
		list[count++] = n;
	}
	return count;
}

const char *resultlabel()
{
	if (levelnum == -1)
		return "Exit Level";
	if (levelnum == mappack.numoflevels - 1)
		return "View Ending";
	return "Next Level";
}

void setloddistances(float distances[4], int detaillevel)
{
	static const float base[3] = { 80.0f, 120.0f, 180.0f };
	if (detaillevel < 0 || detaillevel > 2)
		return;
	float d = base[detaillevel];
	distances[0] = d;
	distances[1] = d + d;
	distances[2] = d + distances[1];
	distances[3] = d + distances[2];
}

// A level file may hold any bits here. A speed that is no number, or one
// far beyond any wind or river, would make the drag turn the whole bridge
// into NaN (and the preview's whole-number display undefined): the level
// counts as calm instead.
static float levelspeed(float speed)
{
	return fabsf(speed) <= MAXLEVELSPEED ? speed : 0.0f;
}

float levelwindspeed()
{
	return levelspeed(level.phase[WINDPHASE].data[WINDSPEEDWORD]);
}

float levelcurrentspeed()
{
	return levelspeed(level.phase[WINDPHASE].data[CURRENTSPEEDWORD]);
}

void clockparts(int time, int *minutes, int *seconds)
{
	*minutes = (time / 60000) % 60;
	*seconds = (time / 1000) % 60;
}

int checktestpassed()
{
	if (phasenum <= level.numofphases || sim.testfailed)
		return 0;
	// A tutorial or loose level has no place in the pack to mark.
	if (levelnum >= 0 && levelnum < MAXPACKLEVELS) {
		mappack.completed[levelnum] = 1;
		sim.testpassed = 1;
	}
	return 1;
}
