// Reads the font image into texture slot 511.
#include "platform/files.h"
#include "platform/text.h"
#include "platform/texture.h"

#include <cstdint>

constexpr int FONTSIZE = 256;
constexpr int BMPHEADERSIZE = 54;

// The font is a 256 x 256, 24-bit, uncompressed, bottom-up BMP with the
// plain 54-byte header; anything else is not read at all.
static int checkfontheader(FILE *file)
{
	unsigned char magic[2];
	uint32_t filesize, reserved, dataoffset, infosize, compression;
	int32_t width, height;
	uint16_t planes, bits;
	int fields = 0;
	fields += fread2(magic, 1, 2, file) == 2;
	fields += fread2(&filesize, 4, 1, file);
	fields += fread2(&reserved, 4, 1, file);
	fields += fread2(&dataoffset, 4, 1, file);
	fields += fread2(&infosize, 4, 1, file);
	fields += fread2(&width, 4, 1, file);
	fields += fread2(&height, 4, 1, file);
	fields += fread2(&planes, 2, 1, file);
	fields += fread2(&bits, 2, 1, file);
	fields += fread2(&compression, 4, 1, file);
	if (fields != 10)
		return 0;
	return magic[0] == 'B' && magic[1] == 'M' && dataoffset == BMPHEADERSIZE && width == FONTSIZE
		&& height == FONTSIZE && bits == 24 && compression == 0;
}

// Rows come bottom-up; each texel is white with the red byte as alpha.
// Returns 1 when every row was there.
static int readfontpixels(FILE *file, unsigned char *pixels)
{
	if (fseek(file, BMPHEADERSIZE, SEEK_SET) != 0)
		return 0;
	unsigned char row[FONTSIZE * 3];
	for (int r = 0; r < FONTSIZE; r++) {
		int got = static_cast<int>(fread2(row, 1, sizeof row, file)) / 3;
		unsigned char *out = pixels + (FONTSIZE - 1 - r) * FONTSIZE * 4;
		for (int x = 0; x < got; x++) {
			out[x * 4 + 0] = 255;
			out[x * 4 + 1] = 255;
			out[x * 4 + 2] = 255;
			out[x * 4 + 3] = row[x * 3 + 2];
		}
		if (got < FONTSIZE)
			return 0;
	}
	return 1;
}

int readfont()
{
	unsigned char *pixels = allocatetexture(TEX_FONT, FONTSIZE, FONTSIZE, 0);
	if (!pixels)
		return 0;
	fp = fopen("font00.bmp", "rb");
	if (!fp)
		return 0;
	int complete = checkfontheader(fp) && readfontpixels(fp, pixels);
	fclose(fp);
	fp = nullptr;
	return complete;
}
