// Road-deck quads: the driving surface between two parallel deck links.
#pragma once

#include "platform/vector.h"

constexpr int MAXCDQUADS = 16384;

constexpr int TRACK_NONE = -1;
constexpr int TRACK_RAIL = 0;
constexpr int TRACK_ROAD = 1;

struct cdquadstruct {
	int active;          // 1 while the quad carries traffic; 0 once a bond of it went
	int particlenum[4];  // corners, in order around the quad
	float length;        // written and read by the deck drawing
	vector3 center;      // written by the deck drawing
	orientation axes;    // track model axes, written by the deck drawing
	int tracktype;       // TRACK_NONE, TRACK_RAIL or TRACK_ROAD
};
static_assert(sizeof(cdquadstruct) == 76, "deck quad fields are all 32 bits wide");

extern cdquadstruct cdquad[MAXCDQUADS];
extern int numofcdquads;

// The quad's four triangles as corner triples; each is tested in both windings.
extern const int cdquadcd[4][3];

// Appends a quad with corners a, d, c, b (in that stored order) and returns
// its index, or -1 when the array is full or a corner is not a particle.
int createcdquad(int a, int b, int c, int d);
// 1 when the segment meets the active quad, with the nearest hit point, its
// triangle normal and the fraction along the segment; 0 for an inactive or
// unknown quad.
int lineintersectcdquad(vector3 *hit, vector3 *normal, float *t, const vector3 *start,
	const vector3 *end, int quad);
// Share of each corner at point `at` by inverse distance; a point on a corner
// gives that corner the whole weight.
void calccdquadratio(float weights[4], int quad, const vector3 *at);
// Air and water drag on every active quad.
void cdquadsimulation();
