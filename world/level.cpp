#include "world/level.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/config.h"
#include "world/landscape.h"
#include "world/model.h"
#include "world/worldfile.h"

levelstruct level;
pointstruct point[MAXPOINTS];
int numofpoints;
beamstruct beam[MAXLINKS];
int numoflinks;

char bridgenametemp[NAMESIZE];
char architecttemp[NAMESIZE];
char profilename[NAMESIZE];

static const char levelmagic[4] = {'T', 'V', 'B', 0};
constexpr long long LEVELHEADERSIZE = 8;
constexpr long long LEVELHEIGHTSOFFSET = LEVELHEADERSIZE + (long long)sizeof(levelstruct);
constexpr long long LEVELPOINTSOFFSET = LEVELHEIGHTSOFFSET + 4LL * LANDSCAPEVERTICES;

// A file is read into these first and copied over the live records only
// once all of it has proved valid.
static levelstruct stagelevel;
static float stageheight[LANDSCAPEVERTICES];
static pointstruct stagepoint[MAXPOINTS];
static beamstruct stagebeam[MAXLINKS];
static int stagenumofpoints;
static int stagenumoflinks;

long long levelfilesize(int points, int links)
{
	return LEVELPOINTSOFFSET + 4 + 16LL * points + 4 + 20LL * links;
}

const char *levelextension(int bridge)
{
	return bridge ? ".tvb" : ".tvl";
}

static int readcolorbands(colorbandstruct *bands)
{
	for (int i = 0; i < MAXCOLORBANDS; i++) {
		if (!readvectors(&bands[i].color, 1) || !readfloats(&bands[i].top, 1))
			return 0;
	}
	return 1;
}

static int readphases(phasestruct *phases)
{
	for (int i = 0; i < MAXPHASES; i++) {
		if (!readints(&phases[i].type, 1) || !readfloats(phases[i].data, PHASEDATAWORDS))
			return 0;
	}
	return 1;
}

static int readlevelobject(levelobjectstruct *o)
{
	return readints(&o->type, 1) && readints(&o->numofcars, 1) &&
		readints(o->cartype, MAXCARS) && readints(o->inphase, MAXPHASES) &&
		readvectors(&o->position, 1) && readorientation(&o->orientation) &&
		readints(&o->numofwaypoints, 1) && readvectors(o->waypoint, MAXWAYPOINTS);
}

static int readprop(propstruct *p)
{
	return readints(&p->model, 1) && readtext(p->name, NAMESIZE) &&
		readvectors(&p->position, 1) && readorientation(&p->orientation);
}

static int readlevelrecord(levelstruct *l)
{
	if (!readints(&l->landscapewidth, 1) || !readints(&l->landscapedepth, 1) ||
		!readfloats(&l->waterlevel, 1) || !readcolorbands(l->colorband))
		return 0;
	if (!readtext(l->levelname, NAMESIZE) || !readtext(l->designer, NAMESIZE))
		return 0;
	for (int i = 0; i < MAXDESCRIPTIONLINES; i++) {
		if (!readtext(l->description[i], NAMESIZE))
			return 0;
	}
	if (!readtext(l->bridgename, NAMESIZE) || !readtext(l->architect, NAMESIZE))
		return 0;
	if (!readints(&l->budget, 1) || !readints(l->materiallimit, MAXMATERIALLIMITS))
		return 0;
	if (!readints(&l->numofphases, 1) || !readphases(l->phase))
		return 0;
	if (!readints(&l->numoflevelobjects, 1))
		return 0;
	for (int i = 0; i < MAXLEVELOBJECTS; i++) {
		if (!readlevelobject(&l->levelobject[i]))
			return 0;
	}
	if (!readints(&l->numofprops, 1))
		return 0;
	for (int i = 0; i < MAXPROPS; i++) {
		if (!readprop(&l->prop[i]))
			return 0;
	}
	return readvectors(l->linkcolor, MAXLINKCOLORS);
}

static int inrange(int value, int low, int high)
{
	return value >= low && value <= high;
}

// Positions, heights and axes that are no number or endless are no place:
// they end up as NaN in the simulation and in float-to-int conversions.
static int finitefloats(const float *values, int count)
{
	for (int i = 0; i < count; i++) {
		if (!std::isfinite(values[i]))
			return 0;
	}
	return 1;
}

static int finitevectors(const vector3 *values, int count)
{
	for (int i = 0; i < count; i++) {
		if (!std::isfinite(values[i].x) || !std::isfinite(values[i].y) ||
			!std::isfinite(values[i].z))
			return 0;
	}
	return 1;
}

