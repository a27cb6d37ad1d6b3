// The level editor screen: the landscape under a free camera with the
// level grid, and per mode the brush, the vehicle placements with their
// routes, or the props; menu items for the property screens, help and
// saving.
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <cmath>
#include <cstdio>

#include "editor/editor.h"
#include "leveleditor/leveleditor.h"
#include "leveleditor/levelmenus.h"
#include "leveleditor/placements.h"
#include "platform/config.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "platform/viewport.h"
#include "render/camera.h"
#include "render/menuscreen.h"
#include "render/renderframe.h"
#include "world/landscape.h"
#include "world/level.h"

constexpr int KEY_ESCAPE = 27, KEY_BACKSPACE = 8, KEY_DELETE = 127;
constexpr int KEY_PAGEUP = 280, KEY_PAGEDOWN = 281;
constexpr int KEY_F1 = 282, KEY_F2 = 283, KEY_F3 = 284, KEY_F4 = 285, KEY_F9 = 290;
constexpr unsigned TICKMS = 20;
constexpr int MAXTICKS = 5;
constexpr float VIEWREACH = 3000.0f;
constexpr float PICKRADIUS = 10.0f;   // how near a click must come to a placement or prop
constexpr float LIFTSTEP = 1.0f;      // Page Up and Page Down
constexpr float TURNSTEP = 0.19634954f;  // a sixteenth of a turn
constexpr int PLACEPHASES = 8;

// What a click on the landscape does besides selecting.
enum clickaction { CLICKSELECT, CLICKPLACEVEHICLE, CLICKPLACEPROP };

static clickaction clickdoes;
static unsigned lasttick;

static int validplacement()
{
	int i = leveleditor.selectedobject;
	return i >= 0 && i < level.numoflevelobjects && i < MAXLEVELOBJECTS;
}

static void setitem(const char *label, int x, int y, int size, int key, int *target, int value)
{
	screenitem(label, x, y, size, key);
	setmenuitem(MENUSET_SETITEM, target, value);
}

static void callitem(const char *label, int x, int y, int size, int key, void (*action)())
{
	screenitem(label, x, y, size, key);
	setmenuitem(MENUSET_CALLBACK, action);
}

// The screens the items open run at the start of the next frame, outside
// the item pass, so that their own items do not overwrite these mid-pass.
enum subscreen {
	NOSCREEN, HELPSCREEN, SAVEASSCREEN, ADDOBJECTSCREEN, ADDCARSCREEN, PROPNAMESCREEN,
	COLORSCREEN, MATERIALSCREEN, DESCRIPTIONSCREEN, WINDSCREEN
};

static int wantedscreen;

static void screenitemfor(const char *label, int x, int y, int size, int key, int screen)
{
	setitem(label, x, y, size, key, &wantedscreen, screen);
}

static void setbandtop(int k)
{
	level.colorband[k].top = leveleditor.cursor.y;
}

static void setclr1() { setbandtop(0); }
static void setclr2() { setbandtop(1); }
static void setclr3() { setbandtop(2); }
static void setclr4() { setbandtop(3); }

static void dropcar()
{
	if (validplacement())
		deletecareditor();
}

static void startaddingprops()
{
	if (leveleditor.propname[0])
		clickdoes = CLICKPLACEPROP;
}

static void createlandscapeitems()
{
	setitem("raise", 4, 40, 12, '1', &leveleditor.tool, BRUSH_RAISE);
	setitem("lower", 4, 52, 12, '2', &leveleditor.tool, BRUSH_LOWER);
	setitem("set", 4, 64, 12, '3', &leveleditor.tool, BRUSH_SET);
	callitem("setclr1", 4, 88, 12, 0, setclr1);
	callitem("setclr2", 4, 100, 12, 0, setclr2);
	callitem("setclr3", 4, 112, 12, 0, setclr3);
	callitem("setclr4", 4, 124, 12, 0, setclr4);
	screenitemfor("color", 4, 148, 12, 0, COLORSCREEN);
	callitem("texture", 4, 160, 12, 'x', setuplandscapetexture);
	screenitem("Budget      ", 4, 184, 12, 'b');
	setmenuitem(MENUSET_INTBOX, &level.budget);
}

// The phase toggles: flipping the lowest bit would switch a loaded 2 to 3,
// still on. Each toggle's hotkey is its phase's digit.
static void switchphase()
{
	togglephase(leveleditor.selectedobject, menuitem[currentmenuitem].key - '0');
}

