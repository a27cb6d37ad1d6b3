// Immediate-mode menu items: every screen re-creates its items each frame
// in a fixed order, so an item is known by its slot index and its fired
// flags carry over in that slot. Text boxes edit a bound variable through
// one shared edit line.
#pragma once

constexpr int MAXMENUITEMS = 256;
constexpr int MENULABELSIZE = 64;     // a label of at most 63 characters
constexpr int MENUINPUTSIZE = 256;
constexpr int MENUINPUTUSED = 192;    // columns of the edit line in use

// menuitemstruct.type
constexpr int MENU_BUTTON = 0;        // also plain labels
constexpr int MENU_TEXTBOX = 1;
constexpr int MENU_TOGGLE = 2;
constexpr int MENU_SET = 3;           // one choice of a radio group

// menuitemstruct.state
constexpr int MENUSTATE_DISABLED = 0;
constexpr int MENUSTATE_NORMAL = 1;
constexpr int MENUSTATE_HOVER = 2;
constexpr int MENUSTATE_LIT = 3;

// menuitemstruct.textkind
constexpr int TEXTKIND_INT = 0;
constexpr int TEXTKIND_UNSIGNED = 1;
constexpr int TEXTKIND_FLOAT = 2;
constexpr int TEXTKIND_STRING = 3;

// setmenuitem codes
constexpr int MENUSET_KEY = 1;        // int key code
constexpr int MENUSET_STATE = 2;      // int state
constexpr int MENUSET_INTBOX = 3;     // int *
constexpr int MENUSET_UNSIGNEDBOX = 4;// unsigned *
constexpr int MENUSET_FLOATBOX = 5;   // float *
constexpr int MENUSET_STRINGBOX = 6;  // char *, capacity of the buffer
constexpr int MENUSET_CALLBACK = 7;   // void (*)()
constexpr int MENUSET_TOGGLE = 8;     // int *
constexpr int MENUSET_SETITEM = 9;    // int *, value stored when chosen
constexpr int MENUSET_REPEAT = 10;    // none

// edit codes of getinputletter
constexpr int EDIT_DELETE = 9;
constexpr int EDIT_BACKSPACE = 10;
constexpr int EDIT_ENTER = 11;        // Return or Escape
constexpr int EDIT_TAB = 12;

struct menuitemstruct {
	char label[MENULABELSIZE];
	int x, y;              // top-left on the virtual screen, after alignment
	int size;              // square cell size in pixels
	float red, green, blue;
	int type;
	int width, height;     // in cells; a text box is 2 high (label, field)
	int key;               // hotkey (SDL key code after the layout remap), 0 none
	int repeat;            // 1: the hotkey fires on every held frame
	int state;
	int prevactive;        // active at the end of the previous checkmenuitems
	int active;            // fired, or a text box being edited; kept in the slot
	int setvalue;
	int textkind;
	void *target;          // the bound variable
	int targetsize;        // capacity of a bound string buffer
	void (*callback)();
};

extern menuitemstruct menuitem[MAXMENUITEMS];
extern int numofmenuitems;
extern int currentmenuitem;
extern int menuinputkeyboard;   // 1: a text box was active; hotkeys are off
extern char menuinput[MENUINPUTSIZE];
extern char menuinputtemp[MENUINPUTSIZE];
extern int menuinputcursorpos, menuinputselectpos;
extern int menuinputinsert;     // 0 insert, 1 overwrite

// Appends an item; x and y may carry ALIGNCENTER / ALIGNRIGHT. Alpha is not
// kept. Beyond 256 items in a frame creation is refused, and the setmenuitem
// calls that shape the refused item change nothing.
void createmenuitem(const char *label, int x, int y, int size, float red, float green, float blue,
	float alpha);
// A disabled, zero-sized placeholder that keeps later slot indices fixed.
void createmenuitemempty();

// Shape the last created item; each overload takes the codes whose argument
// it carries and ignores any other code.
void setmenuitem(int code);                             // MENUSET_REPEAT
void setmenuitem(int code, int value);                  // MENUSET_KEY, MENUSET_STATE
void setmenuitem(int code, int *target);                // MENUSET_INTBOX, MENUSET_TOGGLE
void setmenuitem(int code, unsigned *target);           // MENUSET_UNSIGNEDBOX
void setmenuitem(int code, float *target);              // MENUSET_FLOATBOX
void setmenuitem(int code, char *target, int capacity); // MENUSET_STRINGBOX
void setmenuitem(int code, int *target, int setvalue);  // MENUSET_SETITEM
void setmenuitem(int code, void (*callback)());         // MENUSET_CALLBACK

// Once per frame after the input pollers: hover, fired flags, callbacks.
void checkmenuitems();
// Draws every item (inside setuptextdisplay's state); window side.
void drawmenuitems();
// Clears the fired flags of all 256 slots; on entering and leaving a screen.
void resetmenuitems();
// Fills keyboardlabel; once at start-up.
void setupmenuitems();

// The callbacks that the text box, toggle and set codes install.
void menutextbox();
void menutoggle();
void menuset();

// The shared edit line.
int getinputletter(int repeat, int mask);
void addmenuinputchar(int character);
int deleteselectedtext();
