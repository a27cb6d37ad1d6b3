// 3D views in rectangles of the 640x480 virtual screen, the camera and
// object matrices, and BMP screenshots.
#pragma once

#include "platform/vector.h"

// Window side: set the GL viewport and matrices (model-view stays current).
void setupperspectiveviewport(int x, int y, int width, int height, float nearz, float farz);
void setuporthoviewport(int x, int y, int width, int height, float halfwidth,
	float halfheight, float halfdepth);
// Either argument may be null. The camera looks along minus axes row 2.
void setupviewpoint(const vector3 *position, const orientation *axes);
void setupobjectrender(const vector3 *position, const orientation *axes);
// Saves the back buffer as the next free "scsht000.bmp".."scsht999.bmp" in
// the current folder; nothing is written once all thousand names are taken.
void screenshot();
// The multitexture entry points are linked directly; nothing to look up.
void setupglext();

// The arithmetic behind them, headless.
// A virtual-screen rectangle (y downwards) as a GL viewport (y upwards) of
// a window of winwidth x winheight pixels: out = x, y, width, height.
void mapviewport(int out[4], int x, int y, int width, int height, int winwidth, int winheight);
// Column-major 4x4 matrices for glMultMatrixf.
void viewrotation(float m[16], const orientation *axes);
void objectrotation(float m[16], const orientation *axes);
// The next free screenshot name (at least 13 bytes); 0 when all are taken.
int nextscreenshotname(char *name);
// Writes bottom-up RGBA rows as a 24-bit BMP with 4-byte row padding; 1 on
// success. A failed write leaves no partial file under the name.
int writescreenshot(const char *name, const unsigned char *rgba, int width, int height);
