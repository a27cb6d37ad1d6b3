// Air and water drag on the bonds, and the spray where they meet the water.
//
// Every link bond slows each movable end by the flow across it. The change
// of an end depends only on what the step has fixed before the drag begins
// (positions, saved velocities, masses), so the changes of all bonds are
// worked out first, four at a time, and then added to the velocities in
// bond index order, which fixes the rounding of the sums. The spray of a bond
// reads the velocities as the bonds before it have left them, so it runs in
// the second half, in order.
#include "world/bond.h"

#include <cmath>
#include <cstring>

#include "world/landscape.h"
#include "world/level.h"
#include "world/materials.h"
#include "world/particle.h"
#include "world/simrandom.h"
#include "world/simulation.h"
#include "world/soundevents.h"
#include "world/sprite.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#include <xmmintrin.h>
#endif

constexpr int SPRAYLIFE = 100;
constexpr int SPLASHSPRAYS = 9;
constexpr float SPLASHTHRESHOLD = 0.3f;
constexpr float WATERDENSITY = 1000.0f;
constexpr float AIRDENSITY = 1.29f;
constexpr float STEPSPERSECOND = 50.0f;
constexpr float FLOWSCALE = 0.02f;  // wind and current in units per step

// --- spray ------------------------------------------------------------------

// The one sound and pitch of all the splashes of a bond in a step. They are
// drawn for every bond, splash or not, so the numbers drawn after them
// (debris, break pitches, spray scatter) do not depend on which bonds
// splashed.
struct splashsound {
	int id;
	float pitch;
};

// A bond reaching from above the water (a) to below it (b) throws spray
// where it crosses the surface when it moves fast enough.
static void surfacespray(const particlestruct *a, const particlestruct *b, const vector3 *mean,
	const splashsound *sound)
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
	playsound(sound->id, &b->position, nullptr, 0, strength, sound->pitch);
	createsprite(SPRITE_SPRAY, &crossing, &velocity, SPRAYLIFE);
}

// An end that has just dropped under the surface sends up a line of spray.
static void entrysplash(const particlestruct *a, const particlestruct *b, const vector3 *mean,
	float water, const splashsound *sound)
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

	playsound(sound->id, &a->position, nullptr, 0, strength, sound->pitch);
	for (int k = 0; k < SPLASHSPRAYS; k++) {
		vector3 at;
		scaleaddvectors(&at, &start, &step, (float)k);
		createsprite(SPRITE_SPRAY, &at, &velocity, SPRAYLIFE);
	}
}

static void spray(particlestruct *pa, particlestruct *pb, float water, const splashsound *sound)
{
	vector3 mean;
	addvectors(&mean, &pa->velocity, &pb->velocity);
	scalevector(&mean, &mean, 0.5f);
	if (pa->position.y > water && water > pb->position.y)
		surfacespray(pa, pb, &mean, sound);
	if (pb->position.y > water && water > pa->position.y)
		surfacespray(pb, pa, &mean, sound);
	entrysplash(pa, pb, &mean, water, sound);
	entrysplash(pb, pa, &mean, water, sound);
}

// --- drag -------------------------------------------------------------------

// Per particle, four floats to a row so one particle is one aligned load:
// the position with the mass; the velocity relative to the air or water
// with its size; the unit of that velocity with the density around the end.
struct alignas(16) dragrow {
	float a, b, c, d;
};
static dragrow place[MAXPARTICLES];
static dragrow flow[MAXPARTICLES];
static dragrow flowunit[MAXPARTICLES];
static int drags[MAXPARTICLES];  // 1: a movable end in a flow, 0: left alone

// Per drag bond, in index order: its ends, its area, and the changes.
static int enda[MAXBONDS], endb[MAXBONDS];
static float area[MAXBONDS];
static dragrow changea[MAXBONDS], changeb[MAXBONDS];
static int numofdragbonds;

static inline float length3(float x, float y, float z)
{
	return sqrtf((x * x + y * y) + z * z);
}

