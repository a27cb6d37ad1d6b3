#include "world/cdquad.h"

#include <cmath>
#include <cstring>

#include "world/landscape.h"
#include "world/level.h"
#include "world/particle.h"
#include "world/simulation.h"
#include "world/vehicle.h"

cdquadstruct cdquad[MAXCDQUADS];
int numofcdquads;

const int cdquadcd[4][3] = {{0, 1, 2}, {0, 2, 3}, {0, 1, 3}, {1, 2, 3}};

constexpr float QUADREACH = 60.0f;  // no segment starting farther than this from corner 0 can hit

static int validcorner(int p)
{
	return p >= 0 && p < numofparticles;
}

int createcdquad(int a, int b, int c, int d)
{
	if (numofcdquads >= MAXCDQUADS)
		return -1;
	if (!validcorner(a) || !validcorner(b) || !validcorner(c) || !validcorner(d))
		return -1;

	int index = numofcdquads;
	cdquadstruct *q = &cdquad[index];
	memset(q, 0, sizeof(*q));
	q->active = 1;
	q->particlenum[0] = a;
	q->particlenum[1] = d;
	q->particlenum[2] = c;
	q->particlenum[3] = b;
	q->tracktype = TRACK_NONE;

	// A rail or road lane whose start lies across the deck gets its track
	// laid on this quad.
	float z0 = particle[a].position.z;
	float z1 = particle[d].position.z;
	int placements = level.numoflevelobjects;
	if (placements > MAXLEVELOBJECTS)
		placements = MAXLEVELOBJECTS;
	for (int i = 0; i < placements; i++) {
		const levelobjectstruct *o = &level.levelobject[i];
		if (o->type >= FIRSTBOATTYPE)
			continue;
		float z = o->position.z;
		if ((z0 < z && z < z1) || (z1 < z && z < z0))
			q->tracktype = o->type >= FIRSTROADTYPE ? TRACK_ROAD : TRACK_RAIL;
	}

	numofcdquads++;
	return index;
}

int lineintersectcdquad(vector3 *hit, vector3 *normal, float *t, const vector3 *start,
	const vector3 *end, int quad)
{
	if (quad < 0 || quad >= numofcdquads || !cdquad[quad].active)
		return 0;
	const cdquadstruct *q = &cdquad[quad];

	const vector3 *corner[4];
	for (int k = 0; k < 4; k++)
		corner[k] = &particle[q->particlenum[k]].position;
	if (fabsf(start->x - corner[0]->x) > QUADREACH || fabsf(start->y - corner[0]->y) > QUADREACH ||
		fabsf(start->z - corner[0]->z) > QUADREACH)
		return 0;

	*t = 1.0f;
	for (int i = 0; i < 4; i++) {
		for (int winding = 0; winding < 2; winding++) {
			const vector3 *a = corner[cdquadcd[i][0]];
			const vector3 *b = corner[cdquadcd[i][1]];
			const vector3 *c = corner[cdquadcd[i][2]];
			if (winding) {
				const vector3 *swap = b;
				b = c;
				c = swap;
			}
			vector3 n, at;
			float fraction;
			generatepolygonnormal(&n, a, b, c);
			if (lineintersecttriangle(&at, &n, &fraction, start, end, a, b, c) &&
				fraction < *t) {
				*t = fraction;
				*normal = n;
				*hit = at;
			}
		}
	}
	return *t < 1.0f;
}

void calccdquadratio(float weights[4], int quad, const vector3 *at)
{
	if (quad < 0 || quad >= numofcdquads) {
		for (int k = 0; k < 4; k++)
			weights[k] = 0.25f;
		return;
	}
	const cdquadstruct *q = &cdquad[quad];
	float d[4];
	for (int k = 0; k < 4; k++) {
		vector3 v;
		subtractvectors(&v, &particle[q->particlenum[k]].position, at);
		d[k] = vectorlength(&v);
	}
	float raw[4] = {d[1] * d[2] * d[3], d[0] * d[2] * d[3], d[0] * d[1] * d[3], d[0] * d[1] * d[2]};
	float sum = raw[0] + raw[1] + raw[2] + raw[3];
	// Two corners on one spot with the point on them leave every product
	// zero: share evenly rather than divide by zero.
	if (!(sum > 0.0f)) {
		for (int k = 0; k < 4; k++)
			weights[k] = 0.25f;
		return;
	}
	for (int k = 0; k < 4; k++)
		weights[k] = raw[k] / sum;
}

