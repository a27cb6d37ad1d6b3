// The level file browser: pack folders of "files" on the left, their level
// files on the right, a name box, and Load (with the level preview) or Save.
#include <GL/gl.h>
#include <SDL/SDL.h>

#include "editor/editor.h"
#include "game/preview.h"
#include "game/progress.h"
#include "leveleditor/levelfiles.h"
#include "leveleditor/levelmenus.h"
#include "leveleditor/levelscreen.h"
#include "platform/config.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "render/backdrop.h"

constexpr int KEY_ESCAPE = 27;
constexpr int PAGEROWS = 24;
constexpr int LOADITEM = 1, FOLDERUP = 3, FOLDERDOWN = 4, FILEUP = 5, FILEDOWN = 6;
constexpr int DELETEITEM = 7, FOLDERROWS = 8, FILEROWS = 32;

struct browsercolumn {
	int count;
	int first;  // first row shown
};

static browsercolumn folders, files;

static void pageitems(const browsercolumn *c, int x)
{
	screenitem("{", x, 64, 16, 0);
	if (c->first < PAGEROWS)
		setmenuitem(MENUSET_STATE, MENUSTATE_DISABLED);
	screenitem("}", x, 336, 16, 0);
	if (c->first + PAGEROWS >= c->count)
		setmenuitem(MENUSET_STATE, MENUSTATE_DISABLED);
}

static void rowitems(const browsercolumn *c, char list[][NAMESIZE], int x)
{
	for (int r = 0; r < PAGEROWS; r++) {
		int entry = c->first + r;
		if (entry < c->count)
			screenitem(list[entry], x, 64 + 12 * r, 12, 0);
		else
			createmenuitemempty();
	}
}

static void createitems(int load)
{
	numofmenuitems = 0;
	screenitem("Cancel", 4, 4, 16, KEY_ESCAPE);
	screenitem(load ? "Load" : "Save", 636 | ALIGNRIGHT, 4, 16, load ? 'l' : 's');
	screenitem("Filename                 ", 320, 400, 12, 'f');
	setmenuitem(MENUSET_STRINGBOX, levelfilename, NAMESIZE);
	pageitems(&folders, 288);
	pageitems(&files, 608);
	screenitem("Delete", 636 | ALIGNRIGHT, 460, 16, 0);
	rowitems(&folders, dirlist, 4);
	rowitems(&files, filelist, 320);
}

static void page(int item, browsercolumn *c, int step)
{
	if (!menuitem[item].active)
		return;
	if ((step < 0 && c->first >= PAGEROWS) || (step > 0 && c->first + PAGEROWS < c->count)) {
		menuitem[item].active = 0;
		c->first += step;
	}
}

// A row stays fired until the next click; it is acted on once, so a name
// typed after it is not overwritten.
static int rowfired(int item)
{
	if (!menuitem[item].active)
		return 0;
	menuitem[item].active = 0;
	return 1;
}

static void actonrows()
{
	for (int r = 0; r < PAGEROWS; r++) {
		if (rowfired(FILEROWS + r) && files.first + r < files.count)
			copystring(levelfilename, filelist[files.first + r], NAMESIZE);
	}
	for (int r = 0; r < PAGEROWS; r++) {
		if (!rowfired(FOLDERROWS + r) || folders.first + r >= folders.count)
			continue;
		changelevelfolder(dirlist[folders.first + r]);
		folders.count = listlevelfolders();
		files.count = listlevelfiles();
		resetmenuitems();
		return;  // the rows now show other entries
	}
}

static void loadorsave(int load)
{
	if (!menuitem[LOADITEM].active)
		return;
	menuitem[LOADITEM].active = 0;
	if (!load) {
		savelevelfile();
		menuitem[0].active = 1;
		return;
	}
	if (!loadlevelfile())
		return;
	levelnum = -1;
	editor.autosave = 0;
	// The preview reports nothing back, so the browser stays open after it
	// for another choice.
	previewmenu(0);
	resetmenuitems();
}

static void drawbrowser()
{
	const float *c = config.textcolor;
	setuptextdisplay();
	if (config.background)
		drawbgtitle();
	drawtext("/s", 4, 412, 12, c[0] * 0.5f, c[1] * 0.5f, c[2] * 0.5f, 1.0f, leveldirname);
	drawtext("Folder", 4, 48, 14, c[0], c[1], c[2], 1.0f);
	drawtext("Level", 320, 48, 14, c[0], c[1], c[2], 1.0f);
	drawmenuitems();
	drawmousecursor(1.0f, 1.0f, 1.0f, 1.0f);
	SDL_GL_SwapBuffers();
}

void filelevelmenu(int load)
{
	folders = {listlevelfolders(), 0};
	files = {listlevelfiles(), 0};
	resetmenuitems();
	while (screenopen()) {
		glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
		glClear(GL_COLOR_BUFFER_BIT);
		createitems(load);
		pollscreen();
		page(FOLDERUP, &folders, -PAGEROWS);
		page(FOLDERDOWN, &folders, PAGEROWS);
		page(FILEUP, &files, -PAGEROWS);
		page(FILEDOWN, &files, PAGEROWS);
		if (menuitem[DELETEITEM].active) {
			deletelevelfile();
			files.count = listlevelfiles();
			menuitem[DELETEITEM].active = 0;
		}
		actonrows();
		loadorsave(load);
		if (!menuitem[0].active)
			drawbrowser();
	}
	resetmenuitems();
}
