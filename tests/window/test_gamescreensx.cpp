// The help pages, the credits, the map pack ending and the profile screens
// in a real window, driven with real keys and clicks (xdotool through the
// window fixture's Xvfb). What a screen showed last is read back from the
// window after it has ended.
#include "editor/editormenus.h"
#include "game/credits.h"
#include "game/endingloop.h"
#include "game/gamehelp.h"
#include "game/profilemenu.h"
#include "game/profiles.h"
#include "platform/config.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "platform/texture.h"
#include "render/renderframe.h"
#include "tests/testwindow.h"
#include "world/level.h"
#include "world/mappack.h"

// Before Xlib, whose macros (None, Bool) clash with its names.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <SDL/SDL_syswm.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>

static unsigned long windowid;  // the frame xdotool aims at
static unsigned long drawable;  // the window the frames are shown in

class GameScreensX : public ::testing::Test {
protected:
	static void SetUpTestSuite()
	{
		ASSERT_TRUE(opentestwindow(640, 480)) << SDL_GetError();
		SDL_EnableUNICODE(1);
		setdefaultconfig();  // pointer left free: no grab to fight xdotool
		config.background = 0;  // text on black
		setuprender();
		loadfont();
		setupmenuitems();
		get_paths();
		SDL_SysWMinfo info;
		SDL_VERSION(&info.version);
		ASSERT_EQ(SDL_GetWMInfo(&info), 1);
		windowid = info.info.x11.wmwindow;
		drawable = info.info.x11.window;
	}
	static void TearDownTestSuite() { SDL_Quit(); }
};

// Sends the keys and clicks in the background while a screen's loop runs
// in this thread. Every key and button is held for half a second: the loop polls
// the key and button state once a frame and would miss a quick tap.
static void script(const char *steps)
{
	char line[4096];
	snprintf(line, sizeof line,
		"(k() { xdotool keydown $1; sleep 0.5; xdotool keyup $1; sleep 0.3; };"
		" c() { xdotool mousemove --window %lu $1 $2; sleep 0.3; xdotool mousedown 1;"
		" sleep 0.5; xdotool mouseup 1; sleep 0.3; };"
		" W=%lu; xdotool windowfocus --sync $W; sleep 1; %s) >/dev/null 2>&1 &",
		windowid, windowid, steps);
	ASSERT_EQ(system(line), 0);
}

// Lit pixels of the last shown frame in a box of the virtual screen
// (640 x 480, y downwards, one to one with the window), read through a
// connection of our own as another X client would see them.
static int litpixels(int x, int y, int w, int h)
{
	Display *display = XOpenDisplay(nullptr);
	if (!display)
		return -1;
	XImage *image = XGetImage(display, drawable, x, y, w, h, AllPlanes, ZPixmap);
	int lit = -1;
	if (image) {
		lit = 0;
		for (int j = 0; j < h; j++)
			for (int i = 0; i < w; i++)
				lit += (XGetPixel(image, i, j) & 0xffffff) != 0;
		XDestroyImage(image);
	}
	XCloseDisplay(display);
	return lit;
}

TEST_F(GameScreensX, EditorHelpPagesSwitchAndAlwaysOpenOnTheFirst)
{
	// Page 3's text ends at y 308; page 1's rows run down to y 440.
	script("c 380 10; k Escape");
	helpmenu();
	EXPECT_GT(litpixels(4, 212, 400, 96), 0) << "page 3's notes";
	EXPECT_EQ(litpixels(0, 330, 640, 110), 0) << "page 1's rows still shown";

	script("k Escape");
	helpmenu();
	EXPECT_GT(litpixels(0, 330, 640, 110), 0) << "help did not open on page 1";
	EXPECT_EQ(numofmenuitems, 4);
}

TEST_F(GameScreensX, TestScreenHelpPagesAndEscapeFromTheSecond)
{
	// The advanced page ends at y 176; the basic page's rows run to y 440.
	script("c 400 10; k Escape");
	gamehelpmenu();
	EXPECT_GT(litpixels(0, 104, 640, 72), 0) << "the advanced rows";
	EXPECT_EQ(litpixels(0, 200, 640, 240), 0) << "still on the basic page";

	script("k Escape");
	gamehelpmenu();
	EXPECT_GT(litpixels(0, 200, 640, 240), 0) << "help did not open on the basic page";
}

TEST_F(GameScreensX, CreditsShowAndEndWithEscape)
{
	script("k Escape");
	creditsmenu();
	EXPECT_GT(litpixels(4, 420, 200, 60), 0) << "no credits rows at the foot";
	EXPECT_GT(litpixels(200, 4, 240, 20), 0) << "no title";
}

TEST_F(GameScreensX, EndingOfTheComplexPackUnlocksEarthquakes)
{
	copystring(mappackname, "4-complex", NAMESIZE);
	memset(mappack.text, 0, sizeof mappack.text);
	copystring(mappack.text[0], "You did it", NAMESIZE);
	copystring(mappack.text[11], "The end", NAMESIZE);
	savedsettings.earthquake = 0;
	savedsettings.godmode = 0;
	script("k Escape");
	endingloop();
	EXPECT_EQ(savedsettings.earthquake, 1);
	EXPECT_EQ(savedsettings.godmode, 0);
	EXPECT_GT(litpixels(4, 64, 200, 16), 0) << "ending line 0";
	EXPECT_EQ(litpixels(0, 80, 640, 160), 0) << "empty ending lines drew something";
	EXPECT_GT(litpixels(4, 240, 200, 16), 0) << "ending line 11 at its own place";
	EXPECT_GT(litpixels(4, 272, 400, 16), 0) << "no unlock note";
}

TEST_F(GameScreensX, FirstProfileMustBeCreatedThenAnotherIsMadeAndOneChosen)
{
	const std::string profiles = std::string(home_path) + "/profile/";
	struct stat s;
	ASSERT_NE(stat(profiles.c_str(), &s), 0) << "profiles left from elsewhere";

	// No profile yet: Escape does not leave, "default" is proposed.
	copystring(profilename, "nobody", NAMESIZE);
	script("k Escape; k c");
	createprofilemenu();
	EXPECT_STREQ(profilename, "default");
	EXPECT_EQ(stat((profiles + "default").c_str(), &s), 0);

	// "New Profile", the name typed into its box, "Create Profile"; back in
	// the list, sorted, "default" comes second and is clicked.
	script("k n; c 60 88; k b; k o; k b; k Return; k c; c 40 88; k Escape");
	profilemenu();
	EXPECT_EQ(stat((profiles + "bob").c_str(), &s), 0) << "profile bob not created";
	EXPECT_STREQ(profilename, "default") << "the click did not choose the profile";
	EXPECT_EQ(listprofiles(), 2);
}
