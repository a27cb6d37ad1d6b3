#include "platform/input.h"

#include <gtest/gtest.h>

#include <cstring>

struct keystate {
	unsigned char keys[KEYCOUNT];
	unsigned char ascii[KEYCOUNT];
};

static keystate nokeys()
{
	keystate s;
	memset(&s, 0, sizeof s);
	return s;
}

TEST(Keyboard, LettersFollowTheCharacterTheyType)
{
	keystate s = nokeys();
	s.keys[KEY_A] = 1;
	s.keys[KEY_LSHIFT] = 1;
	s.ascii[KEY_A] = 'A';  // Shift+A stays a letter hotkey
	remapkeyboard(s.keys, s.ascii);
	EXPECT_EQ(s.keys[KEY_A], 1);
	EXPECT_EQ(s.keys['A'], 0);

	s = nokeys();
	s.keys[KEY_A] = 1;
	s.ascii[KEY_A] = 'A';  // Caps Lock without Shift
	remapkeyboard(s.keys, s.ascii);
	EXPECT_EQ(s.keys['A'], 1);
	EXPECT_EQ(s.keys[KEY_A], 0);

	s = nokeys();
	s.keys['1'] = 1;
	s.keys[KEY_RSHIFT] = 1;
	s.ascii['1'] = '!';
	remapkeyboard(s.keys, s.ascii);
	EXPECT_EQ(s.keys['!'], 1);
	EXPECT_EQ(s.keys['1'], 0);
	EXPECT_EQ(s.keys[KEY_LSHIFT], 1);  // right Shift folded
	EXPECT_EQ(s.keys[KEY_RSHIFT], 1);

	// Ctrl+V: no character was recorded, the key keeps its own code.
	s = nokeys();
	s.keys['v'] = 1;
	s.keys[KEY_RCTRL] = 1;
	remapkeyboard(s.keys, s.ascii);
	EXPECT_EQ(s.keys['v'], 1);
	EXPECT_EQ(s.keys[KEY_LCTRL], 1);

	// A French layout: the keys at q and a swap characters.
	s = nokeys();
	s.keys['q'] = 1;
	s.ascii['q'] = 'a';
	remapkeyboard(s.keys, s.ascii);
	EXPECT_EQ(s.keys['a'], 1);
	EXPECT_EQ(s.keys['q'], 0);
}

TEST(Keyboard, KeypadFoldsOntoMainKeys)
{
	keystate s = nokeys();
	s.keys[KEY_KP0 + 5] = 1;  // NumLock off: no character
	s.keys[KEY_KPENTER] = 1;
	s.keys[KEY_KPMINUS] = 1;
	remapkeyboard(s.keys, s.ascii);
	EXPECT_EQ(s.keys[KEY_KP0 + 5], 1);
	EXPECT_EQ(s.keys['5'], 1);
	EXPECT_EQ(s.keys[KEY_RETURN], 1);
	EXPECT_EQ(s.keys[KEY_MINUS], 1);

	s = nokeys();
	s.keys[KEY_KP0 + 5] = 1;  // NumLock on: types "5"
	s.ascii[KEY_KP0 + 5] = '5';
	remapkeyboard(s.keys, s.ascii);
	EXPECT_EQ(s.keys[KEY_KP0 + 5], 0);
	EXPECT_EQ(s.keys['5'], 1);
	EXPECT_EQ(s.keys[0], 0);
}

TEST(Keyboard, MissedReleaseLeavesNoPhantomKey)
{
	keystate s = nokeys();
	s.ascii['q'] = 'a';  // released while the window had no focus
	remapkeyboard(s.keys, s.ascii);
	EXPECT_EQ(s.keys['a'], 0);
	EXPECT_EQ(s.ascii['q'], 0);
}

TEST(Mouse, MapsWindowPixelsToTheVirtualScreen)
{
	mousestruct m = {};
	mapmouse(&m, 799, 599, 800, 600, 1);
	EXPECT_EQ(m.x, 639);
	EXPECT_EQ(m.y, 479);
	mapmouse(&m, 400, 300, 800, 600, 1);
	EXPECT_EQ(m.x, 320);
	EXPECT_EQ(m.y, 240);
	mapmouse(&m, 1023, 767, 1024, 768, 1);
	EXPECT_EQ(m.x, 639);
	EXPECT_EQ(m.y, 479);

	mapmouse(&m, -10, 900, 800, 600, 1);
	EXPECT_EQ(m.x, 0);
	EXPECT_EQ(m.y, 479);
	mapmouse(&m, -10, 900, 800, 600, 0);  // inactive: not clamped
	EXPECT_EQ(m.x, -8);
	EXPECT_EQ(m.y, 720);
	mapmouse(&m, 5, 5, 0, 0, 1);  // never divides by zero
	EXPECT_EQ(m.x, 639);
}

TEST(Mouse, ButtonReleasesLastOneFrame)
{
	mousestruct m = {}, prev = {};
	setmousebuttons(&m, &prev, 1 | 4);
	EXPECT_EQ(m.leftbutton, 1);
	EXPECT_EQ(m.rightbutton, 1);
	prev = m;
	setmousebuttons(&m, &prev, 2);  // middle button is not read
	EXPECT_EQ(m.leftbutton, 0);
	EXPECT_EQ(m.leftreleased, 1);
	EXPECT_EQ(m.rightreleased, 1);
	prev = m;
	setmousebuttons(&m, &prev, 0);
	EXPECT_EQ(m.leftreleased, 0);
	EXPECT_EQ(m.rightreleased, 0);
}

TEST(Mouse, WheelFlagsExpireAfterFiftyMilliseconds)
{
	mousestruct m = {};
	m.wheelup = 1;
	m.wheeluptime = 1000;
	m.wheeldown = 1;
	m.wheeldowntime = 1040;
	expirewheel(&m, 1050);
	EXPECT_EQ(m.wheelup, 1);
	expirewheel(&m, 1051);
	EXPECT_EQ(m.wheelup, 0);
	EXPECT_EQ(m.wheeldown, 1);
	expirewheel(&m, 1091);
	EXPECT_EQ(m.wheeldown, 0);
}

// The key that closed a screen stays spent in the screen below until it is
// let go; pressed again, it acts.
TEST(Keyboard, AKeyThatClosedAScreenActsAgainOnlyOnceLetGo)
{
	memset(keyboard, 0, sizeof keyboard);
	keyboard['s'] = 1;
	spendheldkeys();
	EXPECT_EQ(keyboard['s'], 0);
	unsigned char keys[KEYCOUNT] = {};
	keys['s'] = keys['w'] = 1;
	holdbackspentkeys(keys);
	EXPECT_EQ(keys['s'], 0) << "still held from the screen above";
	EXPECT_EQ(keys['w'], 1) << "pressed in this screen";
	keys['s'] = 0;
	holdbackspentkeys(keys);
	keys['s'] = 1;
	holdbackspentkeys(keys);
	EXPECT_EQ(keys['s'], 1);
}
