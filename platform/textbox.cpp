// Text boxes: the one shared edit line, the keys that edit it, and the
// live write-back into the bound variable.
#include "platform/clipboard.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/menu.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

char menuinput[MENUINPUTSIZE];
char menuinputtemp[MENUINPUTSIZE];
int menuinputcursorpos, menuinputselectpos;
int menuinputinsert;

constexpr int KEY_BACKSPACE = 8;
constexpr int KEY_TAB = 9;
constexpr int KEY_ESCAPE = 27;
constexpr int KEY_SPACE = 32;
constexpr int KEY_V = 118;
constexpr int KEY_DELETE = 127;
constexpr int KEY_KPPERIOD = 266;
constexpr int KEY_RIGHT = 275;
constexpr int KEY_LEFT = 276;
constexpr int KEY_INSERT = 277;
constexpr int KEY_HOME = 278;
constexpr int KEY_END = 279;
constexpr int KEY_NUMLOCK = 300;

static int keydown(int key, int repeat)
{
	return keyboard[key] && (repeat || !prevkeyboard[key]);
}

static int linelength()
{
	return static_cast<int>(strnlen(menuinput, MENUINPUTUSED));
}

static int clampcolumn(int column)
{
	if (column < 0)
		return 0;
	int length = linelength();
	return column > length ? length : column;
}

static void clampcursor()
{
	menuinputselectpos = clampcolumn(menuinputselectpos);
	menuinputcursorpos = clampcolumn(menuinputcursorpos);
}

// The one rule for the bytes a text box takes, typed or pasted: printable
// ASCII and the printable half of Latin-1. DEL and the controls 128 to 159
// are no text (the font draws 127 as its solid block) and would end up in
// file names.
static int textcharacter(int c)
{
	return (c >= 32 && c <= 126) || c >= 160;
}

static int charactermask(int c)
{
	if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
		return 1;
	if (c >= '0' && c <= '9')
		return 2;
	if (c == '.')
		return 4;
	if (c == ' ')
		return 8;
	if (c == '-')
		return 16;
	return 32;
}

static const char usunshifted[] = "0123456789/;-=.,\\'[]";
static const char usshifted[] = ")!@#$%^&*(?:_+><|\"{}";

// A key whose character the pump did not record (the setup program's pump
// records none) types as on a US layout.
static int uscharacter(int k, int shift)
{
	if (k >= KEY_A && k <= KEY_Z)
		return shift ? k - 32 : k;
	if (k >= KEY_KP0 && k <= KEY_KP0 + 9)
		return keyboard[KEY_NUMLOCK] ? '0' + k - KEY_KP0 : 0;
	if (k == KEY_SPACE)
		return ' ';
	const char *at = k > 0 && k < 128 ? strchr(usunshifted, k) : nullptr;
	if (!at)
		return 0;
	return shift ? usshifted[at - usunshifted] : k;
}

// The character c when the box takes it, else the result so far. Shift
// with Caps Lock gives a small letter from X: with Shift held letters are
// capitals. With Ctrl held a letter is a command, not typing.
static int candidate(int result, int c, int mask, int shift)
{
	if (shift && c >= 'a' && c <= 'z')
		c -= 32;
	int letter = charactermask(c) == 1;
	if (!textcharacter(c) || !(mask & charactermask(c)) || (letter && keyboard[KEY_LCTRL]))
		return result;
	return c;
}

// The character typed this frame, exactly as the keyboard layout made it.
// The layout remap has put each key that typed a character at that
// character's code, or, for a letter typed with Shift, at its small
// letter's code.
static int typedcharacter(int repeat, int mask, int shift)
{
	unsigned char taken[KEYCOUNT] = {};
	int result = -1;
	for (int k = 0; k < KEYCOUNT; k++) {
		int c = keyboard_ascii[k];
		if (c == 0)
			continue;
		int at = shift && k >= KEY_A && k <= KEY_Z && c + 32 == k ? k : c;
		taken[at] = 1;
		// A held letter moves between its own code and its capital's when
		// Shift goes up or down: it went down only if neither held it.
		int fresh = repeat || (!prevkeyboard[k] && !prevkeyboard[c]);
		if (keyboard[at] && fresh)
			result = candidate(result, c, mask, shift);
	}
	for (int k = 0; k < KEYCOUNT; k++) {
		if (!taken[k] && keydown(k, repeat))
			result = candidate(result, uscharacter(k, shift), mask, shift);
	}
	return result;
}

