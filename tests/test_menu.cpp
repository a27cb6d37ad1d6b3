#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

namespace {

constexpr int KEY_TAB = 9;
constexpr int KEY_ESCAPE = 27;
constexpr int KEY_INSERT = 277;
constexpr int KEY_HOME = 278;
constexpr int KEY_END = 279;
constexpr int KEY_LEFT = 276;
constexpr int KEY_RIGHT = 275;
constexpr int KEY_BACKSPACE = 8;
constexpr int KEY_DELETE = 127;

// Drives whole frames: the keys and button held this frame, the screen's
// items created afresh, then checkmenuitems.
struct menuframes : ::testing::Test {
	unsigned char held[KEYCOUNT] = {};
	int mousex = 600, mousey = 470, button = 0;
	std::function<void()> screen;

	void SetUp() override
	{
		memset(keyboard, 0, sizeof keyboard);
		memset(prevkeyboard, 0, sizeof prevkeyboard);
		memset(keyboard_ascii, 0, sizeof keyboard_ascii);
		memset(&mouse, 0, sizeof mouse);
		memset(&prevmouse, 0, sizeof prevmouse);
		menuinputkeyboard = 0;
		menuinputinsert = 0;
		numofmenuitems = 0;
		resetmenuitems();
		setupmenuitems();
	}

	void frame()
	{
		memcpy(prevkeyboard, keyboard, sizeof keyboard);
		memcpy(keyboard, held, sizeof keyboard);
		remapkeyboard(keyboard, keyboard_ascii);
		prevmouse = mouse;
		mouse.x = mousex;
		mouse.y = mousey;
		mouse.leftbutton = button;
		numofmenuitems = 0;
		screen();
		checkmenuitems();
	}

	// A key goes down for one frame and comes up on the next.
	void tap(int key)
	{
		held[key] = 1;
		frame();
		held[key] = 0;
		frame();
	}

	// A key that produced a character, as the event pump records it.
	void typekey(int key, int character)
	{
		keyboard_ascii[key] = static_cast<unsigned char>(character);
		tap(key);
	}

	void typetext(const char *text)
	{
		for (const char *c = text; *c; c++)
			typekey(static_cast<unsigned char>(*c), static_cast<unsigned char>(*c));
	}

	void click(int x, int y)
	{
		mousex = x;
		mousey = y;
		button = 1;
		frame();
		button = 0;
		frame();
	}
};

int callbackruns;
void countcallback()
{
	callbackruns++;
}

}  // namespace

TEST_F(menuframes, FiredFlagLifetimes)
{
	callbackruns = 0;
	screen = [] {
		createmenuitem("Plain", 10, 10, 16, 1, 1, 1, 1);
		createmenuitem("Call", 10, 40, 16, 1, 1, 1, 1);
		setmenuitem(MENUSET_CALLBACK, countcallback);
	};
	click(20, 15);
	EXPECT_EQ(menuitem[0].active, 1);
	for (int i = 0; i < 5; i++)
		frame();
	EXPECT_EQ(menuitem[0].active, 1);   // stays fired until the next click

	click(20, 45);
	EXPECT_EQ(callbackruns, 1);
	EXPECT_EQ(menuitem[1].active, 0);   // its callback ran; the screen sees nothing
	EXPECT_EQ(menuitem[0].active, 0);   // the new click ended the old one
	click(300, 300);
	EXPECT_EQ(callbackruns, 1);

	resetmenuitems();
	EXPECT_EQ(menuitem[0].prevactive, 0);
}

TEST_F(menuframes, RepeatItemFiresOnEveryHeldFrameOnly)
{
	screen = [] {
		createmenuitem("Zoom", 10, 10, 16, 1, 1, 1, 1);
		setmenuitem(MENUSET_KEY, 'z');
		setmenuitem(MENUSET_REPEAT);
		createmenuitem("Once", 10, 40, 16, 1, 1, 1, 1);
		setmenuitem(MENUSET_KEY, 'z');
	};
	held['z'] = 1;
	for (int i = 0; i < 3; i++) {
		frame();
		EXPECT_EQ(menuitem[0].active, 1);
	}
	EXPECT_EQ(menuitem[1].active, 1);   // fired on the first frame, kept
	held['z'] = 0;
	frame();
	EXPECT_EQ(menuitem[0].active, 0);
}

