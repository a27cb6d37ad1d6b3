#include "world/bond.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "world/cdquad.h"
#include "world/materials.h"
#include "world/particle.h"
#include "world/simrandom.h"
#include "world/simulation.h"
#include "world/soundevents.h"

bondstruct bond[MAXBONDS];
int numofbonds;

// --- duplicate pairs --------------------------------------------------------

// While the simulation build runs, a hash of the bonded pairs answers the
// duplicate test in constant time; otherwise the test looks through the
// bonds (below), since other code (the drawbridge) rewrites bond ends
// directly.
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

// Whether a bond joins a and b: the bonds of whichever has fewer are looked
// for from the newest back, and the search ends once all of them are seen.
// New particles (debris, a vehicle's body) have few bonds, all recent.
static int bonded(int a, int b)
{
	int c = particle[a].bondcount <= particle[b].bondcount ? a : b;
	int left = particle[c].bondcount;
	for (int i = numofbonds - 1; i >= 0 && left > 0; i--) {
		const bondstruct *l = &bond[i];
		if (l->particle1 != c && l->particle2 != c)
			continue;
		if ((l->particle1 == a && l->particle2 == b) || (l->particle1 == b && l->particle2 == a))
			return 1;
		left--;
	}
	return 0;
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
	} else if (bonded(particle1, particle2)) {
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

// --- stress and breaking ----------------------------------------------------

// Stretch of a bond after this step's velocities, against its rest length.
// Runs over every bond in every step, so the vector arithmetic is written
// out, in the order the vector library would do it.
static float bondstretch(const bondstruct *b)
{
	const particlestruct *p1 = &particle[b->particle1];
	const particlestruct *p2 = &particle[b->particle2];
	float x = p2->position.x - p1->position.x + p2->velocity.x - p1->velocity.x;
	float y = p2->position.y - p1->position.y + p2->velocity.y - p1->velocity.y;
	float z = p2->position.z - p1->position.z + p2->velocity.z - p1->velocity.z;
	float stretch = sqrtf((x * x + y * y) + z * z) - b->restlength;
	if (bondtype[b->type].compressionlimit == 0.0f && stretch < 0.0f)
		stretch = 0.0f;
	return stretch;
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
// bond's stress. The end gives up that mass. A half whose particle or stub
// is refused is not made, and the end keeps its mass.
static void makedebrishalf(int index, int end, const vector3 *position, const vector3 *velocity,
	float mass)
{
	int life = 250 + simrandom() % 50;
	int debris = createparticle(PARTICLE_DEBRIS, position, velocity, -1, life, mass);
	if (debris == -1)
		return;
	int stub = createbond(debris, end, bond[index].type, -1);
	if (stub == -1) {
		// The newest particle, without bonds: nothing else moves.
		deleteparticle(debris);
		return;
	}

	particlestruct *p = &particle[end];
	p->mass -= mass;
	if (p->mass < 0.01f)
		p->mass = 0.01f;

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

// Every quad that loses a bond in this step stops carrying traffic, and its
// cross bonds become plain links, all in one pass over the bonds rather than
// one pass per quad as each broken bond is deleted: a collapsing deck breaks
// hundreds at once. The deletions that follow then find the quads inactive.
static unsigned char quadbroken[MAXCDQUADS];

static void deactivatebrokenquads()
{
	int any = 0;
	for (int i = 0; i < numofbonds; i++) {
		int q = bond[i].cdquadnum;
		if (bond[i].state == BOND_BROKEN && q >= 0 && q < numofcdquads && cdquad[q].active) {
			cdquad[q].active = 0;
			quadbroken[q] = 1;
			any = 1;
		}
	}
	if (!any)
		return;
	for (int i = 0; i < numofbonds; i++) {
		int q = bond[i].cdquadnum;
		if (q >= 0 && q < numofcdquads && quadbroken[q] && bond[i].type > BOND_DECKCROSS)
			bond[i].type -= BOND_DECKCROSS;
	}
	for (int i = 0; i < numofbonds; i++) {
		int q = bond[i].cdquadnum;
		if (q >= 0 && q < numofcdquads)
			quadbroken[q] = 0;
	}
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

	deactivatebrokenquads();
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
