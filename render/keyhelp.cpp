#include "render/keyhelp.h"

#include "platform/config.h"
#include "platform/text.h"

constexpr float HEADSHADE = 0.5f;
constexpr float ROWSHADE = 0.75f;

const helprow camerakeys[CAMERAKEYROWS] = {
	{ "ESC", "Always takes you back to last screen, is", 12 },
	{ "", "always the hotkey for the menu in the top", 12 },
	{ "", "left corner of the screen", 12 },
	{ "Shift", "When held down makes movement keys (A,S,D,", 12 },
	{ "", "W) rotate view like the arrow keys", 12 },
	{ "Ctrl", "Increases the speed of camera movement", 12 },
	{ "", "when pressing movement keys (A,S,D,W)", 12 },
	{ "W", "Move Up", 12 },
	{ "S", "Move Down", 12 },
	{ "A", "Move Left", 12 },
	{ "D", "Move Right", 12 },
	{ "Q", "Zoom In", 12 },
	{ "Z", "Zoom Out", 12 },
	{ "Arrow Keys", "Rotate View", 12 },
};

void drawhelpline(const char *text, int x, int y, int size, float shade)
{
	const float *c = config.textcolor;
	drawtext("/s", x, y, size, shade * c[0], shade * c[1], shade * c[2], 1.0f, text);
}

void drawkeyheadings(int y)
{
	drawhelpline("Key", 4, y, 12, HEADSHADE);
	drawhelpline("Function", 128, y, 12, HEADSHADE);
}

void drawkeyrows(const helprow *rows, int count, int y)
{
	for (int n = 0; n < count; n++) {
		drawhelpline(rows[n].key, 4, y + 12 * n, 12, ROWSHADE);
		drawhelpline(rows[n].text, 128, y + 12 * n, rows[n].size, ROWSHADE);
	}
}
