// Text drawing from the font texture, and the mouse pointer, on the 640x480
// virtual screen (y downwards).
#pragma once

#include <cstdarg>

constexpr int TEXTLINESIZE = 1024;  // capacity of an expanded line
constexpr int TEXTLINECUT = 1000;   // format text stops expanding at this length

// Alignment flags on an x or y coordinate; the anchor is the low 16 bits.
constexpr int ALIGNCENTER = 0x10000;
constexpr int ALIGNRIGHT = 0x20000;   // on y: bottom-aligned
constexpr int ALIGNBOTTOM = 0x20000;

extern char textstring2[TEXTLINESIZE];  // the line of the last drawtext
extern char textstring3[TEXTLINESIZE];  // scratch for one value

// Headless (tvcore).

// Expands drawtext's format codes into textstring2 and returns its length:
//   //  a slash          /i int "%d"       /I int with thousands separators
//   /u unsigned "%u"     /f double "%f"    /c int character (0 adds nothing)
//   /s string            /x int "%X"       /other: the character itself
// Every other character, "%" included, is copied. Expansion stops once the
// line reaches 1000 characters; a value that would not fit is cut to the
// line's capacity.
int expandtext(const char *format, va_list args);
int formattext(const char *format, ...);
// The left or top edge of a line of length characters of cell size size at
// a coordinate that may carry ALIGNCENTER or ALIGNRIGHT.
int alignx(int x, int length, int size);
int aligny(int y, int size);
// Reads "font00.bmp" from the current folder into slot 511 (white texels,
// alpha from the image's red channel). A missing, short or malformed file
// leaves the unread texels transparent. Returns 1 when the whole font was read.
int readfont();

// Window side (tvplatform; tvheadless's loadfont only reads).

// drawtext(format, x, y, size, red, green, blue, alpha, values...): one
// textured quad per character of the expanded line.
void drawtext(const char *format, int x, int y, int size, float red, float green, float blue,
	float alpha, ...);
// The 2D state of text, menus, backgrounds and the pointer; every frame
// before the 2D layer.
void setuptextdisplay();
// The pointer, 32 x 32 centred on the mouse, only while the window is active.
void drawmousecursor(float red, float green, float blue, float alpha);
// readfont, then the upload (clamped, linear, no mipmaps) when a window exists.
void loadfont();
