#include "world/simsetup.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "world/bond.h"
#include "world/cdquad.h"
#include "world/level.h"
#include "world/materials.h"
#include "world/particle.h"
#include "world/simrandom.h"
#include "world/simulation.h"

int pointparticle[MAXPOINTS];

constexpr float STARTMASS = 0.01f;
constexpr float CABLESEGMENT = 10.0f;  // a cable is cut into pieces of about this length
constexpr int MINCABLEPOINTS = 3;

// --- point grid -------------------------------------------------------------

// Cells twice the search radius wide: a point within the radius of a position
// then lies in the position's cell or a neighbour, rounding included.
constexpr float CELLSIZE = 2.0f * DECKSEARCHRADIUS;
constexpr float CELLLIMIT = 1.0e6f;  // cell coordinates are clamped to this before conversion
constexpr int GRIDBUCKETS = 2 * MAXPOINTS;  // a power of two

static int gridhead[GRIDBUCKETS];  // first point of each bucket, -1 none
static int gridtail[GRIDBUCKETS];
static int gridnext[MAXPOINTS];  // next point of the same bucket, in index order
static int gridpoints;           // points indexed

static int cellcoordinate(float v)
{
	float c = floorf(v / CELLSIZE);
	if (!(c > -CELLLIMIT))
		c = -CELLLIMIT;
	if (c > CELLLIMIT)
		c = CELLLIMIT;
	return (int)c;
}

static int cellbucket(int x, int y, int z)
{
	uint32_t h = (uint32_t)x * 73856093u ^ (uint32_t)y * 19349663u ^ (uint32_t)z * 83492791u;
	return (int)(h & (GRIDBUCKETS - 1));
}

void indexpoints()
{
	memset(gridhead, 0xff, sizeof(gridhead));
	gridpoints = numofpoints < MAXPOINTS ? numofpoints : MAXPOINTS;
	for (int i = 0; i < gridpoints; i++) {
		const vector3 *p = &point[i].position;
		int b = cellbucket(cellcoordinate(p->x), cellcoordinate(p->y), cellcoordinate(p->z));
		gridnext[i] = -1;
		if (gridhead[b] == -1)
			gridhead[b] = i;
		else
			gridnext[gridtail[b]] = i;
		gridtail[b] = i;
	}
}

// The distance as the vector library measures it, written out: the search
// runs some thirty times per deck link.
static int withinsearch(int index, const vector3 *position)
{
	float x = point[index].position.x - position->x;
	float y = point[index].position.y - position->y;
	float z = point[index].position.z - position->z;
	return sqrtf((x * x + y * y) + z * z) < DECKSEARCHRADIUS;
}

int findindexedpoint(const vector3 *position)
{
	int cx = cellcoordinate(position->x);
	int cy = cellcoordinate(position->y);
	int cz = cellcoordinate(position->z);
	int found = -1;
	for (int dz = -1; dz <= 1; dz++) {
		for (int dy = -1; dy <= 1; dy++) {
			for (int dx = -1; dx <= 1; dx++) {
				// Buckets are in index order, so the first hit in a bucket is
				// its best one.
				int b = cellbucket(cx + dx, cy + dy, cz + dz);
				for (int i = gridhead[b]; i != -1; i = gridnext[i]) {
					if (found != -1 && i >= found)
						break;
					if (withinsearch(i, position)) {
						found = i;
						break;
					}
				}
			}
		}
	}
	return found;
}

// --- deck links by their points -----------------------------------------------

constexpr int DECKBUCKETS = 2 * MAXLINKS;  // a power of two, at most half full
static int deckslot[DECKBUCKETS];         // link index, -1 empty

static uint32_t deckkey(int a, int b)
{
	if (a > b) {
		int c = a;
		a = b;
		b = c;
	}
	return ((uint32_t)a << 14 | (uint32_t)b) * 2654435761u >> 16 & (DECKBUCKETS - 1);
}

static int joins(const beamstruct *l, int a, int b)
{
	return (l->point1 == a && l->point2 == b) || (l->point1 == b && l->point2 == a);
}

// Links with the same pair of points follow each other along the probe
// sequence in index order, which keeps the quads in the order of a scan.
static void indexdecklinks(int links)
{
	memset(deckslot, 0xff, sizeof(deckslot));
	for (int j = 0; j < links; j++) {
		if (!beam[j].deck)
			continue;
		uint32_t s = deckkey(beam[j].point1, beam[j].point2);
		while (deckslot[s] != -1)
			s = (s + 1) & (DECKBUCKETS - 1);
		deckslot[s] = j;
	}
}

// --- the build ----------------------------------------------------------------

static int particletypeofpoint(int type)
{
	switch (type) {
	case POINTANCHOR:
		return PARTICLE_FIXED;
	case POINTJOINT:
	case POINTCURVE:
		return PARTICLE_JOINT;
	case POINTDRAWBRIDGE:
		return PARTICLE_DRAWBRIDGE;
	}
	return -1;
}

static void makeparticles(int points)
{
	for (int i = 0; i < points; i++) {
		int type = particletypeofpoint(point[i].type);
		pointparticle[i] = type == -1 ? -1 :
			createparticle(type, &point[i].position, nullptr, -1, NEVERDIES, STARTMASS);
	}
}

