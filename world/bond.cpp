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

constexpr int SOLVERPASSES = 32;
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

// Air or water resistance against the motion of one end across the bond.
static void dragend(particlestruct *p, const vector3 *dir, float area, float water)
{
	if (p->retention == 0.0f)
		return;
	vector3 relative;
	if (p->position.y > water)
		scaleaddvectors(&relative, &p->savedvelocity, &sim.wind, FLOWSCALE);
	else
		scaleaddvectors(&relative, &p->savedvelocity, &sim.current, FLOWSCALE);

	vector3 across;
	crossproduct(&across, dir, &relative);
	float speed = STEPSPERSECOND * vectorlength(&across);
	float density = water > p->position.y ? WATERDENSITY : AIRDENSITY;
	float force = 0.5f * 0.5f * area * 0.5f * density * speed * speed;
	float change = force / 2500.0f / p->mass;
	// Drag can stop an end relative to the air or water, never reverse it:
	// a light end in a strong flow would otherwise swing ever harder.
	float relativespeed = vectorlength(&relative);
	if (change > relativespeed)
		change = relativespeed;

	vector3 unit;
	normalizevector(&unit, &relative);
	scaleaddvectors(&p->velocity, &p->velocity, &unit, -change);
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

		vector3 mean;
		addvectors(&mean, &pa->velocity, &pb->velocity);
		scalevector(&mean, &mean, 0.5f);
		if (pa->position.y > water && water > pb->position.y)
			surfacespray(pa, pb, &mean);
		if (pb->position.y > water && water > pa->position.y)
			surfacespray(pb, pa, &mean);
		entrysplash(pa, pb, &mean, water);
		entrysplash(pb, pa, &mean, water);

		vector3 dir;
		subtractvectors(&dir, &pb->position, &pa->position);
		normalizevector(&dir, &dir);
		dragend(pa, &dir, area, water);
		dragend(pb, &dir, area, water);
	}
}

// --- solver -----------------------------------------------------------------

// What the 32 passes need of one bond, gathered once per step so the pass
// loop touches one compact record per bond.
struct bondwork {
	int particle1;
	int particle2;
	int tensiononly;
	float separationx, separationy, separationz;  // particle2 - particle1
	float k;
	float share1;  // part of the correction taken by particle1
	float share2;
	float restlength;
};

static vector3 particletemp[MAXPARTICLES];
static vector3 particleprevtemp[MAXPARTICLES];
static bondwork work[MAXBONDS];
// Passes that take part with the same set of pass masks share one list of
// bond indices, in index order, so the corrections add up in the same order.
static int passlist[SOLVERPASSES][MAXBONDS];
static int passlistcount[SOLVERPASSES];
static int passlistof[SOLVERPASSES];  // list of each pass, -1 when no bond takes part

static void gatherwork()
{
	for (int i = 0; i < numofbonds; i++) {
		const bondstruct *b = &bond[i];
		const particlestruct *p1 = &particle[b->particle1];
		const particlestruct *p2 = &particle[b->particle2];
		bondwork *w = &work[i];
		w->particle1 = b->particle1;
		w->particle2 = b->particle2;
		w->tensiononly = bondtype[b->type].compressionlimit == 0.0f;
		w->separationx = p2->position.x - p1->position.x;
		w->separationy = p2->position.y - p1->position.y;
		w->separationz = p2->position.z - p1->position.z;
		w->restlength = b->restlength;
		if (p1->retention != 0.0f && p2->retention != 0.0f) {
			w->k = b->stiffness / (p1->mass + p2->mass);
			w->share2 = p1->mass;
			w->share1 = p2->mass;
		} else {
			w->k = b->stiffness;
			w->share2 = p2->retention != 0.0f ? 1.0f : 0.0f;
			w->share1 = p1->retention != 0.0f ? 1.0f : 0.0f;
		}
	}
}

// Pass p takes the bonds whose pass mask shares no bit with p; only the low
// five bits of a mask can meet a pass number.
static void buildpasslists()
{
	uint32_t present = 0;  // bit m: some live bond has (passmask & 31) == m
	for (int i = 0; i < numofbonds; i++) {
		if (bond[i].state != BOND_BROKEN)
			present |= 1u << (bond[i].passmask & 31);
	}

	uint32_t signature[SOLVERPASSES];
	int lists = 0;
	for (int p = 0; p < SOLVERPASSES; p++) {
		uint32_t sig = 0;
		for (int m = 0; m < 32; m++) {
			if (present >> m & 1 && (m & p) == 0)
				sig |= 1u << m;
		}
		passlistof[p] = -1;
		if (sig == 0)
			continue;
		for (int l = 0; l < lists; l++) {
			if (signature[l] == sig)
				passlistof[p] = l;
		}
		if (passlistof[p] != -1)
			continue;

		signature[lists] = sig;
		int count = 0;
		for (int i = 0; i < numofbonds; i++) {
			if (bond[i].state != BOND_BROKEN && sig >> (bond[i].passmask & 31) & 1)
				passlist[lists][count++] = i;
		}
		passlistcount[lists] = count;
		passlistof[p] = lists++;
	}
}

static void solverpass(const int *list, int count)
{
	memcpy(particleprevtemp, particletemp, sizeof(vector3) * numofparticles);
	for (int n = 0; n < count; n++) {
		const bondwork *w = &work[list[n]];
		const vector3 *v1 = &particleprevtemp[w->particle1];
		const vector3 *v2 = &particleprevtemp[w->particle2];
		float vx = w->separationx + v2->x - v1->x;
		float vy = w->separationy + v2->y - v1->y;
		float vz = w->separationz + v2->z - v1->z;
		float len = sqrtf(vx * vx + vy * vy + vz * vz);
		float dx = 0.0f, dy = 0.0f, dz = 0.0f;
		if (len != 0.0f) {
			dx = vx / len;
			dy = vy / len;
			dz = vz / len;
		}
		float x = len - w->restlength;
		if (w->tensiononly && x < 0.0f)
			x = 0.0f;
		x = x * w->k;

		float s1 = w->share1 * x;
		float s2 = w->share2 * x;
		vector3 *t1 = &particletemp[w->particle1];
		vector3 *t2 = &particletemp[w->particle2];
		t1->x += dx * s1;
		t1->y += dy * s1;
		t1->z += dz * s1;
		t2->x -= dx * s2;
		t2->y -= dy * s2;
		t2->z -= dz * s2;
	}
}

void bondsimulation()
{
	bonddragsimulation();

	for (int i = 0; i < numofparticles; i++)
		particletemp[i] = particle[i].velocity;
	gatherwork();
	buildpasslists();
	for (int p = 0; p < SOLVERPASSES; p++) {
		int l = passlistof[p];
		if (l != -1)
			solverpass(passlist[l], passlistcount[l]);
	}
	for (int i = 0; i < numofparticles; i++)
		particle[i].velocity = particletemp[i];
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
