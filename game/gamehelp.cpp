// The test screen's key reference: a basic page and an advanced page.
#include "game/gamehelp.h"

#include "platform/menu.h"
#include "render/keyhelp.h"
#include "render/menuscreen.h"

#include <SDL/SDL.h>
#include <iterator>

namespace {

// After the camera keys.
const helprow basickeys[] = {
	{ "E", "Reset View Direction", 12 },
	{ "Shift+E", "Reset View Direction", 12 },
	{ "1", "Switches to bridge camera (default view)", 12 },
	{ "2-7", "Switches between vehicle cameras", 12 },
	{ "X", "Switches Vehicles Camera to external view", 10 },
	{ "T", "Run vehicle test", 12 },
	{ "F", "Fast simulation", 12 },
	{ "L", "Slow simulation", 12 },
	{ "P", "Pause simulation", 12 },
	{ "H", "Toggle Shadows", 12 },
	{ "I", "Toggles Lighting", 12 },
	{ "C", "Toggle Reflections", 12 },
	{ "[ and ]", "Moves Sun, shift key will change direction of movement", 10 },
	{ "R", "Toggles Show Stress", 12 },
	{ "F1", "Resets Simulation", 12 },
	{ "F5", "Toggle Camera Control Mode", 12 },
	{ "F6", "Toggle landscape for performance help", 10 },
	{ "F8", "Takes Screenshot", 12 },
	{ "F12", "Minimize the game window", 12 },
};

const helprow advancedkeys[] = {
	{ "M", "Toggle Manual Phase Mode", 12 },
	{ "8", "DrawBridge Up in Manual Phase Mode", 12 },
	{ "9", "DrawBridge Down in Manual Phase Mode", 12 },
	{ "0", "Next Phase in Manual Phase Mode", 12 },
	{ "K", "Toggle Earthquake", 12 },
	{ "Minus", "Toggle Bonds remaining after breaking", 12 },
};

constexpr int ITEMPAGE = 1;

void line(const char *text, int x, int y, int size)
{
	drawhelpline(text, x, y, size, 0.75f);
}

void drawpage(int page)
{
	if (page == 0) {
		drawkeyheadings(32);
		drawkeyrows(camerakeys, CAMERAKEYROWS, 44);
		drawkeyrows(basickeys, int(std::size(basickeys)), 44 + 12 * CAMERAKEYROWS);
		return;
	}
	line("Advanced help", 4, 32, 12);
	line("These advanced features may only be available", 4, 56, 12);
	line("on bridges opened with load bridge or load level", 4, 68, 12);
	drawkeyheadings(92);
	drawkeyrows(advancedkeys, int(std::size(advancedkeys)), 104);
}

void createitems(int page)
{
	numofmenuitems = 0;
	screenitem("Exit Help", 4, 4, 16, SDLK_ESCAPE);
	if (page == 0)
		screenitem("More help", 382, 4, 16, 0);
	else
		screenitem("Last help page", 334, 4, 16, 0);
}

}  // namespace

void gamehelpmenu()
{
	int page = 0;
	resetmenuitems();
	while (screenopen()) {
		createitems(page);
		pollscreenwindowlast();
		// Both page items share one slot: the fired flag is spent here, or
		// the other page's item would fire on the next frame.
		if (menuitem[ITEMPAGE].active) {
			menuitem[ITEMPAGE].active = 0;
			page = !page;
		}
		clearscreen();
		drawbackdrop();
		drawpage(page);
		finishscreen();
	}
	resetmenuitems();
}
