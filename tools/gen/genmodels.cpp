// Vehicle, wheel, track and prop models with their atlases, and the physics
// of the three vehicle types that start-up loads. Each vehicle model fills
// the body box its physics gives, so what is drawn is what collides.
#include <cstdio>
#include <cstring>

#include "tools/gen/atlas.h"
#include "tools/gen/gendata.h"
#include "tools/gen/mesh.h"
#include "world/objectphysics.h"

// Half sizes of the body boxes. Forward is -z, up +y, right +x.
static const vector3 STEAMHALF = {1.4f, 1.6f, 5.0f};
static const vector3 BOXCARHALF = {1.4f, 1.6f, 5.0f};
static const vector3 HATCHHALF = {1.0f, 0.7f, 2.0f};

// Wheel centres sit this far below the body's floor, so the probes reach
// the road before the box does.
static const float WHEELDROP = 0.1f;
// Rail wheels are drawn at 0.4 of their probes' x, so probes at 3 put the
// wheels just outside the narrow frames of the rail vehicles.
static const float RAILWHEELX = 3.0f;
static const float RAILFRAME = 1.0f;

static vector3 v3(float x, float y, float z)
{
	return vector3{x, y, z};
}

static int writemodel(const char *folder, const char *name, const atlascell cells[16], int seed)
{
	char path[64];
	snprintf(path, sizeof path, "%s/%s.tvo", folder, name);
	int failed = !writemesh(path);
	return failed + writeatlas(name, cells, seed);
}

// Corners in the order the simulation expects: 0-3 the floor (front left,
// front right, back right, back left), 4-7 the roof above them. Corner 0 to
// corner 3 runs backwards, which the body's axes are taken from.
static void setbody(objectphysicsstruct *o, vector3 half)
{
	static const float sx[4] = {-1, 1, 1, -1};
	static const float sz[4] = {-1, -1, 1, 1};
	for (int i = 0; i < 8; i++)
		o->bodypoint[i] = v3(sx[i % 4] * half.x, (i < 4 ? -1 : 1) * half.y, sz[i % 4] * half.z);
}

// Wheels 0 and 1, the front pair, are driven and steered.
static void setwheels(objectphysicsstruct *o, float x, float y, float z)
{
	o->numofwheels = 4;
	for (int w = 0; w < 4; w++) {
		o->wheelposition[w] = v3((w % 2) ? x : -x, y, w < 2 ? -z : z);
		o->steerwheel[w] = w < 2;
	}
	for (int i = 0; i < OBJECTPHYSICSEXTRA; i++)
		o->extra[i] = 1.0f;
}

static int savephysics(int type, vector3 half, float mass, float acceleration, float maxspeed,
	float wheelx, float wheelz)
{
	objectphysicsstruct *o = &objectphysics[type];
	memset(o, 0, sizeof(*o));
	setbody(o, half);
	o->mass = mass;
	o->acceleration = acceleration;
	o->maxspeed = maxspeed;
	setwheels(o, wheelx, -half.y - WHEELDROP, wheelz);
	return !saveobjectphysics(type);
}