static void movecursor(int repeat, int shift)
{
	if (keypressed(KEY_INSERT))
		menuinputinsert ^= 1;
	int moved = 0;
	if (keydown(KEY_HOME, repeat)) {
		menuinputcursorpos = 0;
		moved = 1;
	}
	if (keydown(KEY_END, repeat)) {
		menuinputcursorpos = linelength();
		moved = 1;
	}
	if (keydown(KEY_LEFT, repeat)) {
		if (menuinputcursorpos > 0)
			menuinputcursorpos--;
		moved = 1;
	}
	if (keydown(KEY_RIGHT, repeat)) {
		if (menuinputcursorpos < linelength())
			menuinputcursorpos++;
		moved = 1;
	}
	// Shift keeps the anchor, so the selection grows.
	if (moved && !shift)
		menuinputselectpos = menuinputcursorpos;
}

int getinputletter(int repeat, int mask)
{
	int shift = keyboard[KEY_LSHIFT];
	int result = typedcharacter(repeat, mask, shift);
	if (keydown(KEY_KPPERIOD, repeat) || keydown(KEY_DELETE, repeat))
		result = EDIT_DELETE;
	if (keydown(KEY_BACKSPACE, repeat))
		result = EDIT_BACKSPACE;
	if (keypressed(KEY_RETURN) || keypressed(KEY_ESCAPE))
		result = EDIT_ENTER;
	if (keypressed(KEY_TAB))
		result = EDIT_TAB;
	movecursor(repeat, shift);
	clampcursor();
	return result;
}

static void storecharacter(int character, int overwrite)
{
	clampcursor();
	int cursor = menuinputcursorpos;
	if (cursor >= MENUINPUTUSED)
		return;
	if (!overwrite) {
		memmove(menuinput + cursor + 1, menuinput + cursor, MENUINPUTUSED - 1 - cursor);
	} else if (menuinput[cursor] == 0) {
		menuinput[cursor + 1] = 0;
	}
	menuinput[cursor] = static_cast<char>(character);
	// The line never grows past the columns in use.
	menuinput[MENUINPUTUSED] = 0;
	menuinputcursorpos = cursor + 1;
	menuinputselectpos = menuinputcursorpos;
}

void addmenuinputchar(int character)
{
	storecharacter(character, menuinputinsert);
}

int deleteselectedtext()
{
	clampcursor();
	int start = menuinputselectpos < menuinputcursorpos ? menuinputselectpos : menuinputcursorpos;
	int end = menuinputselectpos < menuinputcursorpos ? menuinputcursorpos : menuinputselectpos;
	memset(menuinputtemp, 0, sizeof menuinputtemp);
	int length = 0;
	for (int i = 0; i < MENUINPUTUSED; i++) {
		if (i < start || i >= end)
			menuinputtemp[length++] = menuinput[i];
	}
	memcpy(menuinput, menuinputtemp, sizeof menuinput);
	if (start != end)
		menuinputcursorpos = start;
	menuinputcursorpos = clampcolumn(menuinputcursorpos);
	menuinputselectpos = menuinputcursorpos;
	return start != end;
}

static void removecolumn(int column)
{
	int length = linelength();
	if (column < 0 || column >= length)
		return;
	memmove(menuinput + column, menuinput + column + 1, length - column);
}

// The bound value as text, at most the columns in use.
static void formatboundvalue(const menuitemstruct *item, char *out)
{
	memset(out, 0, MENUINPUTSIZE);
	if (!item->target)
		return;
	switch (item->textkind) {
	case TEXTKIND_INT:
		snprintf(out, MENUINPUTUSED + 1, "%d", *static_cast<int *>(item->target));
		break;
	case TEXTKIND_UNSIGNED:
		snprintf(out, MENUINPUTUSED + 1, "%u", *static_cast<unsigned *>(item->target));
		break;
	case TEXTKIND_FLOAT:
		snprintf(out, MENUINPUTUSED + 1, "%g", static_cast<double>(*static_cast<float *>(item->target)));
		break;
	case TEXTKIND_STRING: {
		// The buffer may hold a name read from a file without its zero.
		int capacity = item->targetsize < MENUINPUTUSED + 1 ? item->targetsize : MENUINPUTUSED + 1;
		const char *text = static_cast<const char *>(item->target);
		for (int i = 0; i < capacity - 1 && text[i]; i++)
			out[i] = text[i];
		break;
	}
	}
}

