#include "tests/vehicleworld.h"

#include <cmath>
#include <cstring>

#include "world/landscape.h"
#include "world/level.h"
#include "world/materials.h"
#include "world/objectphysics.h"
#include "world/simulation.h"

static constexpr int WORLDSIZE = 64;  // landscape vertices each way

static float groundheight(int x)
{
	float wx = (float)x * LANDSCAPESTEP;
	if (wx <= GAPLEFT || wx >= GAPRIGHT)
		return GROUNDY;
	return 40.0f;
}

// A box body in the object editor's corner order: 0..3 the bottom face, 4..7
// the top, corner k + 4 above corner k; the front (toward -z) carries
// corners 0 and 1 and the steered wheels 0 and 1.
static void setbody(int type, float halfwidth, float bottom, float top, float halflength,
	float mass, float acceleration, float maxspeed, int wheels, float wheely)
{
	objectphysicsstruct *ph = &objectphysics[type];
	memset(ph, 0, sizeof(*ph));
	const float x[4] = {-halfwidth, halfwidth, halfwidth, -halfwidth};
	const float z[4] = {-halflength, -halflength, halflength, halflength};
	for (int k = 0; k < 4; k++) {
		ph->bodypoint[k] = {x[k], bottom, z[k]};
		ph->bodypoint[k + 4] = {x[k], top, z[k]};
	}
	ph->mass = mass;
	ph->acceleration = acceleration;
	ph->maxspeed = maxspeed;
	ph->numofwheels = wheels;
	const float wz = halflength * 0.8f;
	const vector3 wheel[4] = {{-halfwidth, wheely, -wz}, {halfwidth, wheely, -wz},
		{halfwidth, wheely, wz}, {-halfwidth, wheely, wz}};
	for (int w = 0; w < wheels; w++) {
		ph->wheelposition[w] = wheel[w];
		ph->steerwheel[w] = w < 2;
	}
	objectsize[type].clearance = bottom < 0.0f ? -bottom : 0.0f;
}

void setupvehicleworld()
{
	setuplinkdata();
	setupparticledata();
	setupbonddata();

	memset(&level, 0, sizeof(level));
	level.landscapewidth = WORLDSIZE;
	level.landscapedepth = WORLDSIZE;
	level.waterlevel = WATERY;
	for (int z = 0; z < WORLDSIZE; z++)
		for (int x = 0; x < WORLDSIZE; x++)
			landscape.height[z * WORLDSIZE + x] = groundheight(x);
	setuplandscapenormals();

	memset(objectphysics, 0, sizeof(objectphysics));
	memset(objectsize, 0, sizeof(objectsize));
	// Wheel centres are taken from the body's centre, the mean of its corners.
	setbody(LOCOTYPE, 1.2f, -1.0f, 1.0f, 5.0f, 16000.0f, 20.0f, 8.0f, 4, -1.15f);
	setbody(RAILCARTYPE, 1.2f, -1.0f, 1.0f, 5.0f, 8000.0f, 0.0f, 0.0f, 4, -1.15f);
	setbody(CARTYPE, 1.0f, -0.75f, 0.75f, 2.0f, 4000.0f, 10.0f, 15.0f, 4, -0.9f);
	setbody(BOATTYPE, 3.0f, -1.5f, 1.5f, 8.0f, 1800.0f, 60.0f, 6.0f, 0, 0.0f);

	numofpoints = 0;
	numoflinks = 0;
	sim = simstruct{};
	sim.gravity = 1;
}

int addpoint(int type, float x, float y, float z)
{
	point[numofpoints] = {type, {x, y, z}};
	return numofpoints++;
}

void addlink(int type, int a, int b, int deck)
{
	beam[numoflinks] = {type, deck, a, b, 0};
	numoflinks++;
}

void buildtruss(int weak)
{
	// A truss 20 high over the 60 wide gap; a shallower one sags until it
	// breaks under its own weight.
	const int steel = 3, iron = 2;
	int bottom[2][7], top[2][7];
	const float planez[2] = {FRONTZ, BACKZ};
	for (int p = 0; p < 2; p++) {
		for (int i = 0; i <= 6; i++) {
			int type = i == 0 || i == 6 ? 0 : 1;
			bottom[p][i] = addpoint(type, GAPLEFT + 10.0f * i, GROUNDY, planez[p]);
		}
		if (weak) {
			for (int i = 0; i < 6; i++)
				addlink(iron, bottom[p][i], bottom[p][i + 1], 1);
			continue;
		}
		for (int i = 1; i <= 5; i++)
			top[p][i] = addpoint(1, GAPLEFT + 10.0f * i, GROUNDY + 20.0f, planez[p]);
		for (int i = 0; i < 6; i++)
			addlink(steel, bottom[p][i], bottom[p][i + 1], 1);
		for (int i = 1; i < 5; i++)
			addlink(steel, top[p][i], top[p][i + 1], 0);
		for (int i = 1; i <= 5; i++)
			addlink(steel, bottom[p][i], top[p][i], 0);
		addlink(steel, bottom[p][0], top[p][1], 0);
		addlink(steel, top[p][5], bottom[p][6], 0);
		addlink(steel, bottom[p][1], top[p][2], 0);
		addlink(steel, bottom[p][2], top[p][3], 0);
		addlink(steel, top[p][3], bottom[p][4], 0);
		addlink(steel, top[p][4], bottom[p][5], 0);
	}
	if (weak)
		return;
	for (int i = 1; i <= 5; i++)
		addlink(steel, top[0][i], top[1][i], 0);
	for (int i = 1; i < 5; i++)
		addlink(steel, top[0][i], top[1][i + 1], 0);
	// Without a diagonal in each cross section the planes would lean over.
	for (int i = 1; i <= 5; i++)
		addlink(steel, bottom[0][i], top[1][i], 0);
}

