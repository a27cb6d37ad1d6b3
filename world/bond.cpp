#include "world/bond.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "world/cdquad.h"
#include "world/landscape.h"
#include "world/level.h"
#include "world/materials.h"
#include "world/particle.h"
#include "world/simrandom.h"
#include "world/simulation.h"
#include "world/soundevents.h"
#include "world/sprite.h"

bondstruct bond[MAXBONDS];
int numofbonds;

constexpr int SPRAYLIFE = 100;
constexpr int SPLASHSPRAYS = 9;
constexpr float SPLASHTHRESHOLD = 0.3f;
constexpr float WATERDENSITY = 1000.0f;
constexpr float AIRDENSITY = 1.29f;
constexpr float STEPSPERSECOND = 50.0f;
constexpr float FLOWSCALE = 0.02f;  // wind and current in units per step

// --- duplicate pairs --------------------------------------------------------

// While the simulation build runs, a hash of the bonded pairs answers the
// duplicate test in constant time; otherwise the test scans the bonds, since
// other code (the drawbridge) rewrites bond ends directly.
constexpr int PAIRHASHSIZE = 2 * MAXBONDS;  // a power of two, at most half full
constexpr uint32_t EMPTYPAIR = 0xffffffffu;
static uint32_t pairhash[PAIRHASHSIZE];
static int pairindexopen;

static uint32_t pairkey(int a, int b)
{
	if (a > b) {
		int c = a;
		a = b;
		b = c;
	}
	return (uint32_t)a << 14 | (uint32_t)b;
}

static uint32_t pairslot(uint32_t key)
{
	return (key * 2654435761u) >> 17 & (PAIRHASHSIZE - 1);
}

// Returns 1 when the pair was already in the hash, else adds it.
static int addpair(uint32_t key)
{
	uint32_t slot = pairslot(key);
	while (pairhash[slot] != EMPTYPAIR) {
		if (pairhash[slot] == key)
			return 1;
		slot = (slot + 1) & (PAIRHASHSIZE - 1);
	}
	pairhash[slot] = key;
	return 0;
}

void openbondindex()
{
	memset(pairhash, 0xff, sizeof(pairhash));
	for (int i = 0; i < numofbonds; i++)
		addpair(pairkey(bond[i].particle1, bond[i].particle2));
	pairindexopen = 1;
}

void closebondindex()
{
	pairindexopen = 0;
}

static int findbond(int a, int b)
{
	for (int i = 0; i < numofbonds; i++) {
		if ((bond[i].particle1 == a && bond[i].particle2 == b) ||
			(bond[i].particle1 == b && bond[i].particle2 == a))
			return i;
	}
	return -1;
}

// --- creation and deletion --------------------------------------------------

int createbond(int particle1, int particle2, int type, int cdquadnum)
{
	if (particle1 < 0 || particle1 >= numofparticles || particle2 < 0 ||
		particle2 >= numofparticles || particle1 == particle2)
		return -1;
	if (type < 0 || type >= MAXBONDTYPES || numofbonds >= MAXBONDS)
		return -1;

	vector3 d;
	subtractvectors(&d, &particle[particle2].position, &particle[particle1].position);
	float length = vectorlength(&d);
	if (!(length > 0.0f))
		return -1;

	if (pairindexopen) {
		if (addpair(pairkey(particle1, particle2)))
			return -1;
	} else if (findbond(particle1, particle2) != -1) {
		return -1;
	}

	int index = numofbonds;
	bondstruct *b = &bond[index];
	const bondtypestruct *t = &bondtype[type];
	memset(b, 0, sizeof(*b));
	b->particle1 = particle1;
	b->particle2 = particle2;
	b->type = type;
	b->state = BOND_LIVE;
	b->restlength = length;
	b->length = length;
	b->stiffness = t->stiffness;
	b->passmask = t->passmask;
	b->compressionlimit = t->compressionlimit;
	b->tensionlimit = t->tensionlimit;
	b->cdquadnum = cdquadnum;
	b->stub = 0;
	particle[particle1].bondcount++;
	particle[particle2].bondcount++;
	numofbonds++;
	return index;
}

// The quad loses its traffic, and its cross bonds become plain links of
// their material.
static void deactivatecdquad(int quad)
{
	cdquad[quad].active = 0;
	for (int i = 0; i < numofbonds; i++) {
		if (bond[i].cdquadnum == quad && bond[i].type > BOND_DECKCROSS)
			bond[i].type -= BOND_DECKCROSS;
	}
}

static void releaseend(int index)
{
	particlestruct *p = &particle[index];
	p->bondcount--;
	if (p->bondcount < 1)
		zerovector(&p->velocity);
}

void deletebond(int index)
{
	if (index < 0 || index >= numofbonds)
		return;

	bondstruct *b = &bond[index];
	int quad = b->cdquadnum;
	if (quad >= 0 && quad < numofcdquads && cdquad[quad].active)
		deactivatecdquad(quad);
	// Not tested against the count: a particle being deleted has already
	// left it when its bonds go.
	if (b->particle1 >= 0 && b->particle1 < MAXPARTICLES)
		releaseend(b->particle1);
	if (b->particle2 >= 0 && b->particle2 < MAXPARTICLES)
		releaseend(b->particle2);

	numofbonds--;
	if (index != numofbonds)
		bond[index] = bond[numofbonds];
}

