// The landscape: a height field on a 5-unit grid beside the level record,
// its vertex normals, segment tests against the ground and the water, its
// colour texture and the rail and road decals under the vehicle routes.
#pragma once

#include "platform/vector.h"

constexpr int LANDSCAPESIZE = 512;  // most vertices each way
constexpr int LANDSCAPEVERTICES = LANDSCAPESIZE * LANDSCAPESIZE;
constexpr float LANDSCAPESTEP = 5.0f;
constexpr int MINLANDSCAPESIZE = 2;
constexpr int LANDSCAPETEXTURE = 255;  // texture slot of the colour texture
constexpr int MAXTRACKS = 4096;

// Vertex (x, z) lies at (5x, height, 5z); its index is
// z * level.landscapewidth + x.
struct landscapestruct {
	float height[LANDSCAPEVERTICES];
	vector3 normal[LANDSCAPEVERTICES];
};

struct trackstruct {
	int type;  // 0 rail, 1 road
	vector3 position;
	::orientation orientation;
};

extern landscapestruct landscape;
extern trackstruct track[MAXTRACKS];
extern int numoftracks;

// Segment p0-p1 against the ground. Returns 1 for the first hit in scan
// order (z rows, then x, two triangles per cell), not the nearest, with the
// point, the triangle's unit normal and the segment parameter written out.
int lineintersectlevel(vector3 *out, vector3 *normal, float *t, const vector3 *p0,
	const vector3 *p1);
// Segment p0-p1 against the water plane, from above (normal up) or from
// below (normal down).
int lineintersectwater(vector3 *out, vector3 *normal, float *t, const vector3 *p0,
	const vector3 *p1);

// Normals of the inner vertices, darkened with depth under water.
void setuplandscapenormals();
// The same for x0 <= x < x1, z0 <= z < z1, clamped to the inner vertices.
void setuplandscapenormalspartial(int x0, int z0, int x1, int z1);

// Builds the colour texture of slot 255 from the colour bands, lays the
// track decals, and uploads the texture when a window exists.
void setuplandscapetexture();
// The colour of one height by the level's colour bands, 0..255 per channel.
void landscapecolor(unsigned char rgb[3], float height);
// Lays the decals under the routes of the rail and road placements.
void setuptracks();
