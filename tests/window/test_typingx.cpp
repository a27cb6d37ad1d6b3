// A text box typed into with real keys (xdotool through the window
// fixture's Xvfb) on the US, German and French keyboard layouts: it takes
// exactly the characters the layout produces. Keys are sent by their
// keycodes, so the same physical keys are pressed on every layout.
#include "platform/config.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "tests/testwindow.h"

// Before Xlib, whose macros (None, Bool) clash with its names.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <SDL/SDL_syswm.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

char typed[32];

// Holds each key for a while: the loop polls the key state once a frame.
void sendkeys(unsigned long window, const char *keys)
{
	char line[1024];
	snprintf(line, sizeof line,
		"(xdotool windowfocus --sync %lu; sleep 0.5;"
		" for k in %s Return; do xdotool keydown $k; sleep 0.15; xdotool keyup $k; sleep 0.15;"
		" done; touch keys.sent) >/dev/null 2>&1 &",
		window, keys);
	ASSERT_EQ(system(line), 0);
}

// The next window must not see the last key still held.
void waitforkeys()
{
	for (int n = 0; n < 200 && access("keys.sent", F_OK) != 0; n++)
		SDL_Delay(50);
	remove("keys.sent");
}

// Types the keys into an empty box on the layout and returns what it holds.
std::string typeon(const char *layout, const char *keys)
{
	char command[128];
	snprintf(command, sizeof command, "setxkbmap -display \"$DISPLAY\" %s", layout);
	EXPECT_EQ(system(command), 0) << command;
	// A new connection reads the layout afresh.
	EXPECT_TRUE(opentestwindow(320, 240)) << SDL_GetError();
	SDL_EnableUNICODE(1);
	setdefaultconfig();  // pointer left free: no grab to fight xdotool
	SDL_SysWMinfo info;
	SDL_VERSION(&info.version);
	EXPECT_EQ(SDL_GetWMInfo(&info), 1);
	sendkeys(info.info.x11.wmwindow, keys);

	typed[0] = 0;
	resetmenuitems();
	menuitem[0].active = 1;  // the box is being edited, its empty text selected
	unsigned start = SDL_GetTicks();
	while (menuitem[0].active && SDL_GetTicks() - start < 20000) {
		checksystemmessages();
		checkkeyboard();
		checkmouse();
		numofmenuitems = 0;
		createmenuitem("Name                           ", 0, 0, 8, 1, 1, 1, 1);
		setmenuitem(MENUSET_STRINGBOX, typed, static_cast<int>(sizeof typed));
		checkmenuitems();
	}
	waitforkeys();
	SDL_Quit();
	return typed;
}

}  // namespace

// Keycodes: 10 to 19 the top row's 1 to 0, 20 the key right of it, 21 the
// next, 24 US q, 26 US e, 29 US y, 38 US a, 49 the key left of 1, 61 US
// slash, 65 Space.
TEST(TypingX, UsLayout)
{
	EXPECT_EQ(typeon("us", "10 11 shift+16 61 21 shift+21 38 shift+38 Caps_Lock 38 shift+38 Caps_Lock"),
		"12&/=+aAAA");
}

TEST(TypingX, GermanLayout)
{
	EXPECT_EQ(typeon("de", "10 11 shift+16 shift+19 shift+10 29 20"), "12/=!z\xdf");
	// Dead keys: the input method hands over the composed character alone,
	// without a key of its own and without a release; each is typed once.
	EXPECT_EQ(typeon("de", "49 65 49 65 shift+21 65 21 21 21 26"), "^^`\xb4\xe9");
}

TEST(TypingX, FrenchLayout)
{
	EXPECT_EQ(typeon("fr", "shift+10 shift+11 shift+19 10 11 24"), "120&\xe9" "a");
}
