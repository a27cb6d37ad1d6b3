// The game's start-up and shut-down.
#include "game/loading.h"
#include "game/mainmenu.h"
#include "platform/clipboard.h"
#include "platform/config.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "platform/texture.h"
#include "platform/viewport.h"
#include "render/renderframe.h"
#include "sound/audio.h"
#include "world/simulation.h"

#include <SDL/SDL.h>
#include <cstdio>
#include <cstdlib>

static void setwindowicon()
{
	// A missing icon is no error: the window simply has none.
	SDL_RWops *file = SDL_RWFromFile("tvn.bmp", "rb");
	if (!file)
		return;
	SDL_Surface *icon = SDL_LoadBMP_RW(file, 1);
	if (!icon)
		return;
	SDL_WM_SetIcon(icon, nullptr);
	SDL_FreeSurface(icon);
}

static int openwindow()
{
	SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
	SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
	SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
	SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
	SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
	SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
	Uint32 flags = SDL_OPENGL;
	if (windowinfo.fullscreen)
		flags |= SDL_FULLSCREEN;
	// Always 32 bits: the configured depth is only stored.
	if (!SDL_SetVideoMode(windowinfo.width, windowinfo.height, 32, flags))
		return 0;
	setuptexturenames();
	setupglext();
	setuprender();
	return 1;
}

int main(int argc, char **argv)
{
	checkbigendian();
	get_paths();
	// Without a home folder the settings keep their defaults and are not
	// written anywhere else.
	if (cd_home()) {
		loadconfig();
	} else {
		setdefaultconfig();
		setdefaultsavedsettings();
	}
	// All game data is read relative to the start folder.
	if (!cd_cwd()) {
		fprintf(stderr, "Couldn't return to the start folder (path too long?)\n");
		return 1;
	}

	// The game needs GLX and the X11 clipboard; without a display SDL would
	// otherwise fall back to a text-mode driver that cannot open the window.
	setenv("SDL_VIDEODRIVER", "x11", 0);
	if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) < 0) {
		fprintf(stderr, "Couldn't start SDL: %s\n", SDL_GetError());
		return 1;
	}
	SDL_ShowCursor(0);
	SDL_EnableUNICODE(1);

	windowinfo.width = config.screenwidth;
	windowinfo.height = config.screenheight;
	windowinfo.bitsperpixel = config.bitsperpixel;
	windowinfo.fullscreen = config.fullscreen;
	windowinfo.glenabled = config.glenabled;
	windowinfo.active = 1;
	sim.showbrokenbonds = 1;

	SDL_WM_SetCaption("Trusvane", "Trusvane");
	setwindowicon();  // before the video mode, as SDL 1.2 wants
	applygrab(1);
	if (windowinfo.glenabled && !openwindow()) {
		fprintf(stderr, "Couldn't open the window: %s\n", SDL_GetError());
		SDL_Quit();
		return 1;
	}

	if (SDLScrap_Init() < 0)
		printf("Couldn't init clipboard: %s\n", SDL_GetError());
	loadbar = 0.0f;
	loadfont();
	setuptextdisplay();
	setupmenuitems();
	if (config.sound)
		setupaudio();

	mainmenu();

	if (config.sound)
		shutdownaudio();
	if (cd_home())
		saveconfig();
	cd_cwd();
	SDL_Quit();
	return 0;
}
