// Drawing text and the pointer from the font texture, and the 2D state
// they need.
#include "platform/input.h"
#include "platform/text.h"
#include "platform/texture.h"

#include <GL/gl.h>

// The 640x480 virtual screen on the plane z = -1 of setuptextdisplay's
// frustum: 320 virtual pixels per unit, so the 4:3 screen fills it.
static void screenvertex(float px, float py)
{
	glVertex3f((px - 320.0f) / 320.0f, (240.0f - py) / 320.0f, -1.0f);
}

// One cell of the font, its edges pulled in by half a texel so that the
// neighbouring glyphs never bleed in.
static void drawglyph(unsigned char c, int px, int py, int size)
{
	const float inset = 1.0f / 512.0f;
	float u0 = (c % 16) * 16 / 256.0f + inset;
	float u1 = (c % 16 + 1) * 16 / 256.0f - inset;
	float v0 = (c / 16) * 16 / 256.0f + inset;
	float v1 = (c / 16 + 1) * 16 / 256.0f - inset;
	glBegin(GL_QUADS);
	glTexCoord2f(u0, v0);
	screenvertex(px, py);
	glTexCoord2f(u1, v0);
	screenvertex(px + size, py);
	glTexCoord2f(u1, v1);
	screenvertex(px + size, py + size);
	glTexCoord2f(u0, v1);
	screenvertex(px, py + size);
	glEnd();
}

void drawtext(const char *format, int x, int y, int size, float red, float green, float blue,
	float alpha, ...)
{
	va_list args;
	va_start(args, alpha);
	int length = expandtext(format, args);
	va_end(args);
	x = alignx(x, length, size);
	y = aligny(y, size);
	glBindTexture(GL_TEXTURE_2D, texture[TEX_FONT].glname);
	glColor4f(red, green, blue, alpha);
	for (int i = 0; i < length; i++)
		drawglyph(static_cast<unsigned char>(textstring2[i]), x + i * size, y, size);
}

void setuptextdisplay()
{
	glEnable(GL_TEXTURE_2D);
	glEnable(GL_BLEND);
	glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
	glDisable(GL_DEPTH_TEST);
	glViewport(0, 0, windowinfo.width, windowinfo.height);
	glMatrixMode(GL_PROJECTION);
	glLoadIdentity();
	glFrustum(-1.0, 1.0, -0.75, 0.75, 1.0, 1000.0);
	glMatrixMode(GL_MODELVIEW);
	glLoadIdentity();
	glMatrixMode(GL_TEXTURE);
	glLoadIdentity();
}

void drawmousecursor(float red, float green, float blue, float alpha)
{
	if (!windowinfo.active)
		return;
	const float t0 = 1.0f / 512.0f;
	const float t1 = 32.0f / 256.0f - 1.0f / 512.0f;
	float px = static_cast<float>(mouse.x);
	float py = static_cast<float>(mouse.y);
	glBindTexture(GL_TEXTURE_2D, texture[TEX_FONT].glname);
	glColor4f(red, green, blue, alpha);
	glBegin(GL_QUADS);
	glTexCoord2f(t0, t0);
	screenvertex(px - 16, py - 16);
	glTexCoord2f(t1, t0);
	screenvertex(px + 16, py - 16);
	glTexCoord2f(t1, t1);
	screenvertex(px + 16, py + 16);
	glTexCoord2f(t0, t1);
	screenvertex(px - 16, py + 16);
	glEnd();
}

void loadfont()
{
	readfont();
	if (!windowinfo.glenabled)
		return;
	const texturestruct *font = &texture[TEX_FONT];
	if (!font->pixels)
		return;
	glBindTexture(GL_TEXTURE_2D, font->glname);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
	glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, font->width, font->height, 0, GL_RGBA,
		GL_UNSIGNED_BYTE, font->pixels);
}
