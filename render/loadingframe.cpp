// The frame shown while loadlevel reads a level: the world library calls it
// and the headless build has a do-nothing version.
#include <GL/gl.h>
#include <SDL/SDL.h>

#include "platform/config.h"
#include "platform/input.h"
#include "platform/text.h"
#include "render/backdrop.h"
#include "world/level.h"

void drawloadingframe()
{
	if (!windowinfo.glenabled)
		return;
	glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
	glClear(GL_COLOR_BUFFER_BIT);
	setuptextdisplay();
	if (config.background)
		drawbgtitle();
	drawtext("Loading...", 4, 4, 16, config.textcolor[0] * 0.5f, config.textcolor[1] * 0.5f,
		config.textcolor[2] * 0.5f, 1.0f);
	SDL_GL_SwapBuffers();
}
