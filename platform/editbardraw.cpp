// Drawing the edit bars: a ramp from black to the bar's colour and a grey
// marker at the value.
#include "platform/editbar.h"

#include <GL/gl.h>

// Virtual pixels on the plane z = -1 of setuptextdisplay's frustum.
static void screenvertex(float px, float py)
{
	glVertex3f((px - 320.0f) / 320.0f, (240.0f - py) / 320.0f, -1.0f);
}

static void drawbar(const editbarstruct *bar)
{
	float left = static_cast<float>(bar->x);
	float top = static_cast<float>(bar->y);
	float right = left + static_cast<float>(bar->width);
	float bottom = top + static_cast<float>(bar->height);
	glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
	screenvertex(left, top);
	screenvertex(left, bottom);
	glColor4f(bar->red, bar->green, bar->blue, 1.0f);
	screenvertex(right, bottom);
	screenvertex(right, top);
}

static void drawmarker(const editbarstruct *bar)
{
	float px = static_cast<float>(bar->x) + static_cast<float>(bar->width) * *bar->value;
	float top = static_cast<float>(bar->y) - 2.5f;
	float bottom = static_cast<float>(bar->y + bar->height) + 2.5f;
	glColor4f(0.5f, 0.5f, 0.5f, 1.0f);
	screenvertex(px - 2.5f, top);
	screenvertex(px + 2.5f, top);
	screenvertex(px + 2.5f, bottom);
	screenvertex(px - 2.5f, bottom);
}

void rendereditbars()
{
	int count = numofeditbars < MAXEDITBARS ? numofeditbars : MAXEDITBARS;
	glDisable(GL_TEXTURE_2D);
	glBegin(GL_QUADS);
	for (int n = 0; n < count; n++) {
		if (!editbar[n].value)
			continue;
		drawbar(&editbar[n]);
		drawmarker(&editbar[n]);
	}
	glEnd();
	glEnable(GL_TEXTURE_2D);
}
