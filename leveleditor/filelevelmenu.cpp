// The level file browser: pack folders of "files" on the left, their level
// files on the right, a name box, and Load (with the level preview) or Save.

#include "editor/editor.h"
#include "game/preview.h"
#include "game/progress.h"
#include "leveleditor/levelfiles.h"
#include "leveleditor/levelmenus.h"
#include "platform/files.h"
#include "platform/menu.h"
#include "render/filebrowser.h"
#include "render/menuscreen.h"

static browsercolumn folders, files;

// A folder row opens that folder; the rows then show other entries.
static void actonrows()
{
	takechosenfile(&files, levelfilename);
	int folder = chosenfolder(&folders);
	if (folder >= 0) {
		changelevelfolder(dirlist[folder]);
		folders.count = listlevelfolders();
		files.count = listlevelfiles();
		resetmenuitems();
	}
}

// A save that failed (no name, a refused name, a write error) keeps the
// browser open, so the level is not lost behind a screen that looked done.
static void loadorsave(int load)
{
	if (!itemfired(ACTIONITEM))
		return;
	if (!load) {
		if (savelevelfile())
			menuitem[CANCELITEM].active = 1;
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
	drawbackdrop();
	drawbrowsertitles("Level", leveldirname);
	finishscreen();
}

void filelevelmenu(int load)
{
	folders = {listlevelfolders(), 0};
	files = {listlevelfiles(), 0};
	resetmenuitems();
	while (screenopen()) {
		clearscreen();
		createbrowseritems(load, levelfilename, &folders, &files);
		pollscreen();
		pagebrowser(&folders, &files);
		if (itemfired(DELETEITEM)) {
			// Back to the first page: the one shown may be gone.
			deletelevelfile();
			files = {listlevelfiles(), 0};
		}
		actonrows();
		loadorsave(load);
		if (!menuitem[CANCELITEM].active)
			drawbrowser();
	}
	resetmenuitems();
}
