// Map packs: an ordered list of levels with their done flags and the pack's
// texts, kept in ".tvm" files.
#pragma once

#include "platform/files.h"

constexpr int MAXPACKLEVELS = 32;
constexpr int MAXPACKTEXTLINES = 16;
constexpr int PACKENDINGLINES = 12;  // lines 0-11 the ending, 12-15 the description
constexpr int MAPPACKVERSION = 1;
constexpr int MAPPACKFILESIZE = 1672;

struct mappackstruct {
	int numoflevels;
	char levelname[MAXPACKLEVELS][NAMESIZE];  // level file names, in play order
	int completed[MAXPACKLEVELS];             // 1: the level's test was passed
	char text[MAXPACKTEXTLINES][NAMESIZE];
};

static_assert(sizeof(mappackstruct) == MAPPACKFILESIZE - 4, "pack file is its version and the record");

extern mappackstruct mappack;
extern char mappackname[NAMESIZE];  // the pack's file name without extension

// Reads mappackname + ".tvm" from the current folder. Returns 1 when a whole
// valid pack was read; otherwise 0 and the pack in memory is unchanged.
int loadmappack();
// Writes the pack to mappackname + ".tvm". Returns 1 on success; on failure
// an existing file is left as it was.
int savemappack();
