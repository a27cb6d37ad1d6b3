#include "editor/editorframe.h"

#include <SDL/SDL_keysym.h>
#include <cmath>

#include "editor/cost.h"
#include "editor/editcycle.h"
#include "editor/editor.h"
#include "editor/planes.h"
#include "editor/selection.h"
#include "editor/undo.h"
#include "game/progress.h"
#include "game/tutorial.h"
#include "platform/config.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "render/camera.h"
#include "world/level.h"
#include "world/materials.h"

constexpr int DIALOGITEMS = 3;  // Yes, No and the hidden cancel come first

float editormenucolor[3];
int editorsimulateitem, editorcolorsitem, editorhelpitem, editorlevelitem;

static int intutorial()
{
	return tutorial.active;
}

static void item(const char *label, int x, int y, int size, int key)
{
	createmenuitem(label, x, y, size, editormenucolor[0], editormenucolor[1], editormenucolor[2],
		1.0f);
	setmenuitem(MENUSET_KEY, key);
}

static void offeredwhen(int shown)
{
	if (!shown)
		setmenuitem(MENUSET_STATE, MENUSTATE_DISABLED);
}

// A material item: disabled once its count has reached an enforced limit.
static void materialitem(const char *label, const char *thinlabel, int y, int key, int type)
{
	item(cheat[3] && thinlabel ? thinlabel : label, 512, y, 16, key);
	setmenuitem(MENUSET_SETITEM, &editor.material, type);
	offeredwhen(!(editor.materialcount[type] >= level.materiallimit[type] && cheat[0] == 1));
}

// Key 6 and a click fire both items of a pair; the second runs last, so
// each press switches between the two hydraulic kinds.
static void hydraulicitems()
{
	int full = editor.materialcount[LINKHYDRAULIC1] + editor.materialcount[LINKHYDRAULIC2] >=
		level.materiallimit[LINKHYDRAULIC1] && cheat[0] == 1;
	int first = editor.material == LINKHYDRAULIC2 ? LINKHYDRAULIC2 : LINKHYDRAULIC1;
	const char *label = "Hydralc";
	if (editor.material == LINKHYDRAULIC1)
		label = "Hydralc1";
	else if (editor.material == LINKHYDRAULIC2)
		label = "Hydralc2";
	item(label, 512, 280, 16, SDLK_6);
	setmenuitem(MENUSET_SETITEM, &editor.material, first);
	offeredwhen(!full);
	// Without a pair a placeholder keeps the slots of later items fixed.
	if (editor.material != LINKHYDRAULIC1 && editor.material != LINKHYDRAULIC2) {
		createmenuitemempty();
		return;
	}
	item("        ", 512, 280, 16, SDLK_6);
	setmenuitem(MENUSET_SETITEM, &editor.material,
		first == LINKHYDRAULIC1 ? LINKHYDRAULIC2 : LINKHYDRAULIC1);
	offeredwhen(!full);
}

// The answers to "Save Bridge?" exist only while it is asked; otherwise
// their slots hold placeholders, so the slots of later items stay fixed.
static void createdialogitems()
{
	if (editor.exitstate != 1) {
		for (int i = 0; i < DIALOGITEMS; i++)
			createmenuitemempty();
		return;
	}
	item("Yes", 320 | ALIGNRIGHT, 240, 16, SDLK_y);
	setmenuitem(MENUSET_SETITEM, &editor.exitstate, 3);
	item("No", 336, 240, 16, SDLK_n);
	setmenuitem(MENUSET_SETITEM, &editor.exitstate, 2);
	item("", 0, 0, 0, SDLK_ESCAPE);
	setmenuitem(MENUSET_SETITEM, &editor.exitstate, 0);
}