// --- drag -------------------------------------------------------------------

static float randompitch()
{
	return 0.69f + (float)(simrandom() & 31) / 100.0f;
}

static int randomsplash()
{
	return SOUND_SPLASH + simrandom() % 3;
}

// A bond reaching from above the water (a) to below it (b) throws spray
// where it crosses the surface when it moves fast enough.
static void surfacespray(const particlestruct *a, const particlestruct *b, const vector3 *mean)
{
	vector3 hit, normal;
	float t;
	if (!lineintersectwater(&hit, &normal, &t, &b->position, &a->position))
		return;
	float strength = 5.0f * vectorlength(mean);
	if (!(strength > SPLASHTHRESHOLD))
		return;

	vector3 crossing, span, velocity;
	subtractvectors(&span, &a->position, &b->position);
	scaleaddvectors(&crossing, &b->position, &span, t);
	negvector(&velocity, mean);
	// Sound and pitch are drawn only for a splash that happens, so the
	// numbers follow the state alone.
	int id = randomsplash();
	playsound(id, &b->position, nullptr, 0, strength, randompitch());
	createsprite(SPRITE_SPRAY, &crossing, &velocity, SPRAYLIFE);
}

// An end that has just dropped under the surface sends up a line of spray.
static void entrysplash(const particlestruct *a, const particlestruct *b, const vector3 *mean,
	float water)
{
	if (!(water > a->position.y && a->prevposition.y > water))
		return;
	vector3 hit, normal;
	float t;
	if (!lineintersectwater(&hit, &normal, &t, &a->position, &b->prevposition))
		return;

	vector3 start = a->position;
	start.y = water;
	vector3 step;
	subtractvectors(&step, &hit, &start);
	scalevector(&step, &step, 0.125f);
	vector3 velocity;
	negvector(&velocity, mean);
	float strength = 5.0f * vectorlength(&velocity);
	if (!(strength > SPLASHTHRESHOLD))
		return;

	int id = randomsplash();
	playsound(id, &a->position, nullptr, 0, strength, randompitch());
	for (int k = 0; k < SPLASHSPRAYS; k++) {
		vector3 at;
		scaleaddvectors(&at, &start, &step, (float)k);
		createsprite(SPRITE_SPRAY, &at, &velocity, SPRAYLIFE);
	}
}

// The drag runs over every bond in every step, so its vector arithmetic is
// written out here rather than called; each line computes what the vector
// library would, in the same order.
static inline float length3(float x, float y, float z)
{
	return sqrtf((x * x + y * y) + z * z);
}

// Air or water resistance against the motion of one end across the bond
// with unit direction (dx, dy, dz).
static void dragend(particlestruct *p, float dx, float dy, float dz, float area, float water)
{
	if (p->retention == 0.0f)
		return;
	const vector3 *flow = p->position.y > water ? &sim.wind : &sim.current;
	float rx = p->savedvelocity.x + flow->x * FLOWSCALE;
	float ry = p->savedvelocity.y + flow->y * FLOWSCALE;
	float rz = p->savedvelocity.z + flow->z * FLOWSCALE;

	float ax = dz * ry - dy * rz;
	float ay = dx * rz - dz * rx;
	float az = dy * rx - dx * ry;
	float speed = STEPSPERSECOND * length3(ax, ay, az);
	float density = water > p->position.y ? WATERDENSITY : AIRDENSITY;
	float force = 0.5f * 0.5f * area * 0.5f * density * speed * speed;
	float change = force / 2500.0f / p->mass;
	// Drag can stop an end relative to the air or water, never reverse it:
	// a light end in a strong flow would otherwise swing ever harder.
	float relativespeed = length3(rx, ry, rz);
	if (relativespeed == 0.0f)
		return;
	if (change > relativespeed)
		change = relativespeed;
	p->velocity.x += rx / relativespeed * -change;
	p->velocity.y += ry / relativespeed * -change;
	p->velocity.z += rz / relativespeed * -change;
}

void bonddragsimulation()
{
	for (int i = 0; i < numofparticles; i++)
		particle[i].savedvelocity = particle[i].velocity;

	float water = level.waterlevel;
	for (int i = 0; i < numofbonds; i++) {
		const bondstruct *b = &bond[i];
		if (b->type >= BOND_DECKCROSS)
			continue;
		particlestruct *pa = &particle[b->particle1];
		particlestruct *pb = &particle[b->particle2];
		float area = 2.0f * bondtype[b->type].radius * b->restlength;

		// Spray only where an end is at or under the surface.
		if (!(pa->position.y > water && pb->position.y > water)) {
			vector3 mean;
			addvectors(&mean, &pa->velocity, &pb->velocity);
			scalevector(&mean, &mean, 0.5f);
			if (pa->position.y > water && water > pb->position.y)
				surfacespray(pa, pb, &mean);
			if (pb->position.y > water && water > pa->position.y)
				surfacespray(pb, pa, &mean);
			entrysplash(pa, pb, &mean, water);
			entrysplash(pb, pa, &mean, water);
		}

		float dx = pb->position.x - pa->position.x;
		float dy = pb->position.y - pa->position.y;
		float dz = pb->position.z - pa->position.z;
		float len = length3(dx, dy, dz);
		if (len != 0.0f) {
			dx /= len;
			dy /= len;
			dz /= len;
		}
		dragend(pa, dx, dy, dz, area, water);
		dragend(pb, dx, dy, dz, area, water);
	}
}

