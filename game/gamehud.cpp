#include "game/gamehud.h"

#include "game/progress.h"
#include "game/testrules.h"
#include "game/tutorial.h"
#include "platform/input.h"
#include "platform/text.h"
#include "platform/texture.h"
#include "render/renderframe.h"
#include "world/level.h"
#include "world/simulation.h"

#include <GL/gl.h>
#include <cmath>

// The dial: a 96 x 96 sphere at (528, 64) on the virtual screen, the sun's
// ground point 40 pixels out per unit of sin(height).
constexpr int DIALX = 576;
constexpr int DIALY = 112;
constexpr float DIALRADIUS = 40.0f;

void sundialinput()
{
	if (!mouse.leftbutton || mouse.x < 528 || mouse.x > 623 || mouse.y < 64 || mouse.y > 159)
		return;
	float dx = (mouse.x - DIALX) / DIALRADIUS;
	float dy = (mouse.y - DIALY) / DIALRADIUS;
	sunangle2 = atan2f(dx, dy);
	float r = sqrtf(dx * dx + dy * dy);
	// Outside the circle the sun is below the horizon.
	sunangle = r < 1.0f ? asinf(r) : -3.14159265358979f;
}

// A corner on the virtual screen, in the plane z = -1 of the 2D state's
// frustum (320 virtual pixels to a unit).
static void virtualvertex(float x, float y, float u, float v)
{
	glTexCoord2f(u, v);
	glVertex3f((x - 320.0f) / 320.0f, (240.0f - y) / 320.0f, -1.0f);
}

void drawsundial()
{
	glBindTexture(GL_TEXTURE_2D, texture[TEX_SPHERE].glname);
	glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
	glBegin(GL_QUADS);
	virtualvertex(528.0f, 64.0f, 0.0f, 0.0f);
	virtualvertex(528.0f, 160.0f, 0.0f, 1.0f);
	virtualvertex(624.0f, 160.0f, 1.0f, 1.0f);
	virtualvertex(624.0f, 64.0f, 1.0f, 0.0f);
	glEnd();
	if (cosf(sunangle) > 0.0f) {
		int x = static_cast<int>(sinf(sunangle) * sinf(sunangle2) * DIALRADIUS + DIALX);
		int y = static_cast<int>(sinf(sunangle) * cosf(sunangle2) * DIALRADIUS + DIALY);
		drawtext("X", x | ALIGNCENTER, y, 12, 0.75f, 0.75f, 0.0f, 1.0f);
	}
	drawtext("Sun Angle", DIALX | ALIGNCENTER, 152, 12, 0.5f, 0.5f, 0.0f, 1.0f);
}

static void drawhints()
{
	drawtext("<- Return to editing", 72, 7, 10, 0.0f, 1.0f, 0.0f, 1.0f);
	const char *next = "or countinue to ->";
	if (phasenum == 0)
		next = "or test the bridge ->";
	else if (phasenum <= level.numofphases)
		next = "or click restart to test again";
	drawtext(next, 282, 7, 10, 0.0f, 1.0f, 0.0f, 1.0f);
}

void drawtesthud(float red, float green, float blue)
{
	if (phasenum != 0) {
		if (phasenum <= level.numofphases)
			drawtext("Phase:/i///i", 4, 464, 12, red, green, blue, 1.0f, phasenum,
				level.numofphases);
		else if (checktestpassed())
			drawtext("Test Passed", 4, 460, 12, red, green, blue, 1.0f);
		else
			drawtext("Test Failed", 4, 460, 12, red, green, blue, 1.0f);
	}
	drawtext("Broken Links:/i", 240, 460, 14, red, green, blue, 1.0f, sim.brokenlinks);
	drawtext("Detail", 512, 310, 14, 0.0f, 0.5f, 0.0f, 1.0f);
	int minutes, seconds;
	clockparts(sim.time, &minutes, &seconds);
	drawtext(seconds >= 10 ? "Time /i:/i" : "Time /i:0/i", 512, 464, 12, red, green, blue, 1.0f,
		minutes, seconds);
	if (helpmenutoggle || tutorial.active)
		drawhints();
}
