// The view volume of the current matrices, for skipping geometry that lies
// wholly outside it. Such geometry yields no fragment, so leaving it out
// changes no pixel and no stencil count.
#pragma once

#include "platform/vector.h"

struct frustumstruct {
	float plane[6][4];  // a x + b y + c z + d >= 0 inside
};

extern frustumstruct frustum;

// From the current projection and model-view matrices; call after the
// transform that the following geometry is drawn under.
void setupfrustum();
// The planes of a combined column-major projection x model-view matrix.
void frustumfrommatrix(frustumstruct *f, const float m[16]);
// 1 when all n points lie outside one and the same plane.
int pointsoutside(const frustumstruct *f, const vector3 *p, int n);
// The same for an axis-aligned box.
int boxoutside(const frustumstruct *f, const vector3 *lo, const vector3 *hi);
