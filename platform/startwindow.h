// Starting SDL and opening the OpenGL window, alike in the game and the
// setup program.
#pragma once

// SDL's timer and video on the X11 driver; 0 after printing why it failed.
int startsdl();
// The icon from "tvn.bmp" in the current folder; call before the first
// video mode, as SDL 1.2 wants. A missing icon is no error.
void setwindowicon();
// Sets the OpenGL video mode again, as after the window lost its context;
// 0 when SDL refused it.
int setvideomode(int width, int height, int fullscreen);
// The first video mode with the GL buffer sizes, then the texture names and
// GL entry points; 0 after printing why the window did not open.
int openglwindow(int width, int height, int fullscreen);
