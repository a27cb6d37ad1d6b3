// The level editor on a generated level in a real window, driven with real
// keys and clicks (xdotool through the window fixture's Xvfb): the set
// brush under the pointer, a vehicle placed through the picker with a
// waypoint, and the level saved under a new name through the browser.
#include "editor/editordraw.h"
#include "editor/editor.h"
#include "editor/editorloop.h"
#include "game/preview.h"
#include "game/progress.h"
#include "leveleditor/leveleditor.h"
#include "leveleditor/levelmenus.h"
#include "platform/config.h"
#include "platform/editbar.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "platform/texture.h"
#include "render/camera.h"
#include "render/renderframe.h"
#include "tests/testwindow.h"
#include "world/landscape.h"
#include "world/level.h"
#include "world/objectphysics.h"

// Before Xlib, whose macros (None, Bool) clash with its names.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <SDL/SDL_syswm.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// Loading a level in the browser would run the preview; this test saves.
void previewmenu(int savedbridge)
{
}

static unsigned long windowid;

class LevelEditorX : public ::testing::Test {
protected:
	static void SetUpTestSuite()
	{
		ASSERT_TRUE(opentestwindow(640, 480)) << SDL_GetError();
		SDL_EnableUNICODE(1);
		setdefaultconfig();  // pointer left free: no grab to fight xdotool
		setuprender();
		loadfont();
		setupmenuitems();
		reseteditor();  // the editor's grid step, as the game sets it up
		SDL_SysWMinfo info;
		SDL_VERSION(&info.version);
		ASSERT_EQ(SDL_GetWMInfo(&info), 1);
		windowid = info.info.x11.wmwindow;
	}
	static void TearDownTestSuite() { SDL_Quit(); }
};

// Sends the keys and clicks in the background while the editor's loop runs
// in this thread. Every key and button is held for a while: the loop polls
// the key and button state once a frame and would miss a quick tap. The
// first frames of a screen set up Mesa's software pipelines (the grid's
// lines among them), which under a sanitizer and a loaded machine takes
// seconds: the first key waits for them.
// A flat landscape of 64 by 64 vertices at height 300.
static void flatlandscape()
{
	level.landscapewidth = 64;
	level.landscapedepth = 64;
	for (int i = 0; i < 64 * 64; i++)
		landscape.height[i] = 300.0f;
	setuplandscapenormals();
}

static void script(const char *steps)
{
	char line[4096];
	snprintf(line, sizeof line,
		"(k() { xdotool keydown $1; sleep 0.3; xdotool keyup $1; sleep 0.3; };"
		" c() { xdotool mousemove --window %lu $1 $2; sleep 0.3; xdotool mousedown 1;"
		" sleep 0.3; xdotool mouseup 1; sleep 0.3; };"
		" W=%lu; xdotool windowfocus --sync $W; sleep 3; %s) >/dev/null 2>&1 &",
		windowid, windowid, steps);
	ASSERT_EQ(system(line), 0);
}

TEST_F(LevelEditorX, BrushPlacementAndSaveAs)
{
	ASSERT_EQ(chdir("files/demo"), 0) << "no generated data";
	ASSERT_TRUE(loadlevel("demo1", 0));
	ASSERT_EQ(chdir("../.."), 0);
	setuplandscapenormals();
	setuplandscapetexture();
	resetleveleditor();
	leveleditor.mode = LEVELMODE_LANDSCAPE;
	leveleditor.cursor.y = 333.0f;
	copystring(leveldirname, "demo", NAMESIZE);
	levelfilename[0] = 0;
	int placements = level.numoflevelobjects;
	int width = level.landscapewidth, depth = level.landscapedepth;
	std::vector<float> before(landscape.height, landscape.height + width * depth);

	const char *steps =
		"k 3; c 320 300;"                        // the set brush on the ground
		"k F2; k 0; c 40 70;"                    // pick "Steam Engine"
		"c 330 320;"                             // place it
		"xdotool mousemove --window $W 300 330; sleep 0.3; k y;"  // a waypoint
		"k 0; c 40 70; k 0; k Escape; c 330 320;"  // picked, then backed out: no placement
		"k F9; k f; k e; k d; k i; k t; k e; k d; k Return; k s;"  // save as "edited"
		"k Escape";
	script(steps);
	leveleditorloop();

	int set = 0, other = 0;
	for (int i = 0; i < width * depth; i++) {
		if (landscape.height[i] == before[i])
			continue;
		if (landscape.height[i] == 333.0f)
			set++;
		else
			other++;
	}
	EXPECT_GT(set, 0) << "the set brush changed nothing";
	EXPECT_EQ(other, 0);

	ASSERT_EQ(level.numoflevelobjects, placements + 1) << "a click placed a vehicle after backing out";
	const levelobjectstruct *lo = &level.levelobject[placements];
	EXPECT_EQ(lo->type, 0);  // "Steam Engine"
	EXPECT_EQ(lo->numofwaypoints, 1);

	struct stat st;
	EXPECT_EQ(stat("files/demo/edited.tvl", &st), 0) << "Save As wrote nothing";
	// The "s" that saved, still down after the browser closed, is not the
	// camera's key: the view stays over the middle where it started.
	EXPECT_EQ(player[playernum].target.z, depth * LANDSCAPESTEP * 0.5f);
	EXPECT_EQ(player[playernum].target.x, width * LANDSCAPESTEP * 0.5f);
}

