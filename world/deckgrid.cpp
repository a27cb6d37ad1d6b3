// Which deck quads a vehicle can touch this step. Particles move only in
// particlesimulation, so one box per quad, binned into a coarse grid over x
// and z, serves every segment test of objectsimulation and objectcycle. The
// candidates come back in index order, so the contacts are applied in the
// same order as a test of every quad would apply them.
#include <cmath>

#include "world/cdquad.h"
#include "world/particle.h"
#include "world/vehicle.h"

// The margin keeps the reject exact: a crossing found by the triangle test
// lies on the quad within rounding.
static constexpr float BOXMARGIN = 0.05f;
static constexpr float CELLSIZE = 16.0f;
static constexpr int BUCKETS = 4096;     // a power of two
static constexpr int MAXCELLSPAN = 4;    // wider boxes go on the list of large quads
static constexpr float COORDLIMIT = 1.0e6f;

static float boxmin[3][MAXCDQUADS];
static float boxmax[3][MAXCDQUADS];
static int boxcount;
// Cells each quad's box covers, x0, x1, z0, z1; x0 > x1 for a quad on the
// list of large ones or an inactive one.
static int boxcells[MAXCDQUADS][4];

// Quads by bucket: bucketstart[b] .. bucketstart[b + 1] in bucketquad.
static int bucketstart[BUCKETS + 1];
static int bucketquad[MAXCDQUADS * MAXCELLSPAN * MAXCELLSPAN];
static int largequad[MAXCDQUADS];
static int numoflargequads;

static int cellof(float v)
{
	// Clamped first, so a wild coordinate never reaches the int conversion.
	if (!(v > -COORDLIMIT))
		v = -COORDLIMIT;
	if (!(v < COORDLIMIT))
		v = COORDLIMIT;
	float c = v / CELLSIZE;
	int i = (int)c;
	return c < (float)i ? i - 1 : i;
}

static int bucketof(int cx, int cz)
{
	unsigned h = (unsigned)cx * 73856093u ^ (unsigned)cz * 19349663u;
	return (int)(h & (BUCKETS - 1));
}

static void makebox(int q)
{
	const cdquadstruct *c = &cdquad[q];
	if (!c->active) {
		// An empty box: inactive quads never hit.
		for (int a = 0; a < 3; a++) {
			boxmin[a][q] = 1.0f;
			boxmax[a][q] = -1.0f;
		}
		return;
	}
	float lo[3], hi[3];
	for (int k = 0; k < 4; k++) {
		const vector3 *p = &particle[c->particlenum[k]].position;
		const float v[3] = {p->x, p->y, p->z};
		for (int a = 0; a < 3; a++) {
			lo[a] = k == 0 || v[a] < lo[a] ? v[a] : lo[a];
			hi[a] = k == 0 || v[a] > hi[a] ? v[a] : hi[a];
		}
	}
	for (int a = 0; a < 3; a++) {
		boxmin[a][q] = lo[a] - BOXMARGIN;
		boxmax[a][q] = hi[a] + BOXMARGIN;
	}
}

// Calls visit(bucket) for every cell the quad's box covers.
template <typename F>
static void forcells(int q, F visit)
{
	const int *c = boxcells[q];
	for (int cz = c[2]; cz <= c[3]; cz++)
		for (int cx = c[0]; cx <= c[1]; cx++)
			visit(bucketof(cx, cz));
}

// Bins the quad's box into the cells it covers, or the list of large quads.
static void bincells(int q)
{
	int *c = boxcells[q];
	c[0] = 1;
	c[1] = 0;
	c[2] = 1;
	c[3] = 0;
	if (!cdquad[q].active)
		return;
	int x0 = cellof(boxmin[0][q]), x1 = cellof(boxmax[0][q]);
	int z0 = cellof(boxmin[2][q]), z1 = cellof(boxmax[2][q]);
	if (x1 - x0 >= MAXCELLSPAN || z1 - z0 >= MAXCELLSPAN) {
		largequad[numoflargequads++] = q;
		return;
	}
	c[0] = x0;
	c[1] = x1;
	c[2] = z0;
	c[3] = z1;
}

void updatedeckbounds()
{
	boxcount = numofcdquads;
	numoflargequads = 0;
	for (int b = 0; b <= BUCKETS; b++)
		bucketstart[b] = 0;
	for (int q = 0; q < boxcount; q++) {
		makebox(q);
		bincells(q);
		forcells(q, [](int b) { bucketstart[b + 1]++; });
	}
	for (int b = 0; b < BUCKETS; b++)
		bucketstart[b + 1] += bucketstart[b];
	// Filled in quad order, so every bucket lists its quads by index.
	static int fill[BUCKETS];
	for (int b = 0; b < BUCKETS; b++)
		fill[b] = bucketstart[b];
	for (int q = 0; q < boxcount; q++)
		forcells(q, [q](int b) { bucketquad[fill[b]++] = q; });
}

static int boxesmeet(int q, const vector3 *lo, const vector3 *hi)
{
	return !(boxmax[0][q] < lo->x || boxmin[0][q] > hi->x || boxmax[2][q] < lo->z ||
		boxmin[2][q] > hi->z || boxmax[1][q] < lo->y || boxmin[1][q] > hi->y);
}

// A quad listed in several cells is taken once per query.
static unsigned seen[MAXCDQUADS];
static unsigned querynumber;

static void sortlist(int *list, int count)
{
	for (int i = 1; i < count; i++) {
		int v = list[i], j = i;
		for (; j > 0 && list[j - 1] > v; j--)
			list[j] = list[j - 1];
		list[j] = v;
	}
}

static int takequad(int q, int quads, const vector3 *lo, const vector3 *hi)
{
	if (q >= quads || seen[q] == querynumber || !boxesmeet(q, lo, hi))
		return 0;
	seen[q] = querynumber;
	return 1;
}

int deckcandidates(const vector3 *lo, const vector3 *hi, int *list)
{
	int quads = boxcount < numofcdquads ? boxcount : numofcdquads;
	int x0 = cellof(lo->x), x1 = cellof(hi->x), z0 = cellof(lo->z), z1 = cellof(hi->z);
	int count = 0;
	if (x1 - x0 >= MAXCELLSPAN || z1 - z0 >= MAXCELLSPAN) {
		// A wide query: every quad in order.
		for (int q = 0; q < quads; q++)
			if (boxesmeet(q, lo, hi))
				list[count++] = q;
		return count;
	}
	if (++querynumber == 0) {
		for (int q = 0; q < MAXCDQUADS; q++)
			seen[q] = 0;
		querynumber = 1;
	}
	for (int cz = z0; cz <= z1; cz++)
		for (int cx = x0; cx <= x1; cx++) {
			int b = bucketof(cx, cz);
			for (int i = bucketstart[b]; i < bucketstart[b + 1]; i++)
				if (takequad(bucketquad[i], quads, lo, hi))
					list[count++] = bucketquad[i];
		}
	for (int i = 0; i < numoflargequads; i++)
		if (takequad(largequad[i], quads, lo, hi))
			list[count++] = largequad[i];
	sortlist(list, count);
	return count;
}
