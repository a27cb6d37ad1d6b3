// The generator's scratch image and the procedural patterns its textures and
// backdrops are drawn from. Everything is seeded by fixed numbers, so every
// run writes the same bytes.
#pragma once

constexpr int PICTUREMAXWIDTH = 640;
constexpr int PICTUREMAXHEIGHT = 512;

// RGBA bytes, top row first; only width x height texels are in use.
extern unsigned char picture[PICTUREMAXWIDTH * PICTUREMAXHEIGHT * 4];
extern int picturewidth;
extern int pictureheight;

// Clears the picture to a size (clamped to the capacity) and opaque black.
void beginpicture(int width, int height);
void setpixel(int x, int y, float r, float g, float b, float a);

// A 32-bit integer hash of a lattice point and a seed.
unsigned int hashpoint(int x, int y, int seed);
// Smooth value noise in 0..1 that repeats every period lattice cells, so a
// texture built from it tiles without a seam.
float tilenoise(float x, float y, int period, int seed);
// Sum of octaves of tilenoise, halving amplitude and doubling frequency;
// period is the lattice period of the first octave. Result in 0..1.
float tilefractal(float x, float y, int period, int octaves, int seed);
float mixfloat(float a, float b, float t);
float clampunit(float v);

// Writes the picture as a TGA file, 32-bit when alpha is nonzero, else
// 24-bit. Returns 1 on success.
int writepicturetga(const char *path, int alpha);
// Halves the picture in both directions with a 2 x 2 box filter (for the
// low-detail copies).
void halvepicture();
