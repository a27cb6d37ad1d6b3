// The setup program's event pump. Smaller than the game's: no frame delay,
// no typed characters (so hotkeys stay plain key codes), no wheel, grab,
// cursor or iconify handling.
#include "platform/input.h"
#include "platform/startwindow.h"
#include "platform/texture.h"

#include <SDL/SDL.h>

// Coming back into view may have cost the window its GL context: make the
// window again and upload the font, the only texture this program draws.
static void restorewindow()
{
	if (windowinfo.glenabled) {
		setvideomode(windowinfo.width, windowinfo.height, windowinfo.fullscreen);
	}
	setuptexture(TEX_FONT);
	windowinfo.active = 1;
}

void checksystemmessages()
{
	SDL_Event event;
	while (SDL_PollEvent(&event)) {
		if (event.type == SDL_ACTIVEEVENT && (event.active.state & SDL_APPACTIVE) &&
			event.active.gain)
			restorewindow();
		if (event.type == SDL_QUIT)
			windowinfo.quit = 1;
	}
}
