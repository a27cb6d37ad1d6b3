// BMP backdrops, read window by window straight into texture slots.
#include "render/backdrop.h"

#include <GL/gl.h>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "platform/files.h"
#include "platform/input.h"
#include "platform/texture.h"

bmpheaderstruct bmpheader;

constexpr long BMPDATAOFFSET = 54;
constexpr int MAXBMPSIDE = 16384;  // larger images are refused as damaged
constexpr int MAXWINDOW = 4096;

static int readbmpheader(bmpheaderstruct *h)
{
	if (fseek(fp, 0, SEEK_SET) != 0 || fread2(h->magic, 1, 2, fp) != 2)
		return 0;
	if (fseek(fp, 18, SEEK_SET) != 0 || fread2(&h->width, 4, 1, fp) != 1 ||
		fread2(&h->height, 4, 1, fp) != 1)
		return 0;
	if (fseek(fp, 28, SEEK_SET) != 0 || fread2(&h->bitsperpixel, 2, 1, fp) != 1 ||
		fread2(&h->compression, 4, 1, fp) != 1)
		return 0;
	return 1;
}

static int validbmpheader(const bmpheaderstruct *h)
{
	if (h->magic[0] != 'B' || h->magic[1] != 'M')
		return 0;
	if (h->bitsperpixel != 24 || h->compression != 0)
		return 0;
	if (h->width < 1 || h->width > MAXBMPSIDE)
		return 0;
	return h->height != 0 && h->height >= -MAXBMPSIDE && h->height <= MAXBMPSIDE;
}

static void uploadbmpslot(int slot)
{
	if (!windowinfo.glenabled)
		return;
	texturestruct *t = &texture[slot];
	glBindTexture(GL_TEXTURE_2D, t->glname);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
	glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, t->width, t->height, 0, GL_RGBA,
		GL_UNSIGNED_BYTE, t->pixels);
}

// Fills the staging buffer from the open file; parts of the window outside
// the image stay black. Returns 0 when the file ends before a needed row.
static int readbmpwindow(unsigned char *staging, const bmpheaderstruct *h, int w, int hgt,
	int x0, int y0)
{
	int width = h->width;
	int height = h->height < 0 ? -h->height : h->height;
	int topdown = h->height < 1;
	int xstart = x0 > 0 ? x0 : 0;
	int xend = x0 + w < width ? x0 + w : width;
	if (xend <= xstart)
		return 1;
	int count = xend - xstart;
	unsigned char row[MAXBMPSIDE * 3];
	for (int r = hgt - 1; r >= 0; r--) {
		int y = y0 + r;
		if (y < 0 || y >= height)
			continue;
		long filerow = topdown ? y : height - 1 - y;
		long offset = BMPDATAOFFSET + (filerow * width + xstart) * 3L;
		if (fseek(fp, offset, SEEK_SET) != 0)
			return 0;
		if (fread2(row, 1, (size_t)count * 3, fp) != (size_t)count * 3)
			return 0;
		unsigned char *out = staging + ((size_t)r * w + (xstart - x0)) * 4;
		for (int i = 0; i < count; i++) {
			out[i * 4 + 0] = row[i * 3 + 2];
			out[i * 4 + 1] = row[i * 3 + 1];
			out[i * 4 + 2] = row[i * 3 + 0];
			out[i * 4 + 3] = 255;
		}
	}
	return 1;
}

void readpartialbmp(int slot, const char *path, int w, int h, int x0, int y0)
{
	if (slot < 0 || slot >= MAXTEXTURES || w < 1 || h < 1 || w > MAXWINDOW || h > MAXWINDOW)
		return;
	fp = fopen(path, "rb");
	if (!fp)
		return;
	bmpheaderstruct header;
	memset(&header, 0, sizeof(header));
	int ok = readbmpheader(&header);
	if (ok)
		bmpheader = header;
	ok = ok && validbmpheader(&header);
	unsigned char *staging = nullptr;
	if (ok) {
		staging = (unsigned char *)calloc((size_t)w * h, 4);
		ok = staging && readbmpwindow(staging, &header, w, h, x0, y0);
	}
	fclose(fp);
	fp = nullptr;
	if (ok) {
		unsigned char *pixels = allocatetexture(slot, w, h, 0);
		if (pixels) {
			memcpy(pixels, staging, (size_t)w * h * 4);
			uploadbmpslot(slot);
		}
	}
	free(staging);
}

// Changes into the texture folder and reports whether it did, so the way
// back is taken only when the way in was.
static int intotexturefolder()
{
	return chdir("texture") == 0;
}

