// The generator's BMP writer: the 24-bit, uncompressed, bottom-up form with
// the plain 54-byte header that the game's font, icon and backdrops use.
#pragma once

// pixels: width x height texels of channels bytes each (3 RGB or 4 RGBA,
// alpha ignored), top row first. Written through the safe save, so a failed
// write keeps any old file. Returns 1 on success.
int writebmp(const char *path, const unsigned char *pixels, int width, int height, int channels);
