// The colour screens' three edit bars (red, green, blue) and the swatch
// beside them that shows the colour they set.
#pragma once

struct vector3;

// Fills the edit bar table with the three bars, red on top. They stay in
// the table when the screen closes: every screen that drags bars fills it
// when it opens.
void setcolorbars();
// Points the bars at c and lets the pointer drag them.
void editcolorbars(vector3 *c);
// The swatch at (400, 80)-(512, 192) of the virtual screen, then the bars;
// inside setuptextdisplay's state.
void drawcolorbars(const vector3 *c);