static void outoftexturefolder(int entered)
{
	if (entered && chdir("..") != 0)
		return;
}

void loadsplash(const char *path, int firstslot)
{
	int entered = intotexturefolder();
	int slot = firstslot;
	for (int y0 = 0; y0 <= 256; y0 += 128)
		for (int x0 = 0; x0 <= 512; x0 += 128)
			readpartialbmp(slot++, path, 128, 128, x0, y0);
	// The last row starts at 352 so the tiles end with the image's last row.
	for (int x0 = 0; x0 <= 512; x0 += 128)
		readpartialbmp(slot++, path, 128, 128, x0, 352);
	outoftexturefolder(entered);
}

void loadsplash2(const char *path, int firstslot)
{
	int entered = intotexturefolder();
	int slot = firstslot;
	for (int y0 = 0; y0 <= 640; y0 += 128)
		for (int x0 = 0; x0 <= 896; x0 += 128)
			readpartialbmp(slot++, path, 128, 128, x0, y0);
	outoftexturefolder(entered);
}

void loadtitlescreen(int slot)
{
	int entered = intotexturefolder();
	readpartialbmp(slot, "tile.bmp", 128, 128, 0, 0);
	outoftexturefolder(entered);
}

static void bindslot(int slot)
{
	glBindTexture(GL_TEXTURE_2D, texture[slot].glname);
}

// One quad on the virtual screen, corners top-left, bottom-left,
// bottom-right, top-right.
static void virtualquad(float x1, float y1, float x2, float y2, float u1, float v1, float u2,
	float v2)
{
	float left = (x1 - 320.0f) / 320.0f, right = (x2 - 320.0f) / 320.0f;
	float top = (240.0f - y1) / 320.0f, bottom = (240.0f - y2) / 320.0f;
	glTexCoord2f(u1, v1);
	glVertex3f(left, top, -1.0f);
	glTexCoord2f(u1, v2);
	glVertex3f(left, bottom, -1.0f);
	glTexCoord2f(u2, v2);
	glVertex3f(right, bottom, -1.0f);
	glTexCoord2f(u2, v1);
	glVertex3f(right, top, -1.0f);
}

void fadebgtitle(float b)
{
	glColor4f(b, b, b, 1.0f);
	for (int j = 0; j < 4; j++)
		for (int i = 0; i < 5; i++) {
			bindslot(TEX_SPLASH + 5 * j + i);
			glBegin(GL_QUADS);
			if (j < 3)
				virtualquad(128 * i, 128 * j, 128 * i + 128, 128 * j + 128, 0, 0, 1, 1);
			else
				virtualquad(128 * i, 384, 128 * i + 128, 480, 0, 0.25f, 1, 1);
			glEnd();
		}
}

void drawbgtitle()
{
	fadebgtitle(1.0f);
}

void fadebgtitle2(float b)
{
	glColor4f(b, b, b, 1.0f);
	for (int j = 0; j < 6; j++)
		for (int i = 0; i < 8; i++) {
			bindslot(TEX_BIGSPLASH + 8 * j + i);
			glBegin(GL_QUADS);
			virtualquad(80 * i, 80 * j, 80 * i + 80, 80 * j + 80, 0, 0, 1, 1);
			glEnd();
		}
}

void drawbackground()
{
	glColor4f(1, 1, 1, 1);
	bindslot(TEX_TILE);
	glBegin(GL_QUADS);
	for (int i = 0; i < 7; i++)
		virtualquad(80 * i, 0, 80 * i + 80, 20, 0, 0, 1, 0.25f);
	for (int j = 0; j < 6; j++) {
		virtualquad(512, 80 * j, 560, 80 * j + 80, 0.4f, 0, 1, 1);
		virtualquad(560, 80 * j, 640, 80 * j + 80, 0, 0, 1, 1);
	}
	for (int i = 0; i < 7; i++)
		virtualquad(80 * i, 460, 80 * i + 80, 480, 0, 0.75f, 1, 1);
	glEnd();
}

void tilebackground()
{
	glColor4f(1, 1, 1, 1);
	bindslot(TEX_TILE);
	glBegin(GL_QUADS);
	for (int j = 0; j < 3; j++)
		for (int i = 0; i < 5; i++)
			virtualquad(128 * i, 128 * j, 128 * i + 128, 128 * j + 128, 0, 0, 1, 1);
	for (int i = 0; i < 5; i++)
		virtualquad(128 * i, 384, 128 * i + 128, 480, 0, 0, 1, 0.75f);
	glEnd();
}
