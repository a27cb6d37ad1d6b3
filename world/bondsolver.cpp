// The velocity solver of the bonds: 32 Jacobi passes per step, each pulling
// every taking-part bond toward its rest length from the velocities at the
// start of the pass.
//
// A pass works in two halves. First every bond's two corrections are worked
// out from the pass's starting velocities; the order does not matter there,
// so bonds are grouped by pass mask and done four at a time. Then the
// corrections are added to the particles in bond index order, which is the
// order that fixes the rounding of the sums. Since the first half has read
// all it needs before the second writes, one velocity array serves as both
// the pass's starting copy and the sum being built.
#include "world/bond.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "world/materials.h"
#include "world/particle.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#include <immintrin.h>
#include <xmmintrin.h>
#endif

constexpr int SOLVERPASSES = 32;
constexpr int MASKGROUPS = 32;  // only the low five bits of a mask can meet a pass number

// Particle velocities being solved, padded to four floats so one particle
// is one aligned load.
struct alignas(16) velocity4 {
	float x, y, z, unused;
};
static velocity4 solved[MAXPARTICLES];

// One slot per live bond, slots grouped by pass mask, index order within a
// group: what the corrections need, gathered once per step.
static int slotof[MAXBONDS];
static int end1[MAXBONDS], end2[MAXBONDS];
static int tensiononly[MAXBONDS];  // all bits set for a rope, so it can mask
static float sepx[MAXBONDS], sepy[MAXBONDS], sepz[MAXBONDS];  // particle2 - particle1
static float factor[MAXBONDS];  // k
static float share1[MAXBONDS], share2[MAXBONDS];
static float rest[MAXBONDS];
// The corrections of the pass: added to particle1, taken from particle2.
static velocity4 add1[MAXBONDS];
static velocity4 sub2[MAXBONDS];

static int groupstart[MASKGROUPS + 1];
// The slots of the live bonds taking part in a pass, in bond index order, -1
// marking the end: one list for each different set of groups among the
// passes.
static int passorder[SOLVERPASSES][MAXBONDS + 1];
static uint32_t ordergroups[SOLVERPASSES];
static int numoforders;

static int maskgroup(const bondstruct *b)
{
	return b->passmask & (MASKGROUPS - 1);
}

static void fillslot(int slot, const bondstruct *b)
{
	const particlestruct *p1 = &particle[b->particle1];
	const particlestruct *p2 = &particle[b->particle2];
	end1[slot] = b->particle1;
	end2[slot] = b->particle2;
	tensiononly[slot] = bondtype[b->type].compressionlimit == 0.0f ? -1 : 0;
	sepx[slot] = p2->position.x - p1->position.x;
	sepy[slot] = p2->position.y - p1->position.y;
	sepz[slot] = p2->position.z - p1->position.z;
	rest[slot] = b->restlength;
	if (p1->retention != 0.0f && p2->retention != 0.0f) {
		factor[slot] = b->stiffness / (p1->mass + p2->mass);
		share2[slot] = p1->mass;
		share1[slot] = p2->mass;
	} else {
		factor[slot] = b->stiffness;
		share2[slot] = p2->retention != 0.0f ? 1.0f : 0.0f;
		share1[slot] = p1->retention != 0.0f ? 1.0f : 0.0f;
	}
}

// Returns the set of mask groups in use, one bit per group.
static uint32_t gatherbonds()
{
	int count[MASKGROUPS] = {0};
	for (int i = 0; i < numofbonds; i++) {
		if (bond[i].state != BOND_BROKEN)
			count[maskgroup(&bond[i])]++;
	}
	uint32_t present = 0;
	groupstart[0] = 0;
	for (int g = 0; g < MASKGROUPS; g++) {
		groupstart[g + 1] = groupstart[g] + count[g];
		if (count[g])
			present |= 1u << g;
	}
	int next[MASKGROUPS];
	memcpy(next, groupstart, sizeof(next));
	for (int i = 0; i < numofbonds; i++) {
		if (bond[i].state == BOND_BROKEN)
			continue;
		int slot = next[maskgroup(&bond[i])]++;
		slotof[i] = slot;
		fillslot(slot, &bond[i]);
	}
	return present;
}

