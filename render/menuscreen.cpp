#include "render/menuscreen.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include "platform/config.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "render/backdrop.h"

void screenitem(const char *label, int x, int y, int size, int key)
{
	createmenuitem(label, x, y, size, config.textcolor[0], config.textcolor[1],
		config.textcolor[2], 1.0f);
	setmenuitem(MENUSET_KEY, key);
}

void listrowitem(const char *name, int x, int y)
{
	char shown[LISTNAMELENGTH + 1];
	copystring(shown, name, sizeof shown);
	screenitem(shown, x, y, 12, 0);
}

void whiteitem(const char *label, int x, int y, int size, int key)
{
	createmenuitem(label, x, y, size, 1.0f, 1.0f, 1.0f, 1.0f);
	setmenuitem(MENUSET_KEY, key);
}

int screenopen()
{
	return !menuitem[0].active && !windowinfo.quit;
}

int itemfired(int item)
{
	if (!menuitem[item].active)
		return 0;
	menuitem[item].active = 0;
	return 1;
}

void pollscreen()
{
	checksystemmessages();
	checkkeyboard();
	checkmouse();
	checkmenuitems();
}

void pollscreenwindowlast()
{
	checkkeyboard();
	checkmouse();
	checkmenuitems();
	checksystemmessages();
}

void clearscreen()
{
	glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
	glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void drawbackdrop()
{
	setuptextdisplay();
	if (config.background)
		drawbgtitle();
}

void finishscreen()
{
	drawmenuitems();
	drawmousecursor(1.0f, 1.0f, 1.0f, 1.0f);
	SDL_GL_SwapBuffers();
}

void drawscreen()
{
	drawbackdrop();
	finishscreen();
}
