// "hwconfig.txt" for the setup program: the same text format and the same
// 110 lines as the game writes, with the older binary "hwconfig.cfg" read
// only when the text file is missing. Every key that the setup screen does
// not edit is written back with the value read.
#include "setup/hwconfig.h"

#include "platform/files.h"
#include "platform/options.h"
#include "platform/parser.h"

#include <cstdio>
#include <cstring>

int editormovemode;

static constexpr int HWCONFIGVERSION = 7;

// Everything the file holds, read into a copy and committed in one go.
struct hwsettings {
	configstruct config;
	float colors[MATERIALCOLORS][3];
	int movemode;
};

static int fileexists(const char *name)
{
	FILE *file = fopen(name, "rb");
	if (!file)
		return 0;
	fclose(file);
	return 1;
}

static void readtext(hwsettings *s)
{
	loadtextfile("hwconfig.txt");
	int version = 0;
	optionreadint(&version, "version=");
	// No "version=" key counts as a version that is not accepted.
	if (version != HWCONFIGVERSION)
		return;
	configstruct *c = &s->config;
	optionreadint(&c->screenwidth, "screenwidth=");
	optionreadint(&c->screenheight, "screenheight=");
	optionreadint(&c->bitsperpixel, "bitsperpixel=");
	optionreadint(&c->fullscreen, "fullscreen=");
	optionreadint(&c->sound, "sound=");
	optionreadint(&c->joystick, "joystick=");
	optionreadint(&c->mouselocked, "mouselocked=");
	optionreadint(&c->background, "background=");
	optionreadint(&c->texturedetail, "texturedetail=");
	optionreadint(&s->movemode, "editormovemode=");
	char key[40];
	for (int n = 1; n <= 3; n++) {
		snprintf(key, sizeof key, "textcolor%d=", n);
		optionreadfloat(&c->textcolor[n - 1], key);
	}
	for (int n = 1; n <= MATERIALCOLORS; n++) {
		snprintf(key, sizeof key, "materialcolorred%d=", n);
		optionreadfloat(&s->colors[n - 1][0], key);
		snprintf(key, sizeof key, "materialcolorgreen%d=", n);
		optionreadfloat(&s->colors[n - 1][1], key);
		snprintf(key, sizeof key, "materialcolorblue%d=", n);
		optionreadfloat(&s->colors[n - 1][2], key);
	}
}

// One little-endian 4-byte word; a word cut off by the end of the file
// leaves the target as it was, so a short file gives the fields it holds.
static void readword(void *target)
{
	unsigned char word[4];
	if (fread2(word, 4, 1, fp) == 1)
		memcpy(target, word, 4);
}

static void readwords(int *const *targets, int count)
{
	for (int n = 0; n < count; n++)
		readword(targets[n]);
}

static void readcolors(hwsettings *s)
{
	for (int n = 0; n < MATERIALCOLORS; n++)
		for (int c = 0; c < 3; c++)
			readword(&s->colors[n][c]);
}

// The heavy steel colour (link type 8) was brightened in later versions.
static void fixheavysteelcolor(hwsettings *s)
{
	s->colors[8][0] = 0.9f;
	s->colors[8][1] = 0.65f;
}

// Version 3 is read as the game reads it: version 2, the heavy steel
// colour change and the move mode. Versions 5 and 6, which the game wrote
// last, are read as the game reads them too, so their settings are carried
// into the text file rather than replaced by defaults.
static void readbinary(hwsettings *s)
{
	int version = 0;
	unsigned char word[4];
	if (fread2(word, 4, 1, fp) != 1)
		return;
	memcpy(&version, word, 4);
	configstruct *c = &s->config;
	int *const first[7] = {
		&c->screenwidth, &c->screenheight, &c->bitsperpixel, &c->fullscreen,
		&c->glenabled, &c->sound, &c->joystick,
	};
	if (version >= 1 && version <= 3) {
		readwords(first, 7);
		if (version == 1)
			return;
		readcolors(s);
		if (version == 2)
			return;
		fixheavysteelcolor(s);
		readword(&s->movemode);
	} else if (version >= 4 && version <= 6) {
		readwords(first, 7);
		int *const interface[2] = {&c->mouselocked, &c->background};
		readwords(interface, 2);
		for (int n = 0; n < 3; n++)
			readword(&c->textcolor[n]);
		readword(&c->texturedetail);
		readcolors(s);
		if (version == 4 || version == 5)
			fixheavysteelcolor(s);
		readword(&s->movemode);
	}
}

void loadconfig()
{
	setdefaultconfig();
	hwsettings s;
	s.config = config;
	memcpy(s.colors, materialcolor, sizeof s.colors);
	s.movemode = editormovemode;
	if (fileexists("hwconfig.txt")) {
		readtext(&s);
	} else if ((fp = fopen("hwconfig.cfg", "rb")) != nullptr) {
		readbinary(&s);
		fclose(fp);
		fp = nullptr;
	}
	config = s.config;
	memcpy(materialcolor, s.colors, sizeof s.colors);
	editormovemode = s.movemode;
}

void saveconfig()
{
	// Through a temporary file: a failed write keeps the old settings.
	if (!opensavefile("hwconfig.txt"))
		return;
	int version = HWCONFIGVERSION;
	optionwriteint(&version, "version=");
	optionwriteint(&config.screenwidth, "screenwidth=");
	optionwriteint(&config.screenheight, "screenheight=");
	optionwriteint(&config.bitsperpixel, "bitsperpixel=");
	optionwriteint(&config.fullscreen, "fullscreen=");
	optionwriteint(&config.sound, "sound=");
	optionwriteint(&config.joystick, "joystick=");
	optionwriteint(&config.mouselocked, "mouselocked=");
	optionwriteint(&config.background, "background=");
	optionwriteint(&config.texturedetail, "texturedetail=");
	optionwriteint(&editormovemode, "editormovemode=");
	char key[40];
	for (int n = 1; n <= 3; n++) {
		snprintf(key, sizeof key, "textcolor%d=", n);
		optionwritefloat(&config.textcolor[n - 1], key);
	}
	for (int n = 1; n <= MATERIALCOLORS; n++) {
		snprintf(key, sizeof key, "materialcolorred%d=", n);
		optionwritefloat(&materialcolor[n - 1][0], key);
		snprintf(key, sizeof key, "materialcolorgreen%d=", n);
		optionwritefloat(&materialcolor[n - 1][1], key);
		snprintf(key, sizeof key, "materialcolorblue%d=", n);
		optionwritefloat(&materialcolor[n - 1][2], key);
	}
	closesavefile("hwconfig.txt");
}