// The corrections of one slot, exactly as the four-wide version below.
static void correctslot(int s)
{
	const velocity4 *v1 = &solved[end1[s]], *v2 = &solved[end2[s]];
	float vx = sepx[s] + v2->x - v1->x;
	float vy = sepy[s] + v2->y - v1->y;
	float vz = sepz[s] + v2->z - v1->z;
	float len = sqrtf((vx * vx + vy * vy) + vz * vz);
	float dx = 0.0f, dy = 0.0f, dz = 0.0f;
	if (len != 0.0f) {
		dx = vx / len;
		dy = vy / len;
		dz = vz / len;
	}
	float x = len - rest[s];
	if (tensiononly[s] && x < 0.0f)
		x = 0.0f;
	x = x * factor[s];
	float s1 = share1[s] * x;
	float s2 = share2[s] * x;
	add1[s] = {dx * s1, dy * s1, dz * s1, 0.0f};
	sub2[s] = {dx * s2, dy * s2, dz * s2, 0.0f};
}

#if defined(__SSE2__)
// SSE arithmetic is IEEE single precision lane by lane, so four slots at
// once give the very same bits as correctslot.
static inline void loadfour(__m128 *x, __m128 *y, __m128 *z, const int *index)
{
	__m128 r0 = _mm_load_ps(&solved[index[0]].x), r1 = _mm_load_ps(&solved[index[1]].x);
	__m128 r2 = _mm_load_ps(&solved[index[2]].x), r3 = _mm_load_ps(&solved[index[3]].x);
	_MM_TRANSPOSE4_PS(r0, r1, r2, r3);
	*x = r0;
	*y = r1;
	*z = r2;
}

static inline void storefour(velocity4 *out, __m128 x, __m128 y, __m128 z)
{
	__m128 w = _mm_setzero_ps();
	_MM_TRANSPOSE4_PS(x, y, z, w);
	_mm_store_ps(&out[0].x, x);
	_mm_store_ps(&out[1].x, y);
	_mm_store_ps(&out[2].x, z);
	_mm_store_ps(&out[3].x, w);
}

static void correctfour(int s)
{
	__m128 x1, y1, z1, x2, y2, z2;
	loadfour(&x1, &y1, &z1, &end1[s]);
	loadfour(&x2, &y2, &z2, &end2[s]);
	__m128 vx = _mm_sub_ps(_mm_add_ps(_mm_loadu_ps(&sepx[s]), x2), x1);
	__m128 vy = _mm_sub_ps(_mm_add_ps(_mm_loadu_ps(&sepy[s]), y2), y1);
	__m128 vz = _mm_sub_ps(_mm_add_ps(_mm_loadu_ps(&sepz[s]), z2), z1);
	__m128 len = _mm_sqrt_ps(
		_mm_add_ps(_mm_add_ps(_mm_mul_ps(vx, vx), _mm_mul_ps(vy, vy)), _mm_mul_ps(vz, vz)));
	// A zero length gives a zero direction; the masked lanes' division is
	// thrown away.
	__m128 nonzero = _mm_cmpneq_ps(len, _mm_setzero_ps());
	__m128 dx = _mm_and_ps(nonzero, _mm_div_ps(vx, len));
	__m128 dy = _mm_and_ps(nonzero, _mm_div_ps(vy, len));
	__m128 dz = _mm_and_ps(nonzero, _mm_div_ps(vz, len));
	__m128 x = _mm_sub_ps(len, _mm_loadu_ps(&rest[s]));
	__m128 slack = _mm_and_ps(_mm_castsi128_ps(_mm_loadu_si128((const __m128i *)&tensiononly[s])),
		_mm_cmplt_ps(x, _mm_setzero_ps()));
	x = _mm_andnot_ps(slack, x);
	x = _mm_mul_ps(x, _mm_loadu_ps(&factor[s]));
	__m128 s1 = _mm_mul_ps(_mm_loadu_ps(&share1[s]), x);
	__m128 s2 = _mm_mul_ps(_mm_loadu_ps(&share2[s]), x);
	storefour(&add1[s], _mm_mul_ps(dx, s1), _mm_mul_ps(dy, s1), _mm_mul_ps(dz, s1));
	storefour(&sub2[s], _mm_mul_ps(dx, s2), _mm_mul_ps(dy, s2), _mm_mul_ps(dz, s2));
}
#endif

#if defined(__SSE2__) && defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define SOLVERAVX 1
// Eight slots at once where the processor has AVX, decided when the program
// runs. Lane by lane the same IEEE arithmetic, so the same bits again.
#define AVXFUNCTION __attribute__((target("avx")))

