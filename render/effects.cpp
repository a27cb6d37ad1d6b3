// Camera-facing effects, built from the camera's right, up and back rows so
// they always face the viewer.
#include "render/effects.h"

#include <GL/gl.h>

#include "editor/editordraw.h"
#include "platform/texture.h"
#include "render/bridgedraw.h"
#include "render/camera.h"
#include "render/renderframe.h"
#include "world/particle.h"
#include "world/sprite.h"

static void vertexat(const vector3 *c, const vector3 *a, float sa)
{
	vector3 p;
	scaleaddvectors(&p, c, a, sa);
	glVertex3fv(&p.x);
}

void rendersky()
{
	const vector3 *right = &frame.axes.v[0], *up = &frame.axes.v[1];
	vector3 sun = {sundirection[0], sundirection[1], sundirection[2]};
	vector3 c, p;
	scaleaddvectors(&c, &frame.position, &sun, 10.0f);
	glDepthMask(GL_FALSE);
	glBindTexture(GL_TEXTURE_2D, texture[TEX_SUN].glname);
	glColor4fv(suncolor);
	static const float corner[4][4] = {
		{-1, 1, 0, 0}, {1, 1, 1, 0}, {1, -1, 1, 1}, {-1, -1, 0, 1}};
	glBegin(GL_QUADS);
	for (int k = 0; k < 4; k++) {
		scaleaddvectors(&p, &c, right, 1.5f * corner[k][0]);
		scaleaddvectors(&p, &p, up, 1.5f * corner[k][1]);
		glTexCoord2f(corner[k][2], corner[k][3]);
		glVertex3fv(&p.x);
	}
	glEnd();
	glDepthMask(GL_TRUE);
}

static void renderspritepass(int type, float red)
{
	const vector3 *right = &frame.axes.v[0], *up = &frame.axes.v[1];
	glBegin(GL_QUADS);
	for (int n = 0; n < numofsprites; n++) {
		const spritestruct *s = &sprite[n];
		if (s->type != type)
			continue;
		float alpha = s->timetolive / 120.0f;
		if (alpha > 1.0f)
			alpha = 1.0f;
		if (alpha < 0.0f)
			alpha = 0.0f;
		glColor4f(red, red, red, alpha);
		glTexCoord2f(0, 0);
		vertexat(&s->position, up, 1.5f);
		glTexCoord2f(1, 0);
		vertexat(&s->position, right, 1.5f);
		glTexCoord2f(1, 1);
		vertexat(&s->position, up, -1.5f);
		glTexCoord2f(0, 1);
		vertexat(&s->position, right, -1.5f);
	}
	glEnd();
}

void rendersprites()
{
	glDepthMask(GL_FALSE);
	glBindTexture(GL_TEXTURE_2D, texture[TEX_CLOUD].glname);
	// Smoke only darkens what lies behind it; sparks and spray add light.
	glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_ALPHA);
	renderspritepass(SPRITE_SMOKE, 0.0f);
	glBlendFunc(GL_SRC_ALPHA, GL_ONE);
	renderspritepass(SPRITE_SPRAY, 1.0f);
	glDepthMask(GL_TRUE);
	glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void renderparticlelights()
{
	const vector3 *right = &frame.axes.v[0], *up = &frame.axes.v[1];
	const vector3 *back = &frame.axes.v[2];
	glDisable(GL_TEXTURE_2D);
	glDepthMask(GL_FALSE);
	glBlendFunc(GL_SRC_ALPHA, GL_ONE);
	glBegin(GL_TRIANGLES);
	for (int n = 0; n < numofparticles; n++) {
		if (particle[n].type == PARTICLE_BODY)
			continue;
		vector3 q, top, bottom, left, rt;
		scaleaddvectors(&q, &particle[n].position, back, 1.5f);
		scaleaddvectors(&top, &q, up, 1.5f);
		scaleaddvectors(&bottom, &q, up, -1.5f);
		scaleaddvectors(&left, &q, right, -1.5f);
		scaleaddvectors(&rt, &q, right, 1.5f);
		const vector3 *order[12] = {&top, &q, &left, &top, &rt, &q, &rt, &bottom, &q, &q,
			&bottom, &left};
		for (int k = 0; k < 12; k++) {
			glColor4f(1, 1, 1, order[k] == &q ? 1.0f : 0.0f);
			glVertex3fv(&order[k]->x);
		}
	}
	glEnd();
	glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
	glDepthMask(GL_TRUE);
	glEnable(GL_TEXTURE_2D);
}

void renderparticles()
{
	static const float colors[4][4] = {
		{1, 1, 1, 1}, {0.75f, 0.75f, 0.75f, 1}, {1, 1, 0, 1}, {1, 0, 0, 1}};
	orientation identity;
	resetorientation(&identity);
	glDisable(GL_TEXTURE_2D);
	for (int n = 0; n < numofparticles; n++) {
		int type = particle[n].type;
		if (type >= 0 && type < 4)
			glColor4fv(colors[type]);
		renderobject(&particle[n].position, &identity, mesh.numofvertices, &mesh.vertex[0][0],
			nullptr, nullptr, mesh.numofpolygons, &mesh.polygon[0][0], nullptr, nullptr);
	}
	glEnable(GL_TEXTURE_2D);
}
