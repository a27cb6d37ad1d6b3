#include "game/preview.h"

#include "game/previewcamera.h"
#include "game/progress.h"
#include "game/testrules.h"
#include "game/ticks.h"
#include "game/viewclear.h"
#include "editor/cost.h"
#include "editor/editorloop.h"
#include "platform/config.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "platform/viewport.h"
#include "render/backdrop.h"
#include "render/camera.h"
#include "render/proctex.h"
#include "render/renderframe.h"
#include "world/level.h"
#include "world/simsetup.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

constexpr int ITEMEDIT = 1;

static float orbitangle;
static unsigned lasttick;
static float viewradius;
static int bridgecost;
static float textcolor[3], halfcolor[3], dimcolor[3];

static void createitems()
{
	numofmenuitems = 0;
	createmenuitem("Back", 4, 4, 16, textcolor[0], textcolor[1], textcolor[2], 1.0f);
	setmenuitem(MENUSET_KEY, SDLK_ESCAPE);
	createmenuitem("Edit", 636 | ALIGNRIGHT, 4, 16, textcolor[0], textcolor[1], textcolor[2],
		1.0f);
	setmenuitem(MENUSET_KEY, SDLK_e);
	createmenuitem("", 0, 0, 12, 1.0f, 1.0f, 1.0f, 1.0f);
	setmenuitem(MENUSET_KEY, SDLK_F4);
	setmenuitem(MENUSET_TOGGLE, &helpmenutoggle);
}

static void caption(const char *text, int x, int y)
{
	drawtext(text, x, y, 12, halfcolor[0], halfcolor[1], halfcolor[2], 1.0f);
}

static void drawfacts(int savedbridge)
{
	const float *h = halfcolor;
	if (!helpmenutoggle)
		drawtext("/s", 320 | ALIGNCENTER, 4, 16, h[0], h[1], h[2], 1.0f,
			savedbridge ? level.bridgename : level.levelname);
	caption("Designer:", 4, 272);
	drawtext("/s", 112, 272, 12, dimcolor[0], dimcolor[1], dimcolor[2], 1.0f, level.designer);
	caption("Budget:", 4, 284);
	drawtext("$/i", 88, 284, 12, dimcolor[0], dimcolor[1], dimcolor[2], 1.0f, level.budget);
	caption("Number of Phases:", 4, 296);
	drawtext("/i", 208, 296, 12, dimcolor[0], dimcolor[1], dimcolor[2], 1.0f,
		level.numofphases);
	caption("Wind Speed:", 4, 308);
	drawtext("/i m//s", 136, 308, 12, dimcolor[0], dimcolor[1], dimcolor[2], 1.0f,
		static_cast<int>(levelwindspeed()));
	caption("Current Speed:", 4, 320);
	drawtext("/i m//s", 172, 320, 12, dimcolor[0], dimcolor[1], dimcolor[2], 1.0f,
		static_cast<int>(levelcurrentspeed()));
	caption("Materials:", 4, 332);
	static const char *materialname[6] = { "Iron", "Steel", "Cable", "Suspension Cable",
		"Heavy Steel", "Hydraulic" };
	int y = 344;
	for (int n = 0; n < 6; n++) {
		// Link types 2 to 7.
		if (!level.materiallimit[n + 2])
			continue;
		drawtext(materialname[n], 4, y, 12, dimcolor[0], dimcolor[1], dimcolor[2], 1.0f);
		y += 12;
	}
	y += 12;
	caption("Description:", 4, y);
	for (int n = 0; n < 4; n++)
		drawtext("/s", 4, y + 12 * (n + 1), 12, dimcolor[0], dimcolor[1], dimcolor[2], 1.0f,
			level.description[n]);
	if (!savedbridge)
		return;
	// The blanks move the values clear of their captions.
	caption("Architect:", 320, 272);
	drawtext("          /s", 320, 272, 12, dimcolor[0], dimcolor[1], dimcolor[2], 1.0f,
		level.architect);
	caption("Cost:", 320, 284);
	drawtext("     $/i", 320, 284, 12, dimcolor[0], dimcolor[1], dimcolor[2], 1.0f, bridgecost);
}

static void runticks()
{
	for (int taken = 0; tickdue(&lasttick, SDL_GetTicks(), taken, windowinfo.active); taken++)
		orbitangle += 0.01f;
}

static void drawview()
{
	previewframe(&frame.position, &frame.axes, orbitangle, viewradius);
	setupperspectiveviewport(4, 28, 632, 240, 0.3f, 3000.0f);
	renderframe();
	setuptextdisplay();
}

static void previewframeloop(int savedbridge)
{
	clearview();
	createitems();
	checksystemmessages();
	checkkeyboard();
	checkmouse();
	checkmenuitems();
	setuptextdisplay();
	if (config.background)
		tilebackground();
	if (helpmenutoggle)
		drawtext("To begin building your bridge click -->", 320 | ALIGNCENTER, 6, 12, 0.0f, 1.0f,
			0.0f, 1.0f);
	runticks();
	if (menuitem[ITEMEDIT].active) {
		editorloop();
		// Back from the editor goes straight back to the map pack menu.
		menuitem[0].active = 1;
		return;
	}
	drawview();
	drawfacts(savedbridge);
	drawmenuitems();
	drawmousecursor(1.0f, 1.0f, 1.0f, 1.0f);
	SDL_GL_SwapBuffers();
}

void previewmenu(int savedbridge)
{
	for (int n = 0; n < 3; n++) {
		textcolor[n] = config.textcolor[n];
		halfcolor[n] = 0.5f * textcolor[n];
		dimcolor[n] = 0.75f * textcolor[n];
	}
	orbitangle = 0.0f;
	viewradius = previewradius();
	reseteditor();
	setupbondtextures();
	resetsim();
	bridgecost = calculatebridgecost(0);
	resetmenuitems();
	lasttick = SDL_GetTicks();
	while (!menuitem[0].active && !windowinfo.quit)
		previewframeloop(savedbridge);
	resetmenuitems();
}
