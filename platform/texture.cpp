// The memory side of the texture table: slot buffers, the CPU mip chain and
// the TGA reader. No OpenGL here: loadtexturetga, the reader plus the
// upload, lives with the window code (and in tvheadless without the upload).
#include "platform/texture.h"

#include "platform/files.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

texturestruct texture[MAXTEXTURES];

// Larger images would only come from a broken header; refusing them keeps
// a bad file from asking for gigabytes.
constexpr int MAXTEXTURESIZE = 4096;

static int validslot(int slot)
{
	return slot >= 0 && slot < MAXTEXTURES;
}

static int miplevelside(int size, int level)
{
	int side = size >> level;
	return side > 0 ? side : 1;
}

int countmiplevels(int width, int height)
{
	int levels = 1;
	while (width >> levels > 0 || height >> levels > 0)
		levels++;
	return levels;
}

int miplevelbyteoffset(int width, int height, int level)
{
	int offset = 0;
	for (int l = 0; l < level; l++)
		offset += miplevelside(width, l) * miplevelside(height, l) * 4;
	return offset;
}

static int texturebytes(int width, int height, int mipmapped)
{
	if (!mipmapped)
		return width * height * 4;
	return miplevelbyteoffset(width, height, countmiplevels(width, height));
}

static void freetexture(int slot)
{
	free(texture[slot].pixels);
	texture[slot].pixels = nullptr;
}

static unsigned char *newtexturebuffer(int width, int height, int mipmapped)
{
	if (width < 1 || height < 1 || width > MAXTEXTURESIZE || height > MAXTEXTURESIZE)
		return nullptr;
	return static_cast<unsigned char *>(calloc(texturebytes(width, height, mipmapped), 1));
}

static void committexture(int slot, unsigned char *pixels, int width, int height, int mipmapped)
{
	freetexture(slot);
	texture[slot].pixels = pixels;
	texture[slot].width = width;
	texture[slot].height = height;
	texture[slot].mipmapped = mipmapped;
}

unsigned char *allocatetexture(int slot, int width, int height, int mipmapped)
{
	if (!validslot(slot))
		return nullptr;
	unsigned char *pixels = newtexturebuffer(width, height, mipmapped);
	if (!pixels)
		return nullptr;
	committexture(slot, pixels, width, height, mipmapped);
	return pixels;
}

// One level from the one above it: each texel the 2 x 2 box at twice its
// row and column, rounded down. Odd sides reuse the last row or column.
static void shrinklevel(const unsigned char *src, int srcw, int srch, unsigned char *dst, int dstw,
	int dsth)
{
	for (int y = 0; y < dsth; y++) {
		int y0 = y * 2 < srch ? y * 2 : srch - 1;
		int y1 = y * 2 + 1 < srch ? y * 2 + 1 : y0;
		for (int x = 0; x < dstw; x++) {
			int x0 = x * 2 < srcw ? x * 2 : srcw - 1;
			int x1 = x * 2 + 1 < srcw ? x * 2 + 1 : x0;
			for (int c = 0; c < 4; c++) {
				int sum = src[(y0 * srcw + x0) * 4 + c] + src[(y0 * srcw + x1) * 4 + c]
					+ src[(y1 * srcw + x0) * 4 + c] + src[(y1 * srcw + x1) * 4 + c];
				dst[(y * dstw + x) * 4 + c] = static_cast<unsigned char>(sum >> 2);
			}
		}
	}
}

int buildmipmaps(int slot)
{
	if (!validslot(slot) || !texture[slot].pixels || !texture[slot].mipmapped)
		return 0;
	int width = texture[slot].width;
	int height = texture[slot].height;
	int levels = countmiplevels(width, height);
	unsigned char *pixels = texture[slot].pixels;
	for (int l = 1; l < levels; l++) {
		shrinklevel(pixels + miplevelbyteoffset(width, height, l - 1), miplevelside(width, l - 1),
			miplevelside(height, l - 1), pixels + miplevelbyteoffset(width, height, l),
			miplevelside(width, l), miplevelside(height, l));
	}
	return levels;
}

