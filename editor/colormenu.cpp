// The bridge colours menu: three edit bars set the red, green and blue of
// one link material's colour in the level, which can also be copied from
// and to the player's default colours.
#include <GL/gl.h>
#include <SDL/SDL.h>

#include "editor/bridgefiles.h"
#include "editor/editormenus.h"
#include "platform/config.h"
#include "platform/editbar.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "render/backdrop.h"
#include "world/level.h"
#include "world/materials.h"

constexpr int EXITITEM = 0, LOADDEFAULTITEM = 1, SAVEDEFAULTITEM = 2;

static void setcolorbar(int n, int y, float red, float green, float blue)
{
	editbarstruct *b = &editbar[n];
	b->x = 64;
	b->y = y;
	b->width = 256;
	b->height = 32;
	b->red = red;
	b->green = green;
	b->blue = blue;
	b->value = nullptr;
}

static void item(const char *label, int x, int y, int key)
{
	createmenuitem(label, x, y, 16, 1.0f, 1.0f, 1.0f, 1.0f);
	setmenuitem(MENUSET_KEY, key);
}

static void createitems(int *material)
{
	static const char *const labels[] = {"1.Iron", "2.Steel", "3.Cable", "4.SuspCbl",
		"5.HvSteel", "6.Hydralc1", "7.Hydralc2"};
	numofmenuitems = 0;
	item("Exit", 4, 4, SDLK_ESCAPE);
	item("Load Default", 4, 460, SDLK_l);
	item("Save Default", 636 | ALIGNRIGHT, 460, SDLK_s);
	for (int i = 0; i < LINKHYDRAULIC2 - LINKIRON + 1; i++) {
		item(labels[i], 4, 320 + 16 * i, SDLK_1 + i);
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

// The material's colour as a swatch at (400, 80)-(512, 192) of the virtual
// screen.
static void drawswatch(const vector3 *c)
{
	glDisable(GL_TEXTURE_2D);
	glColor4f(c->x, c->y, c->z, 1.0f);
	glBegin(GL_QUADS);
	glVertex3f(0.25f, 0.5f, -1.0f);
	glVertex3f(0.6f, 0.5f, -1.0f);
	glVertex3f(0.6f, 0.15f, -1.0f);
	glVertex3f(0.25f, 0.15f, -1.0f);
	glEnd();
	glEnable(GL_TEXTURE_2D);
}

void editbridgecolormenu()
{
	// Always Iron first, whatever the editor's material.
	int material = LINKIRON;
	numofeditbars = 0;
	setcolorbar(numofeditbars++, 64, 1.0f, 0.0f, 0.0f);
	setcolorbar(numofeditbars++, 128, 0.0f, 1.0f, 0.0f);
	setcolorbar(numofeditbars++, 192, 0.0f, 0.0f, 1.0f);
	resetmenuitems();
	while (!menuitem[EXITITEM].active && !windowinfo.quit) {
		glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
		glClear(GL_COLOR_BUFFER_BIT);
		createitems(&material);
		checksystemmessages();
		checkkeyboard();
		checkmouse();
		checkmenuitems();
		vector3 *c = &level.linkcolor[material];
		editbar[0].value = &c->x;
		editbar[1].value = &c->y;
		editbar[2].value = &c->z;
		if (fired(LOADDEFAULTITEM))
			loaddefaultlinkcolor(material);
		if (fired(SAVEDEFAULTITEM))
			savedefaultlinkcolor(material);
		checkeditbars();
		setuptextdisplay();
		if (config.background == 1)
			drawbgtitle();
		drawswatch(c);
		rendereditbars();
		drawmenuitems();
		drawmousecursor(1.0f, 1.0f, 1.0f, 1.0f);
		SDL_GL_SwapBuffers();
	}
	numofeditbars = 0;
	resetmenuitems();
}
