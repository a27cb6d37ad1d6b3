// Vehicle collisions and forces: vehicle against vehicle, against the deck
// and (boats) against bridge members; the body frame refresh; buoyancy,
// hull drag and spray.
#include <cmath>

#include "world/bond.h"
#include "world/cdquad.h"
#include "world/landscape.h"
#include "world/level.h"
#include "world/particle.h"
#include "world/simulation.h"
#include "world/soundevents.h"
#include "world/sprite.h"
#include "world/vehicle.h"

static void growbox(vector3 *lo, vector3 *hi, const vector3 *p)
{
	lo->x = p->x < lo->x ? p->x : lo->x;
	lo->y = p->y < lo->y ? p->y : lo->y;
	lo->z = p->z < lo->z ? p->z : lo->z;
	hi->x = p->x > hi->x ? p->x : hi->x;
	hi->y = p->y > hi->y ? p->y : hi->y;
	hi->z = p->z > hi->z ? p->z : hi->z;
}

void objectpointweights(int n, const vector3 *at, float weight[OBJECTPARTICLES])
{
	const objectstruct *o = &object[n];
	float distance[OBJECTPARTICLES];
	for (int k = 0; k < OBJECTPARTICLES; k++) {
		vector3 d;
		subtractvectors(&d, &particle[o->particlelist[k]].position, at);
		distance[k] = vectorlength(&d);
	}
	// Each particle's weight is the product of the other distances, so a
	// point on a particle gives it everything without dividing by zero.
	float sum = 0.0f;
	for (int k = 0; k < OBJECTPARTICLES; k++) {
		float w = 1.0f;
		for (int j = 0; j < OBJECTPARTICLES; j++)
			if (j != k)
				w *= distance[j];
		weight[k] = w;
		sum += w;
	}
	// Two particles on the point zero every product: share equally.
	if (!(sum > 0.0f) || !std::isfinite(sum)) {
		for (int k = 0; k < OBJECTPARTICLES; k++)
			weight[k] = 1.0f / OBJECTPARTICLES;
		return;
	}
	for (int k = 0; k < OBJECTPARTICLES; k++)
		weight[k] /= sum;
}

void applyforceobject(int n, const vector3 *change, const vector3 *at)
{
	float weight[OBJECTPARTICLES];
	objectpointweights(n, at, weight);
	for (int k = 0; k < OBJECTPARTICLES; k++) {
		particlestruct *p = &particle[object[n].particlelist[k]];
		scaleaddvectors(&p->velocity, &p->velocity, change, weight[k]);
	}
}

void getforceobject(int n, vector3 *velocity, const vector3 *at)
{
	float weight[OBJECTPARTICLES];
	objectpointweights(n, at, weight);
	zerovector(velocity);
	for (int k = 0; k < OBJECTPARTICLES; k++) {
		const particlestruct *p = &particle[object[n].particlelist[k]];
		scaleaddvectors(velocity, velocity, &p->savedvelocity, weight[k]);
	}
}

// Only segments starting within the vehicle's radius along every axis are
// tested against its hull.
static int withinreach(const vector3 *p0, const objectstruct *o)
{
	return !(fabsf(p0->x - o->position.x) > o->radius ||
		fabsf(p0->y - o->position.y) > o->radius || fabsf(p0->z - o->position.z) > o->radius);
}

int lineintersectobject(vector3 *hit, vector3 *normal, float *t, const vector3 *p0,
	const vector3 *p1, int n, int *corners)
{
	const objectstruct *o = &object[n];
	if (!withinreach(p0, o))
		return 0;

	static const int triangle[2][3] = {{0, 1, 2}, {0, 2, 3}};
	float best = 1.0f;
	for (int f = 0; f < o->numoffaces; f++) {
		for (int tri = 0; tri < 2; tri++) {
			int c[3];
			for (int k = 0; k < 3; k++)
				c[k] = o->particlelist[o->face[f][triangle[tri][k]]];
			const vector3 *a = &particle[c[0]].position;
			const vector3 *b = &particle[c[1]].position;
			const vector3 *d = &particle[c[2]].position;
			vector3 nrm, h;
			float tt;
			generatepolygonnormal(&nrm, a, b, d);
			if (!lineintersecttriangle(&h, &nrm, &tt, p0, p1, a, b, d) || !(tt < best))
				continue;
			best = tt;
			*hit = h;
			*normal = nrm;
			if (corners)
				for (int k = 0; k < 3; k++)
					corners[k] = c[k];
		}
	}
	*t = best;
	return best < 1.0f;
}

