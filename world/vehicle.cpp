// Vehicles: creation and deletion, the route driver, wheels on the deck and
// the ground, boat thrust and engine smoke.
#include <cmath>

#include "world/bond.h"
#include "world/cdquad.h"
#include "world/landscape.h"
#include "world/level.h"
#include "world/particle.h"
#include "world/simulation.h"
#include "world/simrandom.h"
#include "world/soundevents.h"
#include "world/sprite.h"
#include "world/vehicle.h"

objectstruct object[MAXOBJECTS];
int numofobjects;

const int objecttypecd[OBJECTFACES][4] = {
	{0, 3, 2, 1}, {4, 5, 6, 7}, {5, 4, 0, 1}, {7, 6, 2, 3}, {6, 5, 1, 2}, {4, 7, 3, 0},
};

// The axes come from corners 0, 3 and 2: row 2 runs from corner 0 to 3.
static const int axiscorner[3] = {0, 3, 2};

// The ordinary right-handed a x b (the library's crossproduct is b x a).
static void rightcross(vector3 *out, const vector3 *a, const vector3 *b)
{
	crossproduct(out, b, a);
}

static int finitevector(const vector3 *v)
{
	return std::isfinite(v->x) && std::isfinite(v->y) && std::isfinite(v->z);
}

int objecttypeusable(int type)
{
	if (type < 0 || type >= MAXOBJECTTYPES)
		return 0;
	const objectphysicsstruct *ph = &objectphysics[type];
	// A type whose file was never loaded is all zero.
	if (!(ph->mass > 0.0f) || !std::isfinite(ph->mass))
		return 0;
	if (ph->numofwheels < 0 || ph->numofwheels > MAXWHEELS)
		return 0;
	// A drive that is not a number would turn the wheel speeds, and with them
	// every impulse on the vehicle and the deck, into NaN.
	if (!std::isfinite(ph->acceleration) || !std::isfinite(ph->maxspeed))
		return 0;
	for (int w = 0; w < ph->numofwheels; w++)
		if (!finitevector(&ph->wheelposition[w]))
			return 0;
	for (int i = 0; i < BODYPOINTS; i++) {
		if (!finitevector(&ph->bodypoint[i]))
			return 0;
		// Coinciding corners would leave the frame without a bond.
		for (int j = 0; j < i; j++) {
			const vector3 *a = &ph->bodypoint[i], *b = &ph->bodypoint[j];
			if (a->x == b->x && a->y == b->y && a->z == b->z)
				return 0;
		}
	}
	return 1;
}

// Takes back a vehicle that could not be finished: its particles are the
// last ones made, so deleting them from the end moves nothing else.
static void undocreation(int first, int made)
{
	for (int k = made - 1; k >= 0; k--)
		deleteparticle(first + k);
}

