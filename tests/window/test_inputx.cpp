// The event pump and the keyboard and mouse pollers with real X input
// (xdotool through the window fixture's Xvfb, which has a US layout).
#include "platform/config.h"
#include "platform/input.h"

// Before Xlib, whose macros (None, Bool) clash with its names.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <SDL/SDL_syswm.h>

#include <cstdio>
#include <cstdlib>

static unsigned long windowid, rootid;

static void xdo(const char *command)
{
	char line[256];
	snprintf(line, sizeof line, "xdotool %s", command);
	ASSERT_EQ(system(line), 0) << line;
}

static void frames(int count)
{
	for (int n = 0; n < count; n++) {
		checksystemmessages();
		checkkeyboard();
		checkmouse();
		SDL_Delay(5);
	}
}

class InputX : public ::testing::Test {
protected:
	static void SetUpTestSuite()
	{
		ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER), 0) << SDL_GetError();
		SDL_EnableUNICODE(1);
		ASSERT_NE(SDL_SetVideoMode(800, 600, 32, SDL_OPENGL), nullptr) << SDL_GetError();
		setdefaultconfig();  // pointer left free: no grab to fight xdotool
		windowinfo.width = 800;
		windowinfo.height = 600;
		windowinfo.active = 1;
		SDL_SysWMinfo info;
		SDL_VERSION(&info.version);
		ASSERT_EQ(SDL_GetWMInfo(&info), 1);
		windowid = info.info.x11.wmwindow;
		rootid = DefaultRootWindow(info.info.x11.display);
		char command[64];
		snprintf(command, sizeof command, "windowfocus --sync %lu", windowid);
		xdo(command);
		frames(5);
	}
	static void TearDownTestSuite() { SDL_Quit(); }
};

TEST_F(InputX, ShiftedKeysCountAtTheirCharacter)
{
	xdo("keydown shift+1");
	frames(5);
	EXPECT_EQ(keyboard['!'], 1);
	EXPECT_EQ(keyboard['1'], 0);
	EXPECT_EQ(keyboard[KEY_LSHIFT], 1);
	xdo("keyup shift+1");
	frames(5);
	EXPECT_EQ(keyboard['!'], 0);
	EXPECT_EQ(keyboard_ascii['1'], 0);

	xdo("keydown a");
	frames(3);
	EXPECT_EQ(keyboard['a'], 1);
	EXPECT_EQ(keyboard_ascii['a'], 'a');
	EXPECT_EQ(prevkeyboard['a'], 1);
	xdo("keyup a");
	frames(1);
	EXPECT_EQ(keyboard['a'], 0);
	EXPECT_EQ(prevkeyboard['a'], 1);  // released this frame
}

TEST_F(InputX, CtrlKeysKeepTheirOwnCode)
{
	xdo("keydown ctrl+v");
	frames(5);
	EXPECT_EQ(keyboard['v'], 1);
	EXPECT_EQ(keyboard[KEY_LCTRL], 1);
	EXPECT_EQ(keyboard_ascii['v'], 0);
	xdo("keyup ctrl+v");
	frames(5);
	EXPECT_EQ(keyboard['v'], 0);
}

TEST_F(InputX, MouseMapsToTheVirtualScreen)
{
	char command[96];
	snprintf(command, sizeof command, "mousemove --window %lu --sync 799 599", windowid);
	xdo(command);
	frames(3);
	EXPECT_EQ(mouse.x, 639);
	EXPECT_EQ(mouse.y, 479);
	snprintf(command, sizeof command, "mousemove --window %lu --sync 400 300", windowid);
	xdo(command);
	frames(3);
	EXPECT_EQ(mouse.x, 320);
	EXPECT_EQ(mouse.y, 240);

	xdo("mousedown 1");
	frames(3);
	EXPECT_EQ(mouse.leftbutton, 1);
	xdo("mouseup 1");
	int releases = 0;
	for (int n = 0; n < 5; n++) {
		frames(1);
		releases += mouse.leftreleased;
	}
	EXPECT_EQ(releases, 1);

	xdo("click 4");
	frames(1);
	EXPECT_EQ(mouse.wheelup, 1);
	SDL_Delay(60);
	frames(1);
	EXPECT_EQ(mouse.wheelup, 0);
}

TEST_F(InputX, FocusMakesTheWindowActiveAndInactive)
{
	char command[64];
	snprintf(command, sizeof command, "windowfocus --sync %lu", rootid);
	xdo(command);
	frames(5);
	EXPECT_EQ(windowinfo.active, 0);
	EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), 1);
	snprintf(command, sizeof command, "windowfocus --sync %lu", windowid);
	xdo(command);
	frames(5);
	EXPECT_EQ(windowinfo.active, 1);
	EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), 0);
}

TEST_F(InputX, F12LeavesTheWindowInactive)
{
	xdo("keydown F12");
	frames(3);
	xdo("keyup F12");
	frames(3);
	EXPECT_EQ(windowinfo.active, 0);
}
