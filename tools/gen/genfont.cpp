#include "tools/gen/bmpfile.h"
#include "tools/gen/genfont.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <cstring>

constexpr int FONTIMAGE = 256;
constexpr int CELL = 16;
// Glyphs are drawn one per square cell, so they are rendered wider than
// tall to fill the cell; the baseline leaves four rows for descenders.
constexpr int GLYPHWIDTH = 18;
constexpr int GLYPHHEIGHT = 15;
constexpr int BASELINE = 12;
constexpr int SOLIDBLOCK = 127;

static unsigned char coverage[FONTIMAGE * FONTIMAGE];

static void plot(int x, int y, int value)
{
	if (x < 0 || y < 0 || x >= FONTIMAGE || y >= FONTIMAGE)
		return;
	if (value > coverage[y * FONTIMAGE + x])
		coverage[y * FONTIMAGE + x] = static_cast<unsigned char>(value);
}

// Copies a rendered glyph into its cell, clipped to the cell.
static void placeglyph(FT_GlyphSlot glyph, int c, int baseline)
{
	int cellx = (c % 16) * CELL;
	int celly = (c / 16) * CELL;
	int advance = static_cast<int>(glyph->advance.x >> 6);
	int left = (CELL - advance) / 2 + glyph->bitmap_left;
	int top = baseline - glyph->bitmap_top;
	const FT_Bitmap &bitmap = glyph->bitmap;
	for (unsigned row = 0; row < bitmap.rows; row++) {
		for (unsigned col = 0; col < bitmap.width; col++) {
			int x = left + static_cast<int>(col);
			int y = top + static_cast<int>(row);
			if (x < 0 || y < 0 || x >= CELL || y >= CELL)
				continue;
			plot(cellx + x, celly + y, bitmap.buffer[row * bitmap.pitch + col]);
		}
	}
}

// Printable ASCII and the printable half of Latin-1: the byte values the
// keyboard can type and text boxes can hold.
static int printable(int c)
{
	return (c >= 33 && c <= 126) || c >= 161;
}

static int renderglyphs(const char *fontfile)
{
	FT_Library library;
	if (FT_Init_FreeType(&library) != 0)
		return 0;
	FT_Face face;
	if (FT_New_Face(library, fontfile, 0, &face) != 0) {
		fprintf(stderr, "cannot read the font %s\n", fontfile);
		FT_Done_FreeType(library);
		return 0;
	}
	FT_Set_Pixel_Sizes(face, GLYPHWIDTH, GLYPHHEIGHT);
	int rendered = 0;
	for (int c = 0; c < 256; c++) {
		if (!printable(c) || c == SOLIDBLOCK)
			continue;
		if (FT_Load_Char(face, static_cast<FT_ULong>(c), FT_LOAD_RENDER) != 0)
			continue;
		placeglyph(face->glyph, c, BASELINE);
		rendered++;
	}
	FT_Done_Face(face);
	FT_Done_FreeType(library);
	return rendered > 0;
}

static void drawsolidblock()
{
	int cellx = (SOLIDBLOCK % 16) * CELL;
	int celly = (SOLIDBLOCK / 16) * CELL;
	for (int y = 0; y < CELL; y++)
		for (int x = 0; x < CELL; x++)
			plot(cellx + x, celly + y, 255);
}

// Inside test for a polygon (even-odd rule).
static int insidepolygon(const float (*points)[2], int count, float x, float y)
{
	int inside = 0;
	for (int i = 0, j = count - 1; i < count; j = i++) {
		float xi = points[i][0], yi = points[i][1];
		float xj = points[j][0], yj = points[j][1];
		if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
			inside = !inside;
	}
	return inside;
}

// The pointer is drawn centred on the mouse, so the arrow's tip sits at the
// centre of its 32 x 32 square and the arrow points up and to the left.
static void drawpointer()
{
	static const float arrow[][2] = {
		{16.0f, 16.0f}, {16.0f, 31.0f}, {19.5f, 27.5f}, {22.5f, 31.5f},
		{25.0f, 30.0f}, {22.2f, 26.0f}, {27.0f, 26.0f},
	};
	const int samples = 4;
	for (int y = 0; y < 32; y++) {
		for (int x = 0; x < 32; x++) {
			int hits = 0;
			for (int sy = 0; sy < samples; sy++)
				for (int sx = 0; sx < samples; sx++)
					hits += insidepolygon(arrow, 7, x + (sx + 0.5f) / samples,
						y + (sy + 0.5f) / samples);
			plot(x, y, hits * 255 / (samples * samples));
		}
	}
}

int generatefont(const char *fontfile)
{
	memset(coverage, 0, sizeof coverage);
	if (!renderglyphs(fontfile))
		return 1;
	drawsolidblock();
	drawpointer();
	static unsigned char rgb[FONTIMAGE * FONTIMAGE * 3];
	for (int i = 0; i < FONTIMAGE * FONTIMAGE; i++)
		rgb[i * 3] = rgb[i * 3 + 1] = rgb[i * 3 + 2] = coverage[i];
	return writebmp("font00.bmp", rgb, FONTIMAGE, FONTIMAGE, 3) ? 0 : 1;
}
