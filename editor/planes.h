// The two editing planes and the editor windows: screen rectangles in which
// a 3D view is drawn and the mouse edits.
#pragma once

#include "platform/files.h"
#include "platform/vector.h"

constexpr int MAXEDITORWINDOWS = 16;
constexpr int WINDOWMARGIN = 4;  // columns at a window's left edge that count as outside

struct editorwindowstruct {
	int mouseover;          // the mouse is inside (kept by the object editor)
	char name[NAMESIZE];    // "Top", "Back", ... in the object editor; empty here
	int x, y, width, height;  // on the 640x480 virtual screen, y downwards
	int perspective;        // 0 orthographic, 1 perspective
	vector3 offset;         // camera offset from the target (object editor)
	orientation axis;       // view axes (object editor)
	float distance;         // camera distance (object editor)
};

extern editorwindowstruct editorwindow[MAXEDITORWINDOWS];
extern int numofeditorwindows;

// The bridge editor's one window: everything left of the menu strip and
// below the menu bar.
void setupeditorwindow();
// 1 with the mouse's position in the window written to out, x from -1 to 1
// across and y upwards in the same units (the direction of the mouse ray);
// 0 with out untouched when the mouse is outside. The leftmost four columns
// count as outside.
int mouseovereditorwindow(int window, float out[2]);
// Forward (toward -z) and backward: alone the planes move in opposite
// directions, with Shift together, with Ctrl only the mirror plane moves. The
// camera follows the editing plane.
void moveplaneforward();
void moveplanebackward();
