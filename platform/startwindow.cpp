#include "platform/startwindow.h"

#include "platform/texture.h"
#include "platform/viewport.h"

#include <SDL/SDL.h>
#include <cstdio>
#include <cstdlib>

int startsdl()
{
	// GLX and the X11 clipboard are needed; without a display SDL would
	// otherwise fall back to a text-mode driver that cannot open the window.
	setenv("SDL_VIDEODRIVER", "x11", 0);
	if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) < 0) {
		fprintf(stderr, "Couldn't start SDL: %s\n", SDL_GetError());
		return 0;
	}
	return 1;
}

void setwindowicon()
{
	SDL_RWops *file = SDL_RWFromFile("tvn.bmp", "rb");
	if (!file)
		return;
	SDL_Surface *icon = SDL_LoadBMP_RW(file, 1);
	if (!icon)
		return;
	SDL_WM_SetIcon(icon, nullptr);
	SDL_FreeSurface(icon);
}

int setvideomode(int width, int height, int fullscreen)
{
	Uint32 flags = SDL_OPENGL;
	if (fullscreen)
		flags |= SDL_FULLSCREEN;
	// Always 32 bits: the configured depth is only stored.
	return SDL_SetVideoMode(width, height, 32, flags) != nullptr;
}

int openglwindow(int width, int height, int fullscreen)
{
	SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
	SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
	SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
	SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
	SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
	SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
	if (!setvideomode(width, height, fullscreen)) {
		fprintf(stderr, "Couldn't open the window: %s\n", SDL_GetError());
		return 0;
	}
	setuptexturenames();
	setupglext();
	return 1;
}
