// "hwconfig.txt", read and written alike by the game and the setup program,
// and the older binary "hwconfig.cfg" read when the text file is missing.
// Each program says where the values go: the game keeps the move mode in its
// editor, the setup program in a variable of its own.
#pragma once

#include "platform/config.h"

struct hwconfigplaces {
	configstruct *config;
	float (*colors)[3];  // MATERIALCOLORS rows
	int *movemode;       // "editormovemode="
};

int fileexists(const char *name);

// One little-endian 4-byte word from fp; a word cut off by the end of the
// file leaves the target as it was and returns 0, so a short file gives the
// fields it holds.
int readword(void *target);

// Reads "hwconfig.txt", or else "hwconfig.cfg"; a key or word that is not
// there keeps the value already in place. Returns the old binary file's
// version, 0 when none was read: the two programs brighten the heavy steel
// colour for different versions of it.
int readhwconfig(const hwconfigplaces *p);
void brightenheavysteel(float (*colors)[3]);

// All 110 lines, through a temporary file: a failed write keeps the old file.
// Returns 1 when the file was written, 0 when the old one (or none) stays.
int writehwconfig(const hwconfigplaces *p);
