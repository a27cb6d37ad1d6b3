#include "tests/testwindow.h"

#include <SDL/SDL.h>

#include "platform/input.h"
#include "platform/startwindow.h"

int opentestwindow(int width, int height)
{
	if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0)
		return 0;
	if (!openglwindow(width, height, 0))
		return 0;
	windowinfo.width = width;
	windowinfo.height = height;
	windowinfo.glenabled = 1;
	windowinfo.active = 1;
	return 1;
}
