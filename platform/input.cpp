// Keyboard and mouse polling: SDL's snapshots, then the shared logic.
#include "platform/input.h"

#include <SDL/SDL.h>
#include <cstring>

void checkkeyboard()
{
	memcpy(prevkeyboard, keyboard, KEYCOUNT);
	int count = 0;
	Uint8 *state = SDL_GetKeyState(&count);
	memset(keyboard, 0, KEYCOUNT);
	if (count > KEYCOUNT)
		count = KEYCOUNT;
	memcpy(keyboard, state, count);
	remapkeyboard(keyboard, keyboard_ascii);
	holdbackspentkeys(keyboard);
}

void checkmouse()
{
	prevmouse = mouse;
	Uint8 buttons = SDL_GetMouseState(&winmouse.x, &winmouse.y);
	mapmouse(&mouse, winmouse.x, winmouse.y, windowinfo.width, windowinfo.height,
		windowinfo.active);
	setmousebuttons(&mouse, &prevmouse, buttons);
}
