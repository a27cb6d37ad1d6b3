// Menu items: creation, shaping, the per-frame test against the input, and
// the key labels. Drawing lives in menudraw.cpp, the text box editing in
// textbox.cpp.
#include "platform/menu.h"

#include "platform/files.h"
#include "platform/input.h"
#include "platform/text.h"

#include <cstring>

menuitemstruct menuitem[MAXMENUITEMS];
int numofmenuitems;
int currentmenuitem;
int menuinputkeyboard;

// Set when the last createmenuitem found all slots taken: the setmenuitem
// calls that follow belong to the refused item and must not reshape the
// last real one.
static int lastitemrefused;

static menuitemstruct *newmenuitem()
{
	if (numofmenuitems < 0 || numofmenuitems >= MAXMENUITEMS) {
		lastitemrefused = 1;
		return nullptr;
	}
	lastitemrefused = 0;
	return &menuitem[numofmenuitems++];
}

// A new item is a button with no key and no target until setmenuitem
// shapes it.
static void setplainbutton(menuitemstruct *item)
{
	item->type = MENU_BUTTON;
	item->key = 0;
	item->setvalue = 0;
	item->textkind = TEXTKIND_INT;
	item->target = nullptr;
	item->targetsize = 0;
	item->callback = nullptr;
}

void createmenuitem(const char *label, int x, int y, int size, float red, float green, float blue,
	float alpha)
{
	menuitemstruct *item = newmenuitem();
	if (!item)
		return;
	copystring(item->label, label ? label : "", MENULABELSIZE);
	item->width = static_cast<int>(strlen(item->label));
	item->x = alignx(x, item->width, size);
	item->y = aligny(y, size);
	item->size = size;
	item->red = red;
	item->green = green;
	item->blue = blue;
	item->height = 1;
	item->repeat = 0;
	item->state = MENUSTATE_NORMAL;
	setplainbutton(item);
}

void createmenuitemempty()
{
	menuitemstruct *item = newmenuitem();
	if (!item)
		return;
	item->label[0] = 0;
	item->x = item->y = item->size = 0;
	item->red = item->green = item->blue = 0;
	item->width = item->height = 0;
	item->state = MENUSTATE_DISABLED;
	setplainbutton(item);
}

static menuitemstruct *lastmenuitem()
{
	if (lastitemrefused || numofmenuitems <= 0 || numofmenuitems > MAXMENUITEMS)
		return nullptr;
	return &menuitem[numofmenuitems - 1];
}

static void bindtextbox(menuitemstruct *item, int kind, void *target, int capacity)
{
	item->type = MENU_TEXTBOX;
	item->textkind = kind;
	item->target = target;
	item->targetsize = capacity;
	item->callback = menutextbox;
	item->height = 2;
}

void setmenuitem(int code)
{
	menuitemstruct *item = lastmenuitem();
	if (item && code == MENUSET_REPEAT)
		item->repeat = 1;
}

void setmenuitem(int code, int value)
{
	menuitemstruct *item = lastmenuitem();
	if (!item)
		return;
	if (code == MENUSET_KEY)
		item->key = value;
	else if (code == MENUSET_STATE)
		item->state = value;
}

void setmenuitem(int code, int *target)
{
	menuitemstruct *item = lastmenuitem();
	if (!item)
		return;
	if (code == MENUSET_INTBOX) {
		bindtextbox(item, TEXTKIND_INT, target, 0);
	} else if (code == MENUSET_TOGGLE) {
		item->type = MENU_TOGGLE;
		item->target = target;
		item->callback = menutoggle;
	}
}

void setmenuitem(int code, unsigned *target)
{
	menuitemstruct *item = lastmenuitem();
	if (item && code == MENUSET_UNSIGNEDBOX)
		bindtextbox(item, TEXTKIND_UNSIGNED, target, 0);
}

void setmenuitem(int code, float *target)
{
	menuitemstruct *item = lastmenuitem();
	if (item && code == MENUSET_FLOATBOX)
		bindtextbox(item, TEXTKIND_FLOAT, target, 0);
}

void setmenuitem(int code, char *target, int capacity)
{
	menuitemstruct *item = lastmenuitem();
	if (item && code == MENUSET_STRINGBOX && capacity > 0)
		bindtextbox(item, TEXTKIND_STRING, target, capacity);
}

void setmenuitem(int code, int *target, int setvalue)
{
	menuitemstruct *item = lastmenuitem();
	if (!item || code != MENUSET_SETITEM)
		return;
	item->type = MENU_SET;
	item->target = target;
	item->setvalue = setvalue;
	item->callback = menuset;
}

