// Stencil shadow volumes: closed prisms swept away from the sun. The frame
// pass owns the stencil and culling state; these only emit quads.
#pragma once

#include "platform/vector.h"

// Below this sun height the volumes would be swept nearly flat to infinity;
// no volumes are drawn then.
constexpr float SUNMINHEIGHT = 0.01f;
constexpr int SHADOWQUADVERTS = 24;

void rendershadow(const vector3 v[4], const vector3 *lightdir, int quad, float length);
// Faces the next volumes keep: those seen counter-clockwise from eye (1),
// those seen clockwise (-1), or all (0). eye is in the coordinates the
// volumes are given in (the mirrored camera in the mirrored pass).
void setshadowfaces(int facing, const vector3 *eye);
void renderlandscapeshadow();
void renderlandscapeshadowsector(int x0, int z0, int step, int mask);
void renderbondsshadow();
void rendercdquadsshadow();
void renderobjectshadow(const vector3 *position, const orientation *axes, int numofvertices,
	const float *vertex, const float *vertexnormal, const float *vertextexcoord,
	int numofpolygons, const int *polygon, const float *polygonnormal,
	const float *polygontexcoord);

// Pure parts. The volume's vertices as quads: 24 for a quad, 20 for a
// triangle; returns the count.
int shadowvolume(vector3 out[SHADOWQUADVERTS], const vector3 v[4], const vector3 *lightdir,
	int quad, float length);
// Deck quad corners in volume order, moved 0.25 away from the sun.
void cdquadshadowcorners(vector3 v[4], const vector3 c[4], const vector3 *sun);
// Whether a planar face f[0..3] is kept for that facing; faces seen nearly
// edge-on are kept for both.
int shadowfacekept(const vector3 f[4], int facing, const vector3 *eye);
// Length that takes the highest point h 1 unit below the water.
float shadowlength(float h, float waterlevel, float sunheight);
