// Pieces shared by the full-window menu screens of the editors and the game:
// the items, the poll, the backdrop and the end of a frame.
#pragma once

// A menu item in the settings' text colour with a hotkey (0 none).
void screenitem(const char *label, int x, int y, int size, int key);
// A row of a file list: the name shown to at most LISTNAMELENGTH
// characters, the width of a list column.
constexpr int LISTNAMELENGTH = 24;
void listrowitem(const char *name, int x, int y);
// A menu item in white.
void whiteitem(const char *label, int x, int y, int size, int key);
// 1 while the screen's item 0 has not fired and the window stays open.
int screenopen();
// 1 when the item fired; the flag is spent, so it acts once.
int itemfired(int item);
// Polls the window, keys, pointer and items, the window first so the keys
// read are this frame's.
void pollscreen();
// Keys, pointer and items first, as the last pump left them, then the
// window: the screens laid out this way (the help pages, the ending, the
// forms and the object editor) act on the previous frame's events.
void pollscreenwindowlast();
// Black colour and depth.
void clearscreen();
// The 2D layer with the title backdrop when the settings ask for it.
void drawbackdrop();
// The items over the screen's own drawing, the pointer; then the swap.
void finishscreen();
// A screen with nothing but its items: backdrop, items, pointer, swap.
void drawscreen();
