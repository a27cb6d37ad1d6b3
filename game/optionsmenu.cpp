// The options screen holds no options yet, only the way back.
#include "game/optionsmenu.h"

#include "platform/menu.h"
#include "render/menuscreen.h"

#include <SDL/SDL.h>

void optionsmenu()
{
	resetmenuitems();
	while (screenopen()) {
		clearscreen();
		numofmenuitems = 0;
		screenitem("Back", 4, 4, 16, SDLK_ESCAPE);
		pollscreen();
		drawscreen();
	}
	resetmenuitems();
}
