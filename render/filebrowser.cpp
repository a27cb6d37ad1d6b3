#include "render/filebrowser.h"

#include <SDL/SDL.h>

#include "platform/config.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "render/menuscreen.h"

static void pageitems(const browsercolumn *c, int x)
{
	screenitem("{", x, 64, 16, 0);
	if (c->first < BROWSERROWS)
		setmenuitem(MENUSET_STATE, MENUSTATE_DISABLED);
	screenitem("}", x, 336, 16, 0);
	if (c->first + BROWSERROWS >= c->count)
		setmenuitem(MENUSET_STATE, MENUSTATE_DISABLED);
}

// Rows past the end of the list are empty items, so the row items keep
// their numbers. File names are shown cut to the column; folder names whole.
static void rowitems(const browsercolumn *c, char list[][NAMESIZE], int x, int files)
{
	for (int r = 0; r < BROWSERROWS; r++) {
		int entry = c->first + r;
		if (entry >= c->count)
			createmenuitemempty();
		else if (files)
			listrowitem(list[entry], x, 64 + 12 * r);
		else
			screenitem(list[entry], x, 64 + 12 * r, 12, 0);
	}
}

void createbrowseritems(int load, char *name, const browsercolumn *folders,
	const browsercolumn *files)
{
	numofmenuitems = 0;
	screenitem("Cancel", 4, 4, 16, SDLK_ESCAPE);
	screenitem(load ? "Load" : "Save", 636 | ALIGNRIGHT, 4, 16, load ? SDLK_l : SDLK_s);
	screenitem("Filename                 ", 320, 400, 12, SDLK_f);
	setmenuitem(MENUSET_STRINGBOX, name, NAMESIZE);
	pageitems(folders, 288);
	pageitems(files, 608);
	screenitem("Delete", 636 | ALIGNRIGHT, 460, 16, 0);
	rowitems(folders, dirlist, 4, 0);
	rowitems(files, filelist, 320, 1);
}

static void pagecolumn(int item, browsercolumn *c, int step)
{
	if (!itemfired(item))
		return;
	if ((step < 0 && c->first >= BROWSERROWS) || (step > 0 && c->first + BROWSERROWS < c->count))
		c->first += step;
}

void pagebrowser(browsercolumn *folders, browsercolumn *files)
{
	pagecolumn(FOLDERUP, folders, -BROWSERROWS);
	pagecolumn(FOLDERDOWN, folders, BROWSERROWS);
	pagecolumn(FILEUP, files, -BROWSERROWS);
	pagecolumn(FILEDOWN, files, BROWSERROWS);
}

// A row is acted on once, so a name typed after choosing a file is not
// overwritten by that file's name on every later frame.
void takechosenfile(const browsercolumn *files, char *name)
{
	for (int r = 0; r < BROWSERROWS; r++) {
		if (itemfired(FILEROWS + r) && files->first + r < files->count)
			copystring(name, filelist[files->first + r], NAMESIZE);
	}
}

int chosenfolder(const browsercolumn *folders)
{
	for (int r = 0; r < BROWSERROWS; r++) {
		if (itemfired(FOLDERROWS + r) && folders->first + r < folders->count)
			return folders->first + r;
	}
	return -1;
}

void drawbrowsertitles(const char *filetitle, const char *folder)
{
	const float *c = config.textcolor;
	drawtext("/s", 4, 412, 12, c[0] * 0.5f, c[1] * 0.5f, c[2] * 0.5f, 1.0f, folder);
	drawtext("Folder", 4, 48, 14, c[0], c[1], c[2], 1.0f);
	drawtext(filetitle, 320, 48, 14, c[0], c[1], c[2], 1.0f);
}
