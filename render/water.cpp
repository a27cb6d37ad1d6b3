// Water: one quad per drawn sector at the water height, three layers.
#include "render/water.h"

#include <GL/gl.h>
#include <cmath>

#include "platform/texture.h"
#include "render/camera.h"
#include "render/landscapedraw.h"
#include "render/renderframe.h"
#include "world/level.h"
#include "world/simulation.h"

static int camerabelowwater()
{
	return frame.position.y < level.waterlevel;
}

void renderwatersector(int x0, int z0)
{
	float x = 5.0f * x0, z = 5.0f * z0, y = level.waterlevel;
	glTexCoord2f(0, 0);
	glVertex3f(x, y, z);
	glTexCoord2f(1, 0);
	glVertex3f(x + 80.0f, y, z);
	glTexCoord2f(1, 1);
	glVertex3f(x + 80.0f, y, z + 80.0f);
	glTexCoord2f(0, 1);
	glVertex3f(x, y, z + 80.0f);
}

void renderwatersector2(int x0, int z0)
{
	float x = 5.0f * x0, z = 5.0f * z0, y = level.waterlevel;
	float s = sinf(sim.wateroffset), c = cosf(sim.wateroffset);
	static const float corner[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
	for (int k = 0; k < 4; k++) {
		float u = corner[k][0], v = corner[k][1];
		glMultiTexCoord2f(GL_TEXTURE0, u - s, v - c);
		glMultiTexCoord2f(GL_TEXTURE1, u + s, v - c);
		glVertex3f(x + 80.0f * u, y, z + 80.0f * v);
	}
}

// Every drawn sector of the water, plain or with the scrolled wave coordinates.
static void renderwatersectors(int layered)
{
	int first, last;
	landscaperows(&first, &last);
	for (int r = first; r <= last; r++)
		for (int c = 1; c <= SECTORS - 2; c++) {
			if (layered)
				renderwatersector2(16 * c, 16 * r);
			else
				renderwatersector(16 * c, 16 * r);
		}
}

void renderwater()
{
	glBindTexture(GL_TEXTURE_2D, texture[TEX_WATERSURFACE].glname);
	if (!camerabelowwater()) {
		glBegin(GL_QUADS);
		glColor4f(1, 1, 1, 1);
		glNormal3f(0, 1, 0);
		renderwatersectors(0);
		glEnd();
		return;
	}
	// Under water the surface is replaced by a tint just in front of the eye.
	glDepthFunc(GL_ALWAYS);
	glDepthMask(GL_FALSE);
	const vector3 *right = &frame.axes.v[0], *up = &frame.axes.v[1];
	vector3 centre;
	scaleaddvectors(&centre, &frame.position, &frame.axes.v[2], -10.0f);
	static const float corner[4][2] = {{-1, 1}, {1, 1}, {1, -1}, {-1, -1}};
	glColor4fv(skycolor);
	glBegin(GL_QUADS);
	for (int k = 0; k < 4; k++) {
		vector3 p;
		scaleaddvectors(&p, &centre, right, 10.0f * corner[k][0]);
		scaleaddvectors(&p, &p, up, 10.0f * corner[k][1]);
		glVertex3fv(&p.x);
	}
	glEnd();
	glDepthMask(GL_TRUE);
	glDepthFunc(GL_LEQUAL);
}

void renderwaterwave()
{
	if (!renderoptions.lighting || camerabelowwater())
		return;
	glActiveTexture(GL_TEXTURE0);
	glBindTexture(GL_TEXTURE_2D, texture[TEX_WATERWAVE1].glname);
	glActiveTexture(GL_TEXTURE1);
	glBindTexture(GL_TEXTURE_2D, texture[TEX_WATERWAVE2].glname);
	glEnable(GL_TEXTURE_2D);
	glBegin(GL_QUADS);
	glColor4f(1, 1, 1, 1);
	glNormal3f(0, 1, 0);
	renderwatersectors(1);
	glEnd();
	glDisable(GL_TEXTURE_2D);
	glActiveTexture(GL_TEXTURE0);
}

void renderwaterspecular()
{
	if (!renderoptions.lighting || camerabelowwater())
		return;
	lightstruct *l = &light[0];
	l->position[0] = 1280.0f + 1000.0f * sundirection[0];
	l->position[1] = level.waterlevel + 1000.0f * sundirection[1];
	l->position[2] = 1280.0f + 1000.0f * sundirection[2];
	l->position[3] = 1.0f;
	l->specular[0] = suncolor[0];
	l->specular[1] = suncolor[1];
	l->specular[2] = suncolor[2];
	l->specular[3] = 1.0f;
	glLightfv(GL_LIGHT1, GL_POSITION, l->position);
	glLightfv(GL_LIGHT1, GL_AMBIENT, lightzero);
	glLightfv(GL_LIGHT1, GL_DIFFUSE, lightzero);
	glLightfv(GL_LIGHT1, GL_SPECULAR, l->specular);
	glEnable(GL_LIGHTING);
	glBlendFunc(GL_SRC_ALPHA, GL_ONE);
	glBindTexture(GL_TEXTURE_2D, texture[TEX_WATERGLINT].glname);
	glBegin(GL_QUADS);
	glColor4f(1, 1, 1, 1);
	glNormal3f(0, 1, 0);
	renderwatersectors(0);
	glEnd();
	glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
	glDisable(GL_LIGHTING);
}
