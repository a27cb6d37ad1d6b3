// The level file browser's file work: level files in the game data folder
// "files" and in its pack folders, one level deep. Names that could reach
// outside that folder are refused before any file is touched.
#pragma once

#include "platform/files.h"

// 1 when name + ".tvl" names a file inside the open folder that its listing
// shows again: not empty, no dot, no path separator, no control character,
// no leading "<", no "*" but at the end, at most 27 characters. The empty
// name is refused: it would only make the hidden file ".tvl".
int levelnameallowed(const char *name);
// 1 when name can be a pack folder inside "files": a name of its own, not
// "." or "..", without separators.
int levelfolderallowed(const char *name);

// Enters "files" and the open folder leveldirname; returns 1 only when both
// were entered, and otherwise stays where it was. leavelevelfolders goes
// back to where enterlevelfolders started.
int enterlevelfolders();
void leavelevelfolders();

// Lists into dirlist the pack folders of "files" (or the single entry ".."
// inside a pack folder) and into filelist the level files of the open
// folder, cut for showing. Each returns the number of entries.
int listlevelfolders();
int listlevelfiles();

// Shared with the bridge browser. Inside an open pack folder the folder
// column holds only "..": listparentfolder lists it and returns 1; else it
// empties dirlist and returns 0. cutlistnames cuts every name of a list for
// showing and returns how many there are.
int listparentfolder();
int cutlistnames(char list[][NAMESIZE]);

// Load, save and delete levelfilename in the open folder. Load and save
// return 1 on success; a refused name does nothing and returns 0. A failed
// save leaves an existing file as it was.
int loadlevelfile();
int savelevelfile();
void deletelevelfile();

// Opens (down) the named pack folder of "files", or goes back up from a
// pack folder when one is open.
void changelevelfolder(const char *name);