static int makesteam()
{
	static const atlascell cells[16] = {
		{PAINTPLAIN, 0.12f, 0.12f, 0.13f}, {PAINTPLAIN, 0.55f, 0.08f, 0.06f},
		{PAINTSTRIPES, 0.1f, 0.3f, 0.15f}, {PAINTWINDOW, 0.1f, 0.3f, 0.15f},
		{PAINTRING, 0.2f, 0.2f, 0.22f}, {PAINTPLAIN, 0.7f, 0.6f, 0.2f},
		{PAINTPLAIN, 0.3f, 0.3f, 0.3f}, {PAINTPLAIN, 0.1f, 0.3f, 0.15f},
	};
	const vector3 h = STEAMHALF;
	beginmesh();
	addmeshbox(v3(0, -h.y + 0.4f, 0), v3(RAILFRAME, 0.4f, h.z), 0);            // frame
	addmeshcylinder(v3(0, -0.1f, -1.3f), 2, 3.7f, 1.1f, 1.1f, 12, 7, 4);      // boiler
	addmeshbox(v3(0, 0.1f, 3.2f), v3(h.x, h.y - 0.1f, 1.8f), 3);              // cab
	addmeshbox(v3(0, h.y - 0.1f, 3.2f), v3(h.x, 0.1f, 1.8f), 1);              // cab roof
	addmeshcylinder(v3(0, 1.15f, -3.8f), 1, 0.45f, 0.35f, 0.45f, 10, 0, 0);   // chimney
	addmeshcylinder(v3(0, 1.1f, -0.6f), 1, 0.3f, 0.4f, 0.3f, 10, 5, 5);       // dome
	addmeshbox(v3(0, -h.y + 0.5f, -h.z + 0.15f), v3(h.x, 0.3f, 0.15f), 1);    // buffer beam
	int failed = writemodel("object", "steam", cells, 201);
	return failed + savephysics(0, h, 800000.0f, 20.0f, 15.0f, RAILWHEELX, 3.5f);
}

static int makeboxcar()
{
	static const atlascell cells[16] = {
		{PAINTSTRIPES, 0.15f, 0.3f, 0.7f}, {PAINTPLAIN, 0.12f, 0.12f, 0.13f},
		{PAINTPLAIN, 0.55f, 0.55f, 0.6f}, {PAINTSTRIPES, 0.1f, 0.22f, 0.55f},
	};
	const vector3 h = BOXCARHALF;
	beginmesh();
	addmeshbox(v3(0, -h.y + 0.3f, 0), v3(RAILFRAME, 0.3f, h.z), 1);           // frame
	addmeshbox(v3(0, 0.25f, 0), v3(h.x - 0.05f, h.y - 0.35f, h.z - 0.3f), 0); // body
	addmeshbox(v3(0, h.y - 0.05f, 0), v3(h.x, 0.05f, h.z - 0.2f), 2);         // roof
	addmeshbox(v3(h.x - 0.1f, 0.1f, 0), v3(0.05f, 0.9f, 1.0f), 3);            // door
	int failed = writemodel("object", "bxblue", cells, 202);
	return failed + savephysics(5, h, 400000.0f, 0.0f, 0.0f, RAILWHEELX, 3.5f);
}

static int makehatchback()
{
	static const atlascell cells[16] = {
		{PAINTPLAIN, 0.75f, 0.1f, 0.08f}, {PAINTWINDOW, 0.75f, 0.1f, 0.08f},
		{PAINTPLAIN, 0.15f, 0.15f, 0.15f}, {PAINTPLAIN, 0.9f, 0.85f, 0.6f},
	};
	const vector3 h = HATCHHALF;
	beginmesh();
	addmeshbox(v3(0, -0.25f, 0), v3(h.x, 0.35f, h.z), 0);            // lower body
	addmeshbox(v3(0, 0.35f, 0.35f), v3(h.x - 0.1f, 0.35f, 1.4f), 1);  // cabin
	addmeshbox(v3(0, -0.45f, -h.z + 0.05f), v3(0.7f, 0.1f, 0.05f), 3); // lamps
	addmeshbox(v3(0, -h.y + 0.05f, 0), v3(h.x - 0.1f, 0.05f, h.z - 0.1f), 2);
	int failed = writemodel("object", "hatchbck", cells, 203);
	return failed + savephysics(17, h, 250000.0f, 8.0f, 18.0f, 0.9f, 1.5f);
}

// Wheels turn about x and are drawn at their probe centres.
static int makewheel(const char *name, float radius, float halfwidth, const atlascell cells[16], int seed)
{
	beginmesh();
	addmeshcylinder(v3(0, 0, 0), 0, halfwidth, radius, radius, 14, 0, 1);
	return writemodel("object", name, cells, seed);
}