// The drag runs over every quad in every step, so its vector arithmetic is
// written out, in the order the vector library would do it.
static inline float sidelength(const vector3 *a, const vector3 *b)
{
	float x = b->x - a->x, y = b->y - a->y, z = b->z - a->z;
	return sqrtf((x * x + y * y) + z * z);
}

// Heron's formula; rounding can push the product of a flat triangle below
// zero, which is an area of 0.
static inline float trianglearea(const vector3 *a, const vector3 *b, const vector3 *c)
{
	float ab = sidelength(a, b), bc = sidelength(b, c), ca = sidelength(c, a);
	float s = (ab + bc + ca) * 0.5f;
	float product = s * (s - ab) * (s - bc) * (s - ca);
	if (!(product > 0.0f))
		return 0.0f;
	return sqrtf(product);
}

// How much of the edge from a to b lies under the water surface.
static inline float edgeimmersion(const vector3 *a, const vector3 *b, float water)
{
	int abelow = water > a->y;
	int bbelow = water > b->y;
	if (abelow && bbelow)
		return 1.0f;
	if (!abelow && !bbelow)
		return 0.0f;
	const vector3 *lower = abelow ? a : b;
	const vector3 *upper = abelow ? b : a;
	vector3 hit, normal;
	float t;
	if (!lineintersectwater(&hit, &normal, &t, lower, upper))
		return 0.0f;
	return t;
}

static void dragcdquad(const cdquadstruct *q, float water)
{
	particlestruct *c[4];
	for (int k = 0; k < 4; k++)
		c[k] = &particle[q->particlenum[k]];

	// (c2 - c0) x (c1 - c0), written out: the library's crossproduct takes
	// its operands the other way round.
	vector3 e2, e1, n;
	subtractvectors(&e2, &c[2]->position, &c[0]->position);
	subtractvectors(&e1, &c[1]->position, &c[0]->position);
	n.x = e2.y * e1.z - e2.z * e1.y;
	n.y = e2.z * e1.x - e2.x * e1.z;
	n.z = e2.x * e1.y - e2.y * e1.x;
	normalizevector(&n, &n);

	float area = trianglearea(&c[0]->position, &c[1]->position, &c[2]->position) +
		trianglearea(&c[0]->position, &c[2]->position, &c[3]->position);

	for (int k = 0; k < 4; k++) {
		particlestruct *p = c[k];
		const vector3 *previous = &c[(k + 3) & 3]->position;
		const vector3 *next = &c[(k + 1) & 3]->position;
		float immersion = edgeimmersion(&p->position, previous, water) *
			edgeimmersion(&p->position, next, water);
		float density = 998.71f * immersion + 1.29f;

		vector3 r;
		if (p->position.y > water)
			scaleaddvectors(&r, &p->savedvelocity, &sim.wind, 0.02f);
		else
			scaleaddvectors(&r, &p->savedvelocity, &sim.current, 0.02f);

		float d = dotproduct(&r, &n);
		if (!(d > 0.0f)) {
			negvector(&n, &n);
			d = dotproduct(&r, &n);
		}
		float speed = 50.0f * d;
		float change = -(0.25f * area * 0.25f * density * speed * speed) / 2500.0f / p->mass;
		// At most the whole speed across the deck plane, never more.
		if (fabsf(change) > d)
			change = -d;
		scaleaddvectors(&p->velocity, &p->velocity, &n, change);
	}
}

void cdquadsimulation()
{
	float water = level.waterlevel;
	for (int i = 0; i < numofcdquads; i++) {
		if (cdquad[i].active)
			dragcdquad(&cdquad[i], water);
	}
}
