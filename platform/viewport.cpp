// Viewports and the camera and object transforms.
#include "platform/viewport.h"

#include "platform/input.h"

#include <GL/gl.h>

static void resetmatrices()
{
	glMatrixMode(GL_TEXTURE);
	glLoadIdentity();
	glMatrixMode(GL_MODELVIEW);
	glLoadIdentity();
}

static void setviewport(int x, int y, int width, int height, int out[4])
{
	mapviewport(out, x, y, width, height, windowinfo.width, windowinfo.height);
	glViewport(out[0], out[1], out[2], out[3]);
}

void setupperspectiveviewport(int x, int y, int width, int height, float nearz, float farz)
{
	int v[4];
	setviewport(x, y, width, height, v);
	// A fixed 90-degree horizontal field whatever the rectangle's shape.
	float aspect = v[2] > 0 ? (float)v[3] / (float)v[2] : 1.0f;
	glMatrixMode(GL_PROJECTION);
	glLoadIdentity();
	glFrustum(-nearz, nearz, -aspect * nearz, aspect * nearz, nearz, farz);
	resetmatrices();
}

void setuporthoviewport(int x, int y, int width, int height, float halfwidth,
	float halfheight, float halfdepth)
{
	int v[4];
	setviewport(x, y, width, height, v);
	glMatrixMode(GL_PROJECTION);
	glLoadIdentity();
	glOrtho(-halfwidth, halfwidth, -halfheight, halfheight, -halfdepth, halfdepth);
	resetmatrices();
}

void setupviewpoint(const vector3 *position, const orientation *axes)
{
	glMatrixMode(GL_MODELVIEW);
	if (axes) {
		float m[16];
		viewrotation(m, axes);
		glMultMatrixf(m);
	}
	if (position)
		glTranslatef(-position->x, -position->y, -position->z);
}

void setupobjectrender(const vector3 *position, const orientation *axes)
{
	glMatrixMode(GL_MODELVIEW);
	if (position)
		glTranslatef(position->x, position->y, position->z);
	if (axes) {
		float m[16];
		objectrotation(m, axes);
		glMultMatrixf(m);
	}
}

void setupglext()
{
}