int createobject(const vector3 *position, const orientation *axes, int type)
{
	if (numofobjects >= MAXOBJECTS || !objecttypeusable(type))
		return -1;
	if (numofparticles + OBJECTPARTICLES > PARTICLELIMIT ||
		numofbonds + OBJECTBONDS > MAXBONDS)
		return -1;

	int n = numofobjects;
	const objectphysicsstruct *ph = &objectphysics[type];
	objectstruct *o = &object[n];
	*o = objectstruct{};
	o->type = type;
	for (int k = 0; k < OBJECTSOUNDS; k++)
		o->soundnum[k] = -1;
	o->numofparticles = OBJECTPARTICLES;

	float extent[3] = {0.0f, 0.0f, 0.0f};
	int first = numofparticles;
	for (int i = 0; i < OBJECTPARTICLES; i++) {
		const vector3 *c = &ph->bodypoint[i];
		extent[0] = fmaxf(extent[0], fabsf(c->x));
		extent[1] = fmaxf(extent[1], fabsf(c->y));
		extent[2] = fmaxf(extent[2], fabsf(c->z));
		o->radius = fmaxf(o->radius, vectorlength(c));
		vector3 p = *position;
		scaleaddvectors(&p, &p, &axes->v[0], c->x);
		scaleaddvectors(&p, &p, &axes->v[1], c->y);
		scaleaddvectors(&p, &p, &axes->v[2], c->z);
		int index = createparticle(PARTICLE_BODY, &p, nullptr, n, NEVERDIES, ph->mass / 8.0f);
		if (index < 0) {
			undocreation(first, i);
			return -1;
		}
		o->particlelist[i] = index;
	}

	o->volume = extent[0] * extent[1] * extent[2];
	o->maxspeed = ph->maxspeed;
	o->acceleration = ph->acceleration;
	o->numofwheels = ph->numofwheels;
	for (int w = 0; w < o->numofwheels; w++) {
		o->steerwheel[w] = ph->steerwheel[w];
		o->wheelposition[w] = ph->wheelposition[w];
	}
	o->radius *= 1.5f;
	for (int i = 0; i < OBJECTPARTICLES; i++)
		o->mass += particle[o->particlelist[i]].mass;

	for (int i = 0; i < OBJECTPARTICLES; i++)
		for (int j = i + 1; j < OBJECTPARTICLES; j++)
			if (createbond(o->particlelist[i], o->particlelist[j], BOND_FRAME, -1) < 0) {
				undocreation(first, OBJECTPARTICLES);
				return -1;
			}

	o->numoffaces = OBJECTFACES;
	for (int f = 0; f < OBJECTFACES; f++) {
		for (int k = 0; k < 4; k++)
			o->face[f][k] = objecttypecd[f][k];
		o->facedrag[f] = 0.5f;
	}
	for (int k = 0; k < 3; k++)
		o->axisparticle[k] = axiscorner[k];
	updateobjectframe(n);
	numofobjects++;
	return n;
}

void deleteobject(int n)
{
	if (n < 0 || n >= numofobjects)
		return;
	objectstruct *o = &object[n];
	// The body falls apart two steps later, so nothing refers to a vehicle
	// that is gone.
	for (int k = 0; k < o->numofparticles; k++) {
		particle[o->particlelist[k]].timetolive = 2;
		particle[o->particlelist[k]].objectnum = -1;
	}
	for (int k = 0; k < OBJECTSOUNDS; k++)
		if (object[n].soundnum[k] != -1)
			deletesound(object[n].soundnum[k]);
	*o = objectstruct{};

	int last = numofobjects - 1;
	renumbercameraobjects(n, last);
	// The test screen follows by index, and a phase's end makes the next
	// phase's vehicles in the same step: a stale index would hand the view
	// to one of them.
	if (sim.followobject == n)
		sim.followobject = -1;
	else if (sim.followobject == last)
		sim.followobject = n;
	numofobjects--;
	rebindsounds(last, n);
	if (n == last)
		return;
	*o = object[last];
	object[last] = objectstruct{};
	for (int k = 0; k < o->numofparticles; k++)
		particle[o->particlelist[k]].objectnum = n;
}

void moveobject(int n)
{
	objectstruct *o = &object[n];
	int waypoints = o->numofwaypoints < MAXWAYPOINTS ? o->numofwaypoints : MAXWAYPOINTS;
	if (o->waypointnum < 0 || o->waypointnum >= waypoints) {
		o->throttle = 0.0f;
		o->steer = 0.0f;
		o->brake = 0.0f;
	} else {
		vector3 d;
		subtractvectors(&d, &o->waypoint[o->waypointnum], &o->position);
		d.y = 0.0f;
		float dist = vectorlength(&d);
		// Close enough: aim at the next one from the next step on.
		if (dist < 5.0f)
			o->waypointnum++;
		normalizevector(&d, &d);
		vector3 c;
		rightcross(&c, &o->orientation.v[2], &d);
		o->steer = fminf(fmaxf(dotproduct(&c, &o->orientation.v[1]), -1.0f), 1.0f);
		o->brake = 0.0f;
		if (dist > 40.0f || o->waypointnum == o->numofwaypoints - 1)
			o->throttle = 1.0f - 0.5f * fabsf(o->steer);
		else
			o->throttle = (float)((double)dist / 80.0 + 0.5 - 0.5 * fabs((double)o->steer));
		o->throttle = fmaxf(o->throttle, 0.1f);
	}

	// Only the front pair of wheels is driven, up to the top speed.
	if (o->maxspeed != 0.0f) {
		float top = o->maxspeed / 50.0f;
		float v = (o->wheelspeed[0] + o->wheelspeed[1]) * 0.5f;
		float f = (top - v) / top;
		if (f > 0.0f) {
			float push = o->acceleration / 2500.0f * o->throttle * f;
			o->wheelspeed[0] += push;
			o->wheelspeed[1] += push;
		}
	}
	for (int w = 0; w < MAXWHEELS; w++) {
		o->wheelangle[w] += o->wheelspeed[w];
		o->wheelspeed[w] *= 0.995f;
		if (o->lastcar)
			o->wheelspeed[w] *= 0.95f;
		if (o->brake == 1.0f)
			o->wheelspeed[w] *= 0.8f;
	}
	o->steerangle = fminf(fmaxf(0.6f * o->steer, -0.6f), 0.6f);
}

