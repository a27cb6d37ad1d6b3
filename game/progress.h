// Player profiles and map pack progress. A profile is a folder under
// "profile" in the home folder; it holds the packs the player has opened,
// with their done flags, and a folder per pack of saved bridges. The game
// data folder "files" holds the fresh packs and their level folders.
#pragma once

#include "platform/files.h"

extern char leveldirname[NAMESIZE];   // folder of the loaded level (its pack)
extern char levelfilename[NAMESIZE];  // file name of the loaded level, no extension
extern int helpmenutoggle;            // 1: the green hint lines are shown

// Creates "profile" and "profile"/profilename in the home folder.
void makeprofilefolder();
// Changes into "profile"/profilename in the home folder; 1 when there.
int enterprofilefolder();
// Opens mappackname: the profile's copy with its progress when there is
// one, else the fresh one in "files". Back in the start folder; 1 when a
// pack was loaded.
int openmappack();
// Writes the open pack with its done flags into the profile folder, and
// nowhere else; 1 on success. A pack file there that openmappack could not
// read is first kept as "<pack>.tvm.old". Back in the start folder.
int saveprofilemappack();
// 1 when the map pack menu lets the player choose level i: the first
// level, a done level and the one after a done level are open; with
// cheat[2] off every level is.
int levelopen(int i);
// Loads level i of the open pack: the player's saved bridge from the
// profile when there is one (*savedbridge 1), else the bare level from the
// game data (*savedbridge 0), cut down to its anchors when anchorsonly is
// set. Back in the start folder; 1 when a level was loaded, 0 with
// everything unchanged.
int loadpacklevel(int i, int anchorsonly, int *savedbridge);
