// The level editor's three pickers: a vehicle type for a new placement, a
// car for the selected placement, and a prop model file.
#include <unistd.h>

#include "leveleditor/leveleditor.h"
#include "leveleditor/levelfiles.h"
#include "leveleditor/levelmenus.h"
#include "leveleditor/placements.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "render/menuscreen.h"

constexpr int KEY_ESCAPE = 27;
constexpr int PAGEROWS = 24;

struct pickerentry {
	const char *label;
	int type;
};

static const pickerentry vehicletypes[] = {
	{"Steam Engine", 0}, {"Diesel Engine", 1}, {"Bullet Engine", 2}, {"Four Door", 16},
	{"Hatchback", 17}, {"Station Wagon", 18}, {"Truck", 20}, {"Cargo Ship", 32},
};

static const pickerentry cartypes[] = {
	{"Boxcar Red", 4}, {"Boxcar Blue", 5}, {"Boxcar Orange", 6}, {"Tanker", 7},
	{"Caboose", 8}, {"Bullet Car", 9}, {"Flat Car", 10},
};

static void beginpickerframe()
{
	clearscreen();
	numofmenuitems = 0;
	screenitem("Back", 4, 4, 16, KEY_ESCAPE);
}

static void createchoices(const pickerentry *entries, int count, int *target)
{
	for (int i = 0; i < count; i++) {
		screenitem(entries[i].label, 4, 64 + 16 * i, 16, 0);
		setmenuitem(MENUSET_SETITEM, target, entries[i].type);
	}
}

// The button state the picker leaves behind: the click that chose an entry
// must not also act on the screen below.
static void leavepicker()
{
	prevmouse.leftbutton = 1;
	resetmenuitems();
}

void addobjectmenu()
{
	leveleditor.newobjecttype = -1;
	resetmenuitems();
	while (screenopen() && leveleditor.menudone == 0) {
		beginpickerframe();
		createchoices(vehicletypes, 8, &leveleditor.newobjecttype);
		pollscreen();
		if (leveleditor.newobjecttype != -1)
			leveleditor.menudone = 1;
		drawscreen();
	}
	leavepicker();
}

void addcarmenu()
{
	leveleditor.newcartype = -1;
	resetmenuitems();
	while (screenopen() && leveleditor.newcartype == -1) {
		beginpickerframe();
		createchoices(cartypes, 7, &leveleditor.newcartype);
		pollscreen();
		// A 33rd car is dropped; the picker closes either way.
		if (leveleditor.newcartype != -1)
			addcar(leveleditor.selectedobject, leveleditor.newcartype);
		drawscreen();
	}
	leavepicker();
}

void deletecareditor()
{
	deletecar(leveleditor.selectedobject);
}

static int listpropfiles()
{
	char here[PATHSIZE];
	int entered = getcwd(here, sizeof here) && chdir("prop") == 0;
	listfiles("*.tvo", filelist, 0);
	if (entered && chdir(here) != 0)
		cd_cwd();
	return cutlistnames(filelist);
}

static void createpageitems(int first, int count, int x)
{
	screenitem("{", x, 64, 16, 0);
	if (first < PAGEROWS)
		setmenuitem(MENUSET_STATE, MENUSTATE_DISABLED);
	screenitem("}", x, 336, 16, 0);
	if (first + PAGEROWS >= count)
		setmenuitem(MENUSET_STATE, MENUSTATE_DISABLED);
}

void propnamemenu()
{
	int n = listpropfiles();
	int first = 0;
	resetmenuitems();
	while (screenopen()) {
		beginpickerframe();
		createpageitems(first, n, 288);
		for (int r = 0; r < PAGEROWS; r++) {
			if (first + r < n)
				listrowitem(filelist[first + r], 4, 64 + 12 * r);
			else
				createmenuitemempty();
		}
		pollscreen();
		if (menuitem[1].active && first >= PAGEROWS) {
			menuitem[1].active = 0;
			first -= PAGEROWS;
		}
		if (menuitem[2].active && first + PAGEROWS < n) {
			menuitem[2].active = 0;
			first += PAGEROWS;
		}
		for (int r = 0; r < PAGEROWS; r++) {
			if (menuitem[3 + r].active && first + r < n) {
				copystring(leveleditor.propname, filelist[first + r], NAMESIZE);
				menuitem[0].active = 1;
			}
		}
		drawscreen();
	}
	leavepicker();
}