AVXFUNCTION static inline void loadeight(__m256 *x, __m256 *y, __m256 *z, const int *index)
{
	__m256 r0 = _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_load_ps(&solved[index[0]].x)),
		_mm_load_ps(&solved[index[4]].x), 1);
	__m256 r1 = _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_load_ps(&solved[index[1]].x)),
		_mm_load_ps(&solved[index[5]].x), 1);
	__m256 r2 = _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_load_ps(&solved[index[2]].x)),
		_mm_load_ps(&solved[index[6]].x), 1);
	__m256 r3 = _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_load_ps(&solved[index[3]].x)),
		_mm_load_ps(&solved[index[7]].x), 1);
	// A 4 x 4 transpose within each half.
	__m256 t0 = _mm256_unpacklo_ps(r0, r1), t1 = _mm256_unpacklo_ps(r2, r3);
	__m256 t2 = _mm256_unpackhi_ps(r0, r1), t3 = _mm256_unpackhi_ps(r2, r3);
	*x = _mm256_shuffle_ps(t0, t1, _MM_SHUFFLE(1, 0, 1, 0));
	*y = _mm256_shuffle_ps(t0, t1, _MM_SHUFFLE(3, 2, 3, 2));
	*z = _mm256_shuffle_ps(t2, t3, _MM_SHUFFLE(1, 0, 1, 0));
}

AVXFUNCTION static inline void storeeight(velocity4 *out, __m256 x, __m256 y, __m256 z)
{
	__m256 w = _mm256_setzero_ps();
	__m256 t0 = _mm256_unpacklo_ps(x, y), t1 = _mm256_unpacklo_ps(z, w);
	__m256 t2 = _mm256_unpackhi_ps(x, y), t3 = _mm256_unpackhi_ps(z, w);
	__m256 r0 = _mm256_shuffle_ps(t0, t1, _MM_SHUFFLE(1, 0, 1, 0));
	__m256 r1 = _mm256_shuffle_ps(t0, t1, _MM_SHUFFLE(3, 2, 3, 2));
	__m256 r2 = _mm256_shuffle_ps(t2, t3, _MM_SHUFFLE(1, 0, 1, 0));
	__m256 r3 = _mm256_shuffle_ps(t2, t3, _MM_SHUFFLE(3, 2, 3, 2));
	_mm_store_ps(&out[0].x, _mm256_castps256_ps128(r0));
	_mm_store_ps(&out[1].x, _mm256_castps256_ps128(r1));
	_mm_store_ps(&out[2].x, _mm256_castps256_ps128(r2));
	_mm_store_ps(&out[3].x, _mm256_castps256_ps128(r3));
	_mm_store_ps(&out[4].x, _mm256_extractf128_ps(r0, 1));
	_mm_store_ps(&out[5].x, _mm256_extractf128_ps(r1, 1));
	_mm_store_ps(&out[6].x, _mm256_extractf128_ps(r2, 1));
	_mm_store_ps(&out[7].x, _mm256_extractf128_ps(r3, 1));
}

AVXFUNCTION static void correcteight(int s)
{
	__m256 x1, y1, z1, x2, y2, z2;
	loadeight(&x1, &y1, &z1, &end1[s]);
	loadeight(&x2, &y2, &z2, &end2[s]);
	__m256 vx = _mm256_sub_ps(_mm256_add_ps(_mm256_loadu_ps(&sepx[s]), x2), x1);
	__m256 vy = _mm256_sub_ps(_mm256_add_ps(_mm256_loadu_ps(&sepy[s]), y2), y1);
	__m256 vz = _mm256_sub_ps(_mm256_add_ps(_mm256_loadu_ps(&sepz[s]), z2), z1);
	__m256 len = _mm256_sqrt_ps(_mm256_add_ps(
		_mm256_add_ps(_mm256_mul_ps(vx, vx), _mm256_mul_ps(vy, vy)), _mm256_mul_ps(vz, vz)));
	__m256 zero = _mm256_setzero_ps();
	__m256 nonzero = _mm256_cmp_ps(len, zero, _CMP_NEQ_UQ);
	__m256 dx = _mm256_and_ps(nonzero, _mm256_div_ps(vx, len));
	__m256 dy = _mm256_and_ps(nonzero, _mm256_div_ps(vy, len));
	__m256 dz = _mm256_and_ps(nonzero, _mm256_div_ps(vz, len));
	__m256 x = _mm256_sub_ps(len, _mm256_loadu_ps(&rest[s]));
	__m256 slack = _mm256_and_ps(
		_mm256_castsi256_ps(_mm256_loadu_si256((const __m256i *)&tensiononly[s])),
		_mm256_cmp_ps(x, zero, _CMP_LT_OS));
	x = _mm256_andnot_ps(slack, x);
	x = _mm256_mul_ps(x, _mm256_loadu_ps(&factor[s]));
	__m256 s1 = _mm256_mul_ps(_mm256_loadu_ps(&share1[s]), x);
	__m256 s2 = _mm256_mul_ps(_mm256_loadu_ps(&share2[s]), x);
	storeeight(&add1[s], _mm256_mul_ps(dx, s1), _mm256_mul_ps(dy, s1), _mm256_mul_ps(dz, s1));
	storeeight(&sub2[s], _mm256_mul_ps(dx, s2), _mm256_mul_ps(dy, s2), _mm256_mul_ps(dz, s2));
}

