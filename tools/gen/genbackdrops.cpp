// The 2D backdrops: the splash shown while loading, the two title
// pictures of the main menu and the tile that frames the 3D view. All are
// 24-bit BMP files in the texture folder.
#include <cmath>

#include "tools/gen/bmpfile.h"
#include "tools/gen/gendata.h"
#include "tools/gen/picture.h"

// Block capitals, 5 x 7, one row per byte with bit 4 the leftmost column;
// only the letters of the title are needed.
struct glyph {
	char letter;
	unsigned char row[7];
};

static const glyph titleglyphs[] = {
	{'T', {0x1f, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
	{'R', {0x1e, 0x11, 0x11, 0x1e, 0x14, 0x12, 0x11}},
	{'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0e}},
	{'S', {0x0f, 0x10, 0x10, 0x0e, 0x01, 0x01, 0x1e}},
	{'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0a, 0x04}},
	{'A', {0x0e, 0x11, 0x11, 0x1f, 0x11, 0x11, 0x11}},
	{'N', {0x11, 0x19, 0x15, 0x13, 0x11, 0x11, 0x11}},
	{'E', {0x1f, 0x10, 0x10, 0x1e, 0x10, 0x10, 0x1f}},
};

static const glyph *findglyph(char c)
{
	for (const glyph &g : titleglyphs)
		if (g.letter == c)
			return &g;
	return nullptr;
}

// Draws text centred on x with cells of the given pixel size and a shadow.
static void drawtitle(const char *text, int cx, int top, int cell, float r, float g, float b)
{
	int n = 0;
	while (text[n])
		n++;
	int left = cx - (n * 6 * cell - cell) / 2;
	for (int shadow = 1; shadow >= 0; shadow--) {
		for (int i = 0; i < n; i++) {
			const glyph *gl = findglyph(text[i]);
			if (!gl)
				continue;
			for (int row = 0; row < 7; row++)
				for (int col = 0; col < 5; col++) {
					if (!(gl->row[row] & (0x10 >> col)))
						continue;
					for (int y = 0; y < cell; y++)
						for (int x = 0; x < cell; x++) {
							int px = left + (i * 6 + col) * cell + x + shadow * cell / 3;
							int py = top + row * cell + y + shadow * cell / 3;
							float shade = 1.0f - 0.3f * y / cell;
							if (shadow)
								setpixel(px, py, 0.05f, 0.05f, 0.08f, 1.0f);
							else
								setpixel(px, py, r * shade, g * shade, b * shade, 1.0f);
						}
				}
		}
	}
}

static void drawline(float x0, float y0, float x1, float y1, float width, float r, float g, float b)
{
	float dx = x1 - x0, dy = y1 - y0;
	float len = sqrtf(dx * dx + dy * dy);
	int steps = (int)(len * 2.0f) + 1;
	for (int s = 0; s <= steps; s++) {
		float t = (float)s / steps;
		float px = x0 + dx * t, py = y0 + dy * t;
		for (int y = (int)(py - width); y <= (int)(py + width); y++)
			for (int x = (int)(px - width); x <= (int)(px + width); x++)
				setpixel(x, y, r, g, b, 1.0f);
	}
}

// Evening sky, hills, a river and a truss bridge across it. brightness
// scales the whole scene, for the darker menu backdrop.
static void drawscene(float brightness)
{
	beginpicture(640, 480);
	float horizon = 300.0f;
	for (int y = 0; y < 480; y++) {
		for (int x = 0; x < 640; x++) {
			float r, g, b;
			if (y < horizon) {
				float t = y / horizon;
				float cloud = tilefractal(x / 64.0f, y / 24.0f, 10, 4, 501);
				r = mixfloat(0.15f, 0.95f, t) + 0.15f * cloud * t;
				g = mixfloat(0.2f, 0.6f, t) + 0.1f * cloud * t;
				b = mixfloat(0.45f, 0.45f, t) + 0.1f * cloud;
			} else {
				float t = (y - horizon) / (480.0f - horizon);
				float n = tilefractal(x / 32.0f, y / 8.0f, 20, 3, 502);
				r = 0.1f + 0.1f * n;
				g = 0.25f + 0.15f * n - 0.1f * t;
				b = 0.12f + 0.05f * n;
				if (y > 360 && y < 420) {
					float wave = 0.5f + 0.5f * sinf(x * 0.15f + y * 0.9f);
					r = 0.2f + 0.25f * wave * (1.0f - t);
					g = 0.3f + 0.2f * wave * (1.0f - t);
					b = 0.45f + 0.2f * wave;
				}
			}
			// Hills against the sky.
			float ridge = 240.0f + 50.0f * tilefractal(x / 80.0f, 0.5f, 8, 4, 503);
			if (y >= ridge && y < horizon) {
				float n = tilefractal(x / 16.0f, y / 16.0f, 40, 3, 504);
				r = 0.12f + 0.08f * n;
				g = 0.18f + 0.1f * n;
				b = 0.2f + 0.06f * n;
			}
			setpixel(x, y, r * brightness, g * brightness, b * brightness, 1.0f);
		}
	}
	// The bridge: a deck with a Warren truss over the river.
	float deck = 352.0f, top = 318.0f;
	float steel = 0.12f * brightness;
	drawline(60, deck, 580, deck, 2.5f, steel, steel, steel);
	drawline(104, top, 536, top, 2.0f, steel, steel, steel);
	for (int k = 0; k < 10; k++) {
		float x = 80.0f + 48.0f * k;
		drawline(x, deck, x + 24.0f, top, 1.5f, steel, steel, steel);
		drawline(x + 24.0f, top, x + 48.0f, deck, 1.5f, steel, steel, steel);
	}
	for (int k = 0; k < 4; k++) {
		float x = 150.0f + 110.0f * k;
		drawline(x, deck, x, 430.0f, 4.0f, steel, steel, steel);
	}
}

static void drawtile()
{
	beginpicture(128, 128);
	for (int y = 0; y < 128; y++) {
		for (int x = 0; x < 128; x++) {
			float n = tilefractal(x / 16.0f, y / 16.0f, 8, 4, 511);
			float v = 0.3f + 0.12f * n;
			// Riveted plates meeting at the tile's edges, so tiles join.
			int px = x % 64, py = y % 64;
			if (px < 2 || py < 2)
				v *= 0.55f;
			else if (px < 4 || py < 4)
				v *= 1.25f;
			int rx = (px + 8) % 16 - 8, ry = (py + 8) % 16 - 8;
			if ((px < 10 || py < 10) && rx * rx + ry * ry < 5)
				v *= 1.5f;
			setpixel(x, y, v * 0.9f, v * 0.95f, v, 1.0f);
		}
	}
}

int generatebackdrops()
{
	makefolder("texture");
	int failed = 0;
	beginpicture(640, 480);
	drawtitle("TRUSVANE", 320, 200, 9, 0.75f, 0.75f, 0.8f);
	failed += !writebmp("texture/splashblack.bmp", picture, 640, 480, 4);
	drawscene(1.0f);
	drawtitle("TRUSVANE", 320, 60, 10, 0.95f, 0.85f, 0.5f);
	failed += !writebmp("texture/title.bmp", picture, 640, 480, 4);
	drawscene(0.45f);
	failed += !writebmp("texture/bgtitle.bmp", picture, 640, 480, 4);
	drawtile();
	failed += !writebmp("texture/tile.bmp", picture, 128, 128, 4);
	return failed;
}