// Boats shove the bridge members their hull cuts through.
static void boatpushbonds(int n)
{
	const objectstruct *o = &object[n];
	for (int b = 0; b < numofbonds; b++) {
		if (bond[b].type >= BOND_FRAME)
			continue;
		particlestruct *a = &particle[bond[b].particle1];
		particlestruct *c = &particle[bond[b].particle2];
		vector3 hit, normal;
		float t;
		if (!lineintersectobject(&hit, &normal, &t, &a->position, &c->position, n, nullptr))
			continue;
		a->velocity = o->velocity;
		c->velocity = o->velocity;
	}
}

void objectcollisionobject(int n)
{
	objectstruct *o = &object[n];
	if (o->type >= FIRSTBOATTYPE)
		boatpushbonds(n);

	for (int m = 0; m < numofobjects; m++) {
		if (m == n)
			continue;
		objectstruct *other = &object[m];
		// Every segment starts at this vehicle's position.
		if (!withinreach(&o->position, other))
			continue;
		for (int k = 0; k < OBJECTPARTICLES; k++) {
			vector3 hit, normal;
			float t;
			const vector3 *end = &particle[o->particlelist[k]].position;
			if (!lineintersectobject(&hit, &normal, &t, &o->position, end, m, nullptr))
				continue;
			vector3 vn, vm, r;
			getforceobject(n, &vn, &hit);
			getforceobject(m, &vm, &hit);
			subtractvectors(&r, &vn, &vm);
			float speed = vectorlength(&r);
			if (speed > 0.2f)
				playsound(SOUND_CRASH, &hit, nullptr, 0, speed, 1.0f);
			scalevector(&r, &r, 1.2f);
			float s = o->mass / (other->mass + o->mass);
			if (dotproduct(&r, &normal) < 0.0f) {
				vector3 change;
				scalevector(&change, &r, s);
				applyforceobject(m, &change, &hit);
				scalevector(&change, &r, -(1.0f - s));
				applyforceobject(n, &change, &hit);
			}
		}
	}
}

// Velocity of the deck at a point of quad q from its corners' saved
// velocities, with the corner weights.
static void deckvelocity(vector3 *u, float weight[4], int q, const vector3 *at)
{
	calccdquadratio(weight, q, at);
	zerovector(u);
	for (int k = 0; k < 4; k++)
		scaleaddvectors(u, u, &particle[cdquad[q].particlenum[k]].savedvelocity, weight[k]);
}

static float deckmass(int q)
{
	float m = 0.0f;
	for (int k = 0; k < 4; k++)
		m += particle[cdquad[q].particlenum[k]].mass;
	return m;
}

