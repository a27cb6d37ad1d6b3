// Viewport mapping, matrices and the screenshot file, without GL.
#include "platform/viewport.h"

#include "platform/files.h"
#include "platform/input.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

void mapviewport(int out[4], int x, int y, int width, int height, int winwidth, int winheight)
{
	y = VIRTUALHEIGHT - (y + height);
	out[0] = winwidth * x / VIRTUALWIDTH;
	out[1] = winheight * y / VIRTUALHEIGHT;
	out[2] = winwidth * width / VIRTUALWIDTH;
	out[3] = winheight * height / VIRTUALHEIGHT;
}

static void identity(float m[16])
{
	memset(m, 0, 16 * sizeof(float));
	m[0] = m[5] = m[10] = m[15] = 1.0f;
}

// Rows of the matrix are the axes: world to camera space.
void viewrotation(float m[16], const orientation *axes)
{
	identity(m);
	for (int row = 0; row < 3; row++) {
		m[row + 0] = axes->v[row].x;
		m[row + 4] = axes->v[row].y;
		m[row + 8] = axes->v[row].z;
	}
}

// Columns are the axes: object to world space.
void objectrotation(float m[16], const orientation *axes)
{
	identity(m);
	for (int col = 0; col < 3; col++) {
		m[col * 4 + 0] = axes->v[col].x;
		m[col * 4 + 1] = axes->v[col].y;
		m[col * 4 + 2] = axes->v[col].z;
	}
}

int nextscreenshotname(char *name)
{
	for (int n = 0; n < 1000; n++) {
		snprintf(name, 13, "scsht%03d.bmp", n);
		FILE *file = fopen(name, "rb");
		if (!file)
			return 1;
		fclose(file);
	}
	return 0;
}

static void put16(unsigned char *p, unsigned v)
{
	p[0] = v & 255;
	p[1] = (v >> 8) & 255;
}

static void put32(unsigned char *p, unsigned v)
{
	put16(p, v & 0xffff);
	put16(p + 2, v >> 16);
}

int writescreenshot(const char *name, const unsigned char *rgba, int width, int height)
{
	if (width < 1 || height < 1)
		return 0;
	// BMP rows are padded to a multiple of four bytes.
	unsigned rowsize = ((unsigned)width * 3 + 3) & ~3u;
	unsigned imagesize = rowsize * (unsigned)height;
	unsigned char header[54] = {'B', 'M'};
	put32(header + 2, 54 + imagesize);
	put32(header + 10, 54);
	put32(header + 14, 40);
	put32(header + 18, (unsigned)width);
	put32(header + 22, (unsigned)height);
	put16(header + 26, 1);
	put16(header + 28, 24);
	put32(header + 34, imagesize);

	unsigned char *row = static_cast<unsigned char *>(calloc(rowsize, 1));
	if (!row)
		return 0;
	if (!opensavefile(name)) {
		free(row);
		return 0;
	}
	// Built byte by byte above, so written as bytes on any host.
	fwrite(header, 1, sizeof header, fp);
	for (int y = 0; y < height; y++) {
		const unsigned char *pixel = rgba + (size_t)y * width * 4;
		for (int x = 0; x < width; x++, pixel += 4) {
			row[x * 3 + 0] = pixel[2];
			row[x * 3 + 1] = pixel[1];
			row[x * 3 + 2] = pixel[0];
		}
		fwrite(row, 1, rowsize, fp);
	}
	free(row);
	return closesavefile(name);
}
