// Edit bars: horizontal sliders that set one float from 0 to 1 by dragging
// the mouse along them, three at a time for a colour. Immediate like the
// menu items: a screen fills the table and its count every frame.
#pragma once

constexpr int MAXEDITBARS = 16;

struct editbarstruct {
	int x, y;            // top-left on the virtual screen
	int width, height;   // pixels
	float red, green, blue;  // colour at the bar's right end
	float *value;        // the screen's value, 0..1
};

extern editbarstruct editbar[MAXEDITBARS];
extern int numofeditbars;

// Headless (tvcore). After checkkeyboard and checkmouse: while the left
// button is held, every bar under the pointer takes the pointer's place
// along it; Ctrl snaps to eighths, Shift copies the value into bars 0 to 2.
void checkeditbars();

// Window side (tvplatform). Inside setuptextdisplay's state.
void rendereditbars();
