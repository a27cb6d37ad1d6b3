// Drawbridges: a drawbridge joint splits in two so the spans on either side
// can part while the hydraulics change length, and the halves close again
// when the bridge comes down.
#include <cmath>

#include "world/bond.h"
#include "world/cdquad.h"
#include "world/materials.h"
#include "world/particle.h"
#include "world/simulation.h"
#include "world/soundevents.h"

// The joint's bonds whose other end lies more than this far along +x go
// with the new half.
static constexpr float SPLITSIDE = 1.0f;

static void movequadcorners(int quad, int from, int to)
{
	if (quad < 0 || quad >= numofcdquads)
		return;
	for (int k = 0; k < 4; k++)
		if (cdquad[quad].particlenum[k] == from)
			cdquad[quad].particlenum[k] = to;
}

// Moves end `end` (1 or 2) of bond b from particle from to particle to.
static void movebondend(int b, int end, int from, int to)
{
	if (end == 1)
		bond[b].particle1 = to;
	else
		bond[b].particle2 = to;
	particle[from].bondcount--;
	particle[to].bondcount++;
	movequadcorners(bond[b].cdquadnum, from, to);
}

// Which end of bond b sits on joint i with its other end on the +x side:
// 1 or 2, else 0.
static int splitend(int b, int i)
{
	float side = particle[i].position.x + SPLITSIDE;
	if (bond[b].particle1 == i && particle[bond[b].particle2].position.x > side)
		return 1;
	if (bond[b].particle2 == i && particle[bond[b].particle1].position.x > side)
		return 2;
	return 0;
}

static int bonded(int a, int b)
{
	for (int i = 0; i < numofbonds; i++)
		if ((bond[i].particle1 == a && bond[i].particle2 == b) ||
			(bond[i].particle1 == b && bond[i].particle2 == a))
			return 1;
	return 0;
}

// How many of quad q's corners other than corner k particle p is bonded to.
static int bondstoquad(int p, int q, int k)
{
	int count = 0;
	for (int c = 0; c < 4; c++)
		if (c != k && bonded(p, cdquad[q].particlenum[c]))
			count++;
	return count;
}

// A quad's corner goes with the half through the half's bonds that hold the
// quad. Where the build found such a bond already made as a plain link (it
// then carries no quad), the corner would stay on the joint and the deck
// stretch across the opening: it goes with the half too when the half holds
// more of the quad's other corners than the joint does.
static void quadsfollowhalf(int i, int half)
{
	for (int q = 0; q < numofcdquads; q++)
		for (int k = 0; k < 4; k++)
			if (cdquad[q].particlenum[k] == i && bondstoquad(half, q, k) > bondstoquad(i, q, k))
				cdquad[q].particlenum[k] = half;
}

// Splits drawbridge joint i; returns 1 when it split. A joint with all its
// bonds on one side stays whole: a lone half could never close again.
static int splitjoint(int i)
{
	int moving = 0;
	for (int b = 0; b < numofbonds; b++)
		if (splitend(b, i))
			moving++;
	if (moving == 0 || moving == particle[i].bondcount)
		return 0;

	particlestruct *joint = &particle[i];
	float mass = joint->mass * 0.5f;
	vector3 position = joint->position;
	vector3 velocity = joint->velocity;
	int half = createparticle(PARTICLE_HALFJOINT, &position, &velocity, -1, NEVERDIES, mass);
	if (half < 0)
		return 0;
	playsound(SOUND_JOINT, &position, nullptr, 0, 1.0f, 1.0f);
	particle[i].type = PARTICLE_HALFJOINT;
	particle[i].mass = mass;
	for (int b = 0; b < numofbonds; b++) {
		int end = splitend(b, i);
		if (end)
			movebondend(b, end, i, half);
	}
	quadsfollowhalf(i, half);
	return 1;
}

