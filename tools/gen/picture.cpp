#include "tools/gen/picture.h"

#include <cmath>
#include <cstring>

#include "platform/files.h"

unsigned char picture[PICTUREMAXWIDTH * PICTUREMAXHEIGHT * 4];
int picturewidth;
int pictureheight;

void beginpicture(int width, int height)
{
	if (width > PICTUREMAXWIDTH)
		width = PICTUREMAXWIDTH;
	if (height > PICTUREMAXHEIGHT)
		height = PICTUREMAXHEIGHT;
	picturewidth = width;
	pictureheight = height;
	memset(picture, 0, sizeof(picture));
	for (int i = 0; i < width * height; i++)
		picture[i * 4 + 3] = 255;
}

static unsigned char tobyte(float v)
{
	return (unsigned char)(clampunit(v) * 255.0f + 0.5f);
}

void setpixel(int x, int y, float r, float g, float b, float a)
{
	if (x < 0 || y < 0 || x >= picturewidth || y >= pictureheight)
		return;
	unsigned char *p = &picture[(y * picturewidth + x) * 4];
	p[0] = tobyte(r);
	p[1] = tobyte(g);
	p[2] = tobyte(b);
	p[3] = tobyte(a);
}

unsigned int hashpoint(int x, int y, int seed)
{
	unsigned int h = (unsigned int)x * 374761393u + (unsigned int)y * 668265263u
		+ (unsigned int)seed * 2246822519u;
	h = (h ^ (h >> 13)) * 1274126177u;
	return h ^ (h >> 16);
}

static float latticevalue(int x, int y, int period, int seed)
{
	x = ((x % period) + period) % period;
	y = ((y % period) + period) % period;
	return (hashpoint(x, y, seed) & 0xffff) / 65535.0f;
}

float tilenoise(float x, float y, int period, int seed)
{
	int x0 = (int)floorf(x);
	int y0 = (int)floorf(y);
	float fx = x - x0;
	float fy = y - y0;
	// Smoothstep weights hide the lattice.
	fx = fx * fx * (3.0f - 2.0f * fx);
	fy = fy * fy * (3.0f - 2.0f * fy);
	float a = latticevalue(x0, y0, period, seed);
	float b = latticevalue(x0 + 1, y0, period, seed);
	float c = latticevalue(x0, y0 + 1, period, seed);
	float d = latticevalue(x0 + 1, y0 + 1, period, seed);
	return mixfloat(mixfloat(a, b, fx), mixfloat(c, d, fx), fy);
}

float tilefractal(float x, float y, int period, int octaves, int seed)
{
	float sum = 0.0f;
	float amplitude = 1.0f;
	float total = 0.0f;
	for (int i = 0; i < octaves; i++) {
		sum += tilenoise(x, y, period, seed + i * 101) * amplitude;
		total += amplitude;
		amplitude *= 0.5f;
		x *= 2.0f;
		y *= 2.0f;
		period *= 2;
	}
	return sum / total;
}

float mixfloat(float a, float b, float t)
{
	return a + (b - a) * t;
}

float clampunit(float v)
{
	if (v < 0.0f)
		return 0.0f;
	if (v > 1.0f)
		return 1.0f;
	return v;
}

int writepicturetga(const char *path, int alpha)
{
	if (!opensavefile(path))
		return 0;
	unsigned char head[18];
	memset(head, 0, sizeof(head));
	head[2] = 2;  // uncompressed true colour
	head[16] = alpha ? 32 : 24;
	// Top-left origin, so rows go out in the picture's own order; 8 alpha
	// bits for the 32-bit kind.
	head[17] = (unsigned char)(0x20 | (alpha ? 8 : 0));
	int ok = fwrite2(head, 1, 12, fp) == 12;
	short size[2] = {(short)picturewidth, (short)pictureheight};
	ok = ok && fwrite2(size, 2, 2, fp) == 2;
	ok = ok && fwrite2(head + 16, 1, 2, fp) == 2;
	int bytes = alpha ? 4 : 3;
	static unsigned char row[PICTUREMAXWIDTH * 4];
	for (int y = 0; ok && y < pictureheight; y++) {
		for (int x = 0; x < picturewidth; x++) {
			const unsigned char *p = &picture[(y * picturewidth + x) * 4];
			unsigned char *q = &row[x * bytes];
			q[0] = p[2];
			q[1] = p[1];
			q[2] = p[0];
			if (alpha)
				q[3] = p[3];
		}
		ok = fwrite2(row, 1, picturewidth * bytes, fp) == (size_t)(picturewidth * bytes);
	}
	int saved = closesavefile(path);
	return ok && saved;
}

void halvepicture()
{
	int w = picturewidth / 2;
	int h = pictureheight / 2;
	for (int y = 0; y < h; y++) {
		for (int x = 0; x < w; x++) {
			for (int c = 0; c < 4; c++) {
				int sum = picture[((2 * y) * picturewidth + 2 * x) * 4 + c]
					+ picture[((2 * y) * picturewidth + 2 * x + 1) * 4 + c]
					+ picture[((2 * y + 1) * picturewidth + 2 * x) * 4 + c]
					+ picture[((2 * y + 1) * picturewidth + 2 * x + 1) * 4 + c];
				// Writing row y never overwrites rows 2y and 2y + 1 still
				// to be read, since y <= 2y.
				picture[(y * w + x) * 4 + c] = (unsigned char)((sum + 2) / 4);
			}
		}
	}
	picturewidth = w;
	pictureheight = h;
}
