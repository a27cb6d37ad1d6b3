// Drawing the menu items: labels with the hotkey letter picked out, and
// text box fields with the edit line, selection and cursor.
#include "platform/files.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"

#include <cctype>
#include <cstdio>
#include <cstring>

constexpr int SOLIDBLOCK = 127;  // the font's filled cell

static void drawcell(const menuitemstruct *item, int column, int row, int c, float factor,
	float alpha)
{
	drawtext("/c", item->x + column * item->size, item->y + row * item->size, item->size,
		item->red * factor, item->green * factor, item->blue * factor, alpha, c);
}

// The column of the letter that the item's hotkey types, or -1 when the
// key's label is not a single character.
static int hotkeycolumn(const menuitemstruct *item, int length)
{
	if (item->state == MENUSTATE_DISABLED || item->key <= 0 || item->key >= KEYCOUNT)
		return -1;
	const char *keylabel = keyboardlabel[item->key];
	if (keylabel[0] == 0 || keylabel[1] != 0)
		return -1;
	for (int i = 0; i < length; i++) {
		if (toupper(static_cast<unsigned char>(item->label[i])) == keylabel[0])
			return i;
	}
	return -1;
}

static void drawlabel(const menuitemstruct *item)
{
	int length = static_cast<int>(strnlen(item->label, MENULABELSIZE));
	if (length > item->width)
		length = item->width;
	int highlight = hotkeycolumn(item, length);
	float dim = (item->state + 5) / 8.0f;
	for (int i = 0; i < length; i++) {
		unsigned char c = static_cast<unsigned char>(item->label[i]);
		drawcell(item, i, 0, c, i == highlight ? 1.0f : dim, 1.0f);
	}
}

static void drawboundvalue(const menuitemstruct *item, float factor)
{
	int x = item->x;
	int y = item->y + item->size;
	float r = item->red * factor, g = item->green * factor, b = item->blue * factor;
	if (!item->target)
		return;
	switch (item->textkind) {
	case TEXTKIND_INT:
		drawtext("/i", x, y, item->size, r, g, b, 1.0f, *static_cast<int *>(item->target));
		break;
	case TEXTKIND_UNSIGNED:
		drawtext("/u", x, y, item->size, r, g, b, 1.0f, *static_cast<unsigned *>(item->target));
		break;
	case TEXTKIND_FLOAT:
		snprintf(menuinputtemp, MENUINPUTSIZE, "%g",
			static_cast<double>(*static_cast<float *>(item->target)));
		drawtext("/s", x, y, item->size, r, g, b, 1.0f, menuinputtemp);
		break;
	case TEXTKIND_STRING: {
		// Bounded: the buffer may hold a name without its zero.
		int capacity = item->targetsize < MENUINPUTSIZE ? item->targetsize : MENUINPUTSIZE;
		copystring(menuinputtemp, static_cast<const char *>(item->target), capacity);
		drawtext("/s", x, y, item->size, r, g, b, 1.0f, menuinputtemp);
		break;
	}
	}
}

static void drawfield(const menuitemstruct *item)
{
	float factor = (item->state + 5) / 8.0f;
	for (int i = 0; i < item->width; i++)
		drawcell(item, i, 1, SOLIDBLOCK, (item->state + 1) / 32.0f, 1.0f);
	if (!item->active) {
		drawboundvalue(item, factor);
		return;
	}
	drawtext("/s", item->x, item->y + item->size, item->size, item->red * factor,
		item->green * factor, item->blue * factor, 1.0f, menuinput);
	int start = menuinputselectpos < menuinputcursorpos ? menuinputselectpos : menuinputcursorpos;
	int end = menuinputselectpos < menuinputcursorpos ? menuinputcursorpos : menuinputselectpos;
	for (int i = 0; i < item->width; i++) {
		if (i >= start && i < end)
			drawcell(item, i, 1, SOLIDBLOCK, factor, 0.5f);
	}
	if (menuinputinsert)
		drawcell(item, menuinputcursorpos, 1, SOLIDBLOCK, factor, 0.5f);
	else
		drawcell(item, menuinputcursorpos, 1, '_', factor, 1.0f);
}

void drawmenuitems()
{
	int count = numofmenuitems < MAXMENUITEMS ? numofmenuitems : MAXMENUITEMS;
	for (int i = 0; i < count; i++) {
		drawlabel(&menuitem[i]);
		if (menuitem[i].type == MENU_TEXTBOX)
			drawfield(&menuitem[i]);
	}
}