// Counts and indices that other code uses to index arrays; the slots past
// each count are kept as they are but never used.
static int validlevelrecord(const levelstruct *l)
{
	if (!inrange(l->landscapewidth, MINLANDSCAPESIZE, LANDSCAPESIZE) ||
		!inrange(l->landscapedepth, MINLANDSCAPESIZE, LANDSCAPESIZE))
		return 0;
	if (!std::isfinite(l->waterlevel))
		return 0;
	if (!inrange(l->numofphases, 0, MAXPHASES) ||
		!inrange(l->numoflevelobjects, 0, MAXLEVELOBJECTS) ||
		!inrange(l->numofprops, 0, MAXPROPS))
		return 0;
	for (int i = 0; i < l->numoflevelobjects; i++) {
		const levelobjectstruct *o = &l->levelobject[i];
		if (!inrange(o->type, 0, 255) || !inrange(o->numofcars, 0, MAXCARS) ||
			!inrange(o->numofwaypoints, 0, MAXWAYPOINTS))
			return 0;
		if (!finitevectors(&o->position, 1) || !finitevectors(o->orientation.v, 3) ||
			!finitevectors(o->waypoint, o->numofwaypoints))
			return 0;
		for (int k = 0; k < o->numofcars; k++) {
			if (!inrange(o->cartype[k], 0, 255))
				return 0;
		}
	}
	for (int i = 0; i < l->numofprops; i++) {
		const propstruct *p = &l->prop[i];
		if (!inrange(p->model, -1, MAXPROPMODELS - 1) || !finitevectors(&p->position, 1) ||
			!finitevectors(p->orientation.v, 3))
			return 0;
	}
	return 1;
}

static int readbridge()
{
	if (!readints(&stagenumofpoints, 1) || !inrange(stagenumofpoints, 0, MAXPOINTS))
		return 0;
	for (int i = 0; i < stagenumofpoints; i++) {
		pointstruct *p = &stagepoint[i];
		if (!readints(&p->type, 1) || !readvectors(&p->position, 1))
			return 0;
		if (!inrange(p->type, POINTANCHOR, POINTCURVE) || !finitevectors(&p->position, 1))
			return 0;
	}
	if (!readints(&stagenumoflinks, 1) || !inrange(stagenumoflinks, 0, MAXLINKS))
		return 0;
	for (int i = 0; i < stagenumoflinks; i++) {
		beamstruct *b = &stagebeam[i];
		if (!readints(&b->type, 1) || !readints(&b->deck, 1) || !readints(&b->point1, 1) ||
			!readints(&b->point2, 1) || !readints(&b->highlight, 1))
			return 0;
		if (!inrange(b->type, 0, 255) || !inrange(b->point1, 0, stagenumofpoints - 1) ||
			!inrange(b->point2, 0, stagenumofpoints - 1))
			return 0;
	}
	return 1;
}

// Reads the rest of the file after the magic and version into the staging
// records; 1 when it is complete and valid, with nothing after it.
static int readlevelfile()
{
	if (!readlevelrecord(&stagelevel) || !validlevelrecord(&stagelevel))
		return 0;
	// Only the heights of the level's own vertices are used; the rest of the
	// array is kept as stored.
	if (!readfloats(stageheight, LANDSCAPEVERTICES) ||
		!finitefloats(stageheight, stagelevel.landscapewidth * stagelevel.landscapedepth))
		return 0;
	return readbridge() && atendoffile();
}

static_assert(MAXLINKCOLORS == MATERIALCOLORS, "a level's link colours default to the player's");

static void copymaterialcolors(vector3 *colors)
{
	for (int i = 0; i < MAXLINKCOLORS; i++)
		colors[i] = {materialcolor[i][0], materialcolor[i][1], materialcolor[i][2]};
}

static void commitlevel(int bridge, int version)
{
	level = stagelevel;
	memcpy(landscape.height, stageheight, sizeof stageheight);
	numofpoints = stagenumofpoints;
	memcpy(point, stagepoint, sizeof(pointstruct) * numofpoints);
	numoflinks = stagenumoflinks;
	memcpy(beam, stagebeam, sizeof(beamstruct) * numoflinks);

	// The editor reset loads the new level's prop models again.
	numofpropmodels = 0;
	setuplandscapenormals();
	setuplandscapetexture();
	// A level read for play is signed by the player and drawn in the
	// player's colours; version 4 files carry no colours of their own.
	if (!bridge) {
		copystring(level.architect, profilename, NAMESIZE);
		copymaterialcolors(level.linkcolor);
	}
	if (version == 4)
		copymaterialcolors(level.linkcolor);
}

int loadlevel(const char *name, int bridge)
{
	char filename[PATHSIZE];
	if (!buildfilename(filename, sizeof filename, name, levelextension(bridge)))
		return 0;
	fp = fopen(filename, "rb");
	if (!fp)
		return 0;
	char magic[4];
	int version = 0;
	int ok = fread2(magic, 1, 4, fp) == 4 && !memcmp(magic, levelmagic, 4) &&
		readints(&version, 1) && (version == 4 || version == LEVELVERSION);
	if (ok) {
		drawloadingframe();
		ok = readlevelfile();
	}
	fclose(fp);
	fp = nullptr;
	if (!ok)
		return 0;
	commitlevel(bridge, version);
	return 1;
}