struct tgaheader {
	unsigned char idlength;
	unsigned char colormaptype;
	unsigned char imagetype;
	unsigned short colormapfirst;
	unsigned short colormaplength;
	unsigned char colormapentrysize;
	unsigned short xorigin, yorigin;
	unsigned short width, height;
	unsigned char depth;
	unsigned char descriptor;
};

static int readtgaheader(tgaheader *h, FILE *file)
{
	int fields = 0;
	fields += fread2(&h->idlength, 1, 1, file);
	fields += fread2(&h->colormaptype, 1, 1, file);
	fields += fread2(&h->imagetype, 1, 1, file);
	fields += fread2(&h->colormapfirst, 2, 1, file);
	fields += fread2(&h->colormaplength, 2, 1, file);
	fields += fread2(&h->colormapentrysize, 1, 1, file);
	fields += fread2(&h->xorigin, 2, 1, file);
	fields += fread2(&h->yorigin, 2, 1, file);
	fields += fread2(&h->width, 2, 1, file);
	fields += fread2(&h->height, 2, 1, file);
	fields += fread2(&h->depth, 1, 1, file);
	fields += fread2(&h->descriptor, 1, 1, file);
	return fields == 12;
}

// Only uncompressed true colour without a colour map is read.
static int supportedtga(const tgaheader *h)
{
	return h->imagetype == 2 && h->colormaptype == 0 && h->colormaplength == 0
		&& (h->depth == 24 || h->depth == 32) && h->width >= 1 && h->height >= 1
		&& h->width <= MAXTEXTURESIZE && h->height <= MAXTEXTURESIZE;
}

static int skipbytes(FILE *file, int count)
{
	unsigned char byte;
	for (int i = 0; i < count; i++) {
		if (fread2(&byte, 1, 1, file) != 1)
			return 0;
	}
	return 1;
}

// Stores the rows top row first, left to right, whatever corner the file
// starts from. Texels the file does not hold stay zero.
static void readtgapixels(const tgaheader *h, FILE *file, unsigned char *pixels)
{
	static unsigned char row[MAXTEXTURESIZE * 4];
	int width = h->width;
	int height = h->height;
	int bytesper = h->depth / 8;
	int corner = (h->descriptor >> 4) & 3;
	int ownalpha = h->depth == 32 && (h->descriptor & 15) == 8;
	for (int r = 0; r < height; r++) {
		// Bytes, not texels: the fields of a texel are single bytes.
		int got = static_cast<int>(fread2(row, 1, width * bytesper, file)) / bytesper;
		int y = (corner & 2) ? r : height - 1 - r;
		for (int i = 0; i < got; i++) {
			int x = (corner & 1) ? width - 1 - i : i;
			const unsigned char *in = row + i * bytesper;
			unsigned char *out = pixels + (y * width + x) * 4;
			out[0] = in[2];
			out[1] = in[1];
			out[2] = in[0];
			out[3] = ownalpha ? in[3] : 255;
		}
		if (got < width)
			return;
	}
}

int readtexturetga(int slot, FILE *file, int mipmapped)
{
	if (!validslot(slot) || !file)
		return 0;
	tgaheader h;
	if (!readtgaheader(&h, file) || !supportedtga(&h))
		return 0;
	unsigned char *pixels = newtexturebuffer(h.width, h.height, mipmapped);
	if (!pixels)
		return 0;
	if (skipbytes(file, h.idlength))
		readtgapixels(&h, file, pixels);
	committexture(slot, pixels, h.width, h.height, mipmapped ? 1 : 0);
	buildmipmaps(slot);
	return 1;
}

// Back to the start folder, only when the change into the data folder worked.
static void leavefolder(int changed)
{
	if (changed && chdir("..") != 0)
		return;
}

int readtexturefile(int slot, const char *filename, int mipmapped, int lowdetail)
{
	if (!validslot(slot))
		return 0;
	int changed = chdir(lowdetail ? "texturelow" : "texture") == 0;
	int filled = 0;
	fp = fopen(filename, "rb");
	if (fp) {
		filled = readtexturetga(slot, fp, mipmapped);
		fclose(fp);
		fp = nullptr;
	}
	leavefolder(changed);
	return filled;
}
