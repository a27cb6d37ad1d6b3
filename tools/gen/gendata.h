// The demo game data: textures, backdrops, sounds, models, object physics,
// levels and the map pack. Each writes its files below the current folder
// (the start folder being filled), creating the folders it needs, and
// returns the number of files it could not write.
#pragma once

int generatetextures();
int generatebackdrops();
int generatesounds();
int generatemodels();
int generatelevels();
// The clicks that build the bridge of the demo level stored in file (see
// clickreplay.h); null for a file that is not a demo level.
const char *levelclicks(const char *file);
// The clicks of a weaker bridge for the same level, which stands alone but
// fails under the level's traffic.
const char *levelweakclicks(const char *file);

// Creates a folder below the current one (mode 0777); an existing one is fine.
void makefolder(const char *name);