TEST_F(LevelEditorX, ObjectEditorWheelsDraggedAndSnapped)
{
	objectphysics[OBJECTEDITORTYPE].numofwheels = 0;
	// The "Back" view's centre is at (352, 144); 12 pixels are one unit at
	// the editor's starting grid. Wheels 1 and 2 sit at x 2, y -2.
	const char *steps =
		"k F2; c 470 68;"                          // Wheel mode, AddWheels
		"c 376 168;"                               // select wheels 1 and 2
		"xdotool mousedown 3; sleep 0.3;"
		"xdotool mousemove --window $W 382 168; sleep 0.3;"
		"xdotool mousemove --window $W 388 168; sleep 0.3;"
		"xdotool mouseup 3; sleep 0.3;"            // one unit right, snapped
		"k F3; k Escape";
	script(steps);
	editobjects();

	const objectphysicsstruct &p = objectphysics[OBJECTEDITORTYPE];
	EXPECT_EQ(p.numofwheels, 4);
	EXPECT_FLOAT_EQ(p.wheelposition[1].x, 3.0f);
	EXPECT_FLOAT_EQ(p.wheelposition[2].x, 3.0f);
	EXPECT_FLOAT_EQ(p.wheelposition[0].x, -2.0f);
	EXPECT_FLOAT_EQ(p.wheelposition[1].y, -2.0f);
}

TEST_F(LevelEditorX, PropertyScreensEditTheLevel)
{
	flatlandscape();
	for (int k = 0; k < MAXMATERIALLIMITS; k++)
		level.materiallimit[k] = 7;
	level.materiallimit[2] = 0;
	leveleditor.mode = LEVELMODE_LANDSCAPE;
	const char *steps =
		"c 580 426; c 50 72; k 4; k 2; k Return; k Escape;"  // Materials: Iron 42
		"k F4; c 200 10; k Escape;"                           // help, General page
		"c 40 154; k 2; k Escape;"                            // colours, band 2
		"k Escape";
	script(steps);
	leveleditorloop();

	EXPECT_EQ(level.materiallimit[2], 42);
	EXPECT_EQ(level.materiallimit[1], 7);
	EXPECT_EQ(level.materiallimit[8], 7);
	EXPECT_EQ(numofeditbars, 3);  // the colour screen leaves its bars
}

// The plane keys move the grid by the editor's grid step. While a text box
// is edited the keys type: held arrows and letters leave the camera alone.
TEST_F(LevelEditorX, GridStepsAndTypingLeavesTheCameraAlone)
{
	flatlandscape();
	leveleditor.mode = LEVELMODE_LANDSCAPE;
	leveleditor.cursor.y = 300.0f;
	script("k f; k f; k r;"
		"k b; k q; xdotool keydown Left; sleep 0.5; xdotool keyup Left; k Escape;"  // Budget
		"k Escape");
	leveleditorloop();

	EXPECT_FLOAT_EQ(leveleditor.cursor.y, 300.0f + editor.gridsize);
	EXPECT_GT(editor.gridsize, 0.0f);
	// Where the editor's camera starts.
	EXPECT_EQ(player[playernum].yaw, 0.0f);
	EXPECT_EQ(player[playernum].distance, 200.0f);
}

// A phase that a loaded file set to 2 is on, and its toggle switches it off.
TEST_F(LevelEditorX, APhaseOfAnyValueSwitchesOff)
{
	flatlandscape();
	memset(&level.levelobject[0], 0, sizeof level.levelobject[0]);
	level.numoflevelobjects = 1;
	level.levelobject[0].inphase[2] = 2;
	leveleditor.mode = LEVELMODE_OBJECTS;
	leveleditor.selectedobject = 0;
	script("k 3; k Escape");
	leveleditorloop();
	EXPECT_EQ(level.levelobject[0].inphase[2], 0);
}

// A save without a name fails and must leave the browser open: the name
// typed next is saved by the same screen.
TEST_F(LevelEditorX, BrowserStaysOpenAfterAFailedSave)
{
	copystring(leveldirname, "demo", NAMESIZE);
	levelfilename[0] = 0;
	script("k s; k f; k n; k e; k w; k Return; k s; k Escape");
	filelevelmenu(0);

	struct stat st;
	EXPECT_EQ(stat("files/demo/new.tvl", &st), 0) << "the browser closed after the failed save";
}