TEST_F(menuframes, HoverAndLitStates)
{
	static int toggle = 0, choice = 2;
	screen = [] {
		createmenuitem("Off", 10, 10, 16, 1, 1, 1, 1);
		setmenuitem(MENUSET_STATE, 0);
		createmenuitem("Toggle", 10, 40, 16, 1, 1, 1, 1);
		setmenuitem(MENUSET_TOGGLE, &toggle);
		createmenuitem("One", 10, 70, 16, 1, 1, 1, 1);
		setmenuitem(MENUSET_SETITEM, &choice, 1);
		createmenuitem("Two", 100, 70, 16, 1, 1, 1, 1);
		setmenuitem(MENUSET_SETITEM, &choice, 2);
	};
	mousex = 12;
	mousey = 12;
	frame();
	EXPECT_EQ(menuitem[0].state, MENUSTATE_DISABLED);
	click(12, 42);
	EXPECT_EQ(toggle, 1);
	EXPECT_EQ(menuitem[1].state, MENUSTATE_LIT);
	click(12, 42);
	EXPECT_EQ(toggle, 0);
	EXPECT_EQ(menuitem[1].state, MENUSTATE_HOVER);
	// The hit box is the label's cells, right edge excluded.
	mousex = 10 + 16 * 6;
	frame();
	EXPECT_EQ(menuitem[1].state, MENUSTATE_NORMAL);
	click(12, 72);
	EXPECT_EQ(choice, 1);
	mousex = 300;
	frame();
	EXPECT_EQ(menuitem[2].state, MENUSTATE_LIT);
	EXPECT_EQ(menuitem[3].state, MENUSTATE_NORMAL);
}

TEST_F(menuframes, CreationAlignsCopiesAndRefusesBeyondCapacity)
{
	screen = [] {};
	numofmenuitems = 0;
	std::string forty(40, 'x');
	createmenuitem(forty.c_str(), ALIGNCENTER + 100, ALIGNBOTTOM + 100, 16, 1, 1, 1, 1);
	EXPECT_EQ(menuitem[0].x, -220);
	EXPECT_EQ(menuitem[0].y, 84);
	EXPECT_EQ(menuitem[0].width, 40);

	std::string long100(100, 'y');
	createmenuitem(long100.c_str(), 0, 0, 8, 1, 1, 1, 1);
	EXPECT_EQ(menuitem[1].width, MENULABELSIZE - 1);

	numofmenuitems = 0;
	for (int i = 0; i < MAXMENUITEMS; i++)
		createmenuitem("item", 0, i, 8, 1, 1, 1, 1);
	setmenuitem(MENUSET_KEY, 'k');
	EXPECT_EQ(numofmenuitems, MAXMENUITEMS);
	createmenuitem("refused", 0, 0, 8, 1, 1, 1, 1);
	setmenuitem(MENUSET_KEY, 'q');
	static int flag;
	setmenuitem(MENUSET_TOGGLE, &flag);
	createmenuitemempty();
	setmenuitem(MENUSET_STATE, 2);
	EXPECT_EQ(numofmenuitems, MAXMENUITEMS);
	EXPECT_EQ(menuitem[MAXMENUITEMS - 1].key, 'k');
	EXPECT_EQ(menuitem[MAXMENUITEMS - 1].type, MENU_BUTTON);
	EXPECT_EQ(menuitem[MAXMENUITEMS - 1].state, MENUSTATE_NORMAL);
	EXPECT_STREQ(menuitem[MAXMENUITEMS - 1].label, "item");

	// A new frame creates and shapes again.
	numofmenuitems = 0;
	setmenuitem(MENUSET_KEY, 'z');
	createmenuitem("first", 0, 0, 8, 1, 1, 1, 1);
	setmenuitem(MENUSET_KEY, 'f');
	EXPECT_EQ(menuitem[0].key, 'f');
}