// A cable hangs as a chain of short bonds through evenly spaced inner
// particles. When the particles run out, the chain ends early with one
// longer piece to the far end.
static void makecable(int p1, int p2, int type, float len, float weight)
{
	float pieces = len / CABLESEGMENT;
	if (pieces > (float)PARTICLELIMIT)
		pieces = (float)PARTICLELIMIT;
	int n = (int)pieces;
	if (n < MINCABLEPOINTS)
		n = MINCABLEPOINTS;

	vector3 step;
	subtractvectors(&step, &particle[p2].position, &particle[p1].position);
	float divisor = (float)(n - 1);
	step.x /= divisor;
	step.y /= divisor;
	step.z /= divisor;
	float mass = weight * len / (float)n;

	int previous = p1;
	for (int k = 1; k <= n - 2; k++) {
		vector3 position;
		scaleaddvectors(&position, &particle[p1].position, &step, (float)k);
		int inner = createparticle(PARTICLE_JOINT, &position, nullptr, -1, NEVERDIES, mass);
		if (inner == -1)
			break;
		createbond(inner, previous, type, -1);
		previous = inner;
	}
	createbond(previous, p2, type, -1);

	particle[p1].mass += 0.5f * weight * len / (float)n;
	particle[p2].mass += 0.5f * weight * len / (float)n;
}

// The deck partner of each bridge point (the point 10 units behind it),
// looked up once: most deck points end two deck links.
constexpr int PARTNERUNKNOWN = -2;
static int partnerof[MAXPOINTS];

static int deckpartner(int pointindex)
{
	if (partnerof[pointindex] == PARTNERUNKNOWN) {
		vector3 behind = point[pointindex].position;
		behind.z -= DECKDEPTH;
		partnerof[pointindex] = findindexedpoint(&behind);
	}
	return partnerof[pointindex];
}

// Quads between the deck link `link` (bond `frontbond`, particles p1 and p2)
// and every deck link of its material 10 units behind it.
static void makedecks(const beamstruct *link, int p1, int p2, int frontbond, float len,
	float weight)
{
	int a = deckpartner(link->point1);
	int b = deckpartner(link->point2);
	if (a == -1 || b == -1)
		return;
	int pa = pointparticle[a];
	int pb = pointparticle[b];
	if (pa == -1 || pb == -1)
		return;

	for (uint32_t s = deckkey(a, b); deckslot[s] != -1; s = (s + 1) & (DECKBUCKETS - 1)) {
		const beamstruct *back = &beam[deckslot[s]];
		if (back->type != link->type || !joins(back, a, b))
			continue;
		if (numofcdquads >= MAXCDQUADS)
			return;

		particle[p1].mass += weight * len;
		particle[p2].mass += weight * len;
		particle[pa].mass += weight * len;
		particle[pb].mass += weight * len;

		int quad = numofcdquads;
		if (frontbond != -1)
			bond[frontbond].cdquadnum = quad;
		int cross = link->type + BOND_DECKCROSS;
		createbond(p1, pa, cross, quad);
		createbond(p1, pb, cross, quad);
		createbond(p2, pa, cross, quad);
		createbond(p2, pb, cross, quad);
		createcdquad(p1, p2, pb, pa);
	}
}

static void makelink(const beamstruct *link, int points)
{
	if (link->point1 < 0 || link->point1 >= points || link->point2 < 0 || link->point2 >= points)
		return;
	if (link->type < 0 || link->type >= MAXLINKTYPES)
		return;
	int p1 = pointparticle[link->point1];
	int p2 = pointparticle[link->point2];
	if (p1 == -1 || p2 == -1)
		return;

	vector3 d;
	subtractvectors(&d, &particle[p2].position, &particle[p1].position);
	float len = vectorlength(&d);
	if (!std::isfinite(len))
		return;
	float weight = linktype[link->type].weight;

	if (link->type == LINKCABLE) {
		makecable(p1, p2, link->type, len, weight);
		return;
	}
	int frontbond = createbond(p1, p2, link->type, -1);
	particle[p1].mass += 0.5f * weight * len;
	particle[p2].mass += 0.5f * weight * len;
	if (link->deck)
		makedecks(link, p1, p2, frontbond, len, weight);
}

void setupsimulation()
{
	int points = numofpoints < MAXPOINTS ? numofpoints : MAXPOINTS;
	int links = numoflinks < MAXLINKS ? numoflinks : MAXLINKS;
	if (points < 0)
		points = 0;
	if (links < 0)
		links = 0;

	makeparticles(points);
	indexpoints();
	for (int i = 0; i < points; i++)
		partnerof[i] = PARTNERUNKNOWN;
	indexdecklinks(links);
	openbondindex();
	for (int j = 0; j < links; j++)
		makelink(&beam[j], points);
	closebondindex();
}

void resetsim()
{
	numofparticles = 0;
	numofbonds = 0;
	numofcdquads = 0;
	seedsimrandom(SIMRANDOMSEED);
	// Sounds, vehicles, sprites, the control record, the phases and the
	// earthquake, the ground velocity included.
	resetphases();
	setupsimulation();
}
