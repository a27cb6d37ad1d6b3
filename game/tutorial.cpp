// The tutorial's drawing in the bridge editor: the solution as a ghost
// under the player's bridge, and arrows at the next places to click.
#include "game/tutorial.h"

#include <GL/gl.h>

#include "editor/editordraw.h"
#include "platform/texture.h"
#include "render/batch.h"
#include "render/bridgedraw.h"
#include "render/camera.h"
#include "world/level.h"
#include "world/materials.h"

void renderarrow()
{
	int lesson = tutorial.lesson, step = tutorial.step;
	if (lesson < 0 || lesson >= TUTORLESSONS || step < 0 || step >= TUTORSTEPS)
		return;
	glBindTexture(GL_TEXTURE_2D, texture[TEX_ARROW].glname);
	glBegin(GL_QUADS);
	for (int n = 0; n < TUTORARROWS; n++) {
		const vector3 *t = &tutorarrow[lesson][step][n];
		if (t->x == 0.0f)
			continue;
		// Above and left of the target, the arrow's tip nearest to it.
		float z = t->z + 1.0f;
		glTexCoord2f(0.0f, 0.0f);
		glVertex3f(t->x - 10.0f, t->y + 15.0f, z);
		glTexCoord2f(1.0f, 0.0f);
		glVertex3f(t->x, t->y + 5.0f, z);
		glTexCoord2f(1.0f, 1.0f);
		glVertex3f(t->x - 5.0f, t->y, z);
		glTexCoord2f(0.0f, 1.0f);
		glVertex3f(t->x - 15.0f, t->y + 10.0f, z);
	}
	glEnd();
}

static int validsolutionlink(const beamstruct *l)
{
	int points = (int)tutorial.solution.numofpoints;
	return l->point1 >= 0 && l->point1 < points && l->point2 >= 0 && l->point2 < points &&
		l->type >= 0 && l->type < MAXLINKTYPES;
}

// A ribbon of half the link's thickness bent towards the viewer, so that it
// shows its full width from any side.
void renderlinkstutorial(float alpha)
{
	const undostruct *s = &tutorial.solution;
	int links = s->numoflinks < (uint32_t)MAXLINKS ? (int)s->numoflinks : MAXLINKS;
	glDisable(GL_TEXTURE_2D);
	beginbatch(GL_QUADS, BATCH_COLOR);
	for (int n = 0; n < links; n++) {
		const beamstruct *l = &s->beam[n];
		if (!validsolutionlink(l))
			continue;
		const vector3 *p1 = &s->point[l->point1].position, *p2 = &s->point[l->point2].position;
		const linktypestruct *t = &linktype[l->type];
		vector3 d, v, a, b, w;
		subtractvectors(&w, p2, p1);
		normalizevector(&d, &w);
		subtractvectors(&v, &frame.position, p1);
		crossproduct(&w, &v, &d);  // d x v
		normalizevector(&a, &w);
		crossproduct(&w, &d, &a);  // a x d
		normalizevector(&b, &w);
		scalevector(&a, &a, 0.5f * t->thickness);
		scalevector(&b, &b, 0.5f * t->thickness);
		batchcolor(0.75f * t->color.x, 0.75f * t->color.y, 0.75f * t->color.z, alpha);
		vector3 q[8];
		subtractvectors(&q[0], p1, &a);
		subtractvectors(&q[1], p2, &a);
		addvectors(&q[2], p2, &b);
		addvectors(&q[3], p1, &b);
		addvectors(&q[4], p1, &b);
		addvectors(&q[5], p2, &b);
		addvectors(&q[6], p2, &a);
		addvectors(&q[7], p1, &a);
		for (int k = 0; k < 8; k++)
			batchvertex(q[k].x, q[k].y, q[k].z);
	}
	endbatch();
	glEnable(GL_TEXTURE_2D);
}

void renderpointstutorial(float alpha)
{
	// The editor's point colours at half strength.
	static const float color[4][3] = {
		{0.5f, 0.5f, 0.5f}, {0.375f, 0.375f, 0.375f}, {0.5f, 0.5f, 0.0f}, {0.0f, 0.375f, 0.375f},
	};
	const undostruct *s = &tutorial.solution;
	int points = s->numofpoints < (uint32_t)MAXPOINTS ? (int)s->numofpoints : MAXPOINTS;
	orientation identity;
	resetorientation(&identity);
	glDisable(GL_TEXTURE_2D);
	for (int n = 0; n < points; n++) {
		int type = s->point[n].type;
		if (type < POINTANCHOR || type > POINTCURVE)
			continue;
		glColor4f(color[type][0], color[type][1], color[type][2], alpha);
		renderobject(&s->point[n].position, &identity, meshtemp2.numofvertices,
			&meshtemp2.vertex[0][0], nullptr, nullptr, meshtemp2.numofpolygons,
			&meshtemp2.polygon[0][0], nullptr, nullptr);
	}
	glEnable(GL_TEXTURE_2D);
}
