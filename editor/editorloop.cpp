#include "editor/editorloop.h"

#include <SDL/SDL.h>
#include <sys/stat.h>
#include <unistd.h>

#include "editor/cost.h"
#include "editor/editor.h"
#include "editor/editorframe.h"
#include "editor/editorhud.h"
#include "editor/editormenus.h"
#include "game/endingloop.h"
#include "game/gameloop.h"
#include "game/progress.h"
#include "game/ticks.h"
#include "game/tutorial.h"
#include "leveleditor/leveleditor.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "platform/viewport.h"
#include "render/camera.h"
#include "render/renderframe.h"
#include "sound/audio.h"
#include "world/mappack.h"
#include "world/simulation.h"
#include "world/worldfile.h"

static unsigned cameratick;      // time of the last camera tick
static int costbefore, costafter;

static void enter()
{
	entereditor();
	cameratick = SDL_GetTicks();
}

// The camera moves in the same fixed 20 ms ticks as the test screen.
static void cameraticks()
{
	for (int taken = 0; tickdue(&cameratick, SDL_GetTicks(), taken, windowinfo.active); taken++)
		moveviewpoint();
}

// Back from a screen over the editor: the camera does not catch up the time
// away, and the key that closed that screen is not the editor's.
static void backfromsubscreen()
{
	cameratick = SDL_GetTicks();
	spendheldkeys();
}

// Returns 1 when the editor is to leave now.
static int subscreens()
{
	if (menuitem[editorsimulateitem].active) {
		gameloop();
		backfromsubscreen();
		editorleaverules();
		if (editor.exitstate >= 4)
			return 1;
	}
	// The level editor's entry for a level outside any map pack sits on a
	// placeholder item that nothing offers yet.
	if (levelnum == -1 && menuitem[editorlevelitem].active) {
		editlevel();
		backfromsubscreen();
	}
	if (menuitem[editorcolorsitem].active) {
		editbridgecolormenu();
		backfromsubscreen();
	}
	if (menuitem[editorhelpitem].active) {
		helpmenu();
		backfromsubscreen();
	}
	return 0;
}

static void directkeys()
{
	editordirectkeys();
	if (keypressed(SDLK_F6))
		renderoptions.fastlandscape ^= 1;
}

// The edit under the mouse is applied now, drawn, and then kept or put back.
static void editframe()
{
	cameraticks();
	framefromplayer(&frame, &player[playernum]);
	int inside = editundermouse();
	rendereditorview();
	costafter = calculatebridgecost(1);
	int sound = keepeditundermouse(inside, costafter);
	if (sound)
		playeditorsound(sound);
}

static void finishframe()
{
	draweditorhud(costbefore, costafter, editormenucolor);
	drawmenuitems();
	if (keypressed(SDLK_F8))
		screenshot();
	drawmousecursor(1.0f, 1.0f, 1.0f, 1.0f);
	SDL_GL_SwapBuffers();
}

// Returns 1 when the editor is to leave.
static int frameloop()
{
	resetlistener();
	createeditoritems();
	checksystemmessages();
	checkkeyboard();
	checkmouse();
	checkmenuitems();
	if (tutorial.active)
		checktutorial();
	if (editor.exitstate == 1) {
		editorleaverules();
		if (editor.exitstate != 1)
			return 1;
		rendereditorview();
		costafter = costbefore;
		finishframe();
		return 0;
	}
	if (editor.exitstate >= 2)
		return 1;
	editormoderules();
	costbefore = calculatebridgecost(1);
	if (subscreens())
		return 1;
	directkeys();
	editframe();
	finishframe();
	return 0;
}

// The bridge goes into the profile's folder of the level's pack, and only
// there: when a folder cannot be entered nothing is written.
static void autosavebridge()
{
	if (safefilename(leveldirname) && enterprofilefolder()) {
		mkdir(leveldirname, 0777);
		if (chdir(leveldirname) == 0)
			savelevel(levelfilename, 1);
	}
	cd_cwd();
}

// A window closed while editing (or testing) a pack level: with Autosave on
// the player never has to save, so the bridge is kept as Escape would keep
// it. Not after "No" to the question, and never in the tutorial.
static int closedwithautosave()
{
	return windowinfo.quit && editor.exitstate <= 1 && editor.autosave && levelnum != -1 &&
		!tutorial.active;
}

static void leave()
{
	storeeditorsettings();
	if (editor.exitstate == 3)
		filebridgemenu(0);
	if (editor.exitstate == 4) {
		autosavebridge();
		if (levelnum == mappack.numoflevels - 1 && sim.testpassed)
			endingloop();
	} else if (closedwithautosave()) {
		autosavebridge();
	}
	resetmenuitems();
}

void editorloop()
{
	enter();
	while ((editor.exitstate == 0 || editor.exitstate == 1) && !windowinfo.quit) {
		if (frameloop())
			break;
	}
	leave();
}