static void createobjectitems()
{
	screenitemfor("addobj", 4, 40, 12, '0', ADDOBJECTSCREEN);
	screenitem("phases    ", 4, 52, 12, 'p');
	setmenuitem(MENUSET_INTBOX, &level.numofphases);
	if (!validplacement())
		return;
	levelobjectstruct *lo = &level.levelobject[leveleditor.selectedobject];
	static const char *labels[PLACEPHASES] = {"1", "2", "3", "4", "5", "6", "7", "8"};
	for (int k = 0; k < PLACEPHASES; k++) {
		screenitem(labels[k], 4 + 16 * k, 88, 12, '1' + k);
		setmenuitem(MENUSET_TOGGLE, &lo->inphase[k]);
		setmenuitem(MENUSET_CALLBACK, switchphase);
	}
	screenitemfor("addcar", 4, 112, 12, 'c', ADDCARSCREEN);
	callitem("delcar", 4, 124, 12, 'v', dropcar);
}

static void createpropitems()
{
	screenitemfor("Propname", 4, 40, 12, 'n', PROPNAMESCREEN);
	callitem("Addprop", 4, 52, 12, 'p', startaddingprops);
}

static void createitems()
{
	numofmenuitems = 0;
	screenitem("Exit", 4, 4, 16, KEY_ESCAPE);
	setitem("Landscape", 160, 4, 12, KEY_F1, &leveleditor.mode, LEVELMODE_LANDSCAPE);
	setitem("Objects", 272, 4, 12, KEY_F2, &leveleditor.mode, LEVELMODE_OBJECTS);
	setitem("Props", 368, 4, 12, KEY_F3, &leveleditor.mode, LEVELMODE_PROPS);
	screenitemfor("Help", 444, 4, 12, KEY_F4, HELPSCREEN);
	screenitemfor("Save As", 636 | ALIGNRIGHT, 4, 12, KEY_F9, SAVEASSCREEN);
	screenitemfor("Materials", 636 | ALIGNRIGHT, 420, 12, 0, MATERIALSCREEN);
	screenitemfor("Description", 636 | ALIGNRIGHT, 436, 12, 0, DESCRIPTIONSCREEN);
	screenitemfor("Wind", 636 | ALIGNRIGHT, 452, 12, 0, WINDSCREEN);
	if (leveleditor.mode == LEVELMODE_LANDSCAPE)
		createlandscapeitems();
	else if (leveleditor.mode == LEVELMODE_OBJECTS)
		createobjectitems();
	else if (leveleditor.mode == LEVELMODE_PROPS)
		createpropitems();
}

static int pointeronitem()
{
	for (int i = 0; i < numofmenuitems && i < MAXMENUITEMS; i++) {
		const menuitemstruct *m = &menuitem[i];
		if (mouse.x >= m->x && mouse.x < m->x + m->size * m->width && mouse.y >= m->y &&
			mouse.y < m->y + m->size * m->height)
			return 1;
	}
	return 0;
}

// The ground under the pointer, seen from the frame's camera with the view's
// 90-degree horizontal field.
static int groundunderpointer(vector3 *out)
{
	float mx = (float)(mouse.x - VIRTUALWIDTH / 2) / (VIRTUALWIDTH / 2);
	float my = (float)(VIRTUALHEIGHT / 2 - mouse.y) / (VIRTUALWIDTH / 2);
	vector3 dir;
	scalevector(&dir, &frame.axes.v[0], mx);
	scaleaddvectors(&dir, &dir, &frame.axes.v[1], my);
	subtractvectors(&dir, &dir, &frame.axes.v[2]);
	vector3 to;
	scaleaddvectors(&to, &frame.position, &dir, VIEWREACH);
	return landscapeunderray(out, &frame.position, &to);
}

// The vertex the brush works on while the button is held, applied once a
// tick so that a stroke shapes the ground at the same pace at any frame rate.
static int brushing, brushx, brushz;

static void clicklandscape(const vector3 *ground)
{
	brushing = nearestvertex(ground, &brushx, &brushz);
}

static void clickplacements(const vector3 *ground)
{
	if (clickdoes == CLICKPLACEVEHICLE) {
		int i = addplacement(leveleditor.newobjecttype, ground);
		if (i >= 0)
			leveleditor.selectedobject = i;
		clickdoes = CLICKSELECT;
		return;
	}
	leveleditor.selectedobject = findplacement(ground, PICKRADIUS);
}

