// 2D backdrops from 24-bit BMP images: splash tiles and the frame tile.
#pragma once

#include <cstdint>

struct bmpheaderstruct {
	char magic[2];
	int32_t width;
	int32_t height;
	uint16_t bitsperpixel;
	uint32_t compression;
};

extern bmpheaderstruct bmpheader;

// Reads the w x h window at (x0, y0), counted from the image's top row,
// into a texture slot. A file that cannot be read or fails the header test
// leaves the slot as it was; parts of the window outside the image are black.
void readpartialbmp(int slot, const char *path, int w, int h, int x0, int y0);
void loadsplash(const char *path, int firstslot);
void loadsplash2(const char *path, int firstslot);
void loadtitlescreen(int slot);
void drawbgtitle();
void fadebgtitle(float b);
void fadebgtitle2(float b);
void drawbackground();
void tilebackground();
