// The colour screens' three edit bars (red, green, blue) and the swatch
// beside them that shows the colour they set.
#pragma once

struct vector3;

// Fills the edit bar table with the three bars, red on top.
void setcolorbars();
// Empties the table again and unbinds the bars.
void closecolorbars();
// Points the bars at c and lets the pointer drag them.
void editcolorbars(vector3 *c);
// The swatch at (400, 80)-(512, 192) of the virtual screen, then the bars;
// inside setuptextdisplay's state.
void drawcolorbars(const vector3 *c);
