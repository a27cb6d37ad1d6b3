// Pieces shared by the level and object editors' modal screens.
#pragma once

// A menu item in the settings' text colour with a hotkey (0 none).
void screenitem(const char *label, int x, int y, int size, int key);
// A menu item in white.
void whiteitem(const char *label, int x, int y, int size, int key);
// 1 while the screen's item 0 has not fired and the window stays open.
int screenopen();
// Polls the window, keys, pointer and items in the pickers' order.
void pollscreen();
// The 2D layer: backdrop when set, the items, the pointer; then the swap.
void drawscreen();
// 1 when key went down this frame.
int keypressed(int key);