static void clickprops(const vector3 *ground)
{
	if (clickdoes == CLICKPLACEPROP) {
		int i = placeprop(leveleditor.propname, ground);
		if (i >= 0)
			leveleditor.selectedprop = i;
		return;
	}
	leveleditor.selectedprop = findprop(ground, PICKRADIUS);
}

static void mouseedits()
{
	brushing = 0;
	if (mouse.rightbutton && !prevmouse.rightbutton) {
		clickdoes = CLICKSELECT;
		if (leveleditor.mode == LEVELMODE_PROPS)
			leveleditor.selectedprop = -1;
	}
	if (!mouse.leftbutton || pointeronitem())
		return;
	vector3 ground;
	if (!groundunderpointer(&ground))
		return;
	int clicked = !prevmouse.leftbutton;
	// The brush works while the button is held; the others once per click.
	if (leveleditor.mode == LEVELMODE_LANDSCAPE)
		clicklandscape(&ground);
	else if (clicked && leveleditor.mode == LEVELMODE_OBJECTS)
		clickplacements(&ground);
	else if (clicked && leveleditor.mode == LEVELMODE_PROPS)
		clickprops(&ground);
}

static void landscapekeys(int shift)
{
	if (keypressed('h'))
		leveleditor.strength += shift ? -0.5f : 0.5f;
	if (keypressed('i'))
		leveleditor.radius += shift ? -1 : 1;
	if (leveleditor.strength < 0.0f)
		leveleditor.strength = 0.0f;
	if (leveleditor.radius < 0)
		leveleditor.radius = 0;
	if (leveleditor.radius > LANDSCAPESIZE)
		leveleditor.radius = LANDSCAPESIZE;
	vector3 ground;
	if (keypressed('l') && groundunderpointer(&ground)) {
		level.waterlevel = ground.y;
		setuplandscapenormals();  // the depth shading follows the water
	}
}

static void placementkeys()
{
	int i = leveleditor.selectedobject;
	vector3 ground;
	if (keypressed('y') && groundunderpointer(&ground))
		addwaypoint(i, &ground);
	if (keypressed(KEY_BACKSPACE))
		deletewaypoint(i);
	if (keypressed(KEY_PAGEUP))
		moveplacement(i, LIFTSTEP);
	if (keypressed(KEY_PAGEDOWN))
		moveplacement(i, -LIFTSTEP);
	if (keypressed('x'))
		rotateplacement(i, TURNSTEP);
	if (keypressed(KEY_DELETE))
		deleteplacement(i);
}

static void propkeys()
{
	int i = leveleditor.selectedprop;
	if (keypressed(KEY_PAGEUP))
		moveprop(i, LIFTSTEP);
	if (keypressed(KEY_PAGEDOWN))
		moveprop(i, -LIFTSTEP);
	if (keypressed('x'))
		rotateprop(i, TURNSTEP);
	if (keypressed(KEY_DELETE))
		deleteprop(i);
}

static void directkeys()
{
	if (menuinputkeyboard)
		return;  // the keys are typing into a text box
	int shift = keyboard[KEY_LSHIFT];
	float *sun = shift ? &sunangle2 : &sunangle;
	if (keyboard['['])
		*sun -= 0.02f;
	if (keyboard[']'])
		*sun += 0.02f;
	vector3 ground;
	if (keypressed('g') && leveleditor.mode != LEVELMODE_PROPS && groundunderpointer(&ground))
		leveleditor.cursor.y = ground.y;
	if (keypressed('r') && leveleditor.mode == LEVELMODE_LANDSCAPE)
		leveleditor.cursor.y -= editor.gridsize;
	if (keypressed('f') && leveleditor.mode == LEVELMODE_LANDSCAPE)
		leveleditor.cursor.y += editor.gridsize;
	if (leveleditor.mode == LEVELMODE_LANDSCAPE)
		landscapekeys(shift);
	else if (leveleditor.mode == LEVELMODE_OBJECTS)
		placementkeys();
	else if (leveleditor.mode == LEVELMODE_PROPS)
		propkeys();
}

// A phase count typed beyond the level's phase slots would send the test
// run past them.
static void keepphasecount()
{
	if (level.numofphases < 0)
		level.numofphases = 0;
	if (level.numofphases > MAXPHASES)
		level.numofphases = MAXPHASES;
}