// Like the scanner's "%d", "%u" and "%g": a line that does not start with
// a number leaves the variable as it is. Out-of-range values saturate.
static void writeback(const menuitemstruct *item)
{
	if (!item->target)
		return;
	char *end;
	errno = 0;
	switch (item->textkind) {
	case TEXTKIND_INT: {
		long value = strtol(menuinput, &end, 10);
		if (end == menuinput)
			return;
		if (value > INT_MAX)
			value = INT_MAX;
		if (value < INT_MIN)
			value = INT_MIN;
		*static_cast<int *>(item->target) = static_cast<int>(value);
		break;
	}
	case TEXTKIND_UNSIGNED: {
		// "-1" wraps around as the scanner does.
		long long value = strtoll(menuinput, &end, 10);
		if (end == menuinput)
			return;
		if (value > static_cast<long long>(UINT_MAX) || value < -static_cast<long long>(UINT_MAX))
			value = UINT_MAX;
		*static_cast<unsigned *>(item->target) = static_cast<unsigned>(value);
		break;
	}
	case TEXTKIND_FLOAT: {
		float value = strtof(menuinput, &end);
		// "nan", "inf" or "1e99" would reach masses and speeds and every
		// file saved from them: the variable keeps its last number.
		if (end == menuinput || !std::isfinite(value))
			return;
		*static_cast<float *>(item->target) = value;
		break;
	}
	case TEXTKIND_STRING:
		copystring(static_cast<char *>(item->target), menuinput, item->targetsize);
		break;
	}
}

// The column under the pointer, for clicks and drags in the field.
static int pointercolumn(const menuitemstruct *item)
{
	if (item->size <= 0)
		return 0;
	return clampcolumn((mouse.x - item->x) / item->size);
}

static void tabtonextbox()
{
	int count = numofmenuitems < MAXMENUITEMS ? numofmenuitems : MAXMENUITEMS;
	for (int step = 1; step < count; step++) {
		int i = (currentmenuitem + step) % count;
		if (menuitem[i].type == MENU_TEXTBOX) {
			menuitem[i].active = 1;
			menuitem[currentmenuitem].active = 0;
			return;
		}
	}
}

// A typed character replaces the selection in either mode: overwriting
// there would also eat the character after the selection. A full box takes
// no character at all, overwriting included.
static void typecharacter(const menuitemstruct *item, int c)
{
	int replaced = deleteselectedtext();
	if (linelength() < item->width - 1)
		storecharacter(c, menuinputinsert && !replaced);
}

static void takecharacter(menuitemstruct *item, int c)
{
	if (c > 31) {
		typecharacter(item, c);
	} else if (c == EDIT_DELETE) {
		if (!deleteselectedtext())
			removecolumn(menuinputcursorpos);
	} else if (c == EDIT_BACKSPACE) {
		if (!deleteselectedtext() && menuinputcursorpos > 0) {
			removecolumn(menuinputcursorpos - 1);
			menuinputcursorpos--;
			menuinputselectpos = menuinputcursorpos;
		}
	} else if (c == EDIT_TAB) {
		tabtonextbox();
	}
}

// Pasted text is typed character by character, but only the characters a
// key may type: the codes below 32 are the edit codes, so a copied line's
// break would act as Backspace and a tab as Delete, each eating a character.
static void pasteclipboard(menuitemstruct *item)
{
	char *text = nullptr;
	int length = getclipboard(&text);
	for (int i = 0; text && i < length && item->active; i++) {
		int c = static_cast<unsigned char>(text[i]);
		if (textcharacter(c))
			takecharacter(item, c);
	}
	free(text);
}

static void startedit(const menuitemstruct *item)
{
	formatboundvalue(item, menuinput);
	if (mouse.leftbutton) {
		menuinputselectpos = pointercolumn(item);
		menuinputcursorpos = menuinputselectpos;
	} else {
		// Opened by its hotkey or by Tab: all selected, so typing replaces it.
		menuinputselectpos = 0;
		menuinputcursorpos = linelength();
	}
	clampcursor();
}

void menutextbox()
{
	menuitemstruct *item = &menuitem[currentmenuitem];
	if (!item->prevactive) {
		startedit(item);
		writeback(item);
		return;
	}
	if (mouse.leftbutton) {
		if (!prevmouse.leftbutton)
			menuinputselectpos = pointercolumn(item);
		menuinputcursorpos = pointercolumn(item);
	}
	int c = getinputletter(0, 255);
	if (keyboard[KEY_LCTRL] && keypressed(KEY_V))
		pasteclipboard(item);
	else if (c != -1)
		takecharacter(item, c);
	if (keypressed(KEY_RETURN) || keypressed(KEY_ESCAPE))
		item->active = 0;
	writeback(item);
}
