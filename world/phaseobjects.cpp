// The vehicles of a phase, made from the level's placements: a vehicle on
// its route, trailed by its train cars on couplings.
#include "world/bond.h"
#include "world/level.h"
#include "world/objectphysics.h"
#include "world/particle.h"
#include "world/simulation.h"
#include "world/vehicle.h"

static constexpr float CARSPACING = 12.0f;
static constexpr float ROADOFFSET = 2.0f;  // road vehicles keep to one side
static constexpr float COUPLINGMASS = 5000.0f;
// Particle list positions a coupling holds: the back corners of the car in
// front, the front corners of the car behind.
static const int couplingback[4] = {2, 3, 6, 7};
static const int couplingfront[4] = {0, 1, 4, 5};

static int clampcount(int count, int capacity)
{
	return count < 0 ? 0 : count < capacity ? count : capacity;
}

// Whether the whole train of the placement fits and every type has physics:
// a train is made whole or not at all.
static int placementfits(const levelobjectstruct *lo, int cars)
{
	if (!objecttypeusable(lo->type))
		return 0;
	for (int c = 0; c < cars; c++)
		if (!objecttypeusable(lo->cartype[c]))
			return 0;
	int vehicles = 1 + cars;
	int particles = vehicles * OBJECTPARTICLES + cars;
	int bonds = vehicles * OBJECTBONDS + cars * COUPLINGBONDS;
	return numofobjects + vehicles <= MAXOBJECTS &&
		numofparticles + particles <= PARTICLELIMIT && numofbonds + bonds <= MAXBONDS;
}

static void lift(vector3 *out, const vector3 *position, int type)
{
	*out = *position;
	out->y += 0.25f + objectsize[type].clearance;
}

static int couple(int front, int back, const vector3 *at)
{
	int coupling = createparticle(PARTICLE_BODY, at, nullptr, -1, NEVERDIES, COUPLINGMASS);
	if (coupling < 0)
		return 0;
	for (int k = 0; k < 4; k++)
		if (createbond(object[front].particlelist[couplingback[k]], coupling, BOND_COUPLING,
				-1) < 0)
			return 0;
	for (int k = 0; k < 4; k++)
		if (createbond(object[back].particlelist[couplingfront[k]], coupling, BOND_COUPLING,
				-1) < 0)
			return 0;
	return 1;
}

// Makes the vehicles of one placement; returns 0 (with none left) when
// they could not all be made.
static int createplacement(const levelobjectstruct *lo)
{
	int cars = clampcount(lo->numofcars, MAXCARS);
	if (!placementfits(lo, cars))
		return 0;

	const orientation *axes = &lo->orientation;
	int road = lo->type >= FIRSTROADTYPE && lo->type < FIRSTBOATTYPE;
	vector3 pos;
	lift(&pos, &lo->position, lo->type);
	if (road)
		scaleaddvectors(&pos, &pos, &axes->v[0], ROADOFFSET);
	int first = createobject(&pos, axes, lo->type);
	if (first < 0)
		return 0;
	objectstruct *o = &object[first];
	o->numofwaypoints = clampcount(lo->numofwaypoints, MAXWAYPOINTS);
	for (int w = 0; w < o->numofwaypoints; w++) {
		o->waypoint[w] = lo->waypoint[w];
		if (road)
			scaleaddvectors(&o->waypoint[w], &o->waypoint[w], &axes->v[0], ROADOFFSET);
	}

	int previous = first;
	vector3 carpos = lo->position;
	for (int c = 0; c < cars; c++) {
		scaleaddvectors(&carpos, &carpos, &axes->v[2], CARSPACING);
		lift(&pos, &carpos, lo->cartype[c]);
		int car = createobject(&pos, axes, lo->cartype[c]);
		vector3 at;
		scaleaddvectors(&at, &carpos, &axes->v[2], -CARSPACING * 0.5f);
		at.y += 1.0f;
		if (car < 0 || !couple(previous, car, &at)) {
			for (int n = numofobjects - 1; n >= first; n--)
				deleteobject(n);
			return 0;
		}
		object[car].lastcar = c == cars - 1;
		previous = car;
	}
	return 1;
}

int createphaseobjects()
{
	if (phasenum < 1 || phasenum > MAXSPAWNPHASE || phasenum > level.numofphases)
		return 1;
	int made = 1;
	int placements = clampcount(level.numoflevelobjects, MAXLEVELOBJECTS);
	for (int i = 0; i < placements; i++) {
		const levelobjectstruct *lo = &level.levelobject[i];
		if (lo->inphase[phasenum - 1] && !createplacement(lo))
			made = 0;
	}
	if (!made)
		sim.testfailed = 1;
	return made;
}
