// The level editor's four help pages.
#include <cstring>

#include "leveleditor/leveleditor.h"
#include "leveleditor/levelmenus.h"
#include "platform/config.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "render/menuscreen.h"

constexpr int KEY_ESCAPE = 27;
constexpr int SMALLTEXT = 10;  // lines too long for the column at 12

struct helpline {
	int y;
	const char *left;
	const char *right;
	int size;
};

// A line with "Key" and "Function" as its texts is a dim column head.
static const helpline generalpage[] = {
	{32, "Please read the Trusvane Guide", nullptr, 12},
	{44, "for more help with level building", nullptr, 12},
	{68, "Key", "Function", 12},
	{80, "ESC", "Always takes you back to last screen, is", 12},
	{92, nullptr, "always the hotkey for the menu in the top", 12},
	{104, nullptr, "left corner of the screen", 12},
	{116, "Shift", "When held down makes movement keys (A,S,D,", 12},
	{128, nullptr, "W) rotate view like the arrow keys", 12},
	{140, "Ctrl", "Increases the speed of camera movement", 12},
	{152, nullptr, "when pressing movement keys (A,S,D,W)", 12},
	{164, "W", "Move Up", 12},
	{176, "S", "Move Down", 12},
	{188, "A", "Move Left", 12},
	{200, "D", "Move Right", 12},
	{212, "Q", "Zoom In", 12},
	{224, "Z", "Zoom Out", 12},
	{236, "Arrow Keys", "Rotate View", 12},
	{248, "E", "Reset View Direction", 12},
	{260, "[ and ]", "Moves Sun, shift key will change direction of movement", SMALLTEXT},
	{272, "F1", "Landscape edit mode", 12},
	{284, "F2", "Object edit mode", 12},
	{296, "F3", "Prop edit mode", 12},
	{308, "F4", "Help Menu", 12},
	{320, "F9", "Save As", 12},
	{332, "F12", "Minimize the game window", 12},
};

static const helpline landscapepage[] = {
	{32, "Landscape edit help", nullptr, 12},
	{56, "Use the setclr1-4 to set the landscape color.  Move", nullptr, 12},
	{68, "the editing plan (grid) to the height of the", nullptr, 12},
	{80, "landscape you want the color to change.  Click", nullptr, 12},
	{92, "the setclr you want to set.  For best results", nullptr, 12},
	{104, "always keep the setclr1 at the lowest point in the", nullptr, 12},
	{116, "level, and make sure each setclr is set at a height", nullptr, 12},
	{128, "higher then the one before it (setclr3 should always", nullptr, 12},
	{140, "be set higher then setclr2 and lower then setclr4).", nullptr, 12},
	{152, "You must click texture to see the color changes.", nullptr, 12},
	{164, "The landscape assocated with each setclr can be", nullptr, 12},
	{176, "adjusted by clicking on color", nullptr, 12},
	{200, "Use set, raise, or lower to select landscape", nullptr, 12},
	{212, "editing tool type.  Height and Size adjust", nullptr, 12},
	{224, "The Tools effect on the landscape.  Click", nullptr, 12},
	{236, "on the landscape to edit", nullptr, 12},
	{260, "Key", "Function", 12},
	{272, "1", "select Raise Landscape tool", 12},
	{284, "2", "select Lower Landscape tool", 12},
	{296, "3", "select Set Landscape tool", 12},
	{308, "H", "Adjust landscape tool Height", 12},
	{320, "I", "Adjust landscape tool Size", 12},
	{332, "X", "Texture Landscape", 12},
	{344, "B", "Set Budget", 12},
	{356, "L", "Set Water Level at the Height of the", 12},
	{368, nullptr, "landscape at the mouse Curser", 12},
	{380, "G", "Set editing plane (grid) at the Height of", 12},
	{392, nullptr, "the landscape at the mouse Curser", 12},
	{404, "R", "Move editing plane down", 12},
	{416, "F", "Move editing plane up", 12},
};

