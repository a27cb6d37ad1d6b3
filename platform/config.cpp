// The game's two settings files: "hwconfig.txt" (display, sound, input,
// colours) and "settings.txt" (editor, renderer and simulation switches),
// with the older binary "hwconfig.cfg" and "settings.cfg" read only when the
// text file is missing.
#include "platform/config.h"

#include "editor/editor.h"
#include "platform/files.h"
#include "platform/hwconfigfile.h"
#include "platform/options.h"
#include "platform/parser.h"

#include <cstdio>

static constexpr int SETTINGSVERSION = 2;
static constexpr int MAXSCREENSIZE = 32767;

static const hwconfigplaces gameplaces = {&config, materialcolor, &editor.movemode};

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

// A window size below 1 would divide by zero in the mouse mapping; such a
// value keeps the size already there.
static void checkscreensize(int *size, int fallback)
{
	if (*size < 1 || *size > MAXSCREENSIZE)
		*size = fallback;
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
	int version = readhwconfig(&gameplaces);
	// Versions 3 and 5 brightened the heavy steel colour.
	if (version == 3 || version == 5)
		brightenheavysteel(materialcolor);
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

static int writesettings()
{
	if (!opensavefile("settings.txt"))
		return 0;
	int version = SETTINGSVERSION;
	optionwriteint(&version, "version=");
	for (int n = 0; n < 17; n++)
		optionwriteint(savedsettingsfield(n), savedsettingskeys[n]);
	return closesavefile("settings.txt");
}

int saveconfig()
{
	int hw = writehwconfig(&gameplaces);
	return writesettings() && hw;
}
