// The editor's help: three pages of fixed text, the keys of simple mode,
// the function keys with the keys of complex mode, and the material figures.
#include "editor/editormenus.h"

#include "platform/menu.h"
#include "render/keyhelp.h"
#include "render/menuscreen.h"

#include <SDL/SDL.h>
#include <iterator>

namespace {

// After the camera keys.
const helprow simplekeys[] = {
	{ "H", "This Help", 12 },
	{ "E", "Reset View Direction", 12 },
	{ "Shift+E", "Reset View Direction", 12 },
	{ "1-6", "Select Material", 12 },
	{ "J", "Press J And Click A Point To Toggle", 12 },
	{ "", "A Joint For Drawbridge To Separate At", 12 },
	{ "G", "Toggle High Detail Grid", 12 },
	{ "C", "Copy", 12 },
	{ "V", "Paste", 12 },
	{ "X", "Flip Copy X Axis", 12 },
	{ "DEL", "Delete Selected Area", 12 },
	{ "U", "Undo", 12 },
	{ "O", "Redo", 12 },
	{ "T", "Simulation Mode", 12 },
};

const helprow functionkeys[] = {
	{ "F1", "Normal Mode", 12 },
	{ "F2", "Complex Mode", 12 },
	{ "F3", "Level Editor", 12 },
	{ "F5", "Toggle Camera Control Mode", 12 },
	{ "F6", "Toggle landscape for performance help", 10 },
	{ "F8", "Takes Screenshot", 12 },
	{ "F9", "Save Bridge", 12 },
	{ "F12", "Minimize the game window", 12 },
};

const helprow complexkeys[] = {
	{ "Tilde", "Toggle Deck", 12 },
	{ "M", "Toggle Mirror", 12 },
	{ "B", "Toggle Crossbeams", 12 },
	{ "R", "Move Editing Plane Forward", 12 },
	{ "F", "Move Editing Plane Backward", 12 },
	{ "Shift+R", "Move Both Planes Forward", 12 },
	{ "Shift+F", "Move Both Planes Backward", 12 },
	{ "Ctrl+R", "Move Mirror Plane Forward", 12 },
	{ "Ctrl+F", "Move Mirror Plane Backward", 12 },
	{ "Space", "Reset Mirror Plane Position", 12 },
	{ "Tab", "Toggles thin beam mode", 12 },
};

// Fixed figures, aligned with blanks; they describe the materials roughly
// and are not worked out from the material tables.
const char *const statistics[] = {
	"Material    Cost Compression Strength Tension Strength Weight (kg)",
	"Cable       $80   0                    21.0             393",
	"Iron        $100  1.0                  1.0              600",
	"Iron(thin)  $75   .5                   .5               450",
	"Steel       $200  2.1                  2.1              640",
	"Steel(thin) $150  1.2                  1.2              480",
	"SCable      $300  0                    446.8            6283",
	"HSteel      $400  13.1                 13.1             1960",
	"HSteel(thin)$300  7.4                  7.4              1470",
	"Hydraulics  $400  5.7                  5.7              640",
	"Iron Deck   $600 a piece",
	"Steel Deck  $600 a piece",
};

const char *const statisticsnotes[] = {
	"All strength values are approximate. Remember the",
	"price and strength values are for a single link.",
	"When a link is created another link is created in",
	"the mirror plane and cross links are placed between",
	"the links (see Advanced bridge building techniques).",
	"Thus the price is much higher. Materials with (thin)",
	"after them refer to the thinner crossbeams of that",
	"material.",
};

void line(const char *text, int x, int y, int size)
{
	drawhelpline(text, x, y, size, 0.75f);
}

void drawpage(int page)
{
	if (page == 0) {
		line("Simple mode help", 4, 32, 12);
		line("Left-click to select points and add links", 4, 56, 12);
		line("Right-click to delete points and unselect points", 4, 68, 12);
		drawkeyheadings(92);
		drawkeyrows(camerakeys, CAMERAKEYROWS, 104);
		drawkeyrows(simplekeys, int(std::size(simplekeys)), 104 + 12 * CAMERAKEYROWS);
	} else if (page == 1) {
		drawkeyheadings(32);
		drawkeyrows(functionkeys, int(std::size(functionkeys)), 44);
		line("Complex mode help", 4, 152, 12);
		drawkeyrows(complexkeys, int(std::size(complexkeys)), 176);
	} else {
		line("Material Statistics", 4, 32, 12);
		line("Each materials statistics are for links 1 section (4", 4, 56, 12);
		line("grid units or 8 high definition grid units) in length", 4, 68, 12);
		for (int n = 0; n < 12; n++)
			line(statistics[n], 4, 89 + 9 * n, 9);
		for (int n = 0; n < 8; n++)
			line(statisticsnotes[n], 4, 212 + 12 * n, 12);
	}
}

void createitems(int *page)
{
	numofmenuitems = 0;
	screenitem("Back", 4, 4, 16, SDLK_ESCAPE);
	static const char *const label[3] = { "Page1", "Page2", "Page3" };
	for (int n = 0; n < 3; n++) {
		screenitem(label[n], 164 + 176 * n, 4, 16, 0);
		setmenuitem(MENUSET_SETITEM, page, n);
	}
}

}  // namespace

void helpmenu()
{
	int page = 0;
	resetmenuitems();
	while (screenopen()) {
		createitems(&page);
		pollscreenwindowlast();
		clearscreen();
		drawbackdrop();
		drawpage(page);
		finishscreen();
	}
	resetmenuitems();
}
