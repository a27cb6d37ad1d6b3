// Hardware and game settings, and the default link colours.
// No SDL here: headless code and tests read these records.
#pragma once

constexpr int MATERIALCOLORS = 32;

struct configstruct {
	int screenwidth;
	int screenheight;
	int bitsperpixel;   // 16, 24 or 32; stored only
	int fullscreen;
	int glenabled;      // only the old binary file sets it
	int sound;
	int joystick;       // stored and written back; nothing acts on it
	int mouselocked;    // 1: pointer left free in a window
	int background;     // 1: menu screens draw the tiled backdrop
	float textcolor[3];
	int texturedetail;  // 1: textures come from "texturelow"
};

struct savedsettingsstruct {
	int complex;
	int gridhd;
	int autosave;
	int showmirror;
	int movemode;
	int lighting;
	int shadows;
	int reflections;
	int detaillevel;
	int fastlandscape;
	int showbrokenbonds;
	int godmode;
	int earthquake;
	int fast;
	int slow;
	int showstress;
	int showstressmax;
};

static_assert(sizeof(configstruct) == 13 * 4, "config is thirteen 4-byte fields");
static_assert(sizeof(savedsettingsstruct) == 17 * 4, "saved settings are seventeen ints");

extern configstruct config;
extern savedsettingsstruct savedsettings;
// Default colour of each link type; levels take their link colours from it.
extern float materialcolor[MATERIALCOLORS][3];

void setdefaultconfig();
void setdefaultsavedsettings();

// Read and write "hwconfig.txt" and "settings.txt" in the current folder
// (the home folder), falling back to the old binary files for reading.
// saveconfig returns 1 when every file was written.
void loadconfig();
int saveconfig();
