#include "world/objectphysics.h"

#include <cstdio>

#include "platform/files.h"
#include "world/worldfile.h"

objectphysicsstruct objectphysics[MAXOBJECTTYPES];
objectsizestruct objectsize[MAXOBJECTTYPES];

static const char objectfolder[] = "object";

void objectphysicsfilename(char out[16], int type)
{
	snprintf(out, 16, "object%d%d.tvp", (type / 10) % 10, type % 10);
}

static int readobjectphysics(objectphysicsstruct *p)
{
	if (!readvectors(p->bodypoint, BODYPOINTS) || !readfloats(&p->mass, 1) ||
		!readfloats(&p->acceleration, 1) || !readfloats(&p->maxspeed, 1) ||
		!readints(&p->numofwheels, 1) || !readints(p->steerwheel, MAXWHEELS) ||
		!readvectors(p->wheelposition, MAXWHEELS) || !readfloats(p->extra, OBJECTPHYSICSEXTRA))
		return 0;
	if (p->numofwheels < 0 || p->numofwheels > MAXWHEELS)
		return 0;
	return atendoffile();
}

static int writeobjectphysics(const objectphysicsstruct *p)
{
	return writevectors(p->bodypoint, BODYPOINTS) && writefloats(&p->mass, 1) &&
		writefloats(&p->acceleration, 1) && writefloats(&p->maxspeed, 1) &&
		writeints(&p->numofwheels, 1) && writeints(p->steerwheel, MAXWHEELS) &&
		writevectors(p->wheelposition, MAXWHEELS) && writefloats(p->extra, OBJECTPHYSICSEXTRA);
}

// How far the body reaches below the vehicle's origin.
static float bodyclearance(const objectphysicsstruct *p)
{
	float clearance = 0.0f;
	for (int i = 0; i < BODYPOINTS; i++) {
		if (-p->bodypoint[i].y > clearance)
			clearance = -p->bodypoint[i].y;
	}
	return clearance;
}

void updateobjectsize(int type)
{
	if (type >= 0 && type < MAXOBJECTTYPES)
		objectsize[type].clearance = bodyclearance(&objectphysics[type]);
}

static int loadobjectphysicsfile(int type)
{
	char filename[16];
	objectphysicsfilename(filename, type);
	fp = fopen(filename, "rb");
	if (!fp)
		return 0;
	objectphysicsstruct stage;
	int ok = readobjectphysics(&stage);
	fclose(fp);
	fp = nullptr;
	if (!ok)
		return 0;
	objectphysics[type] = stage;
	updateobjectsize(type);
	return 1;
}

static int saveobjectphysicsfile(int type)
{
	char filename[16];
	objectphysicsfilename(filename, type);
	if (!opensavefile(filename))
		return 0;
	// A short write leaves the stream's error flag set, so closesavefile
	// keeps the old file.
	int ok = writeobjectphysics(&objectphysics[type]);
	return closesavefile(filename) && ok;
}

int loadobjectphysics(int type)
{
	if (type < 0 || type >= MAXOBJECTTYPES)
		return 0;
	int entered = enterfolder(objectfolder);
	int ok = loadobjectphysicsfile(type);
	leavefolder(entered);
	return ok;
}

int saveobjectphysics(int type)
{
	if (type < 0 || type >= MAXOBJECTTYPES)
		return 0;
	int entered = enterfolder(objectfolder);
	int ok = saveobjectphysicsfile(type);
	leavefolder(entered);
	return ok;
}
