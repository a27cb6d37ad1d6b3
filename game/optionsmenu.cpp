// The options screen holds no options yet, only the way back.
#include "game/optionsmenu.h"

#include "platform/config.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "render/backdrop.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

void optionsmenu()
{
	float c[3];
	for (int n = 0; n < 3; n++)
		c[n] = config.textcolor[n];
	resetmenuitems();
	while (!menuitem[0].active && !windowinfo.quit) {
		glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
		glClear(GL_COLOR_BUFFER_BIT);
		numofmenuitems = 0;
		createmenuitem("Back", 4, 4, 16, c[0], c[1], c[2], 1.0f);
		setmenuitem(MENUSET_KEY, SDLK_ESCAPE);
		checksystemmessages();
		checkkeyboard();
		checkmouse();
		checkmenuitems();
		setuptextdisplay();
		if (config.background)
			drawbgtitle();
		drawmenuitems();
		drawmousecursor(1.0f, 1.0f, 1.0f, 1.0f);
		SDL_GL_SwapBuffers();
	}
	resetmenuitems();
}