// Text boxes.

struct textboxes : menuframes {
	int number = 42;
	unsigned count = 7;
	float scale = 1.5f;
	char name[32] = "bridge";

	void SetUp() override
	{
		menuframes::SetUp();
		screen = [this] {
			createmenuitem("Back", 0, 0, 12, 1, 1, 1, 1);
			setmenuitem(MENUSET_KEY, KEY_ESCAPE);
			createmenuitem("Number   ", 10, 100, 16, 1, 1, 1, 1);
			setmenuitem(MENUSET_INTBOX, &number);
			setmenuitem(MENUSET_KEY, 'n');
			createmenuitem("Count    ", 10, 200, 16, 1, 1, 1, 1);
			setmenuitem(MENUSET_UNSIGNEDBOX, &count);
			createmenuitem("Name                     ", 10, 300, 16, 1, 1, 1, 1);
			setmenuitem(MENUSET_STRINGBOX, name, static_cast<int>(sizeof name));
			setmenuitem(MENUSET_KEY, 'm');
			createmenuitem("Scale    ", 10, 400, 16, 1, 1, 1, 1);
			setmenuitem(MENUSET_FLOATBOX, &scale);
			createmenuitem("Hot", 500, 10, 16, 1, 1, 1, 1);
			setmenuitem(MENUSET_KEY, 'h');
		};
	}
};

TEST_F(textboxes, HotkeySelectsAllAndTypingReplacesIt)
{
	tap('n');
	EXPECT_EQ(menuitem[1].active, 1);
	EXPECT_STREQ(menuinput, "42");
	EXPECT_EQ(menuinputselectpos, 0);
	EXPECT_EQ(menuinputcursorpos, 2);
	typetext("17");
	EXPECT_STREQ(menuinput, "17");
	EXPECT_EQ(number, 17);   // written back while typing
	EXPECT_EQ(menuinputkeyboard, 1);
}

TEST_F(textboxes, ClickPutsTheCursorAtTheColumn)
{
	click(10 + 16 * 3 + 5, 300 + 20);
	EXPECT_EQ(menuitem[3].active, 1);
	EXPECT_EQ(menuinputcursorpos, 3);
	EXPECT_EQ(menuinputselectpos, 3);
	typetext("x");
	EXPECT_STREQ(name, "brixdge");
	// A click past the end lands at the end.
	click(10 + 16 * 20, 300 + 20);
	EXPECT_EQ(menuinputcursorpos, 7);
}

TEST_F(textboxes, HotkeysAreOffWhileEditingAndEscapeKeepsTheText)
{
	tap('m');
	typetext("h");
	EXPECT_EQ(menuitem[5].active, 0);   // 'h' typed, the Hot item did not fire
	EXPECT_STREQ(name, "h");
	tap(KEY_ESCAPE);
	EXPECT_EQ(menuitem[3].active, 0);
	EXPECT_EQ(menuitem[0].active, 0);   // Back did not fire during the edit
	EXPECT_STREQ(name, "h");
	tap(KEY_ESCAPE);
	EXPECT_EQ(menuitem[0].active, 1);   // the next press does
}

TEST_F(textboxes, LabelWidthLimitsTheLine)
{
	tap('m');
	for (int i = 0; i < 30; i++)
		tap('a' + i % 26);
	EXPECT_EQ(strlen(menuinput), 24u);   // label of 25 characters
	EXPECT_EQ(strlen(name), 24u);
}

TEST_F(textboxes, TabMovesToTheNextBoxAndWraps)
{
	tap('m');
	tap(KEY_TAB);
	EXPECT_EQ(menuitem[3].active, 0);
	EXPECT_EQ(menuitem[4].active, 1);
	EXPECT_STREQ(menuinput, "1.5");
	tap(KEY_TAB);
	EXPECT_EQ(menuitem[4].active, 0);
	frame();
	EXPECT_EQ(menuitem[1].active, 1);   // wrapped to the first box
	EXPECT_STREQ(menuinput, "42");
	typetext("9");
	EXPECT_EQ(number, 9);
}

