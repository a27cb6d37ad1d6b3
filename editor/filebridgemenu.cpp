// The bridge file browser: the profile's pack folders on the left, their
// saved bridges on the right, a name box, Delete, and Save (or Load with
// the level preview).
#include <SDL/SDL.h>

#include "editor/bridgefiles.h"
#include "editor/editor.h"
#include "editor/editormenus.h"
#include "game/preview.h"
#include "game/progress.h"
#include "platform/config.h"
#include "platform/files.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "render/backdrop.h"
#include "render/filebrowser.h"
#include "render/menuscreen.h"

static browsercolumn folders, files;

static void readlists()
{
	folders = {listbridgefolders(), 0};
	files = {listbridgefiles(), 0};
}

// A folder row opens that folder; the rows then show other entries.
static void actonrows()
{
	takechosenfile(&files, levelfilename);
	int folder = chosenfolder(&folders);
	if (folder >= 0) {
		changebridgefolder(dirlist[folder]);
		readlists();
		resetmenuitems();
	}
}

// A save that failed (no name, a refused name, no profile folder) keeps the
// browser open, so the bridge is not lost behind a screen that looked done.
static void saveorload(int load)
{
	if (!itemfired(ACTIONITEM))
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
	setuptextdisplay();
	if (config.background == 1)
		drawbgtitle();
	drawbrowsertitles("Bridge", leveldirname);
	finishscreen();
}

void filebridgemenu(int load)
{
	openbridgefolder(!load);
	readlists();
	resetmenuitems();
	while (screenopen()) {
		clearscreen();
		createbrowseritems(load, levelfilename, &folders, &files);
		pollscreen();
		pagebrowser(&folders, &files);
		if (itemfired(DELETEITEM)) {
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
