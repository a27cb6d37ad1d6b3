// The bridge file browser: the profile's pack folders on the left, their
// saved bridges on the right, a name box, Delete, and Save (or Load with
// the level preview).
#include <GL/gl.h>
#include <SDL/SDL.h>

#include "editor/bridgefiles.h"
#include "editor/editor.h"
#include "editor/editormenus.h"
#include "game/preview.h"
#include "game/progress.h"
#include "platform/config.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "render/backdrop.h"

constexpr int PAGEROWS = 24;
constexpr int CANCELITEM = 0, SAVEITEM = 1, FOLDERUP = 3, FOLDERDOWN = 4, FILEUP = 5,
	FILEDOWN = 6, DELETEITEM = 7, FOLDERROWS = 8, FILEROWS = FOLDERROWS + PAGEROWS;

struct browsercolumn {
	int count;
	int first;  // first row shown, a multiple of PAGEROWS
};

static browsercolumn folders, files;

static void item(const char *label, int x, int y, int size, int key)
{
	const float *c = config.textcolor;
	createmenuitem(label, x, y, size, c[0], c[1], c[2], 1.0f);
	setmenuitem(MENUSET_KEY, key);
}

static void pageitems(const browsercolumn *c, int x)
{
	item("{", x, 64, 16, 0);
	if (c->first < PAGEROWS)
		setmenuitem(MENUSET_STATE, MENUSTATE_DISABLED);
	item("}", x, 336, 16, 0);
	if (c->first + PAGEROWS >= c->count)
		setmenuitem(MENUSET_STATE, MENUSTATE_DISABLED);
}

static void rowitems(const browsercolumn *c, char list[][NAMESIZE], int x)
{
	for (int r = 0; r < PAGEROWS; r++) {
		int entry = c->first + r;
		if (entry < c->count)
			item(list[entry], x, 64 + 12 * r, 12, 0);
		else
			createmenuitemempty();
	}
}

static void createitems(int load)
{
	numofmenuitems = 0;
	item("Cancel", 4, 4, 16, SDLK_ESCAPE);
	item(load ? "Load" : "Save", 636 | ALIGNRIGHT, 4, 16, load ? SDLK_l : SDLK_s);
	item("Filename                 ", 320, 400, 12, SDLK_f);
	setmenuitem(MENUSET_STRINGBOX, levelfilename, NAMESIZE);
	pageitems(&folders, 288);
	pageitems(&files, 608);
	item("Delete", 636 | ALIGNRIGHT, 460, 16, 0);
	rowitems(&folders, dirlist, 4);
	rowitems(&files, filelist, 320);
}

static void readlists()
{
	folders = {listbridgefolders(), 0};
	files = {listbridgefiles(), 0};
}

static int fired(int item)
{
	if (!menuitem[item].active)
		return 0;
	menuitem[item].active = 0;
	return 1;
}

static void page(int item, browsercolumn *c, int step)
{
	if (!menuitem[item].active)
		return;
	menuitem[item].active = 0;
	if ((step < 0 && c->first >= PAGEROWS) || (step > 0 && c->first + PAGEROWS < c->count))
		c->first += step;
}

// A row is acted on once, so a name typed after choosing a file is not
// overwritten by that file's name on every later frame.
static void actonrows()
{
	for (int r = 0; r < PAGEROWS; r++) {
		if (fired(FILEROWS + r) && files.first + r < files.count)
			copystring(levelfilename, filelist[files.first + r], NAMESIZE);
	}
	for (int r = 0; r < PAGEROWS; r++) {
		if (!fired(FOLDERROWS + r) || folders.first + r >= folders.count)
			continue;
		changebridgefolder(dirlist[folders.first + r]);
		readlists();
		resetmenuitems();
		return;  // the rows now show other entries
	}
}

// A save that failed (no name, a refused name, no profile folder) keeps the
// browser open, so the bridge is not lost behind a screen that looked done.
static void saveorload(int load)
{
	if (!fired(SAVEITEM))
		return;
	if (!load) {
		if (savebridgefile())
			menuitem[CANCELITEM].active = 1;
		return;
	}
	if (!loadbridgefile())
		return;
	levelnum = -1;
	editor.autosave = 0;
	previewmenu(1);
	// The preview reports nothing back: the browser stays for another choice.
	resetmenuitems();
}

static void drawbrowser()
{
	const float *c = config.textcolor;
	setuptextdisplay();
	if (config.background == 1)
		drawbgtitle();
	drawtext("/s", 4, 412, 12, c[0] * 0.5f, c[1] * 0.5f, c[2] * 0.5f, 1.0f, leveldirname);
	drawtext("Folder", 4, 48, 14, c[0], c[1], c[2], 1.0f);
	drawtext("Bridge", 320, 48, 14, c[0], c[1], c[2], 1.0f);
	drawmenuitems();
	drawmousecursor(1.0f, 1.0f, 1.0f, 1.0f);
	SDL_GL_SwapBuffers();
}

void filebridgemenu(int load)
{
	openbridgefolder(!load);
	readlists();
	resetmenuitems();
	while (!menuitem[CANCELITEM].active && !windowinfo.quit) {
		glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
		glClear(GL_COLOR_BUFFER_BIT);
		createitems(load);
		checksystemmessages();
		checkkeyboard();
		checkmouse();
		checkmenuitems();
		page(FOLDERUP, &folders, -PAGEROWS);
		page(FOLDERDOWN, &folders, PAGEROWS);
		page(FILEUP, &files, -PAGEROWS);
		page(FILEDOWN, &files, PAGEROWS);
		if (fired(DELETEITEM)) {
			deletebridgefile();
			files = {listbridgefiles(), 0};
		}
		actonrows();
		saveorload(load);
		if (!menuitem[CANCELITEM].active)
			drawbrowser();
	}
	resetmenuitems();
}