TEST_F(textboxes, TabWithOneBoxChangesNothing)
{
	static int only = 5;
	screen = [] {
		createmenuitem("Only  ", 10, 10, 16, 1, 1, 1, 1);
		setmenuitem(MENUSET_INTBOX, &only);
		setmenuitem(MENUSET_KEY, 'o');
	};
	tap('o');
	typetext("3");
	tap(KEY_TAB);
	EXPECT_EQ(menuitem[0].active, 1);
	EXPECT_STREQ(menuinput, "3");
}

TEST_F(textboxes, NumericWriteBack)
{
	tap('n');
	typetext("x");
	EXPECT_EQ(number, 42);    // not a number: unchanged
	tap(KEY_BACKSPACE);
	typetext("-12");
	EXPECT_EQ(number, -12);
	tap(KEY_END);
	typetext("a");
	EXPECT_STREQ(menuinput, "-12a");
	EXPECT_EQ(number, -12);   // a number followed by other text still counts

	click(12, 220);   // Count
	tap(KEY_END);
	tap(KEY_BACKSPACE);
	typetext("99999");
	EXPECT_EQ(menuinput[0], '9');
	EXPECT_EQ(count, 99999u);    // width 9: "99999" fits after removing "7"

	click(12, 420);   // Scale
	tap(KEY_HOME);
	tap(KEY_DELETE);
	EXPECT_STREQ(menuinput, ".5");
	EXPECT_FLOAT_EQ(scale, 0.5f);
	// Only finite numbers are taken: no NaN or infinity from the keys.
	tap(KEY_END);
	typetext("e99");
	EXPECT_FLOAT_EQ(scale, 0.5e9f);
	for (const char *text : {"nan", "-inf"}) {
		held[KEY_LSHIFT] = 1;
		tap(KEY_HOME);
		held[KEY_LSHIFT] = 0;
		typetext(text);
		EXPECT_STREQ(menuinput, text);
		EXPECT_FLOAT_EQ(scale, 0.5e9f);
	}
}

TEST_F(textboxes, ShiftHomeSelectsAndTypingReplaces)
{
	click(10 + 16 * 6, 320);   // Name, cursor at the end
	held[KEY_LSHIFT] = 1;
	tap(KEY_HOME);
	held[KEY_LSHIFT] = 0;
	EXPECT_EQ(menuinputselectpos, 6);
	EXPECT_EQ(menuinputcursorpos, 0);
	typetext("q");
	EXPECT_STREQ(name, "q");
	tap(KEY_LEFT);
	EXPECT_EQ(menuinputcursorpos, 0);
	EXPECT_EQ(menuinputselectpos, 0);
}

TEST_F(textboxes, InsertAndOverwriteModes)
{
	click(10 + 16 * 2, 320);   // Name, cursor at column 2
	typetext("X");
	EXPECT_STREQ(name, "brXidge");
	tap(KEY_INSERT);
	EXPECT_EQ(menuinputinsert, 1);
	typetext("YZ");
	EXPECT_STREQ(name, "brXYZge");
	tap(KEY_END);
	typetext("w");
	EXPECT_STREQ(name, "brXYZgew");  // overwrite at the end extends the line
	EXPECT_EQ(menuinput[8], 0);
	tap(KEY_INSERT);
	EXPECT_EQ(menuinputinsert, 0);
}

TEST_F(textboxes, OverwriteReplacesASelectionAndAFullLineTakesNothing)
{
	click(10 + 16 * 1, 320);   // Name, cursor at column 1
	tap(KEY_INSERT);
	held[KEY_LSHIFT] = 1;
	tap(KEY_RIGHT);
	tap(KEY_RIGHT);
	held[KEY_LSHIFT] = 0;
	typetext("X");
	EXPECT_STREQ(name, "bXdge");   // "ri" replaced, the "d" after it kept

	held[KEY_LSHIFT] = 1;
	tap(KEY_HOME);
	held[KEY_LSHIFT] = 0;
	typetext("abcdefghijklmnopqrstuvwxyz");
	EXPECT_STREQ(name, "abcdefghijklmnopqrstuvwx");   // 24 columns: full
	tap(KEY_HOME);
	typetext("Zy");
	EXPECT_STREQ(name, "abcdefghijklmnopqrstuvwx");   // a full box takes nothing
	tap(KEY_INSERT);
}

