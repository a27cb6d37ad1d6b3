// A real OpenGL window for the window tests and render benchmarks, opened
// through the game's own window start-up (same attributes, texture names
// and extensions) with the window state the drawing code reads.
#pragma once

// 1 when the window is open; 0 without a display.
int opentestwindow(int width, int height);
