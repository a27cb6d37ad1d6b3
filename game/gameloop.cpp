#include "game/gameloop.h"

#include "game/gamehelp.h"
#include "game/gamehud.h"
#include "game/progress.h"
#include "game/testrules.h"
#include "game/ticks.h"
#include "game/viewclear.h"
#include "editor/editor.h"
#include "editor/planes.h"
#include "platform/config.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "platform/viewport.h"
#include "render/backdrop.h"
#include "render/camera.h"
#include "render/landscapedraw.h"
#include "render/proctex.h"
#include "render/renderframe.h"
#include "sound/audio.h"
#include "world/level.h"
#include "world/model.h"
#include "world/simsetup.h"
#include "world/simulation.h"
#include "world/soundevents.h"
#include "world/vehicle.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

int recordscreenshots;

static int stepcount;
static unsigned lasttick;
static int showhelp;
static float textcolor[3];

static void loadswitches()
{
	renderoptions.lighting = savedsettings.lighting;
	renderoptions.shadows = savedsettings.shadows;
	renderoptions.reflections = savedsettings.reflections;
	renderoptions.detaillevel = savedsettings.detaillevel;
	renderoptions.fastlandscape = savedsettings.fastlandscape;
	renderoptions.showstress = savedsettings.showstress;
	renderoptions.showstressmax = savedsettings.showstressmax;
	sim.showbrokenbonds = savedsettings.showbrokenbonds;
	sim.fast = savedsettings.fast;
	sim.slow = savedsettings.slow;
}

// Pause is kept between runs but is no setting.
static void saveswitches()
{
	savedsettings.lighting = renderoptions.lighting;
	savedsettings.shadows = renderoptions.shadows;
	savedsettings.reflections = renderoptions.reflections;
	savedsettings.detaillevel = renderoptions.detaillevel;
	savedsettings.fastlandscape = renderoptions.fastlandscape;
	savedsettings.showstress = renderoptions.showstress;
	savedsettings.showstressmax = renderoptions.showstressmax;
	savedsettings.showbrokenbonds = sim.showbrokenbonds;
	savedsettings.fast = sim.fast;
	savedsettings.slow = sim.slow;
}

static void item(const char *label, int x, int y, int size, int key)
{
	createmenuitem(label, x, y, size, textcolor[0], textcolor[1], textcolor[2], 1.0f);
	setmenuitem(MENUSET_KEY, key);
}

static void toggleitem(const char *label, int y, int key, int *target)
{
	item(label, 512, y, 14, key);
	setmenuitem(MENUSET_TOGGLE, target);
}

static void setitem(const char *label, int x, int y, int size, int key, int *target, int value)
{
	item(label, x, y, size, key);
	setmenuitem(MENUSET_SETITEM, target, value);
}

// Hidden items keep their slots, so no fired flag moves to another item.
static void drawbridgeitems()
{
	if (!sim.manualphase || phasenum <= 0) {
		for (int n = 0; n < 5; n++)
			createmenuitemempty();
		return;
	}
	item("DB_UP", 80, 4, 16, 0);
	setmenuitem(MENUSET_TOGGLE, &sim.drawbridgeup);
	// Each blank lies on the item before it: one click switches the other
	// direction off.
	setitem("     ", 80, 4, 16, 0, &sim.drawbridgedown, 0);
	item("DB_DOWN", 176, 4, 16, 0);
	setmenuitem(MENUSET_TOGGLE, &sim.drawbridgedown);
	setitem("       ", 176, 4, 16, 0, &sim.drawbridgeup, 0);
	setitem("Next Phase", 304, 4, 16, SDLK_0, &sim.nextphase, 1);
}

static void vehicleitems()
{
	int list[MAXFOLLOWKEYS];
	int count = listfollowvehicles(list);
	for (int k = 0; k < MAXFOLLOWKEYS; k++) {
		if (k >= count) {
			createmenuitemempty();
			continue;
		}
		int type = object[list[k]].type;
		const char *name = type >= 0 && type < MAXMODELS ? objectmodel[type].name : "";
		setitem(name, 512, 384 + 12 * (k + 1), 12, SDLK_2 + k, &sim.followobject, list[k]);
	}
}

