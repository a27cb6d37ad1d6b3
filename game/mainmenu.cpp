#include "game/mainmenu.h"

#include "game/credits.h"
#include "game/loading.h"
#include "game/menufooter.h"
#include "game/tutorialmenu.h"
#include "editor/editor.h"
#include "platform/config.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "platform/texture.h"
#include "render/backdrop.h"
#include "render/menuscreen.h"
#include "render/renderframe.h"
#include "world/level.h"

#include <SDL/SDL.h>

char versiontext[13] = "Version 1.39";

// Menu slots, in the order the items are made.
constexpr int ITEMCREDITS = 1;
constexpr int ITEMTUTORIAL = 2;
constexpr int ITEMSTART = 3;

static float textcolor[3];

static void fadeinsplash()
{
	loadsplash("splashblack.bmp", TEX_SPLASH);
	for (int n = 0; n < 10; n++) {
		showloading();
		SDL_Delay(25);
	}
}

static void createitems()
{
	numofmenuitems = 0;
	static const char *label[4] = { "Exit", "Credits", "Tutorial", "Start Game" };
	static const int key[4] = { SDLK_ESCAPE, SDLK_c, SDLK_t, SDLK_s };
	for (int n = 0; n < 4; n++) {
		createmenuitem(label[n], 320 | ALIGNCENTER, 384 - 16 * n, 16, textcolor[0],
			textcolor[1], textcolor[2], 1.0f);
		setmenuitem(MENUSET_KEY, key[n]);
	}
}

// The sub-screens run over the plain title background.
static void runsubscreen(int slot)
{
	if (!menuitem[slot].active)
		return;
	loadsplash("bgtitle.bmp", TEX_SPLASH);
	if (slot == ITEMCREDITS)
		creditsmenu();
	else if (slot == ITEMTUTORIAL)
		tutorialmenu();
	else
		startmenu();
	loadsplash("title.bmp", TEX_SPLASH);
}

static void drawmainmenu()
{
	setuptextdisplay();
	drawbgtitle();
	drawtext(versiontext, 320 | ALIGNCENTER, 308, 12, textcolor[0], textcolor[1], textcolor[2],
		1.0f);
	drawmenufooter(textcolor[0], textcolor[1], textcolor[2]);
	finishscreen();
}

void mainmenu()
{
	for (int n = 0; n < 3; n++)
		textcolor[n] = config.textcolor[n];
	cheat[0] = 1;
	cheat[1] = 1;
	cheat[2] = 1;
	renderoptions.lighting = 1;
	renderoptions.detaillevel = 1;
	copystring(profilename, "default", sizeof profilename);
	fadeinsplash();
	resetmenuitems();
	doabunchofcrap();
	loadsplash("title.bmp", TEX_SPLASH);

	while (!menuitem[0].active && !windowinfo.quit) {
		clearscreen();
		createitems();
		pollscreen();
		runsubscreen(ITEMCREDITS);
		runsubscreen(ITEMTUTORIAL);
		runsubscreen(ITEMSTART);
		drawmainmenu();
	}
	resetmenuitems();
}