// --- stress and breaking ----------------------------------------------------

// Stretch of a bond after this step's velocities, against its rest length.
static float bondstretch(const bondstruct *b)
{
	const particlestruct *p1 = &particle[b->particle1];
	const particlestruct *p2 = &particle[b->particle2];
	vector3 v;
	subtractvectors(&v, &p2->position, &p1->position);
	addvectors(&v, &v, &p2->velocity);
	subtractvectors(&v, &v, &p1->velocity);
	float x = vectorlength(&v) - b->restlength;
	if (bondtype[b->type].compressionlimit == 0.0f && x < 0.0f)
		x = 0.0f;
	return x;
}

static void measurebond(bondstruct *b)
{
	float x = bondstretch(b);
	if (b->compressionlimit > x || x > b->tensionlimit)
		b->state = BOND_BROKEN;
	b->tension = x < 0.0f ? 0 : 1;

	// A zero limit (an unwritten bond type) measures no stress rather than
	// dividing by zero.
	float limit = x < 0.0f ? b->compressionlimit : b->tensionlimit;
	float stress = limit != 0.0f ? x / limit : 0.0f;
	if (!(stress > 0.0f))
		stress = 0.0f;
	else if (stress > 1.0f)
		stress = 1.0f;
	b->stress = stress;
	if (stress > b->peakstress) {
		b->peakstress = stress;
		b->peaktension = b->tension;
	}
}

// One loose half of a broken bond: a debris particle of the given mass at the
// break, hanging on the end it came from by a stub that keeps the broken
// bond's stress. The end gives up that mass. A refused particle makes no half.
static void makedebrishalf(int index, int end, const vector3 *position, const vector3 *velocity,
	float mass)
{
	int life = 250 + simrandom() % 50;
	int debris = createparticle(PARTICLE_DEBRIS, position, velocity, -1, life, mass);
	if (debris == -1)
		return;

	particlestruct *p = &particle[end];
	p->mass -= mass;
	if (p->mass < 0.01f)
		p->mass = 0.01f;

	int stub = createbond(debris, end, bond[index].type, -1);
	if (stub == -1)
		return;
	const bondstruct *b = &bond[index];
	bondstruct *s = &bond[stub];
	s->stub = 1;
	s->stress = b->stress;
	s->tension = b->tension;
	s->peakstress = b->peakstress;
	s->peaktension = b->peaktension;
}

static void makedebris(int index)
{
	const bondstruct *b = &bond[index];
	float r = (float)(simrandom() % 100) / 200.0f + 0.25f;
	float m = b->length * linktype[b->type].weight;
	const particlestruct *p1 = &particle[b->particle1];
	const particlestruct *p2 = &particle[b->particle2];

	vector3 position, velocity;
	scalevector(&position, &p1->position, r);
	scaleaddvectors(&position, &position, &p2->position, 1.0f - r);
	scalevector(&velocity, &p1->velocity, r);
	scaleaddvectors(&velocity, &velocity, &p2->velocity, 1.0f - r);

	int end1 = b->particle1, end2 = b->particle2;
	makedebrishalf(index, end1, &position, &velocity, 0.5f * r * m);
	makedebrishalf(index, end2, &position, &velocity, 0.5f * (1.0f - r) * m);
}

void checkbonds()
{
	for (int i = 0; i < numofbonds; i++) {
		if (bond[i].stub == 0)
			measurebond(&bond[i]);
	}

	if (sim.showbrokenbonds) {
		int count = numofbonds;
		for (int i = 0; i < count; i++) {
			const bondstruct *b = &bond[i];
			if (b->state == BOND_BROKEN && b->stub == 0 && b->type != BOND_DRAG)
				makedebris(i);
		}
	}

	for (int i = 0; i < numofbonds; i++) {
		while (i < numofbonds && bond[i].state == BOND_BROKEN) {
			const bondstruct *b = &bond[i];
			vector3 middle;
			addvectors(&middle, &particle[b->particle1].position, &particle[b->particle2].position);
			scalevector(&middle, &middle, 0.5f);
			int sound = b->type == LINKCABLE || b->type == LINKSUSPENSION ? SOUND_CABLEBREAK :
				SOUND_LINKBREAK;
			playsound(sound, &middle, nullptr, 0, 1.0f, randompitch());
			sim.brokenlinks++;
			deletebond(i);
		}
	}
}