static const helpline objectpage[] = {
	{32, "Object edit help", nullptr, 12},
	{56, "phases will set the number of phases", nullptr, 12},
	{68, "the level will have", nullptr, 12},
	{92, "Click addobj to select an object", nullptr, 12},
	{104, "Then Click to place the object", nullptr, 12},
	{116, "Select phases 1-8 to select which", nullptr, 12},
	{128, "phases the object will run in", nullptr, 12},
	{152, "Key", "Function", 12},
	{164, "0", "Select An Object To Add", 12},
	{176, "P", "Set Number of Phases in Level", 12},
	{188, "1-8", "Set Phase for Object to be Active", 12},
	{200, "Y", "Add Waypoint for Selected Object", 12},
	{212, "BKSPACE", "Delete Last Object Waypoint", 12},
	{224, "G", "Set editing plane (grid) at the Height of", 12},
	{236, nullptr, "the landscape at the mouse Curser", 12},
	{248, "PGUP", "Move Selected Object Up", 12},
	{260, "PGDOWN", "Move Selected Object Down", 12},
	{272, "X", "Rotate Selected Object", 12},
	{284, "DEL", "Delete Selected Object", 12},
};

static const helpline proppage[] = {
	{32, "Prop edit help", nullptr, 12},
	{56, "Click Propname to select an Prop Then click", nullptr, 12},
	{68, "Addprop, And Click On Landscape to place a", nullptr, 12},
	{80, "prop, when done placing right click to cancel", nullptr, 12},
	{92, "Addprop, then click on placed props to select", nullptr, 12},
	{104, "them for moving (pgup, pgdown) and rotating (X),", nullptr, 12},
	{116, "right click to unselect the prop", nullptr, 12},
	{140, "Key", "Function", 12},
	{152, "N", "Select A Prop", 12},
	{164, "P", "Add A Prop", 12},
	{176, "PGUP", "Move Selected Prop Up", 12},
	{188, "PGDOWN", "Move Selected Prop Down", 12},
	{200, "X", "Rotate Selected Prop", 12},
	{212, "DEL", "Delete Selected Prop", 12},
};

struct helppage {
	const helpline *lines;
	int count;
	int rightcolumn;
};

static const helppage pages[] = {
	{generalpage, sizeof generalpage / sizeof generalpage[0], 128},
	{landscapepage, sizeof landscapepage / sizeof landscapepage[0], 92},
	{objectpage, sizeof objectpage / sizeof objectpage[0], 128},
	{proppage, sizeof proppage / sizeof proppage[0], 128},
};

static void drawhelpline(const helpline *l, int rightcolumn)
{
	const float *c = config.textcolor;
	int head = l->left && l->right && !strcmp(l->left, "Key") && !strcmp(l->right, "Function");
	float shade = head ? 0.5f : 0.75f;
	if (l->left)
		drawtext("/s", 4, l->y, 12, c[0] * shade, c[1] * shade, c[2] * shade, 1.0f, l->left);
	if (l->right)
		drawtext("/s", rightcolumn, l->y, l->size, c[0] * shade, c[1] * shade, c[2] * shade, 1.0f,
			l->right);
}

static void drawhelppage(int p)
{
	if (p < 0 || p >= 4)
		return;
	for (int i = 0; i < pages[p].count; i++)
		drawhelpline(&pages[p].lines[i], pages[p].rightcolumn);
}

// The editor's modes are landscape, placements and props; the pages after
// General follow them in that order.
static int firstpage()
{
	int mode = leveleditor.mode;
	return mode >= LEVELMODE_LANDSCAPE && mode <= LEVELMODE_PROPS ? mode + 1 : 0;
}

void levelhelpmenu()
{
	int p = firstpage();
	resetmenuitems();
	while (screenopen()) {
		numofmenuitems = 0;
		screenitem("Exit Help", 4, 4, 16, KEY_ESCAPE);
		screenitem("General", 160, 4, 16, 0);
		setmenuitem(MENUSET_SETITEM, &p, 0);
		screenitem("Landscape", 444 | ALIGNRIGHT, 4, 16, 0);
		setmenuitem(MENUSET_SETITEM, &p, 1);
		screenitem("Object", 556 | ALIGNRIGHT, 4, 16, 0);
		setmenuitem(MENUSET_SETITEM, &p, 2);
		screenitem("Prop", 636 | ALIGNRIGHT, 4, 16, 0);
		setmenuitem(MENUSET_SETITEM, &p, 3);
		pollscreenwindowlast();
		clearscreen();
		drawbackdrop();
		drawhelppage(p);
		finishscreen();
	}
	resetmenuitems();
}
