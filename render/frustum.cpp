#include "render/frustum.h"

#include <GL/gl.h>

frustumstruct frustum;

void frustumfrommatrix(frustumstruct *f, const float m[16])
{
	// Row i of the matrix is (m[i], m[4 + i], m[8 + i], m[12 + i]); the planes
	// are row 3 plus and minus rows 0, 1 and 2.
	for (int p = 0; p < 6; p++) {
		int row = p / 2;
		float sign = (p & 1) ? -1.0f : 1.0f;
		for (int k = 0; k < 4; k++)
			f->plane[p][k] = m[4 * k + 3] + sign * m[4 * k + row];
	}
}

void setupfrustum()
{
	float projection[16], modelview[16], m[16];
	glGetFloatv(GL_PROJECTION_MATRIX, projection);
	glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
	for (int c = 0; c < 4; c++)
		for (int r = 0; r < 4; r++) {
			float sum = 0.0f;
			for (int k = 0; k < 4; k++)
				sum += projection[4 * k + r] * modelview[4 * c + k];
			m[4 * c + r] = sum;
		}
	frustumfrommatrix(&frustum, m);
}

// Planes are not normalised; a small margin in clip units keeps points on
// the border inside, so only geometry well clear of the view is left out.
static const float MARGIN = 1e-3f;

int pointsoutside(const frustumstruct *f, const vector3 *p, int n)
{
	for (int k = 0; k < 6; k++) {
		const float *pl = f->plane[k];
		int i = 0;
		while (i < n && pl[0] * p[i].x + pl[1] * p[i].y + pl[2] * p[i].z + pl[3] < -MARGIN)
			i++;
		if (i == n)
			return 1;
	}
	return 0;
}

int boxoutside(const frustumstruct *f, const vector3 *lo, const vector3 *hi)
{
	vector3 corner[8];
	for (int k = 0; k < 8; k++) {
		corner[k].x = k & 1 ? hi->x : lo->x;
		corner[k].y = k & 2 ? hi->y : lo->y;
		corner[k].z = k & 4 ? hi->z : lo->z;
	}
	return pointsoutside(f, corner, 8);
}
