// The test screen's key reference: a basic page and an advanced page.
#include "game/gamehelp.h"

#include "platform/config.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "render/backdrop.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <iterator>

namespace {

// One row of a key table; a description of several lines continues on rows
// with an empty key.
struct helprow {
	const char *key;
	const char *text;
	int size;
};

const helprow basickeys[] = {
	{ "ESC", "Always takes you back to last screen, is", 12 },
	{ "", "always the hotkey for the menu in the top", 12 },
	{ "", "left corner of the screen", 12 },
	{ "Shift", "When held down makes movement keys (A,S,D,", 12 },
	{ "", "W) rotate view like the arrow keys", 12 },
	{ "Ctrl", "Increases the speed of camera movement", 12 },
	{ "", "when pressing movement keys (A,S,D,W)", 12 },
	{ "W", "Move Up", 12 },
	{ "S", "Move Down", 12 },
	{ "A", "Move Left", 12 },
	{ "D", "Move Right", 12 },
	{ "Q", "Zoom In", 12 },
	{ "Z", "Zoom Out", 12 },
	{ "Arrow Keys", "Rotate View", 12 },
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

float textcolor[3];
float rowcolor[3];
float headcolor[3];

void line(const char *text, int x, int y, int size, const float *c)
{
	drawtext("/s", x, y, size, c[0], c[1], c[2], 1.0f, text);
}

void keytable(const helprow *rows, int count, int y)
{
	line("Key", 4, y, 12, headcolor);
	line("Function", 128, y, 12, headcolor);
	for (int n = 0; n < count; n++) {
		line(rows[n].key, 4, y + 12 * (n + 1), 12, rowcolor);
		line(rows[n].text, 128, y + 12 * (n + 1), rows[n].size, rowcolor);
	}
}

void drawpage(int page)
{
	if (page == 0) {
		keytable(basickeys, int(std::size(basickeys)), 32);
		return;
	}
	line("Advanced help", 4, 32, 12, rowcolor);
	line("These advanced features may only be available", 4, 56, 12, rowcolor);
	line("on bridges opened with load bridge or load level", 4, 68, 12, rowcolor);
	keytable(advancedkeys, int(std::size(advancedkeys)), 92);
}

void createitems(int page)
{
	const float *c = textcolor;
	numofmenuitems = 0;
	createmenuitem("Exit Help", 4, 4, 16, c[0], c[1], c[2], 1.0f);
	setmenuitem(MENUSET_KEY, SDLK_ESCAPE);
	if (page == 0)
		createmenuitem("More help", 382, 4, 16, c[0], c[1], c[2], 1.0f);
	else
		createmenuitem("Last help page", 334, 4, 16, c[0], c[1], c[2], 1.0f);
}

}  // namespace

void gamehelpmenu()
{
	int page = 0;
	for (int n = 0; n < 3; n++) {
		textcolor[n] = config.textcolor[n];
		rowcolor[n] = 0.75f * textcolor[n];
		headcolor[n] = 0.5f * textcolor[n];
	}
	resetmenuitems();
	while (!menuitem[0].active && !windowinfo.quit) {
		createitems(page);
		checkkeyboard();
		checkmouse();
		checkmenuitems();
		checksystemmessages();
		// Both page items share one slot: the fired flag is spent here, or
		// the other page's item would fire on the next frame.
		if (menuitem[ITEMPAGE].active) {
			menuitem[ITEMPAGE].active = 0;
			page = !page;
		}
		glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
		glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
		setuptextdisplay();
		if (config.background)
			drawbgtitle();
		drawpage(page);
		drawmenuitems();
		drawmousecursor(1.0f, 1.0f, 1.0f, 1.0f);
		SDL_GL_SwapBuffers();
	}
	resetmenuitems();
}
