// The texture table: 512 slots with fixed, program-wide contents. Each slot
// keeps its pixels in memory so the whole table can be uploaded again after
// the window is re-created.
#pragma once

#include <cstdio>

constexpr int MAXTEXTURES = 512;

struct texturestruct {
	int width, height;       // texels; width 0 marks an empty slot
	int mipmapped;           // 1: pixels hold the whole mip chain
	unsigned char *pixels;   // RGBA, red first; level 0 top row first, then the smaller levels
	unsigned int glname;     // generated once at start-up, never changed
};

extern texturestruct texture[MAXTEXTURES];

// Which slot holds what. Every loader and every drawer uses these.
constexpr int TEX_GROUND = 0;        // "ground.tga", mipmapped, detail by setting
constexpr int TEX_DECK = 1;          // "deck.tga", mipmapped
constexpr int TEX_CLOUD = 3;         // "cloud.tga", mipmapped: smoke and spray
constexpr int TEX_SPHERE = 4;        // "sphere.tga": sun dial marker, title sprites
constexpr int TEX_TITLEDARK = 5;     // never filled: darkening quads of the title
constexpr int TEX_WATERWAVE1 = 16;   // "water1a.tga", mipmapped, detail by setting
constexpr int TEX_WATERWAVE2 = 17;   // "water2a.tga", mipmapped, detail by setting
constexpr int TEX_WATERGLINT = 18;   // white, alpha 128: water specular
constexpr int TEX_WATERSPARE = 19;   // 19-31 white, alpha 128, unused
constexpr int TEX_WATERSURFACE = 32; // dark blue, alpha 128
constexpr int TEX_SUN = 33;          // the sun disc
constexpr int TEX_ARROW = 63;        // tutorial arrow, 128 x 64
constexpr int TEX_NEARESTFIRST = 70; // 70-97 reserved, drawn without filtering
constexpr int TEX_NEARESTLAST = 97;
constexpr int TEX_OBJECTMODEL = 100; // + n: texture of vehicle model n
constexpr int TEX_MATERIAL = 200;    // 200-219: 1 x 1 link colours, 200 + i and 210 + i colour i
constexpr int TEX_LANDSCAPE = 255;   // landscape colour bands and track decals
constexpr int TEX_PROPMODEL = 256;   // + n: texture of prop model n (n below 116)
constexpr int TEX_BIGSPLASH = 372;   // 372-419: a 1024 x 768 splash in 48 tiles
constexpr int TEX_SPLASH = 400;      // 400-419: a 640 x 480 splash in 20 tiles, unfiltered
constexpr int TEX_SPLASHLAST = 419;
constexpr int TEX_TILE = 420;        // "tile.bmp", the tiled menu background
constexpr int TEX_FONT = 511;        // "font00.bmp": text and pointer

// Headless (tvcore): the memory side of the table.

// Frees the slot's old pixels and gives it a zero-filled buffer for a
// width x height image (with room for the whole chain when mipmapped). Returns
// the buffer, or null (slot untouched) for a bad slot or size.
unsigned char *allocatetexture(int slot, int width, int height, int mipmapped);
// Number of mip levels, level 0 included, for a width x height image:
// levels go on while either side is above 1, each side max(1, size >> level).
int countmiplevels(int width, int height);
// Byte offset of a level in a mipmapped slot's buffer.
int miplevelbyteoffset(int width, int height, int level);
// Builds levels 1 and up from level 0 in the slot's buffer (2 x 2 box
// filter, rounding down); returns the number of levels, level 0 included.
int buildmipmaps(int slot);
// Reads a TGA file (uncompressed true colour, 24 or 32 bit, any origin
// corner) into the slot from "texturelow" when lowdetail is set, else from
// "texture"; 1 when the slot was filled. A file that is missing or not such
// a TGA leaves the slot as it was; a short one leaves the missing texels 0.
int readtexturefile(int slot, const char *filename, int mipmapped, int lowdetail);
// The same from an open stream.
int readtexturetga(int slot, FILE *file, int mipmapped);

// Window side (tvplatform; tvheadless has do-nothing versions, and a
// loadtexturetga that reads without uploading).

// readtexturefile, then the upload of the slot when a window exists (from
// its old contents when the file could not be read).
void loadtexturetga(int slot, const char *filename, int mipmapped, int lowdetail);

// Generates the 512 OpenGL names; once, after the window opens.
void setuptexturenames();
// Uploads a filled slot with its slot's filtering (mip chain rebuilt and
// uploaded when mipmapped); an empty slot is left alone.
void setuptexture(int slot);
// setuptexture when an OpenGL window exists; what loaders call after
// filling a slot in memory.
void uploadtexture(int slot);
// Builds and uploads levels 1 and up into the bound texture; level 0 is the
// caller's. Returns the number of levels, level 0 included.
int generatemipmap(int slot);