static void prepareparticles(float water)
{
	for (int i = 0; i < numofparticles; i++) {
		particlestruct *p = &particle[i];
		p->savedvelocity = p->velocity;
		const vector3 *f = p->position.y > water ? &sim.wind : &sim.current;
		float rx = p->savedvelocity.x + f->x * FLOWSCALE;
		float ry = p->savedvelocity.y + f->y * FLOWSCALE;
		float rz = p->savedvelocity.z + f->z * FLOWSCALE;
		float speed = length3(rx, ry, rz);
		place[i] = {p->position.x, p->position.y, p->position.z, p->mass};
		flow[i] = {rx, ry, rz, speed};
		flowunit[i] = {0.0f, 0.0f, 0.0f, water > p->position.y ? WATERDENSITY : AIRDENSITY};
		drags[i] = 0;
		// A fixed end, or one at rest in still air, is not slowed.
		if (p->retention != 0.0f && speed != 0.0f) {
			flowunit[i].a = rx / speed;
			flowunit[i].b = ry / speed;
			flowunit[i].c = rz / speed;
			drags[i] = 1;
		}
	}
}

static void listdragbonds()
{
	int n = 0;
	for (int i = 0; i < numofbonds; i++) {
		const bondstruct *b = &bond[i];
		// Deck cross bonds, frames, couplings and drag bonds catch no flow.
		if (b->type >= BOND_DECKCROSS)
			continue;
		enda[n] = b->particle1;
		endb[n] = b->particle2;
		area[n] = 2.0f * bondtype[b->type].radius * b->restlength;
		n++;
	}
	numofdragbonds = n;
}

// The change of one end of a bond with unit direction d, exactly as the
// four-wide version below.
static void endchange(dragrow *out, int end, float dx, float dy, float dz, float bondarea)
{
	const dragrow *r = &flow[end];
	float ax = dz * r->b - dy * r->c;
	float ay = dx * r->c - dz * r->a;
	float az = dy * r->a - dx * r->b;
	float speed = STEPSPERSECOND * length3(ax, ay, az);
	float force = 0.5f * 0.5f * bondarea * 0.5f * flowunit[end].d * speed * speed;
	float change = force / 2500.0f / place[end].d;
	// Drag can stop an end relative to the air or water, never reverse it:
	// a light end in a strong flow would otherwise swing ever harder.
	if (change > r->d)
		change = r->d;
	const dragrow *u = &flowunit[end];
	*out = {u->a * -change, u->b * -change, u->c * -change, 0.0f};
}

static void bondchange(int n)
{
	const dragrow *a = &place[enda[n]], *b = &place[endb[n]];
	float dx = b->a - a->a, dy = b->b - a->b, dz = b->c - a->c;
	float len = length3(dx, dy, dz);
	if (len != 0.0f) {
		dx /= len;
		dy /= len;
		dz /= len;
	} else {
		dx = dy = dz = 0.0f;
	}
	endchange(&changea[n], enda[n], dx, dy, dz, area[n]);
	endchange(&changeb[n], endb[n], dx, dy, dz, area[n]);
}

#if defined(__SSE2__)
// Four rows of a table, as four lanes of each column.
static inline void gatherrows(__m128 col[4], const dragrow *table, const int *index)
{
	col[0] = _mm_load_ps(&table[index[0]].a);
	col[1] = _mm_load_ps(&table[index[1]].a);
	col[2] = _mm_load_ps(&table[index[2]].a);
	col[3] = _mm_load_ps(&table[index[3]].a);
	_MM_TRANSPOSE4_PS(col[0], col[1], col[2], col[3]);
}

static inline void scatterrows(dragrow *out, __m128 x, __m128 y, __m128 z)
{
	__m128 w = _mm_setzero_ps();
	_MM_TRANSPOSE4_PS(x, y, z, w);
	_mm_store_ps(&out[0].a, x);
	_mm_store_ps(&out[1].a, y);
	_mm_store_ps(&out[2].a, z);
	_mm_store_ps(&out[3].a, w);
}

