#include "editor/editorhud.h"

#include <GL/gl.h>

#include "editor/editor.h"
#include "editor/editordraw.h"
#include "editor/planes.h"
#include "game/progress.h"
#include "game/tutorial.h"
#include "platform/config.h"
#include "platform/text.h"
#include "platform/viewport.h"
#include "render/backdrop.h"
#include "render/bridgedraw.h"
#include "render/camera.h"
#include "render/landscapedraw.h"
#include "render/renderframe.h"
#include "render/water.h"
#include "world/level.h"
#include "world/materials.h"

static void renderterrain()
{
	if (renderoptions.wireframe) {
		glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
		glDisable(GL_TEXTURE_2D);
	}
	setuplandscaperender();
	renderlandscape();
	rendertracks();
	if (renderoptions.wireframe) {
		glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
		glEnable(GL_TEXTURE_2D);
	}
}

// The view goes dark under the "Save Bridge?" question.
static void darkenview()
{
	const editorwindowstruct *w = &editorwindow[0];
	setupperspectiveviewport(w->x, w->y, w->width, w->height, 0.3f, 3000.0f);
	glDisable(GL_TEXTURE_2D);
	glDisable(GL_DEPTH_TEST);
	glMatrixMode(GL_PROJECTION);
	glPushMatrix();
	glLoadIdentity();
	glMatrixMode(GL_MODELVIEW);
	glPushMatrix();
	glLoadIdentity();
	glColor4f(0.0f, 0.0f, 0.0f, 0.5f);
	glBegin(GL_QUADS);
	glVertex3f(-1.0f, 1.0f, -1.0f);
	glVertex3f(1.0f, 1.0f, -1.0f);
	glVertex3f(1.0f, -1.0f, -1.0f);
	glVertex3f(-1.0f, -1.0f, -1.0f);
	glEnd();
	glPopMatrix();
	glMatrixMode(GL_PROJECTION);
	glPopMatrix();
	glMatrixMode(GL_MODELVIEW);
	glEnable(GL_DEPTH_TEST);
	glEnable(GL_TEXTURE_2D);
}

void rendereditorview()
{
	glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
	glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
	const editorwindowstruct *w = &editorwindow[0];
	setupperspectiveviewport(w->x, w->y, w->width, w->height, 0.3f, 3000.0f);
	setupviewpoint(&frame.position, &frame.axes);
	glEnable(GL_TEXTURE_2D);
	glEnable(GL_BLEND);
	glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
	glEnable(GL_DEPTH_TEST);
	glDepthFunc(GL_LEQUAL);
	renderterrain();
	if (tutorial.active) {
		renderlinkstutorial(1.0f);
		renderpointstutorial(1.0f);
	}
	renderlinks(1.0f);
	renderpoints(1.0f);
	glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
	glDepthMask(GL_FALSE);
	renderwater();
	glDepthMask(GL_TRUE);
	if (editor.mirror && editor.showmirror)
		rendergrid(0, editor.mirrorplanez, 0.5f, 0.5f, 0.5f, 0.25f);
	rendergrid(0, editor.planepoint.z, 1.0f, 1.0f, 1.0f, 0.25f);
	if (tutorial.active && editor.exitstate == 0) {
		glDepthMask(GL_FALSE);
		glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
		renderarrow();
		glDepthMask(GL_TRUE);
	}
	if (editor.editstate == 1)
		rendereditarea();
	if (editor.exitstate == 1)
		darkenview();
}

// count/limit by material, red where the count is over its limit.
static void drawmaterialcount(int count, int limit, int y)
{
	float gb = count > limit ? 0.0f : 1.0f;
	drawtext("/i///i", 608 | ALIGNRIGHT, y, 8, 1.0f, gb, gb, 1.0f, count, limit);
}

static void drawhints(const float c[3])
{
	if (editor.exitstate != 0)
		return;
	if (tutorial.active || helpmenutoggle) {
		drawtext("You can test your bridge anytime by", 258 | ALIGNCENTER, 20, 10, 0.0f, 1.0f, 0.0f, 1.0f);
		drawtext("clicking simulate or using the T key", 258 | ALIGNCENTER, 36, 12, 0.0f, 1.0f, 0.0f, 1.0f);
	}
	if (!tutorial.active)
		return;
	int lesson = tutorial.lesson, step = tutorial.step;
	if (lesson < 0 || lesson >= TUTORLESSONS || step < 0 || step >= TUTORSTEPS)
		return;
	for (int k = 0; k < TUTORLINES; k++)
		drawtext("/s", 4, 408 + 12 * k, 12, c[0], c[1], c[2], 1.0f, tutortext[lesson][step][k]);
}

void draweditorhud(int costbefore, int costafter, const float menucolor[3])
{
	setuptextdisplay();
	if (config.background)
		drawbackground();
	const float *c = menucolor;
	int price = costafter - costbefore;
	if (price > 0) {
		float gb = costafter > level.budget ? 0.0f : 1.0f;
		drawtext("+/i", 64, 448, 12, 1.0f, gb, gb, 1.0f, price);
	}
	drawtext("Cost:/i", 4, 460, 16, c[0], c[1], c[2], 1.0f, costbefore);
	drawtext("Budget:/i", 256, 460, 16, c[0], c[1], c[2], 1.0f, level.budget);
	for (int m = LINKIRON; m <= LINKHEAVYSTEEL; m++)
		drawmaterialcount(editor.materialcount[m], level.materiallimit[m], 24 * m + 128);
	drawmaterialcount(editor.materialcount[LINKHYDRAULIC1] + editor.materialcount[LINKHYDRAULIC2],
		level.materiallimit[LINKHYDRAULIC1], 296);
	if (editor.complex) {
		int gap = (int)(editor.planepoint.z - editor.mirrorplanez) / 5;
		drawtext("/i", 596, 328, 12, 1.0f, 1.0f, 1.0f, 1.0f, gap);
	}
	if (editor.exitstate == 1)
		drawtext("Save Bridge?", 320 | ALIGNCENTER, 224, 16, c[0], c[1], c[2], 1.0f);
	drawhints(c);
}
