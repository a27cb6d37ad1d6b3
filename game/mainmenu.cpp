// The main menu, for now only a window that stays open until it is closed.
#include "game/mainmenu.h"

#include "platform/input.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

void mainmenu()
{
	while (!windowinfo.quit) {
		checksystemmessages();
		checkkeyboard();
		checkmouse();
		glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
		glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
		SDL_GL_SwapBuffers();
	}
}
