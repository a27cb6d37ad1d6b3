// The ending of a map pack; finishing two of the packs unlocks a setting.
#include "game/endingloop.h"

#include "platform/config.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "render/menuscreen.h"
#include "world/mappack.h"

#include <SDL/SDL.h>
#include <cstring>

// The unlock is applied every frame so that the note and the setting never
// disagree; the setting reaches the settings file when the game exits.
static const char *unlock()
{
	if (!strcmp(mappackname, "4-complex")) {
		savedsettings.earthquake = 1;
		return "Earthquakes unlocked";
	}
	if (!strcmp(mappackname, "5-extra")) {
		savedsettings.godmode = 1;
		return "Godmode unlocked";
	}
	return nullptr;
}

static void drawending(const float *c)
{
	drawtext("/s Map Pack", 320 | ALIGNCENTER, 4, 14, c[0], c[1], c[2], 1.0f, mappackname);
	// Through "/s": a pack's text is shown as written, slashes and all.
	for (int i = 0; i < PACKENDINGLINES; i++)
		drawtext("/s", 4, 16 * (i + 4), 16, c[0], c[1], c[2], 1.0f, mappack.text[i]);
}

void endingloop()
{
	float c[3];
	for (int n = 0; n < 3; n++)
		c[n] = config.textcolor[n];
	resetmenuitems();
	while (!menuitem[0].active && !windowinfo.quit) {
		numofmenuitems = 0;
		createmenuitem("Done", 636 | ALIGNRIGHT, 4, 16, c[0], c[1], c[2], 1.0f);
		setmenuitem(MENUSET_KEY, SDLK_ESCAPE);
		pollscreenwindowlast();
		clearscreen();
		drawbackdrop();
		drawending(c);
		const char *note = unlock();
		if (note)
			drawtext("/s", 4, 272, 16, c[0], c[1], c[2], 1.0f, note);
		finishscreen();
	}
	resetmenuitems();
}
