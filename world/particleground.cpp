// A moving particle against the landscape: the bounces along its path, and
// the quick tests that keep the full segment test for where it can hit.
#include "world/particle.h"

#include <cmath>

#include "world/landscape.h"
#include "world/level.h"

constexpr int COLLISIONTRIES = 10;
constexpr float PUSHOFF = 0.01f;  // keeps a particle just clear of the surface it hit

// A cheap look at the ground around a moving particle, so the full segment
// test runs only where it can hit: 1 when every corner of every cell the
// segment test would visit lies strictly below the segment's lower end. The
// segment test would then skip every cell and report no hit, and the
// particle is above the ground. The cells are found from the same product
// 0.2 x coordinate as there, rounded down rather than toward zero, which can
// only add cells. Odd cases (no landscape, coordinates not finite, long
// segments) answer 0 and leave the decision to the full test.
constexpr int CLEARANCEVERTICES = 6;  // per axis; a particle moves far less per step

static inline int clampcell(int cell, int last)
{
	return cell < 0 ? 0 : cell > last ? last : cell;
}

// The corners of the cells from the lower to the higher coordinate.
static inline int vertexrange(float a, float b, int size, int *first, int *last)
{
	float lo = (a < b ? a : b) * 0.2f;
	float hi = (a < b ? b : a) * 0.2f;
	if (!(lo > -1.0e6f && hi < 1.0e6f))
		return 0;
	*first = clampcell((int)floorf(lo), size - 2);
	*last = clampcell((int)floorf(hi), size - 2) + 1;
	return *last - *first < CLEARANCEVERTICES;
}

int clearofground(const vector3 *a, const vector3 *b)
{
	int width = level.landscapewidth, depth = level.landscapedepth;
	if (width < 2 || depth < 2 || width > LANDSCAPESIZE || depth > LANDSCAPESIZE)
		return 0;
	int x0, x1, z0, z1;
	if (!vertexrange(a->x, b->x, width, &x0, &x1) || !vertexrange(a->z, b->z, depth, &z0, &z1))
		return 0;
	float ymin = a->y < b->y ? a->y : b->y;
	for (int z = z0; z <= z1; z++) {
		const float *row = &landscape.height[z * width];
		for (int x = x0; x <= x1; x++) {
			if (!(row[x] < ymin))
				return 0;
		}
	}
	return 1;
}

// A particle moving into the surface with this normal bounces back with part
// of its speed into it and is slowed by friction along it.
static void contact(particlestruct *p, const vector3 *normal)
{
	if (!(dotproduct(&p->velocity, normal) < 0.0f))
		return;
	vector3 normalpart = p->velocity;
	vector3 frictionpart;
	calculatefriction(&normalpart, &frictionpart, normal, p->friction);
	scaleaddvectors(&p->velocity, &p->velocity, &normalpart, -p->bounce);
	subtractvectors(&p->velocity, &p->velocity, &frictionpart);
}

// The ground's height under (x, z), from the plane of the triangle of the
// cell that holds the point, and that triangle's corners. 0 off the
// landscape.
static int groundunder(float x, float z, float *height, vector3 corner[3])
{
	int width = level.landscapewidth, depth = level.landscapedepth;
	if (width < 2 || depth < 2 || width > LANDSCAPESIZE || depth > LANDSCAPESIZE)
		return 0;
	float cx = x * 0.2f, cz = z * 0.2f;
	if (!(cx >= 0.0f && cz >= 0.0f && cx < (float)(width - 1) && cz < (float)(depth - 1)))
		return 0;
	int ix = (int)cx, iz = (int)cz;
	float fx = cx - (float)ix, fz = cz - (float)iz;
	const float *h = landscape.height;
	float h00 = h[iz * width + ix], h10 = h[iz * width + ix + 1];
	float h01 = h[(iz + 1) * width + ix], h11 = h[(iz + 1) * width + ix + 1];
	float x0 = LANDSCAPESTEP * (float)ix, z0 = LANDSCAPESTEP * (float)iz;
	corner[0] = {x0, h00, z0};
	corner[1] = {x0 + LANDSCAPESTEP, h11, z0 + LANDSCAPESTEP};
	if (fx >= fz) {
		*height = h00 + fx * (h10 - h00) + fz * (h11 - h10);
		corner[2] = {x0 + LANDSCAPESTEP, h10, z0};
	} else {
		*height = h00 + fz * (h01 - h00) + fx * (h11 - h01);
		corner[2] = {x0, h01, z0 + LANDSCAPESTEP};
	}
	return 1;
}

// The segment test looks at each triangle alone, and on a triangle's edge
// (a cell's side, on a multiple of the grid step, or its diagonal), where
// bridge points stand and from where they fall straight down, rounding can
// put the hit just outside both triangles: the particle would pass through
// the ground. Whatever the tries left below the ground is set back on it,
// with the same contact response.
static void keepaboveground(particlestruct *p)
{
	float height;
	vector3 corner[3];
	if (!groundunder(p->position.x, p->position.z, &height, corner) || !(p->position.y < height))
		return;
	vector3 normal;
	generatepolygonnormal(&normal, &corner[0], &corner[1], &corner[2]);
	if (normal.y < 0.0f)
		negvector(&normal, &normal);
	p->position.y = height + PUSHOFF;
	contact(p, &normal);
}

void particlecollisionlevel(int index)
{
	particlestruct *p = &particle[index];
	float remaining = 1.0f;

	for (int tries = 0; tries < COLLISIONTRIES; tries++) {
		vector3 hit, normal;
		float t;
		if (!lineintersectlevel(&hit, &normal, &t, &p->prevposition, &p->position))
			break;

		scaleaddvectors(&p->position, &hit, &normal, PUSHOFF);
		remaining *= 1.0f - t;

		contact(p, &normal);

		p->prevposition = p->position;
		scaleaddvectors(&p->position, &p->prevposition, &p->velocity, remaining);
	}
	keepaboveground(p);
}

void calculatefriction(vector3 *normalpart, vector3 *frictionpart, const vector3 *normal, float mu)
{
	vector3 v = *normalpart;
	scalevector(normalpart, normal, dotproduct(&v, normal));

	vector3 tangent;
	subtractvectors(&tangent, &v, normalpart);
	float tangentspeed = vectorlength(&tangent);
	if (tangentspeed == 0.0f) {
		zerovector(frictionpart);
		return;
	}
	float limit = mu * vectorlength(normalpart);
	float size = tangentspeed < limit ? tangentspeed : limit;
	vector3 along;
	normalizevector(&along, &tangent);
	scalevector(frictionpart, &along, size);
}
