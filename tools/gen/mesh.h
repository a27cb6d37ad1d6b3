// The model being built: closed solids whose triangles are wound so that the
// computed polygon normals point out of the solid, each face textured from
// one cell of the model's atlas. Written as a ".tvo" file.
#pragma once

#include "platform/vector.h"

constexpr int MAXMESHVERTICES = 4096;
constexpr int MAXMESHTRIANGLES = 8192;

extern float meshvertex[MAXMESHVERTICES][3];
extern int meshtriangle[MAXMESHTRIANGLES][3];
extern float meshtexcoord[MAXMESHTRIANGLES][6];
extern int nummeshvertices;
extern int nummeshtriangles;

void beginmesh();

// A box centred on center with the given half sizes.
void addmeshbox(vector3 center, vector3 half, int cell);
// A closed cylinder of the given radius and half length around an axis
// (0 x, 1 y, 2 z) through center; caps take capcell, the side sidecell.
// A radius at the far (positive) end other than the near one makes a
// frustum; a far radius of 0 makes a cone.
void addmeshcylinder(vector3 center, int axis, float halflength, float radius, float farradius,
	int sides, int sidecell, int capcell);
// A gable roof: a prism along z over the rectangle of half sizes hx, hz at
// height base, rising by rise to a ridge.
void addmeshroof(vector3 base, float hx, float hz, float rise, int cell);
// A lumpy ball: a latitude-longitude sphere whose radius is scaled by
// radial noise, kept star-shaped around its centre.
void addmeshlump(vector3 center, vector3 radius, int rings, int sides, int seed, int cell);

// Writes "<path>" in the model format. Returns 1 on success.
int writemesh(const char *path);
