// The credits page.
#include "game/credits.h"

#include "platform/config.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "render/menuscreen.h"

#include <SDL/SDL.h>

namespace {

// A heading and the rows under it; the rows start 24 units below it.
struct creditsection {
	const char *heading;
	int y;
	int numofrows;
	const char *row[4];
};

const creditsection sections[] = {
	{ "Design//Programming", 48, 2, { "The Trusvane team", "Simulation, editor and game flow" } },
	{ "Art", 108, 4, { "Landscapes, models and textures", "drawn by the project's own generator",
		"Font and menu backdrops", "from the same generator" } },
	{ "Sound", 192, 1, { "Sounds synthesised by the project's generator" } },
	{ "Database//Perl Superhacking", 240, 1, { "Level and map pack tools" } },
	{ "Beta Testing", 288, 3, { "Every engineer on the team", "The window tests under Xvfb",
		"The sanitizer builds" } },
	{ "Thanks", 360, 2, { "Everyone who built a bridge", "and drove a train over it" } },
	{ "Trusvane uses", 420, 3, { "SDL", "OpenGL", "OpenAL" } },
};

void drawcredits(const float *textcolor)
{
	float title[3], heading[3];
	for (int n = 0; n < 3; n++) {
		title[n] = 0.875f * textcolor[n];
		heading[n] = 0.75f * textcolor[n];
	}
	drawtext("Credits", 320 | ALIGNCENTER, 4, 20, title[0], title[1], title[2], 1.0f);
	for (const creditsection &s : sections) {
		drawtext(s.heading, 4, s.y, 12, heading[0], heading[1], heading[2], 1.0f);
		for (int n = 0; n < s.numofrows; n++)
			drawtext("/s", 4, s.y + 24 + 12 * n, 12, title[0], title[1], title[2], 1.0f,
				s.row[n]);
	}
}

}  // namespace

void creditsmenu()
{
	resetmenuitems();
	while (screenopen()) {
		clearscreen();
		numofmenuitems = 0;
		screenitem("Back", 4, 4, 16, SDLK_ESCAPE);
		pollscreen();
		drawbackdrop();
		drawcredits(config.textcolor);
		finishscreen();
	}
	resetmenuitems();
}