TEST_F(textboxes, DragSelectsAndDeleteRemovesTheSelection)
{
	click(10 + 16 * 1, 320);
	mousex = 10 + 16 * 1;
	mousey = 320;
	button = 1;
	frame();
	mousex = 10 + 16 * 4;
	frame();
	button = 0;
	frame();
	EXPECT_EQ(menuinputselectpos, 1);
	EXPECT_EQ(menuinputcursorpos, 4);
	tap(KEY_DELETE);
	EXPECT_STREQ(name, "bge");
	EXPECT_EQ(menuinputcursorpos, 1);
	tap(KEY_DELETE);
	EXPECT_STREQ(name, "be");
	tap(KEY_BACKSPACE);
	EXPECT_STREQ(name, "e");
	EXPECT_EQ(menuinputcursorpos, 0);
	tap(KEY_BACKSPACE);
	EXPECT_STREQ(name, "e");
}

// A box types the character the keyboard layout produced, wherever the
// layout remap put its key; Shift with Caps Lock types capitals.
TEST_F(textboxes, TheLayoutsOwnCharactersType)
{
	tap('m');
	typekey('a', 'A');   // Caps Lock
	held[KEY_LSHIFT] = 1;
	typekey('1', '!');   // US
	typekey('7', '/');   // German
	typekey('&', '1');   // French top row
	typekey('a', 'A');
	typekey('a', 'a');   // Shift with Caps Lock
	held[KEY_LSHIFT] = 0;
	typekey(KEY_KP0 + 5, '5');
	typekey(228, 228);   // a German umlaut
	EXPECT_STREQ(name, "A!/1AA5\xe4");
	// Without recorded characters (the setup program) Shift and a key type
	// as on a US layout.
	held[KEY_LSHIFT] = 1;
	tap('1');
	tap('/');
	held[KEY_LSHIFT] = 0;
	EXPECT_STREQ(name, "A!/1AA5\xe4!?");
}

TEST_F(textboxes, ClickElsewhereEndsTheEdit)
{
	tap('n');
	typetext("5");
	click(300, 50);
	EXPECT_EQ(menuitem[1].active, 0);
	EXPECT_EQ(menuinputkeyboard, 0);
	EXPECT_EQ(number, 5);
	tap('h');
	EXPECT_EQ(menuitem[5].active, 1);
}

TEST_F(textboxes, UnterminatedBoundNameIsReadWithinItsCapacity)
{
	memset(name, 'z', sizeof name);   // 32 bytes, no zero
	tap('m');
	EXPECT_EQ(strlen(menuinput), 31u);
	EXPECT_EQ(name[31], 0);           // written back terminated
	typetext("ab");
	EXPECT_STREQ(name, "ab");
}

TEST(TextboxLine, AddAndDeleteAtTheLimits)
{
	memset(menuinput, 0, sizeof menuinput);
	menuinputinsert = 0;
	memset(menuinput, 'a', MENUINPUTUSED);
	menuinputcursorpos = menuinputselectpos = 0;
	addmenuinputchar('b');
	EXPECT_EQ(menuinput[0], 'b');
	EXPECT_EQ(strlen(menuinput), static_cast<size_t>(MENUINPUTUSED));
	menuinputcursorpos = menuinputselectpos = MENUINPUTUSED;
	addmenuinputchar('c');   // no room past the last column
	EXPECT_EQ(strlen(menuinput), static_cast<size_t>(MENUINPUTUSED));

	menuinputselectpos = 1;
	menuinputcursorpos = 500;   // clamped to the line
	EXPECT_EQ(deleteselectedtext(), 1);
	EXPECT_STREQ(menuinput, "b");
	EXPECT_EQ(menuinputcursorpos, 1);
	EXPECT_EQ(deleteselectedtext(), 0);
}
