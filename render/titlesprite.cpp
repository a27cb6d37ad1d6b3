// The title animation: set-up, a fixed-step update and the drawing.
#include "render/titlesprite.h"

#include "platform/texture.h"

#include <GL/gl.h>
#include <cstdlib>

titlespritestruct titlesprite[MAXTITLESPRITES];
int numoftitlesprites;
int titleset;
float titlesetalpha;

// A truss bridge on its piers, in whole units on the plane z = -20.
vector3 finalposition[TITLEPATTERNSIZE] = {
	{-5, 2, -20}, {-4, 2, -20}, {-3, 2, -20}, {-2, 2, -20}, {-1, 2, -20}, {0, 2, -20},
	{1, 2, -20}, {2, 2, -20}, {3, 2, -20}, {-8, 1, -20}, {-7, 1, -20}, {-6, 1, -20},
	{4, 1, -20}, {5, 1, -20}, {6, 1, -20}, {-10, 0, -20}, {-9, 0, -20}, {-5, 0, -20},
	{-1, 0, -20}, {3, 0, -20}, {7, 0, -20}, {8, 0, -20}, {-11, -1, -20}, {-5, -1, -20},
	{-1, -1, -20}, {3, -1, -20}, {9, -1, -20}, {-12, -2, -20}, {-9, -2, -20}, {-5, -2, -20},
	{-1, -2, -20}, {3, -2, -20}, {7, -2, -20}, {10, -2, -20}, {-13, -3, -20}, {-9, -3, -20},
	{-5, -3, -20}, {-1, -3, -20}, {3, -3, -20}, {7, -3, -20}, {11, -3, -20}, {-14, -4, -20},
	{-9, -4, -20}, {-5, -4, -20}, {-1, -4, -20}, {3, -4, -20}, {7, -4, -20}, {12, -4, -20},
	{-15, -5, -20}, {-9, -5, -20}, {-5, -5, -20}, {-1, -5, -20}, {3, -5, -20}, {7, -5, -20},
	{13, -5, -20}, {-16, -6, -20}, {-15, -6, -20}, {-14, -6, -20}, {-13, -6, -20}, {-12, -6, -20},
	{-11, -6, -20}, {-10, -6, -20}, {-9, -6, -20}, {-8, -6, -20}, {-7, -6, -20}, {-6, -6, -20},
	{-5, -6, -20}, {-4, -6, -20}, {-3, -6, -20}, {-2, -6, -20}, {-1, -6, -20}, {0, -6, -20},
	{1, -6, -20}, {2, -6, -20}, {3, -6, -20}, {4, -6, -20}, {5, -6, -20}, {6, -6, -20},
	{7, -6, -20}, {8, -6, -20}, {9, -6, -20}, {10, -6, -20}, {11, -6, -20}, {12, -6, -20},
	{13, -6, -20}, {14, -6, -20}, {-16, -7, -20}, {-9, -7, -20}, {-1, -7, -20}, {7, -7, -20},
	{14, -7, -20}, {-16, -8, -20}, {-9, -8, -20}, {-1, -8, -20}, {7, -8, -20}, {14, -8, -20},
	{TITLEPATTERNEND, 0, 0},
};

// A fresh random offset for each coordinate: -32 to 31.
static float randomoffset()
{
	return static_cast<float>((rand() & 63) - 32);
}

void setuptitlescreen()
{
	numoftitlesprites = 0;
	titleset = 0;
	titlesetalpha = 0.0f;
	for (int i = 0; i < TITLEPATTERNSIZE && finalposition[i].x != TITLEPATTERNEND; i++) {
		titlespritestruct *s = &titlesprite[numoftitlesprites++];
		s->position.x = randomoffset();
		s->position.y = randomoffset();
		s->position.z = randomoffset() - 10.0f;
		s->velocity.x = randomoffset() / 320.0f;
		s->velocity.y = randomoffset() / 320.0f;
		s->velocity.z = randomoffset() / 320.0f;
		const vector3 lift = {1.0f, 8.0f, 0.0f};
		addvectors(&s->target, &finalposition[i], &lift);
	}
}

void titlescreensimulation()
{
	titleset = 1;
	for (int i = 0; i < numoftitlesprites; i++) {
		titlespritestruct *s = &titlesprite[i];
		vector3 d;
		subtractvectors(&d, &s->target, &s->position);
		if (vectorlength(&d) > 0.1f)
			titleset = 0;
		// A damped spring towards the target.
		scaleaddvectors(&s->velocity, &s->velocity, &d, 0.009f);
		scalevector(&s->velocity, &s->velocity, 0.8f);
		addvectors(&s->position, &s->position, &s->velocity);
	}
	if (titleset == 1 && titlesetalpha < 1.0f)
		titlesetalpha += 0.05f;
}

static void drawsquare(const vector3 *p, float s)
{
	glTexCoord2f(0.0f, 0.0f);
	glVertex3f(p->x - s, p->y + s, p->z);
	glTexCoord2f(1.0f, 0.0f);
	glVertex3f(p->x + s, p->y + s, p->z);
	glTexCoord2f(1.0f, 1.0f);
	glVertex3f(p->x + s, p->y - s, p->z);
	glTexCoord2f(0.0f, 1.0f);
	glVertex3f(p->x - s, p->y - s, p->z);
}

void rendertitlescreen()
{
	glDepthMask(GL_FALSE);
	// The glow adds up where the spheres overlap.
	glBindTexture(GL_TEXTURE_2D, texture[TEX_SPHERE].glname);
	glBlendFunc(GL_SRC_ALPHA, GL_ONE);
	glBegin(GL_QUADS);
	for (int i = 0; i < numoftitlesprites; i++) {
		glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
		drawsquare(&titlesprite[i].position, 1.25f);
		glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
		drawsquare(&titlesprite[i].position, 1.25f);
	}
	glEnd();
	if (titleset == 1) {
		// Darkens what lies behind by the quads' alpha; the slot holds no
		// image, so only the colour's alpha counts.
		glBindTexture(GL_TEXTURE_2D, texture[TEX_TITLEDARK].glname);
		glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_ALPHA);
		glColor4f(1.0f, 1.0f, 1.0f, titlesetalpha);
		glBegin(GL_QUADS);
		for (int i = 0; i < numoftitlesprites; i++)
			drawsquare(&titlesprite[i].position, 0.7f);
		glEnd();
	}
	glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
	glDepthMask(GL_TRUE);
}
