// Bonds, deck quads, tracks and models.
#pragma once

#include "platform/vector.h"

void renderbonds();
void renderbondsstress();
void rendercdquads();        // also refreshes each quad's length, center and axes
void rendercdquadtracks();   // after rendercdquads in the same frame
void rendertracks();
// Draws one model; the vertex count, vertex normals and vertex texture
// coordinates are part of the call but not used. Missing arrays (null) keep
// whatever normal or texture coordinate was set last.
void renderobject(const vector3 *position, const orientation *axes, int numofvertices,
	const float *vertex, const float *vertexnormal, const float *vertextexcoord,
	int numofpolygons, const int *polygon, const float *polygonnormal,
	const float *polygontexcoord);

// Pure geometry, also used by tests.
// The eight vertices of a camera-facing half prism from p1 to p2 of
// half-width r; normals receives the face direction of each vertex.
void beamgeometry(vector3 out[8], vector3 normals[8], const vector3 *p1, const vector3 *p2,
	const vector3 *camera, float r);
// Stress colour: green blended to red (compressed, tension 0) or blue
// (stretched) by stress, clamped to 0..1.
void stresscolor(float out[3], float stress, int tension);
// Track models on a deck of the given length; 0 for lengths that are not
// finite or would need more than a sane number of pieces.
int trackcount(float length);
// Light factor of a bond end at height y: 1 above the water, fading to 0.1.
float underwaterdim(float y, float waterlevel);
