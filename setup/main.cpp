// The setup program: one 640x480 screen that edits the display, sound and
// interface settings of "hwconfig.txt", which the game reads at start-up.
#include "platform/editbar.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/startwindow.h"
#include "platform/text.h"
#include "setup/hwconfig.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <cstdio>

static int textcolor;  // 1 while the text colour bars are shown

// The settings screen is always a 640x480 window, whatever the settings say.
static int openwindow()
{
	windowinfo.width = 640;
	windowinfo.height = 480;
	windowinfo.bitsperpixel = 16;
	windowinfo.fullscreen = 0;
	windowinfo.glenabled = 1;
	windowinfo.active = 1;
	SDL_WM_SetCaption("Trusvane Setup", "SDL");
	setwindowicon();  // before the video mode, as SDL 1.2 wants
	SDL_ShowCursor(0);
	return openglwindow(640, 480, 0);
}

static void createsetitem(const char *label, int y, int *field, int value, int key)
{
	createmenuitem(label, 4, y, 16, 1.0f, 1.0f, 1.0f, 1.0f);
	setmenuitem(MENUSET_SETITEM, field, value);
	setmenuitem(MENUSET_KEY, key);
}

static void createtoggle(const char *label, int x, int y, int *field, int key, const float *color)
{
	createmenuitem(label, x, y, 16, color[0], color[1], color[2], 1.0f);
	setmenuitem(MENUSET_TOGGLE, field);
	setmenuitem(MENUSET_KEY, key);
}

// The items in their slot order; slot 0 ends the screen. The key t is on
// both "True Color (24-bit)" and "Text": one press does both.
static void createitems()
{
	static const float white[3] = {1.0f, 1.0f, 1.0f};
	createmenuitem("Done", 4, 4, 16, 1.0f, 1.0f, 1.0f, 1.0f);
	setmenuitem(MENUSET_KEY, SDLK_ESCAPE);
	createsetitem("High Color (16-bit)", 48, &config.bitsperpixel, 16, SDLK_h);
	createsetitem("True Color (24-bit)", 64, &config.bitsperpixel, 24, SDLK_t);
	createsetitem("True Color (32-bit)", 80, &config.bitsperpixel, 32, SDLK_r);
	createsetitem("1. 640x480", 128, &config.screenwidth, 640, SDLK_1);
	createsetitem("2. 800x600", 144, &config.screenwidth, 800, SDLK_2);
	createsetitem("3. 1024x768", 160, &config.screenwidth, 1024, SDLK_3);
	createsetitem("4. 1280x960", 176, &config.screenwidth, 1280, SDLK_4);
	createtoggle("Fullscreen", 4, 208, &config.fullscreen, SDLK_f, white);
	createtoggle("Mouse Unlocked", 4, 240, &config.mouselocked, SDLK_m, white);
	createtoggle("Sound", 4, 272, &config.sound, SDLK_s, white);
	createtoggle("Interface", 4, 304, &config.background, SDLK_i, white);
	createtoggle("Text", 4, 336, &textcolor, SDLK_t, white);
	createtoggle("Color", 80, 336, &textcolor, 0, config.textcolor);
	createtoggle("Low Texture Detail", 4, 368, &config.texturedetail, 0, white);
}

static void createbars()
{
	static const float colors[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
	for (int n = 0; n < 3; n++) {
		editbarstruct *bar = &editbar[n];
		bar->x = 288;
		bar->y = 32 + 64 * n;
		bar->width = 256;
		bar->height = 32;
		bar->red = colors[n][0];
		bar->green = colors[n][1];
		bar->blue = colors[n][2];
		bar->value = &config.textcolor[n];
	}
	numofeditbars = 3;
}

static void drawscreen()
{
	setuptextdisplay();
	if (textcolor)
		rendereditbars();
	drawtext("Colors", 0, 32, 16, 1.0f, 1.0f, 1.0f, 1.0f);
	drawtext("Resolution", 0, 112, 16, 1.0f, 1.0f, 1.0f, 1.0f);
	drawmenuitems();
	drawmousecursor(1.0f, 1.0f, 1.0f, 1.0f);
	SDL_GL_SwapBuffers();
}

static void runsetupscreen()
{
	resetmenuitems();
	do {
		glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
		glClear(GL_COLOR_BUFFER_BIT);
		numofmenuitems = 0;
		createitems();
		numofeditbars = 0;
		if (textcolor)
			createbars();
		checksystemmessages();
		checkkeyboard();
		checkmouse();
		checkmenuitems();
		if (textcolor)
			checkeditbars();
		drawscreen();
	} while (!menuitem[0].active && !windowinfo.quit);
	resetmenuitems();
}

// The game opens its window at the configured size: a chosen width brings
// its height; a width from elsewhere keeps the height read with it.
static void setscreenheight()
{
	if (config.screenwidth == 640)
		config.screenheight = 480;
	else if (config.screenwidth == 800)
		config.screenheight = 600;
	else if (config.screenwidth == 1024)
		config.screenheight = 768;
	else if (config.screenwidth == 1280)
		config.screenheight = 960;
}

int main(int argc, char **argv)
{
	checkbigendian();
	get_paths();
	// Without a home folder the defaults are edited and saved nowhere else.
	if (cd_home())
		loadconfig();
	else
		setdefaultconfig();
	// The icon and the font are read relative to the start folder.
	if (!cd_cwd()) {
		fprintf(stderr, "Couldn't return to the start folder (path too long?)\n");
		return 1;
	}

	if (!startsdl())
		return 1;
	if (!openwindow()) {
		SDL_Quit();
		return 1;
	}
	mouse.x = 320;
	mouse.y = 240;
	loadfont();
	setupmenuitems();
	resetmenuitems();

	runsetupscreen();

	setscreenheight();
	int saved = cd_home() && saveconfig();
	cd_cwd();
	SDL_Quit();
	// The screen ends as if all were kept: the player must learn here that
	// the choices are lost.
	if (!saved) {
		fprintf(stderr, "Couldn't save the settings: hwconfig.txt in %s\n",
			home_path[0] ? home_path : "no home folder");
		return 1;
	}
	return 0;
}
