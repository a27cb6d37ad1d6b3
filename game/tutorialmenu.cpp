// The tutorial's list of lessons. A chosen lesson runs in the bridge editor
// on its stored level; back here the list shows again.
#include "game/tutorialmenu.h"

#include <SDL/SDL.h>

#include "editor/editorloop.h"
#include "game/tutorial.h"
#include "platform/config.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "render/menuscreen.h"
#include "render/proctex.h"

// Menu slots, in the order the items are made.
constexpr int ITEMLESSON1 = 1;
constexpr int ITEMLESSON2 = 2;

static float textcolor[3];

static void createitems()
{
	numofmenuitems = 0;
	static const char *label[3] = { "Back", "Tutorial 1", "Tutorial 2" };
	static const int y[3] = { 4, 64, 80 };
	static const int key[3] = { SDLK_ESCAPE, SDLK_1, SDLK_2 };
	for (int n = 0; n < 3; n++) {
		createmenuitem(label[n], 4, y[n], 16, textcolor[0], textcolor[1], textcolor[2], 1.0f);
		setmenuitem(MENUSET_KEY, key[n]);
	}
}

// The lesson whose item fired, -1 none; were both to fire, the second wins.
static int chosenlesson()
{
	int lesson = -1;
	if (menuitem[ITEMLESSON1].active)
		lesson = 0;
	if (menuitem[ITEMLESSON2].active)
		lesson = 1;
	menuitem[ITEMLESSON1].active = 0;
	menuitem[ITEMLESSON2].active = 0;
	return lesson;
}

// A lesson whose level cannot be loaded leaves the player in this menu.
static void runlesson(int lesson)
{
	if (lesson == -1 || !loadlesson(lesson))
		return;
	reseteditor();
	setupbondtextures();
	editorloop();
	resetmenuitems();
}

static void drawtutorialmenu()
{
	drawbackdrop();
	drawtext("<-- Click on a Tutorial level to begin", 176, 64, 12, 0.0f, 1.0f, 0.0f, 1.0f);
	finishscreen();
}

void tutorialmenu()
{
	for (int n = 0; n < 3; n++)
		textcolor[n] = config.textcolor[n];
	resetmenuitems();
	while (!menuitem[0].active && !windowinfo.quit) {
		clearscreen();
		createitems();
		pollscreen();
		runlesson(chosenlesson());
		drawtutorialmenu();
	}
	tutorial.active = 0;
	resetmenuitems();
}
