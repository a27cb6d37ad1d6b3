// The game's event pump: focus, iconify, wheel, typed characters, quit.
// The setup program has a smaller pump of its own.
#include "platform/config.h"
#include "platform/input.h"
#include "platform/startwindow.h"
#include "platform/texture.h"

#include <SDL/SDL.h>

void applygrab(int grab)
{
	// mouselocked means the pointer stays free in a window; full screen
	// always grabs. A release is made under the same rule, so only a grab
	// this program took is given back.
	if (config.mouselocked == 0 || config.fullscreen == 1)
		SDL_WM_GrabInput(grab ? SDL_GRAB_ON : SDL_GRAB_OFF);
}

static void gainfocus()
{
	applygrab(1);
	SDL_ShowCursor(0);
	windowinfo.active = 1;
}

static void losefocus()
{
	applygrab(0);
	SDL_ShowCursor(1);
	windowinfo.active = 0;
}

// The GL context may have been lost with the window: make it again and
// upload every texture that holds an image.
static void restorewindow()
{
	if (windowinfo.glenabled) {
		setvideomode(windowinfo.width, windowinfo.height, windowinfo.fullscreen);
	}
	for (int slot = 0; slot < MAXTEXTURES; slot++)
		setuptexture(slot);
}

static void handleevent(const SDL_Event *event)
{
	if (event->type == SDL_KEYDOWN) {
		const SDL_keysym *key = &event->key.keysym;
		int modifiers = SDL_GetModState();
		if (key->sym < KEYCOUNT && !(modifiers & (KMOD_CTRL | KMOD_ALT)) &&
			key->unicode <= 255)
			keyboard_ascii[key->sym] = (unsigned char)key->unicode;
	}
	if (event->type == SDL_KEYUP) {
		const SDL_keysym *key = &event->key.keysym;
		if (key->sym < KEYCOUNT && key->unicode <= 255)
			keyboard_ascii[key->sym] = 0;
	}
	if (event->type == SDL_MOUSEBUTTONDOWN) {
		if (event->button.button == SDL_BUTTON_WHEELUP) {
			mouse.wheelup = 1;
			mouse.wheeluptime = SDL_GetTicks();
		}
		if (event->button.button == SDL_BUTTON_WHEELDOWN) {
			mouse.wheeldown = 1;
			mouse.wheeldowntime = SDL_GetTicks();
		}
	}
	if (event->type == SDL_ACTIVEEVENT) {
		if (event->active.state & SDL_APPACTIVE) {
			if (event->active.gain) {
				restorewindow();
				gainfocus();
			} else {
				losefocus();
			}
		}
		if (event->active.state & SDL_APPINPUTFOCUS) {
			if (event->active.gain)
				gainfocus();
			else
				losefocus();
		}
	}
	if (keyboard[KEY_F12]) {
		applygrab(0);
		SDL_WM_IconifyWindow();
		windowinfo.active = 0;
	}
	if (event->type == SDL_QUIT)
		windowinfo.quit = 1;
}

void checksystemmessages()
{
	// Paces every screen loop; an inactive window hardly uses the processor.
	SDL_Delay(windowinfo.active ? 2 : 100);
	expirewheel(&mouse, SDL_GetTicks());
	// A composed character comes without a key-up: it was typed on the
	// last frame and must not be typed again.
	keyboard_ascii[KEY_COMPOSED] = 0;
	SDL_Event event;
	while (SDL_PollEvent(&event))
		handleevent(&event);
}
