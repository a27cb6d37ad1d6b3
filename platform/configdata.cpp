// The settings records and their defaults. Headless: world code and tests
// read them without the window side.
#include "platform/config.h"

configstruct config;
savedsettingsstruct savedsettings;

// Initial contents only: loading settings overwrites them, a missing file
// leaves whatever the table holds.
float materialcolor[MATERIALCOLORS][3] = {
	{0, 0, 0}, {0, 0, 0}, {0.35f, 0.35f, 0.35f}, {0.65f, 0.65f, 0.65f},
	{0.5f, 0.5f, 0.5f}, {0.25f, 0.25f, 0.25f}, {0.65f, 0.65f, 0.65f}, {0.65f, 0.65f, 0},
	{0.9f, 0.6f, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0},
	{0.35f, 0.35f, 0.35f}, {0.65f, 0.65f, 0.65f}, {0.5f, 0.5f, 0.5f}, {0.25f, 0.25f, 0.25f},
	{0.65f, 0.65f, 0.65f}, {0.65f, 0.65f, 0}, {0.9f, 0.6f, 0}, {0, 0, 0},
	{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0},
	{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0},
	{0, 0, 0}, {0, 0, 0}, {0.65f, 0.3f, 0.3f}, {0.65f, 0.3f, 0.3f},
};

void setdefaultconfig()
{
	config.screenwidth = 800;
	config.screenheight = 600;
	config.bitsperpixel = 24;
	config.fullscreen = 0;
	config.glenabled = 1;
	config.sound = 1;
	config.joystick = 1;
	config.mouselocked = 1;
	config.background = 1;
	config.textcolor[0] = 1.0f;
	config.textcolor[1] = 1.0f;
	config.textcolor[2] = 1.0f;
	config.texturedetail = 0;
}

void setdefaultsavedsettings()
{
	savedsettings = savedsettingsstruct{};
	savedsettings.autosave = 1;
	savedsettings.lighting = 1;
	savedsettings.detaillevel = 1;
	savedsettings.showbrokenbonds = 1;
}
