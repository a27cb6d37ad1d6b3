#include "render/colorbars.h"

#include <GL/gl.h>

#include "platform/editbar.h"
#include "platform/vector.h"

static void setcolorbar(int n, int y, float red, float green, float blue)
{
	editbarstruct *b = &editbar[n];
	b->x = 64;
	b->y = y;
	b->width = 256;
	b->height = 32;
	b->red = red;
	b->green = green;
	b->blue = blue;
	b->value = nullptr;
}

void setcolorbars()
{
	setcolorbar(0, 64, 1.0f, 0.0f, 0.0f);
	setcolorbar(1, 128, 0.0f, 1.0f, 0.0f);
	setcolorbar(2, 192, 0.0f, 0.0f, 1.0f);
	numofeditbars = 3;
}

void editcolorbars(vector3 *c)
{
	editbar[0].value = &c->x;
	editbar[1].value = &c->y;
	editbar[2].value = &c->z;
	checkeditbars();
}

void drawcolorbars(const vector3 *c)
{
	glDisable(GL_TEXTURE_2D);
	glColor4f(c->x, c->y, c->z, 1.0f);
	glBegin(GL_QUADS);
	glVertex3f(0.25f, 0.5f, -1.0f);
	glVertex3f(0.6f, 0.5f, -1.0f);
	glVertex3f(0.6f, 0.15f, -1.0f);
	glVertex3f(0.25f, 0.15f, -1.0f);
	glEnd();
	glEnable(GL_TEXTURE_2D);
	rendereditbars();
}
