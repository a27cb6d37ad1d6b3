// The level's property screens: materials, texts, wind and current, and
// the colours of the landscape's four bands.

#include "leveleditor/levelmenus.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "platform/config.h"
#include "render/colorbars.h"
#include "render/menuscreen.h"
#include "world/level.h"


constexpr int KEY_ESCAPE = 27;

enum fieldkind { INTFIELD, FLOATFIELD, STRINGFIELD };

struct formfield {
	const char *label;
	fieldkind kind;
	void *target;
};

static void createfield(const formfield *f, int y)
{
	screenitem(f->label, 0, y, 16, 0);
	switch (f->kind) {
	case INTFIELD:
		setmenuitem(MENUSET_INTBOX, static_cast<int *>(f->target));
		break;
	case FLOATFIELD:
		setmenuitem(MENUSET_FLOATBOX, static_cast<float *>(f->target));
		break;
	case STRINGFIELD:
		setmenuitem(MENUSET_STRINGBOX, static_cast<char *>(f->target), NAMESIZE);
		break;
	}
}

// One form screen: "Back" and a column of text boxes that write straight
// into the level.
static void runform(const formfield *fields, int count)
{
	resetmenuitems();
	while (screenopen()) {
		numofmenuitems = 0;
		screenitem("Back", 4, 4, 16, KEY_ESCAPE);
		for (int i = 0; i < count; i++)
			createfield(&fields[i], 64 + 32 * i);
		pollscreenwindowlast();
		clearscreen();
		drawscreen();
	}
	resetmenuitems();
}

void editmaterials()
{
	const formfield fields[] = {
		{"Iron        ", INTFIELD, &level.materiallimit[2]},
		{"Steel       ", INTFIELD, &level.materiallimit[3]},
		{"Cable       ", INTFIELD, &level.materiallimit[4]},
		{"SuspCbl      ", INTFIELD, &level.materiallimit[5]},
		{"HvSteel      ", INTFIELD, &level.materiallimit[6]},
		{"Hydralc     ", INTFIELD, &level.materiallimit[7]},
	};
	runform(fields, 6);
}

void editdescription()
{
	const formfield fields[] = {
		{"Level Name                      ", STRINGFIELD, level.levelname},
		{"Designer                        ", STRINGFIELD, level.designer},
		{"Description                     ", STRINGFIELD, level.description[0]},
		{"Line 2                          ", STRINGFIELD, level.description[1]},
		{"Line 3                          ", STRINGFIELD, level.description[2]},
		{"Line 4                          ", STRINGFIELD, level.description[3]},
	};
	runform(fields, 6);
}

// The wind and the current are kept in the last phase slot of the level.
void editwind()
{
	const formfield fields[] = {
		{"Wind Speed", FLOATFIELD, &level.phase[WINDPHASE].data[WINDSPEEDWORD]},
		{"Current Speed", FLOATFIELD, &level.phase[WINDPHASE].data[CURRENTSPEEDWORD]},
	};
	runform(fields, 2);
}

void editlevelcolormenu()
{
	int k = 0;
	setcolorbars();
	resetmenuitems();
	while (screenopen()) {
		clearscreen();
		numofmenuitems = 0;
		whiteitem("Exit", 4, 4, 16, KEY_ESCAPE);
		const char *labels[MAXCOLORBANDS] = {"Color 1", "Color 2", "Color 3", "Color 4"};
		const int x[MAXCOLORBANDS] = {4, 160, 320, 480};
		for (int i = 0; i < MAXCOLORBANDS; i++) {
			whiteitem(labels[i], x[i], 400, 16, '1' + i);
			setmenuitem(MENUSET_SETITEM, &k, i);
		}
		pollscreen();
		vector3 *c = &level.colorband[k].color;
		editcolorbars(c);
		drawbackdrop();
		drawcolorbars(c);
		finishscreen();
	}
	resetmenuitems();
}
