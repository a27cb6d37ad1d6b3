#include "leveleditor/levelscreen.h"

#include <SDL/SDL.h>

#include "platform/config.h"
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

void whiteitem(const char *label, int x, int y, int size, int key)
{
	createmenuitem(label, x, y, size, 1.0f, 1.0f, 1.0f, 1.0f);
	setmenuitem(MENUSET_KEY, key);
}

int screenopen()
{
	return !menuitem[0].active && !windowinfo.quit;
}

void pollscreen()
{
	checksystemmessages();
	checkkeyboard();
	checkmouse();
	checkmenuitems();
}

void drawscreen()
{
	setuptextdisplay();
	if (config.background)
		drawbgtitle();
	drawmenuitems();
	drawmousecursor(1.0f, 1.0f, 1.0f, 1.0f);
	SDL_GL_SwapBuffers();
}

int keypressed(int key)
{
	return key >= 0 && key < KEYCOUNT && keyboard[key] && !prevkeyboard[key];
}
