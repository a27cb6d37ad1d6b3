#include "game/mainmenu.h"

#include "game/menufooter.h"
#include "game/preview.h"
#include "game/progress.h"
#include "game/tutorial.h"
#include "editor/editor.h"
#include "platform/config.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "render/menuscreen.h"
#include "world/mappack.h"

#include <SDL/SDL.h>
#include <cstring>

constexpr int FIRSTLEVELITEM = 1;

static float textcolor[3];
static float dimcolor[3];

void startmenu()
{
	makeprofilefolder();
	copystring(mappackname, "demo", sizeof mappackname);
	if (!openmappack()) {
		resetmenuitems();
		return;
	}
	helpmenutoggle = !strcmp(mappackname, "easy") && !mappack.completed[0];
	mappackmenu();
	saveprofilemappack();
	resetmenuitems();
}

static void createitems()
{
	numofmenuitems = 0;
	createmenuitem("Back", 4, 4, 16, textcolor[0], textcolor[1], textcolor[2], 1.0f);
	setmenuitem(MENUSET_KEY, SDLK_ESCAPE);
	for (int i = 0; i < mappack.numoflevels; i++) {
		createmenuitem(mappack.levelname[i], 4, 16 * (i + 4), 16, textcolor[0], textcolor[1],
			textcolor[2], 1.0f);
		if (!levelopen(i))
			setmenuitem(MENUSET_STATE, MENUSTATE_DISABLED);
	}
	createmenuitem("", 0, 0, 12, textcolor[0], textcolor[1], textcolor[2], 1.0f);
	setmenuitem(MENUSET_KEY, SDLK_F4);
	setmenuitem(MENUSET_TOGGLE, &helpmenutoggle);
}

static void playlevel(int i)
{
	if (mappack.completed[0])
		helpmenutoggle = 0;
	int savedbridge = 0;
	// A tutorial keeps the level's own bridge for its lessons.
	if (!loadpacklevel(i, !tutorial.active, &savedbridge))
		return;
	copystring(leveldirname, mappackname, sizeof leveldirname);
	copystring(levelfilename, mappack.levelname[i], sizeof levelfilename);
	levelnum = i;
	editor.autosave = 1;
	previewmenu(savedbridge);
}

static void chooselevels()
{
	for (int i = 0; i < mappack.numoflevels; i++) {
		menuitemstruct *item = &menuitem[FIRSTLEVELITEM + i];
		if (!item->active)
			continue;
		// A level that cannot be loaded is not tried again every frame.
		item->active = 0;
		playlevel(i);
	}
}

static void drawhints()
{
	static const char *first[3] = { "<-- Click on a level to begin you",
		"can turn toggle the help messages", "on or off by pressing F4 any time" };
	static const char *later[3] = { "You are now ready for level 2",
		"if you need this help again  ", "press F4 to activate it" };
	const char **lines = mappack.completed[0] ? later : first;
	for (int n = 0; n < 3; n++)
		drawtext(lines[n], 128, 64 + 12 * n, 12, 0.0f, 1.0f, 0.0f, 1.0f);
}

static void drawmappackmenu()
{
	drawbackdrop();
	if (helpmenutoggle)
		drawhints();
	const float *c = textcolor;
	drawtext("/s Map Pack", 320 | ALIGNCENTER, 4, 14, c[0], c[1], c[2], 1.0f, mappackname);
	drawtext("Levels", 4, 48, 16, c[0], c[1], c[2], 1.0f);
	drawtext("Description", 4, 304, 16, c[0], c[1], c[2], 1.0f);
	for (int n = 0; n < 4; n++)
		drawtext("/s", 4, 320 + 14 * n, 14, dimcolor[0], dimcolor[1], dimcolor[2], 1.0f,
			mappack.text[PACKENDINGLINES + n]);
	drawmenufooter(c[0], c[1], c[2]);
	finishscreen();
}

void mappackmenu()
{
	resetmenuitems();
	for (int n = 0; n < 3; n++) {
		textcolor[n] = config.textcolor[n];
		dimcolor[n] = 0.75f * textcolor[n];
	}
	while (!menuitem[0].active && !windowinfo.quit) {
		clearscreen();
		createitems();
		pollscreen();
		chooselevels();
		drawmappackmenu();
	}
	resetmenuitems();
}