void objectcollisioncdquad(int n)
{
	objectstruct *o = &object[n];
	vector3 lo = o->position, hi = o->position;
	for (int k = 0; k < OBJECTPARTICLES; k++)
		growbox(&lo, &hi, &particle[o->particlelist[k]].position);
	static int candidate[MAXCDQUADS];
	int count = deckcandidates(&lo, &hi, candidate);

	for (int i = 0; i < count; i++) {
		int q = candidate[i];
		for (int k = 0; k < OBJECTPARTICLES; k++) {
			vector3 hit, normal;
			float t;
			const vector3 *end = &particle[o->particlelist[k]].position;
			if (!lineintersectcdquad(&hit, &normal, &t, &o->position, end, q))
				continue;
			float weight[4];
			vector3 u, v, r, friction;
			deckvelocity(&u, weight, q, &hit);
			getforceobject(n, &v, &hit);
			subtractvectors(&r, &v, &u);
			// The part along the normal stays; sliding along the deck is
			// held back by friction up to 0.3 of it.
			calculatefriction(&r, &friction, &normal, 0.3f);
			addvectors(&r, &r, &friction);
			scalevector(&r, &r, 2.0f);
			float s = o->mass / (o->mass + deckmass(q));
			if (dotproduct(&r, &normal) < 0.0f) {
				for (int c = 0; c < 4; c++) {
					particlestruct *p = &particle[cdquad[q].particlenum[c]];
					scaleaddvectors(&p->velocity, &p->velocity, &r, weight[c] * s);
				}
				vector3 change;
				scalevector(&change, &r, -(1.0f - s));
				applyforceobject(n, &change, &hit);
			}
		}
	}
}

void updateobjectframe(int n)
{
	objectstruct *o = &object[n];
	vector3 position = {0.0f, 0.0f, 0.0f};
	vector3 velocity = {0.0f, 0.0f, 0.0f};
	for (int k = 0; k < OBJECTPARTICLES; k++) {
		const particlestruct *p = &particle[o->particlelist[k]];
		addvectors(&position, &position, &p->position);
		addvectors(&velocity, &velocity, &p->velocity);
	}
	scalevector(&o->position, &position, 0.125f);
	scalevector(&o->velocity, &velocity, 0.125f);

	// The library's crossproduct(out, a, b) is b x a: these are the axes'
	// own products, so that a body made with identity axes reads them back.
	const vector3 *p0 = &particle[o->particlelist[o->axisparticle[0]]].position;
	const vector3 *p1 = &particle[o->particlelist[o->axisparticle[1]]].position;
	const vector3 *p2 = &particle[o->particlelist[o->axisparticle[2]]].position;
	vector3 *right = &o->orientation.v[0];
	vector3 *up = &o->orientation.v[1];
	vector3 *back = &o->orientation.v[2];
	vector3 d, c;
	subtractvectors(&d, p1, p0);
	normalizevector(back, &d);
	subtractvectors(&d, p2, p0);
	crossproduct(&c, &d, back);
	normalizevector(up, &c);
	crossproduct(&c, back, up);
	normalizevector(right, &c);
}

static int belowwater(const vector3 *p)
{
	return p->y < level.waterlevel;
}

static void buoyancy(int n)
{
	const objectstruct *o = &object[n];
	int centrebelow = belowwater(&o->position);
	for (int k = 0; k < OBJECTPARTICLES; k++) {
		particlestruct *p = &particle[o->particlelist[k]];
		float lift = 0.125f * o->volume * 1000.0f / p->mass / 2500.0f;
		int below = belowwater(&p->position);
		vector3 hit, normal;
		float t;
		if (below && centrebelow)
			p->velocity.y += lift;
		else if (below) {
			if (lineintersectwater(&hit, &normal, &t, &p->position, &o->position))
				p->velocity.y += t * lift;
		} else if (centrebelow) {
			if (lineintersectwater(&hit, &normal, &t, &o->position, &p->position))
				p->velocity.y += t * lift;
		}
	}
}

static float trianglearea(const vector3 *a, const vector3 *b, const vector3 *c)
{
	vector3 d;
	subtractvectors(&d, b, a);
	float la = vectorlength(&d);
	subtractvectors(&d, c, b);
	float lb = vectorlength(&d);
	subtractvectors(&d, a, c);
	float lc = vectorlength(&d);
	float s = (la + lb + lc) * 0.5f;
	float product = s * (s - la) * (s - lb) * (s - lc);
	// A flat triangle can round to a slightly negative product.
	if (!(product > 0.0f))
		return 0.0f;
	return (float)sqrt((double)product);
}