void calcwheelforce(int n, int w, vector3 *v, const vector3 *normal, float t)
{
	objectstruct *o = &object[n];
	float spring = 0.125f * (1.0f - t) * (1.0f - t);
	float away = dotproduct(v, normal);
	if (away > 0.0f)
		spring -= away;
	spring = fminf(fmaxf(spring, 0.0f), 0.1f);

	scaleaddvectors(v, v, normal, -away);

	vector3 roll = o->orientation.v[2];
	if (o->steerwheel[w]) {
		scalevector(&roll, &o->orientation.v[2], cosf(o->steerangle));
		scaleaddvectors(&roll, &roll, &o->orientation.v[0], -sinf(o->steerangle));
	}
	// Roll along the surface: the rolling direction without its part along
	// the normal.
	vector3 side, along;
	crossproduct(&side, normal, &roll);
	crossproduct(&along, &side, normal);
	normalizevector(&roll, &along);

	scaleaddvectors(v, v, &roll, o->wheelspeed[w]);
	float limit = o->type < FIRSTROADTYPE ? 2.0f * spring : 0.8f * spring;
	float m = fminf(vectorlength(v), limit) * 0.99f;
	vector3 dir;
	normalizevector(&dir, v);
	scalevector(v, &dir, -m);

	o->wheelspeed[w] += dotproduct(v, &roll);
	scaleaddvectors(v, v, normal, spring);
}

static void wheelondeck(int n, int w, int q, const vector3 *p, const vector3 *hit,
	const vector3 *normal, float t)
{
	objectstruct *o = &object[n];
	float weight[4];
	calccdquadratio(weight, q, hit);
	vector3 u = {0.0f, 0.0f, 0.0f};
	float cornermass = 0.0f;
	for (int k = 0; k < 4; k++) {
		const particlestruct *c = &particle[cdquad[q].particlenum[k]];
		scaleaddvectors(&u, &u, &c->savedvelocity, weight[k]);
		cornermass += c->mass;
	}
	vector3 j;
	getforceobject(n, &j, p);
	subtractvectors(&j, &j, &u);
	calcwheelforce(n, w, &j, normal, t);
	// The deck takes its share of the push by mass.
	float s = 0.25f * o->mass / (0.25f * o->mass + cornermass);
	if (!(dotproduct(&j, normal) > 0.0f))
		return;
	for (int k = 0; k < 4; k++) {
		particlestruct *c = &particle[cdquad[q].particlenum[k]];
		scaleaddvectors(&c->velocity, &c->velocity, &j, -s * weight[k]);
	}
	vector3 share;
	scalevector(&share, &j, 1.0f - s);
	applyforceobject(n, &share, p);
}

