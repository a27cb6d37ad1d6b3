#include "leveleditor/placements.h"

#include <cstring>

#include "leveleditor/leveleditor.h"
#include "world/level.h"
#include "world/model.h"
#include "world/objectphysics.h"

void cutlistname(char *name)
{
	int n = 0;
	while (n < NAMESIZE - 1 && name[n] && name[n] != '.')
		n++;
	name[n] = 0;
}

static int validplacement(int i)
{
	return i >= 0 && i < level.numoflevelobjects && i < MAXLEVELOBJECTS;
}

static int validprop(int i)
{
	return i >= 0 && i < level.numofprops && i < MAXPROPS;
}

int addplacement(int type, const vector3 *position)
{
	int i = level.numoflevelobjects;
	// A type without physics would also make the saved level unloadable.
	if (i < 0 || i >= MAXLEVELOBJECTS || type < 0 || type >= MAXOBJECTTYPES)
		return -1;
	levelobjectstruct *lo = &level.levelobject[i];
	memset(lo, 0, sizeof *lo);
	lo->type = type;
	lo->position = *position;
	resetorientation(&lo->orientation);
	level.numoflevelobjects = i + 1;
	return i;
}

// Keeps a selection pointing at the same record after entry i left an array.
static void followdeletion(int *selected, int i)
{
	if (*selected == i)
		*selected = -1;
	else if (*selected > i)
		(*selected)--;
}

int deleteplacement(int i)
{
	if (!validplacement(i))
		return 0;
	int last = level.numoflevelobjects - 1;
	memmove(&level.levelobject[i], &level.levelobject[i + 1],
		(size_t)(last - i) * sizeof level.levelobject[0]);
	level.numoflevelobjects = last;
	followdeletion(&leveleditor.selectedobject, i);
	return 1;
}

int addcar(int i, int type)
{
	if (!validplacement(i))
		return 0;
	levelobjectstruct *lo = &level.levelobject[i];
	if (lo->numofcars < 0 || lo->numofcars >= MAXCARS)
		return 0;
	lo->cartype[lo->numofcars++] = type;
	return 1;
}

void deletecar(int i)
{
	if (validplacement(i) && level.levelobject[i].numofcars >= 1)
		level.levelobject[i].numofcars--;
}

void togglephase(int i, int phase)
{
	if (!validplacement(i) || phase < 1 || phase > MAXPHASES)
		return;
	// A loaded file may hold any value: every one but 0 is on.
	int *inphase = &level.levelobject[i].inphase[phase - 1];
	*inphase = *inphase ? 0 : 1;
}

int addwaypoint(int i, const vector3 *p)
{
	if (!validplacement(i))
		return 0;
	levelobjectstruct *lo = &level.levelobject[i];
	if (lo->numofwaypoints < 0 || lo->numofwaypoints >= MAXWAYPOINTS)
		return 0;
	lo->waypoint[lo->numofwaypoints++] = *p;
	return 1;
}

int deletewaypoint(int i)
{
	if (!validplacement(i) || level.levelobject[i].numofwaypoints < 1)
		return 0;
	level.levelobject[i].numofwaypoints--;
	return 1;
}

int addprop(const char *name, int model, const vector3 *position)
{
	int i = level.numofprops;
	if (i < 0 || i >= MAXPROPS)
		return -1;
	propstruct *p = &level.prop[i];
	memset(p, 0, sizeof *p);
	p->model = model;
	copystring(p->name, name, sizeof p->name);
	p->position = *position;
	resetorientation(&p->orientation);
	level.numofprops = i + 1;
	return i;
}

int placeprop(const char *name, const vector3 *position)
{
	int i = level.numofprops;
	if (i < 0 || i >= MAXPROPS)
		return -1;
	// A prop without its model would stand unseen where it was clicked and
	// go into the level file all the same.
	int model = loadpropmodel(name);
	if (model < 0)
		return -1;
	return addprop(name, model, position);
}

int deleteprop(int i)
{
	if (!validprop(i))
		return 0;
	int last = level.numofprops - 1;
	memmove(&level.prop[i], &level.prop[i + 1], (size_t)(last - i) * sizeof level.prop[0]);
	level.numofprops = last;
	followdeletion(&leveleditor.selectedprop, i);
	return 1;
}

static float distancesquared(const vector3 *a, const vector3 *b)
{
	float dx = a->x - b->x, dy = a->y - b->y, dz = a->z - b->z;
	return dx * dx + dy * dy + dz * dz;
}

int findprop(const vector3 *p, float r)
{
	int found = -1;
	float best = r * r;
	for (int i = 0; validprop(i); i++) {
		float d = distancesquared(&level.prop[i].position, p);
		if (d <= best) {
			best = d;
			found = i;
		}
	}
	return found;
}

int findplacement(const vector3 *p, float r)
{
	int found = -1;
	float best = r * r;
	for (int i = 0; validplacement(i); i++) {
		float d = distancesquared(&level.levelobject[i].position, p);
		if (d <= best) {
			best = d;
			found = i;
		}
	}
	return found;
}

static void turnaboutvertical(orientation *o, float angle)
{
	vector3 up = {0.0f, 1.0f, 0.0f};
	rotateorientation(o, &up, angle);
}

void moveplacement(int i, float dy)
{
	if (validplacement(i))
		level.levelobject[i].position.y += dy;
}

void rotateplacement(int i, float angle)
{
	if (validplacement(i))
		turnaboutvertical(&level.levelobject[i].orientation, angle);
}

void moveprop(int i, float dy)
{
	if (validprop(i))
		level.prop[i].position.y += dy;
}

void rotateprop(int i, float angle)
{
	if (validprop(i))
		turnaboutvertical(&level.prop[i].orientation, angle);
}
