// The input snapshots and the pollers' logic, kept free of SDL so headless
// code can read the state and tests can drive the logic with plain arrays.
#include "platform/input.h"

#include <cstring>

windowinfostruct windowinfo;
mousestruct mouse, prevmouse;
winmousestruct winmouse;
unsigned char keyboard[KEYCOUNT], prevkeyboard[KEYCOUNT];
unsigned char keyboard_ascii[KEYCOUNT];
char keyboardlabel[KEYCOUNT][KEYLABELSIZE];

int keypressed(int key)
{
	return key >= 0 && key < KEYCOUNT && keyboard[key] && !prevkeyboard[key];
}

static void foldkey(unsigned char *keys, int from, int to)
{
	if (keys[from])
		keys[to] = 1;
}

void remapkeyboard(unsigned char *keys, unsigned char *ascii)
{
	// The remap below moves keys around, so whether a key is physically
	// down must be read from the snapshot as SDL gave it.
	unsigned char held[KEYCOUNT];
	memcpy(held, keys, sizeof(held));
	int shift = held[KEY_RSHIFT] || held[KEY_LSHIFT];

	for (int k = 0; k < KEYCOUNT; k++) {
		int c = ascii[k];
		if (c == 0)
			continue;
		// A release we never saw (focus lost while the key was down)
		// leaves a character behind; it must not hold a key forever. The
		// input method's character has no key to hold: the pump keeps it
		// for one frame.
		if (!held[k] && k != KEY_COMPOSED) {
			ascii[k] = 0;
			continue;
		}
		if (shift && k >= KEY_A && k <= KEY_Z && c + 32 == k) {
			keys[k] = 1;  // its own capital: letter hotkeys still fire with Shift
			continue;
		}
		keys[c] = 1;
		if (c != k)
			keys[k] = 0;
	}
	keys[0] = 0;

	// Readers test only the main-block codes.
	foldkey(keys, KEY_KPENTER, KEY_RETURN);
	foldkey(keys, KEY_RCTRL, KEY_LCTRL);
	foldkey(keys, KEY_RSHIFT, KEY_LSHIFT);
	foldkey(keys, KEY_KPMINUS, KEY_MINUS);
	for (int i = 0; i < 10; i++)
		foldkey(keys, KEY_KP0 + i, KEY_0 + i);
}

static unsigned char spentkey[KEYCOUNT];

void spendheldkeys()
{
	for (int k = 0; k < KEYCOUNT; k++) {
		spentkey[k] = keyboard[k];
		keyboard[k] = 0;
	}
}

void holdbackspentkeys(unsigned char *keys)
{
	for (int k = 0; k < KEYCOUNT; k++) {
		if (!keys[k])
			spentkey[k] = 0;
		else if (spentkey[k])
			keys[k] = 0;
	}
}

void mapmouse(mousestruct *m, int winx, int winy, int width, int height, int active)
{
	if (width < 1)
		width = 1;
	if (height < 1)
		height = 1;
	m->y = winy * VIRTUALHEIGHT / height;
	m->x = winx * VIRTUALWIDTH / width;
	// While inactive the pointer may be outside the window; readers then
	// see it off the virtual screen, so nothing under it reacts.
	if (!active)
		return;
	if (m->x < 0)
		m->x = 0;
	if (m->y < 0)
		m->y = 0;
	if (m->x > VIRTUALWIDTH - 1)
		m->x = VIRTUALWIDTH - 1;
	if (m->y > VIRTUALHEIGHT - 1)
		m->y = VIRTUALHEIGHT - 1;
}

void setmousebuttons(mousestruct *m, const mousestruct *prev, uint32_t buttonmask)
{
	m->leftbutton = (buttonmask & 1) ? 1 : 0;
	m->rightbutton = (buttonmask & 4) ? 1 : 0;
	m->leftreleased = (!m->leftbutton && prev->leftbutton) ? 1 : 0;
	m->rightreleased = (!m->rightbutton && prev->rightbutton) ? 1 : 0;
}

void expirewheel(mousestruct *m, uint32_t now)
{
	if (m->wheelup && m->wheeluptime + 50 < now)
		m->wheelup = 0;
	if (m->wheeldown && m->wheeldowntime + 50 < now)
		m->wheeldown = 0;
}
