#include "platform/hwconfigfile.h"

#include "platform/files.h"
#include "platform/options.h"
#include "platform/parser.h"

#include <cmath>
#include <cstdio>
#include <cstring>

static constexpr int HWCONFIGVERSION = 7;

int fileexists(const char *name)
{
	FILE *file = fopen(name, "rb");
	if (!file)
		return 0;
	fclose(file);
	return 1;
}

int readword(void *target)
{
	unsigned char word[4];
	if (fread2(word, 4, 1, fp) != 1)
		return 0;
	memcpy(target, word, 4);
	return 1;
}

static void readtext(const hwconfigplaces *p)
{
	loadtextfile("hwconfig.txt");
	int version = 0;
	optionreadint(&version, "version=");
	// No "version=" key counts as a version that is not accepted.
	if (version != HWCONFIGVERSION)
		return;
	configstruct *c = p->config;
	optionreadint(&c->screenwidth, "screenwidth=");
	optionreadint(&c->screenheight, "screenheight=");
	optionreadint(&c->bitsperpixel, "bitsperpixel=");
	optionreadint(&c->fullscreen, "fullscreen=");
	optionreadint(&c->sound, "sound=");
	optionreadint(&c->joystick, "joystick=");
	optionreadint(&c->mouselocked, "mouselocked=");
	optionreadint(&c->background, "background=");
	optionreadint(&c->texturedetail, "texturedetail=");
	optionreadint(p->movemode, "editormovemode=");
	char key[40];
	for (int n = 1; n <= 3; n++) {
		snprintf(key, sizeof key, "textcolor%d=", n);
		optionreadfloat(&c->textcolor[n - 1], key);
	}
	for (int n = 1; n <= MATERIALCOLORS; n++) {
		snprintf(key, sizeof key, "materialcolorred%d=", n);
		optionreadfloat(&p->colors[n - 1][0], key);
		snprintf(key, sizeof key, "materialcolorgreen%d=", n);
		optionreadfloat(&p->colors[n - 1][1], key);
		snprintf(key, sizeof key, "materialcolorblue%d=", n);
		optionreadfloat(&p->colors[n - 1][2], key);
	}
}

// A colour word that is not a finite number (a damaged file) keeps the
// value in place: it would reach the drawing and every level saved later.
static void readfloatword(float *target)
{
	float value;
	if (readword(&value) && std::isfinite(value))
		*target = value;
}

static void readwords(int *const *targets, int count)
{
	for (int n = 0; n < count; n++)
		readword(targets[n]);
}

static void readcolors(const hwconfigplaces *p)
{
	for (int n = 0; n < MATERIALCOLORS; n++)
		for (int c = 0; c < 3; c++)
			readfloatword(&p->colors[n][c]);
}

// Version 1 holds the first seven words, 2 adds the colours and 3 the move
// mode; 4 to 6 hold the interface settings between the seven and the colours.
static int readbinary(const hwconfigplaces *p)
{
	int version = 0;
	if (!readword(&version))
		return 0;
	configstruct *c = p->config;
	int *const first[7] = {
		&c->screenwidth, &c->screenheight, &c->bitsperpixel, &c->fullscreen,
		&c->glenabled, &c->sound, &c->joystick,
	};
	if (version >= 1 && version <= 3) {
		readwords(first, 7);
		if (version >= 2)
			readcolors(p);
		if (version == 3)
			readword(p->movemode);
	} else if (version >= 4 && version <= 6) {
		readwords(first, 7);
		int *const interface[2] = {&c->mouselocked, &c->background};
		readwords(interface, 2);
		for (int n = 0; n < 3; n++)
			readfloatword(&c->textcolor[n]);
		readword(&c->texturedetail);
		readcolors(p);
		readword(p->movemode);
	}
	return version;
}

int readhwconfig(const hwconfigplaces *p)
{
	if (fileexists("hwconfig.txt")) {
		readtext(p);
		return 0;
	}
	fp = fopen("hwconfig.cfg", "rb");
	if (!fp)
		return 0;
	int version = readbinary(p);
	fclose(fp);
	fp = nullptr;
	return version;
}

void brightenheavysteel(float (*colors)[3])
{
	colors[8][0] = 0.9f;
	colors[8][1] = 0.65f;
}

int writehwconfig(const hwconfigplaces *p)
{
	if (!opensavefile("hwconfig.txt"))
		return 0;
	int version = HWCONFIGVERSION;
	optionwriteint(&version, "version=");
	const configstruct *c = p->config;
	optionwriteint(&c->screenwidth, "screenwidth=");
	optionwriteint(&c->screenheight, "screenheight=");
	optionwriteint(&c->bitsperpixel, "bitsperpixel=");
	optionwriteint(&c->fullscreen, "fullscreen=");
	optionwriteint(&c->sound, "sound=");
	optionwriteint(&c->joystick, "joystick=");
	optionwriteint(&c->mouselocked, "mouselocked=");
	optionwriteint(&c->background, "background=");
	optionwriteint(&c->texturedetail, "texturedetail=");
	optionwriteint(p->movemode, "editormovemode=");
	char key[40];
	for (int n = 1; n <= 3; n++) {
		snprintf(key, sizeof key, "textcolor%d=", n);
		optionwritefloat(&c->textcolor[n - 1], key);
	}
	for (int n = 1; n <= MATERIALCOLORS; n++) {
		snprintf(key, sizeof key, "materialcolorred%d=", n);
		optionwritefloat(&p->colors[n - 1][0], key);
		snprintf(key, sizeof key, "materialcolorgreen%d=", n);
		optionwritefloat(&p->colors[n - 1][1], key);
		snprintf(key, sizeof key, "materialcolorblue%d=", n);
		optionwritefloat(&p->colors[n - 1][2], key);
	}
	return closesavefile("hwconfig.txt");
}