static void endchangefour(dragrow *out, const int *end, __m128 dx, __m128 dy, __m128 dz,
	__m128 bondarea)
{
	__m128 r[4], u[4], p[4];
	gatherrows(r, flow, end);
	gatherrows(u, flowunit, end);
	gatherrows(p, place, end);
	__m128 ax = _mm_sub_ps(_mm_mul_ps(dz, r[1]), _mm_mul_ps(dy, r[2]));
	__m128 ay = _mm_sub_ps(_mm_mul_ps(dx, r[2]), _mm_mul_ps(dz, r[0]));
	__m128 az = _mm_sub_ps(_mm_mul_ps(dy, r[0]), _mm_mul_ps(dx, r[1]));
	__m128 across = _mm_sqrt_ps(
		_mm_add_ps(_mm_add_ps(_mm_mul_ps(ax, ax), _mm_mul_ps(ay, ay)), _mm_mul_ps(az, az)));
	__m128 speed = _mm_mul_ps(_mm_set1_ps(STEPSPERSECOND), across);
	__m128 force = _mm_mul_ps(_mm_set1_ps(0.5f * 0.5f), bondarea);
	force = _mm_mul_ps(force, _mm_set1_ps(0.5f));
	force = _mm_mul_ps(force, u[3]);
	force = _mm_mul_ps(force, speed);
	force = _mm_mul_ps(force, speed);
	__m128 change = _mm_div_ps(_mm_div_ps(force, _mm_set1_ps(2500.0f)), p[3]);
	__m128 over = _mm_cmpgt_ps(change, r[3]);
	change = _mm_or_ps(_mm_and_ps(over, r[3]), _mm_andnot_ps(over, change));
	// -change, as the scalar negation: the sign bit flipped.
	__m128 minus = _mm_xor_ps(change, _mm_set1_ps(-0.0f));
	scatterrows(out, _mm_mul_ps(u[0], minus), _mm_mul_ps(u[1], minus), _mm_mul_ps(u[2], minus));
}

static void bondchangefour(int n)
{
	__m128 a[4], b[4];
	gatherrows(a, place, &enda[n]);
	gatherrows(b, place, &endb[n]);
	__m128 dx = _mm_sub_ps(b[0], a[0]);
	__m128 dy = _mm_sub_ps(b[1], a[1]);
	__m128 dz = _mm_sub_ps(b[2], a[2]);
	__m128 len = _mm_sqrt_ps(
		_mm_add_ps(_mm_add_ps(_mm_mul_ps(dx, dx), _mm_mul_ps(dy, dy)), _mm_mul_ps(dz, dz)));
	// A zero length gives a zero direction; the masked lanes' division is
	// thrown away.
	__m128 nonzero = _mm_cmpneq_ps(len, _mm_setzero_ps());
	dx = _mm_and_ps(nonzero, _mm_div_ps(dx, len));
	dy = _mm_and_ps(nonzero, _mm_div_ps(dy, len));
	dz = _mm_and_ps(nonzero, _mm_div_ps(dz, len));
	__m128 bondarea = _mm_loadu_ps(&area[n]);
	endchangefour(&changea[n], &enda[n], dx, dy, dz, bondarea);
	endchangefour(&changeb[n], &endb[n], dx, dy, dz, bondarea);
}
#endif

static inline void adddrag(particlestruct *p, const dragrow *change)
{
	p->velocity.x += change->a;
	p->velocity.y += change->b;
	p->velocity.z += change->c;
}

void bonddragsimulation()
{
	float water = level.waterlevel;
	prepareparticles(water);
	listdragbonds();

	int n = 0;
#if defined(__SSE2__)
	for (; n + 4 <= numofdragbonds; n += 4)
		bondchangefour(n);
#endif
	for (; n < numofdragbonds; n++)
		bondchange(n);

	for (n = 0; n < numofdragbonds; n++) {
		particlestruct *pa = &particle[enda[n]];
		particlestruct *pb = &particle[endb[n]];
		splashsound sound;
		sound.id = SOUND_SPLASH + simrandom() % 3;
		sound.pitch = randompitch();
		// Spray only where an end is at or under the surface.
		if (!(pa->position.y > water && pb->position.y > water))
			spray(pa, pb, water, &sound);
		if (drags[enda[n]])
			adddrag(pa, &changea[n]);
		if (drags[endb[n]])
			adddrag(pb, &changeb[n]);
	}
}
