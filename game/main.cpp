// The game's start-up and shut-down.
#include "game/loading.h"
#include "game/mainmenu.h"
#include "platform/clipboard.h"
#include "platform/config.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/startwindow.h"
#include "platform/text.h"
#include "render/renderframe.h"
#include "sound/audio.h"
#include "world/simulation.h"

#include <SDL/SDL.h>
#include <cstdio>

// The render state needs the GL context, so it is set up with the window.
static int openwindow()
{
	if (!openglwindow(windowinfo.width, windowinfo.height, windowinfo.fullscreen))
		return 0;
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

	if (!startsdl())
		return 1;
	SDL_ShowCursor(0);
	SDL_EnableUNICODE(1);

	windowinfo.width = config.screenwidth;
	windowinfo.height = config.screenheight;
	windowinfo.bitsperpixel = config.bitsperpixel;
	windowinfo.fullscreen = config.fullscreen;
	// An old binary settings file can switch the window off. Without it
	// nobody could see or close the game, and a game that is killed never
	// writes the settings that would end this: it always opens its window.
	windowinfo.glenabled = 1;
	windowinfo.active = 1;
	sim.showbrokenbonds = 1;

	SDL_WM_SetCaption("Trusvane", "Trusvane");
	setwindowicon();  // before the video mode, as SDL 1.2 wants
	applygrab(1);
	if (windowinfo.glenabled && !openwindow()) {
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
	int saved = cd_home() && saveconfig();
	cd_cwd();
	SDL_Quit();
	// The player changed settings in play and believes them kept.
	if (!saved) {
		fprintf(stderr, "Couldn't save the settings: hwconfig.txt and settings.txt in %s\n",
			home_path[0] ? home_path : "no home folder");
		return 1;
	}
	return 0;
}
