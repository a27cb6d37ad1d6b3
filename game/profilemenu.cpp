#include "game/profilemenu.h"

#include "game/profiles.h"
#include "platform/config.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "render/menuscreen.h"
#include "world/level.h"

#include <SDL/SDL.h>
#include <cstring>

constexpr int ITEMNEWPROFILE = 1;
constexpr int ITEMCREATE = 1;
constexpr int FIRSTPROFILEITEM = 2;
// A longer list has no slots left; its names lie below the screen anyway.
constexpr int MAXPROFILEITEMS = MAXMENUITEMS - FIRSTPROFILEITEM;

static float textcolor[3];

static void begin()
{
	for (int n = 0; n < 3; n++)
		textcolor[n] = config.textcolor[n];
	resetmenuitems();
}

static void startframe()
{
	clearscreen();
	numofmenuitems = 0;
}

static void drawprofilescreen(const char *label)
{
	drawbackdrop();
	if (label) {
		const float *c = textcolor;
		drawtext(label, 4, 48, 16, 0.75f * c[0], 0.75f * c[1], 0.75f * c[2], 1.0f);
	}
	finishscreen();
}

static int shownprofiles()
{
	return numofprofiles < MAXPROFILEITEMS ? numofprofiles : MAXPROFILEITEMS;
}

static void createprofileitems()
{
	const float *c = textcolor;
	createmenuitem("Back", 4, 4, 16, c[0], c[1], c[2], 1.0f);
	setmenuitem(MENUSET_KEY, SDLK_ESCAPE);
	createmenuitem("New Profile", 636 | ALIGNRIGHT, 4, 16, c[0], c[1], c[2], 1.0f);
	setmenuitem(MENUSET_KEY, SDLK_n);
	for (int i = 0; i < shownprofiles(); i++) {
		// A profile acts on the frame of its click only.
		menuitem[FIRSTPROFILEITEM + i].active = 0;
		createmenuitem(profilelist[i], 4, 16 * (i + 4), 16, c[0], c[1], c[2], 1.0f);
	}
}

static void chooseprofile()
{
	for (int i = 0; i < shownprofiles(); i++) {
		menuitemstruct *item = &menuitem[FIRSTPROFILEITEM + i];
		if (item->active)
			copystring(profilename, profilelist[i], sizeof profilename);
		if (!strcmp(profilelist[i], profilename))
			item->state = MENUSTATE_LIT;
	}
}

void profilemenu()
{
	begin();
	listprofiles();
	while (!menuitem[0].active && !windowinfo.quit) {
		startframe();
		createprofileitems();
		pollscreen();
		if (menuitem[ITEMNEWPROFILE].active) {
			createprofilemenu();
			listprofiles();
		}
		chooseprofile();
		drawprofilescreen("Profile");
	}
	resetmenuitems();
}

static void createnameitems()
{
	const float *c = textcolor;
	// The very first profile must be created: no way back until one exists.
	if (numofprofiles > 0) {
		createmenuitem("Back", 4, 4, 16, c[0], c[1], c[2], 1.0f);
		setmenuitem(MENUSET_KEY, SDLK_ESCAPE);
	} else {
		createmenuitemempty();
	}
	createmenuitem("Create Profile", 636 | ALIGNRIGHT, 4, 16, c[0], c[1], c[2], 1.0f);
	setmenuitem(MENUSET_KEY, SDLK_c);
	createmenuitem("Profile Name         ", 4, 64, 16, c[0], c[1], c[2], 1.0f);
	setmenuitem(MENUSET_STRINGBOX, profilelist[PROFILENAMESLOT], NAMESIZE);
}

void createprofilemenu()
{
	begin();
	listprofiles();
	copystring(profilelist[PROFILENAMESLOT], numofprofiles > 0 ? "" : "default", NAMESIZE);
	while (!menuitem[0].active && !windowinfo.quit) {
		startframe();
		createnameitems();
		pollscreen();
		if (menuitem[ITEMCREATE].active) {
			// A name that is no plain folder name keeps the screen open for
			// another try instead of leaving the profile folder.
			if (createprofile(profilelist[PROFILENAMESLOT]))
				break;
			menuitem[ITEMCREATE].active = 0;
		}
		drawprofilescreen(nullptr);
	}
	resetmenuitems();
}