void wheelsim(int n)
{
	objectstruct *o = &object[n];
	float probe = o->type >= FIRSTROADTYPE ? 0.2f : 0.25f;
	static int candidate[MAXCDQUADS];
	int wheels = o->numofwheels < MAXWHEELS ? o->numofwheels : MAXWHEELS;
	for (int w = 0; w < wheels; w++) {
		const vector3 *wp = &o->wheelposition[w];
		vector3 p = o->position;
		scaleaddvectors(&p, &p, &o->orientation.v[0], wp->x);
		scaleaddvectors(&p, &p, &o->orientation.v[1], wp->y);
		scaleaddvectors(&p, &p, &o->orientation.v[2], wp->z);
		vector3 e;
		scaleaddvectors(&e, &p, &o->orientation.v[1], -probe);

		vector3 lo = p, hi = p;
		lo.x = fminf(lo.x, e.x), lo.y = fminf(lo.y, e.y), lo.z = fminf(lo.z, e.z);
		hi.x = fmaxf(hi.x, e.x), hi.y = fmaxf(hi.y, e.y), hi.z = fmaxf(hi.z, e.z);
		int count = deckcandidates(&lo, &hi, candidate);
		for (int i = 0; i < count; i++) {
			vector3 hit, normal;
			float t;
			if (lineintersectcdquad(&hit, &normal, &t, &p, &e, candidate[i]))
				wheelondeck(n, w, candidate[i], &p, &hit, &normal, t);
		}

		vector3 hit, normal;
		float t;
		if (lineintersectlevel(&hit, &normal, &t, &p, &e)) {
			vector3 j;
			getforceobject(n, &j, &p);
			calcwheelforce(n, w, &j, &normal, t);
			applyforceobject(n, &j, &p);
		}
	}
}

void boatsim(int n)
{
	objectstruct *o = &object[n];
	int afloat = 0;
	for (int k = 0; k < OBJECTPARTICLES; k++)
		if (particle[o->particlelist[k]].position.y < level.waterlevel)
			afloat = 1;
	if (!afloat)
		return;
	// The screw pushes the stern: forward by the throttle, sideways to steer.
	float a = o->acceleration / 2500.0f;
	vector3 push;
	scalevector(&push, &o->orientation.v[2], -a * o->throttle);
	scaleaddvectors(&push, &push, &o->orientation.v[0], -a * o->steer);
	for (int k = 2; k <= 3; k++) {
		particlestruct *p = &particle[o->particlelist[k]];
		addvectors(&p->velocity, &p->velocity, &push);
	}
}

static void makesmoke(int n)
{
	const objectstruct *o = &object[n];
	float back, up;
	int life;
	if (o->type == 0) {
		back = 4.0f, up = 2.0f, life = 150;
	} else if (o->type == 1) {
		back = 2.0f, up = 1.5f, life = 60;
	} else
		return;
	if (!(o->position.y > level.waterlevel))
		return;
	vector3 p = o->position;
	scaleaddvectors(&p, &p, &o->orientation.v[2], -back);
	scaleaddvectors(&p, &p, &o->orientation.v[1], up);
	vector3 v = o->velocity;
	int r1 = simrandom();
	int r2 = simrandom();
	int r3 = simrandom();
	v.x += (float)((r1 & 255) - 128) / 1280.0f;
	v.y += (float)(r2 & 127) / 1280.0f;
	v.z += (float)((r3 & 255) - 128) / 1280.0f;
	createsprite(SPRITE_SMOKE, &p, &v, life);
}

void objectcycle()
{
	for (int n = 0; n < numofobjects; n++) {
		moveobject(n);
		makesmoke(n);
		if (object[n].type < FIRSTBOATTYPE) {
			if (object[n].position.y > level.waterlevel)
				wheelsim(n);
		} else
			boatsim(n);
	}
}

void addobjectrotation(int n, const vector3 *axis, float amount)
{
	const objectstruct *o = &object[n];
	for (int k = 0; k < OBJECTPARTICLES; k++) {
		particlestruct *p = &particle[o->particlelist[k]];
		vector3 r, c;
		subtractvectors(&r, &p->position, &o->position);
		crossproduct(&c, axis, &r);
		normalizevector(&c, &c);
		scaleaddvectors(&p->velocity, &p->velocity, &c, amount);
	}
}

float calculatefrictionwheel(vector3 *v, vector3 *t, const vector3 *n, float mu)
{
	float along = dotproduct(v, n);
	scaleaddvectors(t, v, n, -along);
	scalevector(v, n, along);
	float limit = mu * fabsf(along);
	float length = vectorlength(t);
	if (length > limit)
		scalevector(t, t, limit / length);
	return limit;
}