static int writecolorbands(const colorbandstruct *bands)
{
	for (int i = 0; i < MAXCOLORBANDS; i++) {
		if (!writevectors(&bands[i].color, 1) || !writefloats(&bands[i].top, 1))
			return 0;
	}
	return 1;
}

static int writephases(const phasestruct *phases)
{
	for (int i = 0; i < MAXPHASES; i++) {
		if (!writeints(&phases[i].type, 1) || !writefloats(phases[i].data, PHASEDATAWORDS))
			return 0;
	}
	return 1;
}

static int writelevelobject(const levelobjectstruct *o)
{
	return writeints(&o->type, 1) && writeints(&o->numofcars, 1) &&
		writeints(o->cartype, MAXCARS) && writeints(o->inphase, MAXPHASES) &&
		writevectors(&o->position, 1) && writeorientation(&o->orientation) &&
		writeints(&o->numofwaypoints, 1) && writevectors(o->waypoint, MAXWAYPOINTS);
}

static int writeprop(const propstruct *p)
{
	return writeints(&p->model, 1) && writetext(p->name, NAMESIZE) &&
		writevectors(&p->position, 1) && writeorientation(&p->orientation);
}

static int writelevelrecord(const levelstruct *l)
{
	if (!writeints(&l->landscapewidth, 1) || !writeints(&l->landscapedepth, 1) ||
		!writefloats(&l->waterlevel, 1) || !writecolorbands(l->colorband))
		return 0;
	if (!writetext(l->levelname, NAMESIZE) || !writetext(l->designer, NAMESIZE))
		return 0;
	for (int i = 0; i < MAXDESCRIPTIONLINES; i++) {
		if (!writetext(l->description[i], NAMESIZE))
			return 0;
	}
	if (!writetext(l->bridgename, NAMESIZE) || !writetext(l->architect, NAMESIZE))
		return 0;
	if (!writeints(&l->budget, 1) || !writeints(l->materiallimit, MAXMATERIALLIMITS))
		return 0;
	if (!writeints(&l->numofphases, 1) || !writephases(l->phase))
		return 0;
	if (!writeints(&l->numoflevelobjects, 1))
		return 0;
	for (int i = 0; i < MAXLEVELOBJECTS; i++) {
		if (!writelevelobject(&l->levelobject[i]))
			return 0;
	}
	if (!writeints(&l->numofprops, 1))
		return 0;
	for (int i = 0; i < MAXPROPS; i++) {
		if (!writeprop(&l->prop[i]))
			return 0;
	}
	return writevectors(l->linkcolor, MAXLINKCOLORS);
}

static int writebridge()
{
	if (!writeints(&numofpoints, 1))
		return 0;
	for (int i = 0; i < numofpoints; i++) {
		if (!writeints(&point[i].type, 1) || !writevectors(&point[i].position, 1))
			return 0;
	}
	if (!writeints(&numoflinks, 1))
		return 0;
	for (int i = 0; i < numoflinks; i++) {
		const beamstruct *b = &beam[i];
		if (!writeints(&b->type, 1) || !writeints(&b->deck, 1) || !writeints(&b->point1, 1) ||
			!writeints(&b->point2, 1) || !writeints(&b->highlight, 1))
			return 0;
	}
	return 1;
}

static int writelevelfile()
{
	const int version = LEVELVERSION;
	return writetext(levelmagic, 4) && writeints(&version, 1) &&
		writelevelrecord(&level) && writefloats(landscape.height, LANDSCAPEVERTICES) &&
		writebridge();
}

int savelevel(const char *name, int bridge)
{
	char filename[PATHSIZE];
	if (!buildfilename(filename, sizeof filename, name, levelextension(bridge)))
		return 0;
	if (!inrange(numofpoints, 0, MAXPOINTS) || !inrange(numoflinks, 0, MAXLINKS))
		return 0;
	if (!opensavefile(filename))
		return 0;
	// A level file belongs to no player: it goes out without the bridge's
	// name and architect, which the level in memory keeps.
	if (!bridge) {
		memcpy(bridgenametemp, level.bridgename, NAMESIZE);
		memcpy(architecttemp, level.architect, NAMESIZE);
		memset(level.bridgename, 0, NAMESIZE);
		memset(level.architect, 0, NAMESIZE);
	}
	int ok = writelevelfile();
	ok = closesavefile(filename) && ok;
	if (!bridge) {
		memcpy(level.bridgename, bridgenametemp, NAMESIZE);
		memcpy(level.architect, architecttemp, NAMESIZE);
	}
	return ok;
}

void deletelevel(const char *name, int bridge)
{
	char filename[PATHSIZE];
	if (!buildfilename(filename, sizeof filename, name, levelextension(bridge)))
		return;
	remove(filename);
}

void createlevel(int width, int depth)
{
}