static void createitems()
{
	numofmenuitems = 0;
	item("Edit", 4, 4, 16, SDLK_ESCAPE);
	drawbridgeitems();
	item("Reset", 512, 32, 16, SDLK_F1);
	setmenuitem(MENUSET_CALLBACK, resetsim);
	if (level.numofphases < phasenum && !sim.testfailed)
		setitem(resultlabel(), 636 | ALIGNRIGHT, 4, 16, 0, &editor.exitstate, 1);
	else
		createmenuitemempty();
	toggleitem("Fast", 178, SDLK_f, &sim.fast);
	toggleitem("Slow", 192, SDLK_l, &sim.slow);
	toggleitem("Pause", 206, SDLK_p, &sim.pause);
	toggleitem("Stress", 240, SDLK_r, &renderoptions.showstress);
	if (renderoptions.showstress)
		toggleitem("Max", 254, SDLK_x, &renderoptions.showstressmax);
	else
		createmenuitemempty();
	toggleitem("Shadows", 268, SDLK_h, &renderoptions.shadows);
	toggleitem("Lighting", 282, SDLK_i, &renderoptions.lighting);
	toggleitem("Reflections", 296, SDLK_c, &renderoptions.reflections);
	setitem("Low", 512, 324, 14, 0, &renderoptions.detaillevel, 0);
	setitem("Medium", 512, 338, 14, 0, &renderoptions.detaillevel, 1);
	setitem("High", 512, 352, 14, 0, &renderoptions.detaillevel, 2);
	setitem("Help", 512, 368, 14, 0, &showhelp, 1);
	if (phasenum == 0)
		setitem("Run Test", 636 | ALIGNRIGHT, 4, 16, SDLK_t, &phasenum, 1);
	else
		createmenuitemempty();
	setitem("External", 512, 384, 12, SDLK_1, &sim.followobject, -1);
	item("", 0, 0, 12, SDLK_MINUS);
	setmenuitem(MENUSET_TOGGLE, &sim.showbrokenbonds);
	vehicleitems();
	createmenuitem("", 0, 0, 12, 1.0f, 1.0f, 1.0f, 1.0f);
	setmenuitem(MENUSET_KEY, SDLK_F4);
	setmenuitem(MENUSET_TOGGLE, &helpmenutoggle);
}

static void directkeys()
{
	if (keypressed(SDLK_x) && sim.followobject != -1)
		sim.cameramode ^= 1;
	if (keypressed(SDLK_F5))
		editor.movemode ^= 1;
	if (keypressed(SDLK_F6))
		renderoptions.fastlandscape ^= 1;
}

static void movecamera()
{
	if (sim.followobject != -1) {
		playernum = 2;
		if (sim.drivemode == 1)
			getuserinput();
		else
			moveobjectviewpoint();
	} else {
		playernum = 0;
		moveviewpoint();
	}
}

static void sunkeys()
{
	// pi / 128 a tick while held.
	const float turn = 0.024543692606171875f;
	float *angle = keyboard[SDLK_LSHIFT] ? &sunangle2 : &sunangle;
	if (keyboard[SDLK_LEFTBRACKET])
		*angle -= turn;
	if (keyboard[SDLK_RIGHTBRACKET])
		*angle += turn;
}

static void tick()
{
	movecamera();
	sunkeys();
	int steps = ticksteps(&stepcount, sim.pause, keyboard[SDLK_F9], sim.fast, sim.slow);
	for (int n = 0; n < steps; n++)
		simulation();
}

static void runticks()
{
	for (int taken = 0; tickdue(&lasttick, SDL_GetTicks(), taken, windowinfo.active); taken++)
		tick();
	// F9 steps once a frame, paused or not.
	if (keyboard[SDLK_F9])
		simulation();
}

static void drawview()
{
	const editorwindowstruct *w = &editorwindow[0];
	setupperspectiveviewport(w->x, w->y, w->width, w->height, 0.3f, 3000.0f);
	if (!renderoptions.wireframe) {
		renderframe();
		return;
	}
	glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
	glDisable(GL_TEXTURE_2D);
	renderframe();
	glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
	glEnable(GL_TEXTURE_2D);
}

static void screenshots()
{
	if (keypressed(SDLK_F10))
		recordscreenshots ^= 1;
	if (keypressed(SDLK_F8) || recordscreenshots)
		screenshot();
}

static void frameloop()
{
	createitems();
	checksystemmessages();
	checkkeyboard();
	checkmouse();
	checkmenuitems();
	if (showhelp) {
		gamehelpmenu();
		showhelp = 0;
		lasttick = SDL_GetTicks();  // the help pages' time is not simulated
	}
	directkeys();
	sim.wind = { 0.0f, 0.0f, levelwindspeed() };
	sim.current = { 0.0f, 0.0f, levelcurrentspeed() };
	setloddistances(loddistance, renderoptions.detaillevel);
	runticks();
	setupframe();
	soundsimulation(&frame.position, &frame.axes);
	clearview();
	drawview();
	sundialinput();
	setuptextdisplay();
	if (config.background)
		drawbackground();
	drawsundial();
	setuptextdisplay();
	drawtesthud(textcolor[0], textcolor[1], textcolor[2]);
	drawmenuitems();
	screenshots();
	drawmousecursor(1.0f, 1.0f, 1.0f, 1.0f);
	SDL_GL_SwapBuffers();
}

void gameloop()
{
	stepcount = 0;
	showhelp = 0;
	for (int n = 0; n < 3; n++)
		textcolor[n] = config.textcolor[n];
	earthquakestart = 0;
	earthquakemag = 0;
	loadswitches();
	setupbondtextures();
	resetsim();
	resetmenuitems();
	lasttick = SDL_GetTicks();

	while (!menuitem[0].active && !editor.exitstate && !windowinfo.quit)
		frameloop();

	saveswitches();
	stopallsounds();
	playernum = 0;
	resetmenuitems();
}