void builddrawbridge(int hydraulics)
{
	const int steel = 3;
	const int lift = hydraulics ? 7 : steel;
	const float planez[2] = {FRONTZ, BACKZ};
	// Deck points at x 100..160 by 10: anchors at the banks and at the two
	// pivots (x 110 and 150), the joint in the middle. Each leaf is two
	// triangles under an upper point, lifted from a tower anchor above its
	// pivot.
	int deck[2][7], upper[2][2];
	for (int p = 0; p < 2; p++) {
		for (int i = 0; i <= 6; i++) {
			int type = i == 0 || i == 1 || i == 5 || i == 6 ? 0 : i == 3 && hydraulics ? 2 : 1;
			deck[p][i] = addpoint(type, GAPLEFT + 10.0f * i, GROUNDY, planez[p]);
		}
		upper[p][0] = addpoint(1, GAPLEFT + 20.0f, GROUNDY + 5.0f, planez[p]);
		upper[p][1] = addpoint(1, GAPLEFT + 40.0f, GROUNDY + 5.0f, planez[p]);
		int tower0 = addpoint(0, GAPLEFT + 10.0f, GROUNDY + 15.0f, planez[p]);
		int tower1 = addpoint(0, GAPLEFT + 50.0f, GROUNDY + 15.0f, planez[p]);

		for (int i = 0; i < 6; i++)
			addlink(steel, deck[p][i], deck[p][i + 1], 1);
		addlink(steel, deck[p][1], upper[p][0], 0);
		addlink(steel, deck[p][2], upper[p][0], 0);
		addlink(steel, upper[p][0], deck[p][3], 0);
		addlink(steel, deck[p][3], upper[p][1], 0);
		addlink(steel, deck[p][4], upper[p][1], 0);
		addlink(steel, upper[p][1], deck[p][5], 0);
		addlink(lift, tower0, upper[p][0], 0);
		addlink(lift, tower1, upper[p][1], 0);
	}
	for (int k = 0; k < 2; k++) {
		addlink(steel, upper[0][k], upper[1][k], 0);
		addlink(steel, deck[0][2 + 2 * k], upper[1][k], 0);
	}
}

void buildlowdeck(float y)
{
	const int steel = 3;
	const float planez[2] = {FRONTZ, BACKZ};
	for (int p = 0; p < 2; p++) {
		int previous = -1;
		for (int i = 0; i <= 6; i++) {
			int here = addpoint(i == 0 || i == 6 ? 0 : 1, GAPLEFT + 10.0f * i, y, planez[p]);
			if (previous >= 0)
				addlink(steel, previous, here, 1);
			previous = here;
		}
	}
}

orientation facingx()
{
	return {{{0.0f, 0.0f, 1.0f}, {0.0f, 1.0f, 0.0f}, {-1.0f, 0.0f, 0.0f}}};
}

orientation facingz()
{
	return {{{-1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, -1.0f}}};
}

int addphase(int type)
{
	level.phase[level.numofphases].type = type;
	return ++level.numofphases;
}

int addplacement(int type, int phase, const vector3 *position, const orientation *axes)
{
	levelobjectstruct *lo = &level.levelobject[level.numoflevelobjects];
	memset(lo, 0, sizeof(*lo));
	lo->type = type;
	lo->inphase[phase - 1] = 1;
	lo->position = *position;
	lo->orientation = *axes;
	return level.numoflevelobjects++;
}

void addcar(int placement, int type)
{
	levelobjectstruct *lo = &level.levelobject[placement];
	lo->cartype[lo->numofcars++] = type;
}

void addwaypoint(int placement, float x, float y, float z)
{
	levelobjectstruct *lo = &level.levelobject[placement];
	lo->waypoint[lo->numofwaypoints++] = {x, y, z};
}

bool axesnear(const orientation *a, const orientation *b, float tolerance)
{
	for (int r = 0; r < 3; r++) {
		vector3 d;
		subtractvectors(&d, &a->v[r], &b->v[r]);
		if (vectorlength(&d) > tolerance)
			return false;
	}
	return true;
}