static void createtoggleitems()
{
	int packlevel = levelnum != -1;
	item("Autosave", 512, 432, 12, 0);
	setmenuitem(MENUSET_TOGGLE, &editor.autosave);
	offeredwhen(packlevel);
	item("Normal", 160, 4, 12, SDLK_F1);
	setmenuitem(MENUSET_SETITEM, &editor.complex, 0);
	offeredwhen(packlevel || intutorial());
	item("Complex", 320, 4, 12, SDLK_F2);
	setmenuitem(MENUSET_SETITEM, &editor.complex, 1);
	offeredwhen(packlevel || intutorial());
	item("GridHD", 512, 316, 12, SDLK_g);
	setmenuitem(MENUSET_TOGGLE, &editor.gridhd);
	item("Mirror", 512, 328, 12, SDLK_m);
	setmenuitem(MENUSET_TOGGLE, &editor.mirror);
	offeredwhen(editor.complex);
	item("ShowMirror", 512, 340, 12, 0);
	setmenuitem(MENUSET_TOGGLE, &editor.showmirror);
	offeredwhen(editor.complex);
	item("Crossbeams", 512, 352, 12, SDLK_b);
	setmenuitem(MENUSET_TOGGLE, &editor.crossbeams);
	offeredwhen(editor.complex);
}

static void creatematerialitems()
{
	materialitem("Iron", "IronX", 160, SDLK_1, LINKIRON);
	materialitem("Steel", "SteelX", 184, SDLK_2, LINKSTEEL);
	materialitem("Cable", nullptr, 208, SDLK_3, LINKCABLE);
	materialitem("SuspCbl", nullptr, 232, SDLK_4, LINKSUSPENSION);
	materialitem("HvSteel", "HvSteelX", 256, SDLK_5, LINKHEAVYSTEEL);
	hydraulicitems();
	item("SetJoint", 512, 304, 12, SDLK_j);
	setmenuitem(MENUSET_TOGGLE, &editor.setjoint);
	offeredwhen(level.materiallimit[LINKHYDRAULIC1] > 0 || cheat[0] == 0);
	item("Deck", 512, 136, 16, SDLK_BACKQUOTE);
	setmenuitem(MENUSET_TOGGLE, &editor.deck);
	offeredwhen(editor.complex && (editor.material == LINKIRON || editor.material == LINKSTEEL));
}

// The Copy item's callback; the count copypoints returns is not needed.
static void copyselection()
{
	copypoints();
}

static void createtoolitems()
{
	item("Copy", 512, 368, 12, SDLK_c);
	setmenuitem(MENUSET_CALLBACK, copyselection);
	offeredwhen(editor.editstate == 1);
	item("Delete", 512, 380, 12, SDLK_DELETE);
	setmenuitem(MENUSET_CALLBACK, deletepoints);
	offeredwhen(editor.editstate == 1);
	item("Paste", 512, 392, 12, SDLK_v);
	setmenuitem(MENUSET_SETITEM, &editor.editstate, 2);
	offeredwhen(copy.numoflinks != 0);
	item("Flip X", 512, 404, 12, SDLK_x);
	setmenuitem(MENUSET_CALLBACK, flipxaxis);
	offeredwhen(editor.editstate == 2);
	item("Undo", 512, 52, 16, SDLK_u);
	setmenuitem(MENUSET_CALLBACK, editorundo);
	offeredwhen(undoposition != undorear);
	item("Redo", 512, 68, 16, SDLK_o);
	setmenuitem(MENUSET_CALLBACK, editorredo);
	offeredwhen(undoposition != undofront);
	item("Forward", 512, 96, 14, SDLK_r);
	setmenuitem(MENUSET_CALLBACK, moveplaneforward);
	offeredwhen(editor.complex);
	item("Backward", 512, 110, 14, SDLK_f);
	setmenuitem(MENUSET_CALLBACK, moveplanebackward);
	offeredwhen(editor.complex);
}

// Thin-beam mode and the hint lines have keys but no visible item.
static void createhiddenitems()
{
	item("", 0, 0, 8, SDLK_TAB);
	setmenuitem(MENUSET_TOGGLE, &cheat[3]);
	offeredwhen(editor.complex);
	item("", 0, 0, 8, SDLK_F4);
	setmenuitem(MENUSET_TOGGLE, &cheat[3]);
	offeredwhen(!editor.complex && cheat[3]);
	createmenuitem("", 0, 0, 12, 1.0f, 1.0f, 1.0f, 1.0f);
	setmenuitem(MENUSET_KEY, SDLK_F4);
	setmenuitem(MENUSET_TOGGLE, &helpmenutoggle);
}

