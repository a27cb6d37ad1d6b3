// The shared textures that start-up loads and the atlases of the models.
// Every texture is square, a power of two wide, and tiles without a seam.
#include <cmath>
#include <cstdio>
#include <sys/stat.h>

#include "tools/gen/atlas.h"
#include "tools/gen/gendata.h"
#include "tools/gen/picture.h"

void makefolder(const char *name)
{
	mkdir(name, 0777);
}

// Writes the picture to "texture/<name>" and, halved, to "texturelow/<name>".
static int writebothdetails(const char *name, int alpha)
{
	char path[64];
	int failed = 0;
	snprintf(path, sizeof path, "texture/%s", name);
	failed += !writepicturetga(path, alpha);
	halvepicture();
	snprintf(path, sizeof path, "texturelow/%s", name);
	failed += !writepicturetga(path, alpha);
	return failed;
}

// Light, slightly mottled grey: the landscape's colour bands tint it.
static void paintground()
{
	beginpicture(256, 256);
	for (int y = 0; y < 256; y++) {
		for (int x = 0; x < 256; x++) {
			float n = tilefractal(x / 32.0f, y / 32.0f, 8, 4, 11);
			float speck = (hashpoint(x, y, 12) & 255) / 255.0f;
			float v = 0.72f + 0.25f * n + 0.06f * (speck - 0.5f);
			setpixel(x, y, v, v * 0.98f, v * 0.94f, 1.0f);
		}
	}
}

// Timber planks across the road, with darker seams between them.
static void paintdeck()
{
	beginpicture(128, 128);
	for (int y = 0; y < 128; y++) {
		for (int x = 0; x < 128; x++) {
			int plank = y / 16;
			float grain = tilefractal(x / 8.0f, plank * 3.0f + y / 64.0f, 16, 3, 21 + plank);
			float shade = 0.85f + 0.15f * ((hashpoint(plank, 0, 22) & 255) / 255.0f);
			float v = shade * (0.55f + 0.3f * grain);
			if (y % 16 == 0 || y % 16 == 15)
				v *= 0.45f;
			setpixel(x, y, v * 0.75f, v * 0.62f, v * 0.45f, 1.0f);
		}
	}
}

// A soft puff: white, its alpha falling off from the middle, broken by noise.
static void paintcloud()
{
	beginpicture(64, 64);
	for (int y = 0; y < 64; y++) {
		for (int x = 0; x < 64; x++) {
			float dx = (x + 0.5f - 32.0f) / 32.0f;
			float dy = (y + 0.5f - 32.0f) / 32.0f;
			float d = sqrtf(dx * dx + dy * dy);
			float n = tilefractal(x / 8.0f, y / 8.0f, 8, 3, 31);
			float a = clampunit(1.0f - d) * (0.6f + 0.4f * n);
			setpixel(x, y, 1.0f, 1.0f, 1.0f, a * a * 1.6f);
		}
	}
}

// A lit ball on a transparent ground.
static void paintsphere()
{
	beginpicture(64, 64);
	for (int y = 0; y < 64; y++) {
		for (int x = 0; x < 64; x++) {
			float dx = (x + 0.5f - 32.0f) / 30.0f;
			float dy = (y + 0.5f - 32.0f) / 30.0f;
			float d2 = dx * dx + dy * dy;
			if (d2 >= 1.0f) {
				setpixel(x, y, 1.0f, 1.0f, 1.0f, 0.0f);
				continue;
			}
			float dz = sqrtf(1.0f - d2);
			float light = clampunit(-0.4f * dx - 0.5f * dy + 0.77f * dz);
			float v = 0.35f + 0.65f * light;
			float edge = clampunit((1.0f - sqrtf(d2)) * 15.0f);
			setpixel(x, y, v, v, v, edge);
		}
	}
}

// Ripples for the two scrolling wave layers; half transparent so the
// surface colour shows through.
static void paintwater(int seed)
{
	beginpicture(128, 128);
	for (int y = 0; y < 128; y++) {
		for (int x = 0; x < 128; x++) {
			float n = tilefractal(x / 16.0f, y / 16.0f, 8, 4, seed);
			float ripple = 0.5f + 0.5f * sinf((n * 6.0f + y / 128.0f * 2.0f) * 3.14159265f * 2.0f);
			float v = 0.55f + 0.45f * ripple;
			setpixel(x, y, v * 0.55f, v * 0.75f, v, 0.35f + 0.3f * ripple);
		}
	}
}

static void paintcell(int cx, int cy, const atlascell *cell, int seed)
{
	int size = ATLASSIZE / ATLASCELLS;
	for (int y = 0; y < size; y++) {
		for (int x = 0; x < size; x++) {
			float fx = (x + 0.5f) / size;
			float fy = (y + 0.5f) / size;
			float n = tilefractal(x / 8.0f, y / 8.0f, 4, 3, seed);
			float v = 0.85f + 0.3f * (n - 0.5f);
			float r = cell->r, g = cell->g, b = cell->b;
			switch (cell->paint) {
			case PAINTSTRIPES:
				if (x % 8 < 2)
					v *= 0.6f;
				break;
			case PAINTWINDOW:
				if (fx > 0.15f && fx < 0.85f && fy > 0.2f && fy < 0.75f) {
					r = 0.15f;
					g = 0.2f;
					b = 0.3f;
					v = 1.0f + 0.6f * (fy < 0.35f);
				}
				break;
			case PAINTRING: {
				float d = sqrtf((fx - 0.5f) * (fx - 0.5f) + (fy - 0.5f) * (fy - 0.5f));
				if (d < 0.12f)
					v *= 1.5f;
				else if (d > 0.42f)
					v *= 0.55f;
				else if (fabsf(fx - 0.5f) < 0.05f || fabsf(fy - 0.5f) < 0.05f)
					v *= 1.3f;
				break;
			}
			case PAINTBARK:
				v *= 0.75f + 0.35f * tilenoise(x / 2.0f, y / 12.0f, 16, seed + 7);
				break;
			case PAINTTILES:
				if (y % 8 == 0 || (x + (y / 8) * 4) % 8 == 0)
					v *= 0.55f;
				break;
			case PAINTROAD:
				// A dashed centre line along the cell's t axis, which the
				// road pieces lay along the road.
				if (x >= 15 && x < 17 && y % 16 < 9) {
					r = 0.95f;
					g = 0.9f;
					b = 0.5f;
					v = 1.0f;
				}
				break;
			default:
				break;
			}
			setpixel(cx * size + x, cy * size + y, r * v, g * v, b * v, 1.0f);
		}
	}
}

int writeatlas(const char *name, const atlascell cells[ATLASCELLS * ATLASCELLS], int seed)
{
	beginpicture(ATLASSIZE, ATLASSIZE);
	for (int i = 0; i < ATLASCELLS * ATLASCELLS; i++)
		paintcell(i % ATLASCELLS, i / ATLASCELLS, &cells[i], seed + i * 13);
	char file[48];
	snprintf(file, sizeof file, "%s.tga", name);
	return writebothdetails(file, 0);
}

int generatetextures()
{
	makefolder("texture");
	makefolder("texturelow");
	int failed = 0;
	paintground();
	failed += writebothdetails("ground.tga", 0);
	paintdeck();
	failed += writebothdetails("deck.tga", 0);
	paintcloud();
	failed += writebothdetails("cloud.tga", 1);
	paintsphere();
	failed += writebothdetails("sphere.tga", 1);
	paintwater(41);
	failed += writebothdetails("water1a.tga", 1);
	paintwater(53);
	failed += writebothdetails("water2a.tga", 1);
	return failed;
}
