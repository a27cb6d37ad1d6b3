#include "game/loading.h"

#include "platform/config.h"
#include "platform/input.h"
#include "platform/texture.h"
#include "render/backdrop.h"
#include "render/proctex.h"
#include "world/model.h"
#include "world/objectphysics.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

float loadbar;

// big: the 1024 x 768 splash instead of the 640 x 480 one.
static void loadingframe(int big)
{
	glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
	glClear(GL_COLOR_BUFFER_BIT);
	loadbar += 0.1f;
	if (big)
		fadebgtitle2(loadbar);
	else
		fadebgtitle(loadbar);
	// Keeps the window answering; the input is not acted on.
	checksystemmessages();
	checkkeyboard();
	checkmouse();
	SDL_GL_SwapBuffers();
}

void showloading()
{
	loadingframe(0);
}

void showloading2()
{
	loadingframe(1);
}

static void loadvehicle(int type, const char *name)
{
	loadobjectmodel(type, name);
	loadobjectphysics(type);
}

void doabunchofcrap()
{
	if (config.background)
		loadtitlescreen(TEX_TILE);
	int low = config.texturedetail == 1;
	loadtexturetga(TEX_GROUND, "ground.tga", 1, low);
	loadtexturetga(TEX_DECK, "deck.tga", 1, 0);
	loadtexturetga(TEX_CLOUD, "cloud.tga", 1, 0);
	loadtexturetga(TEX_SPHERE, "sphere.tga", 0, 0);
	loadtexturetga(TEX_WATERWAVE1, "water1a.tga", 1, low);
	loadtexturetga(TEX_WATERWAVE2, "water2a.tga", 1, low);
	setupwatertextures();
	showloading();
	setupsuntexture();
	generatearrowtexture(TEX_ARROW);
	loadvehicle(MODELSTEAM, "steam");
	loadvehicle(MODELBXBLUE, "bxblue");
	loadvehicle(MODELHATCHBACK, "hatchbck");
	loadobjectmodel(MODELWHEEL, "wheel");
	loadobjectmodel(MODELTIRE, "tire");
	loadobjectmodel(MODELTRACK, "track");
	loadobjectmodel(MODELROAD, "road2");
}
