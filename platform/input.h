// Window state, keyboard and mouse snapshots, and the per-frame pollers.
// Included by headless code too: no SDL here, key codes are SDL 1.2's.
#pragma once

#include <cstdint>

constexpr int KEYCOUNT = 323;       // SDLK_LAST of SDL 1.2
constexpr int KEYLABELSIZE = 17;    // a key label of up to 16 characters and its zero
constexpr int VIRTUALWIDTH = 640;   // every 2D layout uses this virtual screen
constexpr int VIRTUALHEIGHT = 480;

// Key codes that the input code itself names.
// SDL's key-down without a key: a character that the input method composed
// (a dead key and the key after it); no key-up ever follows.
constexpr int KEY_COMPOSED = 0;
constexpr int KEY_RETURN = 13;
constexpr int KEY_MINUS = 45;
constexpr int KEY_0 = 48;
constexpr int KEY_A = 97;
constexpr int KEY_Z = 122;
constexpr int KEY_KP0 = 256;
constexpr int KEY_KPMINUS = 269;
constexpr int KEY_KPENTER = 271;
constexpr int KEY_F12 = 293;
constexpr int KEY_RSHIFT = 303;
constexpr int KEY_LSHIFT = 304;
constexpr int KEY_RCTRL = 305;
constexpr int KEY_LCTRL = 306;

struct windowinfostruct {
	int width, height;  // pixels, both at least 1: the mouse mapping divides by them
	int bitsperpixel;   // as configured; windows always open with 32
	int fullscreen;
	int quit;           // set once when the window is closed, never cleared
	int glenabled;
	int active;         // focused and not iconified
};

struct mousestruct {
	int x, y;           // on the 640x480 virtual screen, y downwards
	int leftbutton, rightbutton;
	int leftreleased, rightreleased;  // 1 only on the frame the button came up
	int wheelup, wheeldown;           // 1 from a wheel event until 50 ms have passed
	uint32_t wheeluptime, wheeldowntime;
};

struct winmousestruct {
	int x, y;           // raw pointer position in window pixels
};

static_assert(sizeof(windowinfostruct) == 28, "windowinfo is seven ints");
static_assert(sizeof(mousestruct) == 40, "mouse is ten 32-bit fields");

extern windowinfostruct windowinfo;
extern mousestruct mouse, prevmouse;
extern winmousestruct winmouse;
extern unsigned char keyboard[KEYCOUNT], prevkeyboard[KEYCOUNT];
extern unsigned char keyboard_ascii[KEYCOUNT];
extern char keyboardlabel[KEYCOUNT][KEYLABELSIZE];

// 1 when key went down this frame.
int keypressed(int key);

// Per frame, in this order: the pump, then the two pollers (window side).
void checksystemmessages();
void checkkeyboard();
void checkmouse();
// Takes (1) or gives back (0) the pointer grab: only when the pointer is not
// left free (mouselocked 0) or the window is full screen.
void applygrab(int grab);

// The pollers' logic over plain arrays, without SDL.
// Moves each key that produced a character to that character's index and
// folds keypad and right-hand keys onto the codes readers test. Drops the
// character of a key that is no longer down (its release was missed), but
// not the composed character at KEY_COMPOSED, which no key holds.
void remapkeyboard(unsigned char *keys, unsigned char *ascii);
// Maps a window pixel position to the virtual screen; clamps only while active.
void mapmouse(mousestruct *m, int winx, int winy, int width, int height, int active);
// A key that a screen acted on may still be down when that screen closes:
// the screen below must not take the same press as its own (the "s" that
// saved in a browser would go on moving the camera behind it). Keys down
// now read as up until they have been let go.
void spendheldkeys();
// Keeps spent keys up in a fresh snapshot, and forgets those let go.
void holdbackspentkeys(unsigned char *keys);
// Sets the button and release fields from an SDL button mask.
void setmousebuttons(mousestruct *m, const mousestruct *prev, uint32_t buttonmask);
// Drops wheel flags whose event is more than 50 ms old.
void expirewheel(mousestruct *m, uint32_t now);
