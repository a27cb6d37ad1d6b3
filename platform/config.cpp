// The game's two settings files: "hwconfig.txt" (display, sound, input,
// colours) and "settings.txt" (editor, renderer and simulation switches),
// with the older binary "hwconfig.cfg" and "settings.cfg" read only when the
// text file is missing.
#include "platform/config.h"

#include "editor/editor.h"
#include "platform/files.h"
#include "platform/options.h"
#include "platform/parser.h"

#include <cstdio>
#include <cstring>

static constexpr int HWCONFIGVERSION = 7;
static constexpr int SETTINGSVERSION = 2;
static constexpr int MAXSCREENSIZE = 32767;

static const char *const savedsettingskeys[17] = {
	"complex=", "gridhd=", "autosave=", "showmirror=", "movemode=", "lighting=",
	"shadows=", "reflections=", "detaillevel=", "fastlandscape=", "showbrokenbonds=",
	"godmode=", "earthquake=", "fast=", "slow=", "showstress=", "showstressmax=",
};

// The seventeen fields in file order.
static int *savedsettingsfield(int n)
{
	int *fields[17] = {
		&savedsettings.complex, &savedsettings.gridhd, &savedsettings.autosave,
		&savedsettings.showmirror, &savedsettings.movemode, &savedsettings.lighting,
		&savedsettings.shadows, &savedsettings.reflections, &savedsettings.detaillevel,
		&savedsettings.fastlandscape, &savedsettings.showbrokenbonds, &savedsettings.godmode,
		&savedsettings.earthquake, &savedsettings.fast, &savedsettings.slow,
		&savedsettings.showstress, &savedsettings.showstressmax,
	};
	return fields[n];
}

static int fileexists(const char *name)
{
	FILE *file = fopen(name, "rb");
	if (!file)
		return 0;
	fclose(file);
	return 1;
}

// A window size below 1 would divide by zero in the mouse mapping; such a
// value keeps the size already there.
static void checkscreensize(int *size, int fallback)
{
	if (*size < 1 || *size > MAXSCREENSIZE)
		*size = fallback;
}

static void readhwconfigtext()
{
	loadtextfile("hwconfig.txt");
	int version = 0;
	optionreadint(&version, "version=");
	if (version != HWCONFIGVERSION)
		return;
	optionreadint(&config.screenwidth, "screenwidth=");
	optionreadint(&config.screenheight, "screenheight=");
	optionreadint(&config.bitsperpixel, "bitsperpixel=");
	optionreadint(&config.fullscreen, "fullscreen=");
	optionreadint(&config.sound, "sound=");
	optionreadint(&config.joystick, "joystick=");
	optionreadint(&config.mouselocked, "mouselocked=");
	optionreadint(&config.background, "background=");
	optionreadint(&config.texturedetail, "texturedetail=");
	optionreadint(&editor.movemode, "editormovemode=");
	char key[40];
	for (int n = 1; n <= 3; n++) {
		snprintf(key, sizeof key, "textcolor%d=", n);
		optionreadfloat(&config.textcolor[n - 1], key);
	}
	for (int n = 1; n <= MATERIALCOLORS; n++) {
		snprintf(key, sizeof key, "materialcolorred%d=", n);
		optionreadfloat(&materialcolor[n - 1][0], key);
		snprintf(key, sizeof key, "materialcolorgreen%d=", n);
		optionreadfloat(&materialcolor[n - 1][1], key);
		snprintf(key, sizeof key, "materialcolorblue%d=", n);
		optionreadfloat(&materialcolor[n - 1][2], key);
	}
}

// One 4-byte word of an old binary file; a word cut off by the end of the
// file leaves the target as it was.
static int readword(void *target)
{
	unsigned char word[4];
	if (fread2(word, 4, 1, fp) != 1)
		return 0;
	memcpy(target, word, 4);
	return 1;
}

static void readwords(int *const *targets, int count)
{
	for (int n = 0; n < count; n++)
		readword(targets[n]);
}

static void readmaterialcolors()
{
	for (int n = 0; n < MATERIALCOLORS; n++)
		for (int c = 0; c < 3; c++)
			readword(&materialcolor[n][c]);
}

// Versions 3 and 5 brightened the heavy steel colour (link type 8).
static void fixheavysteelcolor()
{
	materialcolor[8][0] = 0.9f;
	materialcolor[8][1] = 0.65f;
}

static void readhwconfigbinary()
{
	int version = 0;
	if (!readword(&version))
		return;
	int *const first[7] = {
		&config.screenwidth, &config.screenheight, &config.bitsperpixel, &config.fullscreen,
		&config.glenabled, &config.sound, &config.joystick,
	};
	if (version >= 1 && version <= 3) {
		readwords(first, 7);
		if (version == 1)
			return;
		readmaterialcolors();
		if (version == 2)
			return;
		fixheavysteelcolor();
		readword(&editor.movemode);
	} else if (version >= 4 && version <= 6) {
		readwords(first, 7);
		int *const interface[2] = {&config.mouselocked, &config.background};
		readwords(interface, 2);
		for (int c = 0; c < 3; c++)
			readword(&config.textcolor[c]);
		readword(&config.texturedetail);
		readmaterialcolors();
		if (version == 5)
			fixheavysteelcolor();
		readword(&editor.movemode);
	}
}

static void readsettingstext()
{
	resetparser();
	loadtextfile("settings.txt");
	int version = 0;
	optionreadint(&version, "version=");
	if (version != SETTINGSVERSION)
		return;
	for (int n = 0; n < 17; n++)
		optionreadint(savedsettingsfield(n), savedsettingskeys[n]);
}

static void readsettingsbinary()
{
	int version = 0;
	if (!readword(&version) || version != 1)
		return;
	for (int n = 0; n < 17; n++)
		readword(savedsettingsfield(n));
}

void loadconfig()
{
	setdefaultconfig();
	if (fileexists("hwconfig.txt")) {
		readhwconfigtext();
	} else if ((fp = fopen("hwconfig.cfg", "rb")) != nullptr) {
		readhwconfigbinary();
		fclose(fp);
		fp = nullptr;
	}
	checkscreensize(&config.screenwidth, 800);
	checkscreensize(&config.screenheight, 600);
	// Menu text must never be (nearly) black.
	const float *t = config.textcolor;
	if (t[0] < 0.25f && t[1] < 0.25f && t[2] < 0.25f) {
		config.textcolor[0] = 1.0f;
		config.textcolor[1] = 1.0f;
		config.textcolor[2] = 1.0f;
	}

	setdefaultsavedsettings();
	if (fileexists("settings.txt")) {
		readsettingstext();
	} else if ((fp = fopen("settings.cfg", "rb")) != nullptr) {
		readsettingsbinary();
		fclose(fp);
		fp = nullptr;
	}
}

static void writehwconfig()
{
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
	optionwriteint(&editor.movemode, "editormovemode=");
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

static void writesettings()
{
	if (!opensavefile("settings.txt"))
		return;
	int version = SETTINGSVERSION;
	optionwriteint(&version, "version=");
	for (int n = 0; n < 17; n++)
		optionwriteint(savedsettingsfield(n), savedsettingskeys[n]);
	closesavefile("settings.txt");
}

void saveconfig()
{
	writehwconfig();
	writesettings();
}
