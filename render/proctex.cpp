// Textures computed in memory. Each fills its slot's buffer and uploads
// it only once an OpenGL window exists, so it can run before the window.
#include "render/proctex.h"

#include <GL/gl.h>
#include <cmath>
#include <cstdlib>

#include "platform/input.h"
#include "platform/texture.h"
#include "world/level.h"

constexpr int WATERSIZE = 256;
constexpr int SUNSIZE = 256;
constexpr int ARROWWIDTH = 128;
constexpr int ARROWHEIGHT = 64;

static void uploadgenerated(int slot, int wrap)
{
	if (!windowinfo.glenabled)
		return;
	texturestruct *t = &texture[slot];
	glBindTexture(GL_TEXTURE_2D, t->glname);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
	glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, t->width, t->height, 0, GL_RGBA,
		GL_UNSIGNED_BYTE, t->pixels);
}

static unsigned char colorbyte(float c)
{
	// Level colours come from files; out-of-range values must not wrap.
	if (!(c > 0.0f))
		return 0;
	if (c >= 1.0f)
		return 255;
	return (unsigned char)(255.0f * c);
}

void setupbondtextures()
{
	for (int i = 0; i < 20; i++) {
		int slot = TEX_MATERIAL + i;
		unsigned char *p = allocatetexture(slot, 1, 1, 0);
		if (!p)
			continue;
		const vector3 *c = &level.linkcolor[i % 10];
		p[0] = colorbyte(c->x);
		p[1] = colorbyte(c->y);
		p[2] = colorbyte(c->z);
		p[3] = 255;
		uploadgenerated(slot, GL_REPEAT);
	}
}

void setupwatertextures()
{
	for (int slot = TEX_WATERGLINT; slot <= TEX_WATERSURFACE; slot++) {
		unsigned char *p = allocatetexture(slot, WATERSIZE, WATERSIZE, 0);
		if (!p)
			continue;
		unsigned char texel[4] = {255, 255, 255, 128};
		if (slot == TEX_WATERSURFACE) {
			texel[0] = 0;
			texel[1] = 0;
			texel[2] = 128;
		}
		for (int n = 0; n < WATERSIZE * WATERSIZE; n++)
			for (int k = 0; k < 4; k++)
				p[n * 4 + k] = texel[k];
		uploadgenerated(slot, GL_REPEAT);
	}
}

static unsigned char clampbyte(float v)
{
	if (v < 0.0f)
		return 0;
	if (v > 255.0f)
		return 255;
	return (unsigned char)v;
}

void suntexel(unsigned char out[4], int x, int y)
{
	float dx = (float)(x - 128);
	float dy = (float)(y - 128);
	float d = sqrtf(dx * dx + dy * dy);
	out[0] = 255;
	out[1] = 255;
	out[2] = clampbyte(2.0f * (100.0f - d));
	out[3] = clampbyte(10.0f * (100.0f - d));
}

void setupsuntexture()
{
	unsigned char *p = allocatetexture(TEX_SUN, SUNSIZE, SUNSIZE, 0);
	if (!p)
		return;
	for (int y = 0; y < SUNSIZE; y++)
		for (int x = 0; x < SUNSIZE; x++)
			suntexel(&p[(y * SUNSIZE + x) * 4], x, y);
	uploadgenerated(TEX_SUN, GL_REPEAT);
}

void arrowtexel(unsigned char out[4], int x, int y)
{
	int a = std::abs(y - 32);
	int inside, border;
	if (x <= 95) {
		inside = y - 32 >= -11 && y - 32 <= 11;
		border = x < 4 || a > 8;
	} else {
		inside = a < 128 - x;
		border = (x <= 99 && a > 8) || a > 124 - x;
	}
	if (border) {
		out[0] = 128;
		out[1] = 128;
		out[2] = 128;
	} else {
		out[0] = 0;
		out[1] = 255;
		out[2] = 0;
	}
	out[3] = inside ? 255 : 0;
}

void generatearrowtexture(int slot)
{
	unsigned char *p = allocatetexture(slot, ARROWWIDTH, ARROWHEIGHT, 0);
	if (!p)
		return;
	for (int y = 0; y < ARROWHEIGHT; y++)
		for (int x = 0; x < ARROWWIDTH; x++)
			arrowtexel(&p[(y * ARROWWIDTH + x) * 4], x, y);
	uploadgenerated(slot, GL_CLAMP);
}
