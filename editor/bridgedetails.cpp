// The bridge details: the bridge's name and its architect's, typed straight
// into the level record that a saved bridge carries. There is no cancel.
#include <SDL/SDL.h>

#include "editor/editormenus.h"
#include "platform/config.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "render/menuscreen.h"
#include "world/level.h"

// The labels are padded to 32 characters: that width sizes the text boxes.
static void textbox(const char *label, int y, const float *color, char *field)
{
	createmenuitem(label, 0, y, 16, color[0], color[1], color[2], 1.0f);
	setmenuitem(MENUSET_STRINGBOX, field, NAMESIZE);
}

void editbridgedetails()
{
	float color[3] = {config.textcolor[0], config.textcolor[1], config.textcolor[2]};
	resetmenuitems();
	while (!menuitem[0].active && !windowinfo.quit) {
		numofmenuitems = 0;
		createmenuitem("Back", 4, 4, 16, 1.0f, 1.0f, 1.0f, 1.0f);
		setmenuitem(MENUSET_KEY, SDLK_ESCAPE);
		textbox("Bridge Name                     ", 64, color, level.bridgename);
		textbox("Architect                       ", 96, color, level.architect);
		pollscreenwindowlast();
		clearscreen();
		drawbackdrop();
		finishscreen();
	}
	resetmenuitems();
}