// The camera and the brush move in 20 ms ticks, at most five a frame.
static void runticks()
{
	unsigned now = SDL_GetTicks();
	if (!windowinfo.active) {
		lasttick = now;
		return;
	}
	for (int n = 0; n < MAXTICKS && now - lasttick > TICKMS; n++) {
		moveviewpointlevel();
		if (brushing)
			changelandscape(brushx, brushz);
		lasttick += TICKMS;
	}
	if (now - lasttick > TICKMS)
		lasttick = now;
}

static void chooseobject()
{
	leveleditor.menudone = 0;
	addobjectmenu();
	// Backing out also drops a vehicle chosen earlier and not yet placed:
	// its type is gone from newobjecttype.
	clickdoes = leveleditor.newobjecttype != -1 ? CLICKPLACEVEHICLE : CLICKSELECT;
}

static void opensubscreen()
{
	int screen = wantedscreen;
	wantedscreen = NOSCREEN;
	switch (screen) {
	case HELPSCREEN:
		levelhelpmenu();
		break;
	case SAVEASSCREEN:
		filelevelmenu(0);
		break;
	case ADDOBJECTSCREEN:
		chooseobject();
		break;
	case ADDCARSCREEN:
		if (validplacement())
			addcarmenu();
		break;
	case PROPNAMESCREEN:
		propnamemenu();
		break;
	case COLORSCREEN:
		editlevelcolormenu();
		break;
	case MATERIALSCREEN:
		editmaterials();
		break;
	case DESCRIPTIONSCREEN:
		editdescription();
		break;
	case WINDSCREEN:
		editwind();
		break;
	}
	resetmenuitems();
	spendheldkeys();            // the key that closed it is not this screen's
	lasttick = SDL_GetTicks();  // the camera does not catch up the time away
}

static void drawhud()
{
	static const char *tools[3] = {"Raise", "Lower", "Set"};
	const float *c = config.textcolor;
	int t = leveleditor.tool;
	char line[TEXTLINESIZE];
	snprintf(line, sizeof line, "%s  Height %.1f  Size %d", t >= 0 && t < 3 ? tools[t] : "No tool",
		(double)leveleditor.strength, leveleditor.radius);
	drawtext("/s", 4, 452, 10, c[0], c[1], c[2], 1.0f, line);
	snprintf(line, sizeof line, "Grid %.1f  Water %.1f", (double)leveleditor.cursor.y,
		(double)level.waterlevel);
	drawtext("/s", 4, 464, 10, c[0], c[1], c[2], 1.0f, line);
	if (clickdoes == CLICKPLACEVEHICLE)
		drawtext("Click to place the vehicle", 160, 24, 12, 0.0f, 1.0f, 0.0f, 1.0f);
	if (clickdoes == CLICKPLACEPROP)
		drawtext("Click to place /s, right click to stop", 160, 24, 12, 0.0f, 1.0f, 0.0f,
			1.0f, leveleditor.propname);
}

static void drawframe()
{
	glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
	glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
	setupperspectiveviewport(0, 0, VIRTUALWIDTH, VIRTUALHEIGHT, 0.3f, VIEWREACH);
	setupviewpoint(&frame.position, &frame.axes);
	renderframelevel();
	rendergridlevel();
	setuptextdisplay();
	drawhud();
	drawmenuitems();
	drawmousecursor(1.0f, 1.0f, 1.0f, 1.0f);
	SDL_GL_SwapBuffers();
}

static void startcamera()
{
	if (playernum < 0 || playernum >= MAXPLAYERS)
		playernum = 0;
	playerstruct *p = &player[playernum];
	p->object = -1;
	p->targetobject = -1;
	p->target = {level.landscapewidth * LANDSCAPESTEP * 0.5f, leveleditor.cursor.y,
		level.landscapedepth * LANDSCAPESTEP * 0.5f};
	resetorientation(&p->axes);
	p->pitch = 0.5f;  // looking down onto the target
	p->yaw = 0.0f;
	p->distance = 200.0f;
}

void leveleditorloop()
{
	startcamera();
	clickdoes = CLICKSELECT;
	wantedscreen = NOSCREEN;
	resetmenuitems();
	lasttick = SDL_GetTicks();
	while (screenopen()) {
		if (wantedscreen != NOSCREEN)
			opensubscreen();
		createitems();
		pollscreen();
		keepphasecount();
		directkeys();
		mouseedits();
		runticks();
		framefromplayer(&frame, &player[playernum]);
		drawframe();
	}
	resetmenuitems();
}
