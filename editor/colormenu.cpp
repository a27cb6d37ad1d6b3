// The bridge colours menu: three edit bars set the red, green and blue of
// one link material's colour in the level, which can also be copied from
// and to the player's default colours.
#include <SDL/SDL.h>

#include "editor/bridgefiles.h"
#include "editor/editormenus.h"
#include "platform/config.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "render/backdrop.h"
#include "render/colorbars.h"
#include "render/menuscreen.h"
#include "world/level.h"
#include "world/materials.h"

constexpr int EXITITEM = 0, LOADDEFAULTITEM = 1, SAVEDEFAULTITEM = 2;

static void createitems(int *material)
{
	static const char *const labels[] = {"1.Iron", "2.Steel", "3.Cable", "4.SuspCbl",
		"5.HvSteel", "6.Hydralc1", "7.Hydralc2"};
	numofmenuitems = 0;
	whiteitem("Exit", 4, 4, 16, SDLK_ESCAPE);
	whiteitem("Load Default", 4, 460, 16, SDLK_l);
	whiteitem("Save Default", 636 | ALIGNRIGHT, 460, 16, SDLK_s);
	for (int i = 0; i < LINKHYDRAULIC2 - LINKIRON + 1; i++) {
		whiteitem(labels[i], 4, 320 + 16 * i, 16, SDLK_1 + i);
		setmenuitem(MENUSET_SETITEM, material, LINKIRON + i);
	}
}

static int fired(int item)
{
	if (!menuitem[item].active)
		return 0;
	menuitem[item].active = 0;
	return 1;
}

void editbridgecolormenu()
{
	// Always Iron first, whatever the editor's material.
	int material = LINKIRON;
	setcolorbars();
	resetmenuitems();
	while (!menuitem[EXITITEM].active && !windowinfo.quit) {
		clearscreen();
		createitems(&material);
		pollscreen();
		if (fired(LOADDEFAULTITEM))
			loaddefaultlinkcolor(material);
		if (fired(SAVEDEFAULTITEM))
			savedefaultlinkcolor(material);
		vector3 *c = &level.linkcolor[material];
		editcolorbars(c);
		setuptextdisplay();
		if (config.background == 1)
			drawbgtitle();
		drawcolorbars(c);
		finishscreen();
	}
	resetmenuitems();
}