void setmenuitem(int code, void (*callback)())
{
	menuitemstruct *item = lastmenuitem();
	if (item && code == MENUSET_CALLBACK)
		item->callback = callback;
}

static int itemcount()
{
	if (numofmenuitems < 0)
		return 0;
	return numofmenuitems < MAXMENUITEMS ? numofmenuitems : MAXMENUITEMS;
}

static int hotkeyfired(const menuitemstruct *item)
{
	int key = item->key;
	if (key <= 0 || key >= KEYCOUNT)
		return 0;
	return keyboard[key] && (!prevkeyboard[key] || item->repeat);
}

static int underpointer(const menuitemstruct *item)
{
	return mouse.x >= item->x && mouse.x < item->x + item->size * item->width
		&& mouse.y >= item->y && mouse.y < item->y + item->size * item->height;
}

static int itemlit(const menuitemstruct *item)
{
	if (item->active)
		return 1;
	if (!item->target)
		return 0;
	if (item->type == MENU_TOGGLE)
		return *static_cast<int *>(item->target) != 0;
	if (item->type == MENU_SET)
		return *static_cast<int *>(item->target) == item->setvalue;
	return 0;
}

void checkmenuitems()
{
	int count = itemcount();
	int clicked = mouse.leftbutton && !prevmouse.leftbutton;

	// A new click anywhere ends every fired button and every edit.
	for (int i = 0; i < count; i++) {
		if (clicked || menuitem[i].repeat)
			menuitem[i].active = 0;
	}

	for (int i = 0; i < count; i++) {
		menuitemstruct *item = &menuitem[i];
		if (item->state == MENUSTATE_DISABLED)
			continue;
		item->state = MENUSTATE_NORMAL;
		if (underpointer(item)) {
			item->state = MENUSTATE_HOVER;
			if (clicked)
				item->active = 1;
		}
		if (!menuinputkeyboard && hotkeyfired(item))
			item->active = 1;
		if (itemlit(item))
			item->state = MENUSTATE_LIT;
	}

	// A callback may activate a later item, which then runs in this pass.
	for (currentmenuitem = 0; currentmenuitem < count; currentmenuitem++) {
		menuitemstruct *item = &menuitem[currentmenuitem];
		if (item->active && item->callback)
			item->callback();
		if (item->type != MENU_TEXTBOX && item->callback)
			item->active = 0;
		item->prevactive = item->active;
	}

	menuinputkeyboard = 0;
	for (int i = 0; i < count; i++) {
		if (menuitem[i].type == MENU_TEXTBOX && menuitem[i].active)
			menuinputkeyboard = 1;
	}
}

void resetmenuitems()
{
	for (int i = 0; i < MAXMENUITEMS; i++) {
		menuitem[i].active = 0;
		menuitem[i].prevactive = 0;
	}
}

void menutoggle()
{
	int *target = static_cast<int *>(menuitem[currentmenuitem].target);
	if (target)
		*target ^= 1;
}

void menuset()
{
	int *target = static_cast<int *>(menuitem[currentmenuitem].target);
	if (target)
		*target = menuitem[currentmenuitem].setvalue;
}

static void setkeylabel(int key, const char *label)
{
	copystring(keyboardlabel[key], label, KEYLABELSIZE);
}

void setupmenuitems()
{
	memset(keyboardlabel, 0, sizeof keyboardlabel);
	for (int k = 0; k < 26; k++) {
		char letter[2] = {static_cast<char>('A' + k), 0};
		setkeylabel('a' + k, letter);
	}
	for (int k = 0; k < 10; k++) {
		char digit[2] = {static_cast<char>('0' + k), 0};
		setkeylabel('0' + k, digit);
	}
	setkeylabel(276, "Left");
	setkeylabel(275, "Right");
	setkeylabel(273, "Up");
	setkeylabel(274, "Down");
	setkeylabel(32, "Space");
	setkeylabel(13, "Enter");
	setkeylabel(261, "Center");
	setkeylabel(306, "Ctrl");
	setkeylabel(308, "Alt");
	setkeylabel(304, "Shift");
	setkeylabel(44, "Comma");
	setkeylabel(46, "Period");
	setkeylabel(263, "Home");
	setkeylabel(265, "PgUp");
	setkeylabel(257, "End");
	setkeylabel(259, "PgDn");
	setkeylabel(270, "Plus");
	setkeylabel(269, "Minus");
	setkeylabel(256, "Ins");
	setkeylabel(266, "Del");
}