static int avxsupported()
{
	static int supported = -1;
	if (supported == -1)
		supported = __builtin_cpu_supports("avx") ? 1 : 0;
	return supported;
}
#endif

static void correctgroup(int g)
{
	int s = groupstart[g];
	int end = groupstart[g + 1];
#if defined(SOLVERAVX)
	if (avxsupported()) {
		for (; s + 8 <= end; s += 8)
			correcteight(s);
	}
#endif
#if defined(__SSE2__)
	for (; s + 4 <= end; s += 4)
		correctfour(s);
#endif
	for (; s < end; s++)
		correctslot(s);
}

// The order list of a set of groups, made on first use in a step.
static const int *passorderof(uint32_t groups)
{
	for (int l = 0; l < numoforders; l++) {
		if (ordergroups[l] == groups)
			return passorder[l];
	}
	int *order = passorder[numoforders];
	ordergroups[numoforders++] = groups;
	int n = 0;
	for (int i = 0; i < numofbonds; i++) {
		if (bond[i].state != BOND_BROKEN && groups >> maskgroup(&bond[i]) & 1)
			order[n++] = slotof[i];
	}
	order[n] = -1;
	return order;
}

// Adds one correction to a particle's velocity, component by component.
static inline void addvelocity(velocity4 *v, const velocity4 *change)
{
#if defined(__SSE2__)
	_mm_store_ps(&v->x, _mm_add_ps(_mm_load_ps(&v->x), _mm_load_ps(&change->x)));
#else
	v->x += change->x;
	v->y += change->y;
	v->z += change->z;
#endif
}

static inline void subtractvelocity(velocity4 *v, const velocity4 *change)
{
#if defined(__SSE2__)
	_mm_store_ps(&v->x, _mm_sub_ps(_mm_load_ps(&v->x), _mm_load_ps(&change->x)));
#else
	v->x -= change->x;
	v->y -= change->y;
	v->z -= change->z;
#endif
}

static void solverpass(uint32_t groups, const int *order)
{
	for (int g = 0; g < MASKGROUPS; g++) {
		if (groups >> g & 1)
			correctgroup(g);
	}
	for (const int *o = order; *o != -1; o++) {
		int s = *o;
		addvelocity(&solved[end1[s]], &add1[s]);
		subtractvelocity(&solved[end2[s]], &sub2[s]);
	}
}

// The groups taking part in pass p: those whose mask shares no bit with p.
static uint32_t passgroups(uint32_t present, int p)
{
	uint32_t groups = 0;
	for (int g = 0; g < MASKGROUPS; g++) {
		if (present >> g & 1 && (g & p) == 0)
			groups |= 1u << g;
	}
	return groups;
}

void bondsimulation()
{
	bonddragsimulation();

	for (int i = 0; i < numofparticles; i++)
		solved[i] = {particle[i].velocity.x, particle[i].velocity.y, particle[i].velocity.z, 0.0f};
	uint32_t present = gatherbonds();
	numoforders = 0;
	for (int p = 0; p < SOLVERPASSES; p++) {
		uint32_t groups = passgroups(present, p);
		// A pass in which no bond takes part would change nothing.
		if (groups != 0)
			solverpass(groups, passorderof(groups));
	}
	for (int i = 0; i < numofparticles; i++)
		particle[i].velocity = {solved[i].x, solved[i].y, solved[i].z};
}