// How much of the edge from corner a to corner b lies under water; a
// crossing point is kept as a spray point while there is room.
static float edgeimmersion(const vector3 *a, const vector3 *b, vector3 spray[2], int *numofspray)
{
	int abelow = belowwater(a), bbelow = belowwater(b);
	if (abelow && bbelow)
		return 1.0f;
	if (abelow == bbelow)
		return 0.0f;
	vector3 hit, normal;
	float t;
	int crossed = abelow ? lineintersectwater(&hit, &normal, &t, a, b)
		: lineintersectwater(&hit, &normal, &t, b, a);
	if (!crossed)
		return 0.0f;
	if (*numofspray < 2)
		spray[(*numofspray)++] = hit;
	return t;
}

static void throwspray(const int corner[4], const vector3 spray[2])
{
	vector3 w = {0.0f, 0.0f, 0.0f};
	for (int j = 0; j < 4; j++)
		addvectors(&w, &w, &particle[corner[j]].velocity);
	scalevector(&w, &w, -0.25f);
	if (5.0f * vectorlength(&w) <= 0.3f)
		return;
	vector3 step;
	subtractvectors(&step, &spray[1], &spray[0]);
	scalevector(&step, &step, 0.25f);
	vector3 at = spray[0];
	for (int i = 0; i < 5; i++) {
		createsprite(SPRITE_SPRAY, i == 4 ? &spray[1] : &at, &w, 100);
		addvectors(&at, &at, &step);
	}
}

static void hulldrag(int n)
{
	const objectstruct *o = &object[n];
	for (int f = 0; f < o->numoffaces; f++) {
		int corner[4];
		const vector3 *p[4];
		for (int j = 0; j < 4; j++) {
			corner[j] = o->particlelist[o->face[f][j]];
			p[j] = &particle[corner[j]].position;
		}
		vector3 e1, e2, c, normal;
		subtractvectors(&e1, p[1], p[0]);
		subtractvectors(&e2, p[2], p[0]);
		crossproduct(&c, &e1, &e2);
		normalizevector(&normal, &c);
		float area = trianglearea(p[0], p[1], p[2]) + trianglearea(p[0], p[2], p[3]);
		float drag = o->facedrag[f];
		vector3 spray[2];
		int numofspray = 0;

		for (int j = 0; j < 4; j++) {
			particlestruct *pj = &particle[corner[j]];
			// Crossings are kept as they are met, up to two. An edge is met
			// from both its corners, so when the first crossed edge comes up
			// twice in a row its crossing fills both and the spray rises from
			// that one point.
			float a = edgeimmersion(p[j], p[(j + 3) & 3], spray, &numofspray);
			float b = edgeimmersion(p[j], p[(j + 1) & 3], spray, &numofspray);
			float density = 998.71f * a * b + 1.29f;

			vector3 flow = pj->savedvelocity;
			const vector3 *stream = belowwater(&pj->position) ? &sim.current : &sim.wind;
			scaleaddvectors(&flow, &flow, stream, 0.02f);
			float v = dotproduct(&flow, &normal);
			if (!(v > 0.0f))
				continue;
			float speed = 50.0f * v;
			float force = 0.25f * area * (drag * 0.5f) * density * (speed * speed);
			float change = -force / 2500.0f / pj->mass;
			// Drag never does more than stop the face.
			if (fabsf(change) > v)
				change = -v;
			scaleaddvectors(&pj->velocity, &pj->velocity, &normal, change);
		}
		if (o->type < FIRSTBOATTYPE && numofspray == 2)
			throwspray(corner, spray);
	}
}

void objectsimulation()
{
	if (numofobjects > 0)
		updatedeckbounds();
	for (int n = 0; n < numofobjects; n++)
		objectcollisionobject(n);
	for (int n = 0; n < numofobjects; n++)
		objectcollisioncdquad(n);

	for (int i = 0; i < numofparticles; i++)
		particle[i].savedvelocity = particle[i].velocity;

	for (int n = 0; n < numofobjects; n++) {
		updateobjectframe(n);
		buoyancy(n);
		hulldrag(n);
	}
}