// Moves one hydraulic's rest length a step through its travel; returns 1
// when it moved. Type 7 travels between its length and half of it, type 8
// between its length and one and a half times it. The step eases in and
// out: 0.01 units at the ends of the travel, 0.035 midway, whatever the
// length, so a long hydraulic takes longer to travel.
static int movehydraulic(bondstruct *b, int raise)
{
	double length = b->length;
	double rest = b->restlength;
	int shorten = b->type == LINKHYDRAULIC1;
	double middle = shorten ? 0.75 : 1.25;
	double step = 0.1 * (0.35 - fabs(rest - middle * length) / length);
	if (raise && shorten) {
		if (!(rest > 0.501 * length))
			return 0;
		rest = fmax(rest - step, 0.5 * length);
	} else if (raise) {
		if (!(rest < 1.499 * length))
			return 0;
		rest = fmin(rest + step, 1.5 * length);
	} else if (shorten) {
		if (!(length > rest))
			return 0;
		rest = fmin(rest + step, length);
	} else {
		if (!(rest > length))
			return 0;
		rest = fmax(rest - step, length);
	}
	b->restlength = (float)rest;
	return 1;
}

static int movehydraulics(int raise, int sound)
{
	int moved = 0;
	for (int b = 0; b < numofbonds; b++) {
		int type = bond[b].type;
		if (type != LINKHYDRAULIC1 && type != LINKHYDRAULIC2)
			continue;
		if (!movehydraulic(&bond[b], raise))
			continue;
		moved = 1;
		if (sound)
			playsound(SOUND_HYDRAULIC, &particle[bond[b].particle1].position, nullptr, 1, 1.0f,
				1.0f);
	}
	return moved;
}

int raisedrawbridges(int firststep)
{
	int done = 1;
	for (int i = 0; i < numofparticles; i++)
		if (particle[i].type == PARTICLE_DRAWBRIDGE && splitjoint(i))
			done = 0;
	if (movehydraulics(1, firststep))
		done = 0;
	return done;
}

// Joins half j into half i. A bond between them, or one that would double
// a bond i already has, goes instead of moving.
static void mergehalves(int i, int j)
{
	playsound(SOUND_JOINT, &particle[i].position, nullptr, 0, 1.0f, 1.0f);
	particle[i].type = PARTICLE_DRAWBRIDGE;
	particle[j].type = PARTICLE_DRAWBRIDGE;
	// The split gave each half half the joint's mass; the closed joint
	// weighs what it did before, or every raise would lose half of it.
	particle[i].mass += particle[j].mass;
	for (int b = 0; b < numofbonds; b++) {
		int end = bond[b].particle1 == j ? 1 : bond[b].particle2 == j ? 2 : 0;
		if (!end)
			continue;
		int other = end == 1 ? bond[b].particle2 : bond[b].particle1;
		if (other == i || bonded(i, other)) {
			deletebond(b);
			b--;
			continue;
		}
		movebondend(b, end, j, i);
	}
	// j is left without bonds and goes in the next step; a quad still on it
	// (one held only by plain links there) would go with it.
	for (int q = 0; q < numofcdquads; q++)
		movequadcorners(q, j, i);
}

// Pulls pairs of halves together and merges those that meet; returns 1 when
// no half is left.
static int closehalves()
{
	int done = 1;
	for (int i = 0; i < numofparticles; i++) {
		if (particle[i].type != PARTICLE_HALFJOINT)
			continue;
		done = 0;
		for (int j = i + 1; j < numofparticles; j++) {
			if (particle[j].type != PARTICLE_HALFJOINT)
				continue;
			const particlestruct *a = &particle[i], *c = &particle[j];
			vector3 v;
			subtractvectors(&v, &c->position, &a->position);
			addvectors(&v, &v, &c->savedvelocity);
			subtractvectors(&v, &v, &a->savedvelocity);
			float gap = vectorlength(&v);
			if (gap < 0.05f) {
				mergehalves(i, j);
				break;
			}
			if (gap < 2.0f) {
				vector3 pull;
				normalizevector(&pull, &v);
				scaleaddvectors(&particle[i].velocity, &particle[i].velocity, &pull, 0.01f);
				scaleaddvectors(&particle[j].velocity, &particle[j].velocity, &pull, -0.01f);
			}
		}
	}
	return done;
}

int lowerdrawbridges(int firststep)
{
	if (movehydraulics(0, firststep))
		return 0;
	return closehalves();
}
