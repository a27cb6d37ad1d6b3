// The OpenGL side of the texture table: names, uploads with each slot's
// filtering, and the mip levels.
#include "platform/input.h"
#include "platform/texture.h"

#include <GL/gl.h>

void setuptexturenames()
{
	GLuint names[MAXTEXTURES];
	glGenTextures(MAXTEXTURES, names);
	for (int i = 0; i < MAXTEXTURES; i++)
		texture[i].glname = names[i];
}

// The reserved slots and the splash tiles are drawn texel for texel.
static int unfilteredslot(int slot)
{
	return (slot >= TEX_NEARESTFIRST && slot <= TEX_NEARESTLAST)
		|| (slot >= TEX_SPLASH && slot <= TEX_SPLASHLAST);
}

int generatemipmap(int slot)
{
	int levels = buildmipmaps(slot);
	const texturestruct *t = &texture[slot];
	for (int l = 1; l < levels; l++) {
		int w = t->width >> l > 0 ? t->width >> l : 1;
		int h = t->height >> l > 0 ? t->height >> l : 1;
		glTexImage2D(GL_TEXTURE_2D, l, GL_RGBA, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE,
			t->pixels + miplevelbyteoffset(t->width, t->height, l));
	}
	return levels;
}

void setuptexture(int slot)
{
	if (slot < 0 || slot >= MAXTEXTURES)
		return;
	const texturestruct *t = &texture[slot];
	if (t->width == 0 || !t->pixels)
		return;
	glBindTexture(GL_TEXTURE_2D, t->glname);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
	if (unfilteredslot(slot)) {
		glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
		glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
	} else {
		glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
		glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
			t->mipmapped ? GL_LINEAR_MIPMAP_NEAREST : GL_LINEAR);
	}
	glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, t->width, t->height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
		t->pixels);
	if (t->mipmapped)
		generatemipmap(slot);
}

void uploadtexture(int slot)
{
	if (windowinfo.glenabled)
		setuptexture(slot);
}

void loadtexturetga(int slot, const char *filename, int mipmapped, int lowdetail)
{
	readtexturefile(slot, filename, mipmapped, lowdetail);
	uploadtexture(slot);
}