// Track pieces are 5 units long along z and centred, so pieces laid every
// 5 units along a route or a deck join up.
static int maketracks()
{
	static const atlascell rail[16] = {
		{PAINTPLAIN, 0.4f, 0.28f, 0.18f}, {PAINTPLAIN, 0.7f, 0.7f, 0.75f},
	};
	beginmesh();
	for (int i = 0; i < 3; i++)
		addmeshbox(v3(0, 0.05f, -1.65f + 1.65f * i), v3(1.4f, 0.05f, 0.3f), 0);
	addmeshbox(v3(-0.75f, 0.15f, 0), v3(0.06f, 0.08f, 2.5f), 1);
	addmeshbox(v3(0.75f, 0.15f, 0), v3(0.06f, 0.08f, 2.5f), 1);
	int failed = writemodel("object", "track", rail, 204);
	static const atlascell road[16] = {
		{PAINTROAD, 0.25f, 0.25f, 0.27f},
	};
	beginmesh();
	addmeshbox(v3(0, 0.03f, 0), v3(4.0f, 0.03f, 2.5f), 0);
	return failed + writemodel("object", "road2", road, 205);
}

static int makeprops()
{
	makefolder("prop");
	int failed = 0;
	static const atlascell pine[16] = {
		{PAINTBARK, 0.4f, 0.27f, 0.15f}, {PAINTBARK, 0.12f, 0.35f, 0.15f},
		{PAINTPLAIN, 0.1f, 0.3f, 0.12f},
	};
	beginmesh();
	addmeshcylinder(v3(0, 1.5f, 0), 1, 1.5f, 0.5f, 0.4f, 8, 0, 0);
	addmeshcylinder(v3(0, 5.0f, 0), 1, 2.5f, 4.0f, 0.0f, 10, 1, 2);
	addmeshcylinder(v3(0, 8.5f, 0), 1, 2.0f, 3.0f, 0.0f, 10, 1, 2);
	failed += writemodel("prop", "pine", pine, 301);
	static const atlascell house[16] = {
		{PAINTTILES, 0.85f, 0.8f, 0.7f}, {PAINTTILES, 0.6f, 0.2f, 0.12f},
		{PAINTWINDOW, 0.85f, 0.8f, 0.7f},
	};
	beginmesh();
	addmeshbox(v3(0, 2.5f, 0), v3(4.0f, 2.5f, 6.0f), 0);
	addmeshroof(v3(0, 5.0f, 0), 4.5f, 6.5f, 3.0f, 1);
	addmeshbox(v3(4.0f, 2.5f, 0), v3(0.05f, 1.0f, 1.5f), 2);
	failed += writemodel("prop", "house", house, 302);
	static const atlascell rock[16] = {
		{PAINTPLAIN, 0.5f, 0.48f, 0.45f},
	};
	beginmesh();
	addmeshlump(v3(0, 1.0f, 0), v3(4.0f, 2.5f, 3.5f), 6, 9, 303, 0);
	failed += writemodel("prop", "rock", rock, 303);
	return failed;
}

int generatemodels()
{
	makefolder("object");
	makefolder("texture");
	makefolder("texturelow");
	int failed = makesteam() + makeboxcar() + makehatchback();
	static const atlascell railwheel[16] = {
		{PAINTPLAIN, 0.3f, 0.3f, 0.32f}, {PAINTRING, 0.35f, 0.35f, 0.38f},
	};
	failed += makewheel("wheel", 0.55f, 0.12f, railwheel, 206);
	static const atlascell tire[16] = {
		{PAINTSTRIPES, 0.1f, 0.1f, 0.1f}, {PAINTRING, 0.6f, 0.6f, 0.62f},
	};
	failed += makewheel("tire", 0.45f, 0.15f, tire, 207);
	failed += maketracks();
	failed += makeprops();
	return failed;
}