void createeditoritems()
{
	numofmenuitems = 0;
	createdialogitems();
	item("Exit", 4, 4, 12, SDLK_ESCAPE);
	setmenuitem(MENUSET_SETITEM, &editor.exitstate, 1);
	editorsimulateitem = numofmenuitems;
	item("Simulate", 636 | ALIGNRIGHT, 4, 12, SDLK_t);
	createmenuitemempty();
	editorlevelitem = numofmenuitems;
	createmenuitemempty();
	editorcolorsitem = numofmenuitems;
	item("Colors", 512, 28, 16, 0);
	editorhelpitem = numofmenuitems;
	item("Help", 512, 420, 12, SDLK_h);
	createtoggleitems();
	creatematerialitems();
	createtoolitems();
	createhiddenitems();
	// Only Yes, No and Escape answer the question.
	if (editor.exitstate == 1) {
		for (int i = DIALOGITEMS; i < numofmenuitems; i++)
			menuitem[i].state = MENUSTATE_DISABLED;
	}
}

static void setupcameras()
{
	const vector3 xaxis = {1.0f, 0.0f, 0.0f};
	player[0].target = {1280.0f, 360.0f, 1285.0f};
	player[0].pitch = 0.0f;
	player[0].yaw = 0.0f;
	player[0].distance = 80.0f;
	resetorientation(&player[0].axes);
	player[1].target = {1280.0f, 320.0f, 1280.0f};
	player[1].pitch = 0.0f;
	player[1].yaw = 0.0f;
	player[1].distance = 160.0f;
	resetorientation(&player[1].axes);
	rotateorientation(&player[1].axes, &xaxis, (float)M_PI / 2.0f);
	playernum = 0;
}

void entereditor()
{
	for (int n = 0; n < 3; n++)
		editormenucolor[n] = config.textcolor[n];
	setupeditorwindow();
	setupcameras();
	editor.complex = savedsettings.complex;
	editor.gridhd = savedsettings.gridhd;
	if (levelnum != -1)
		editor.autosave = savedsettings.autosave;
	editor.showmirror = savedsettings.showmirror;
	editor.movemode = savedsettings.movemode;
	resetundo();
	resetmenuitems();
}

// The result button of the test screen asks to leave: at once with
// autosave or in the tutorial, else through the question. Autosave belongs
// to map pack levels; a value left over from one must not send another
// level's bridge over that level's saved one.
void editorleaverules()
{
	if (editor.exitstate != 1)
		return;
	if (editor.autosave && levelnum != -1)
		editor.exitstate = 4;
	else if (intutorial())
		editor.exitstate = 5;
}

void editormoderules()
{
	applyeditmodes(&player[playernum].target.z);
}

void editordirectkeys()
{
	if (keyboard[SDLK_SPACE])
		editor.mirrorplanez = editor.planepoint.z - 2.0f * editor.gridsize;
	if (keypressed(SDLK_F5))
		editor.movemode ^= 1;
}

int editundermouse()
{
	starteditframe();
	float mousexy[2];
	vector3 hit;
	int inside = mouseovereditorwindow(0, mousexy);
	int hashit = inside && editplanehit(&hit, &frame.position, &frame.axes, mousexy);
	tentativeedit(hashit ? &hit : nullptr);
	return inside;
}

int keepeditundermouse(int inside, int costafter)
{
	int sound = 0;
	if (inside && editor.exitstate == 0)
		sound = commitedit(costafter);
	if (editor.exitstate == 0)
		switchjoints();
	return sound;
}

void storeeditorsettings()
{
	savedsettings.complex = editor.complex;
	savedsettings.gridhd = editor.gridhd;
	savedsettings.showmirror = editor.showmirror;
	savedsettings.movemode = editor.movemode;
	if (levelnum != -1)
		savedsettings.autosave = editor.autosave;
}
