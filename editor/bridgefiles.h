// The bridge file browser's file work: saved bridges (".tvb") in the
// player's profile folder and in its pack folders, one level deep, and the
// copy of a link colour between the level and the player's defaults.
// Names that could reach outside the profile folder are refused before any
// file is touched.
#pragma once

// 1 when name can be a pack folder inside the profile folder: not empty,
// not "." or "..", no path separator, no control character.
int bridgefolderallowed(const char *name);
// 1 when name can be a bridge file there that the listing shows again: a
// pack folder's rules, no dot, no leading "<", no "*" but at the end, at
// most 27 characters.
int bridgenameallowed(const char *name);

// Enters the profile folder and the open pack folder leveldirname, creating
// that folder first when create is set. Returns 1 only when both were
// entered; otherwise it is back in the start folder.
int enterbridgefolder(int create);

// Opening the browser: in save mode the open pack folder is created. A pack
// folder that cannot be entered is closed (leveldirname emptied). Back in
// the start folder.
void openbridgefolder(int create);

// Lists into dirlist the pack folders of the profile (or the single entry
// ".." inside a pack folder) and into filelist the bridge files of the open
// folder, cut for showing. Each returns the number of entries.
int listbridgefolders();
int listbridgefiles();

// Save, load and delete levelfilename in the open folder; back in the start
// folder. Save and load return 1 on success; a refused name or a folder
// that cannot be entered does nothing and returns 0. Delete also empties
// levelfilename.
int savebridgefile();
int loadbridgefile();
void deletebridgefile();

// Opens (down) the named pack folder of the profile, or goes back up when
// one is open.
void changebridgefolder(const char *name);

// The chosen link type's colour from the defaults into the level, or from
// the level into the defaults; types outside the offered 2 to 8 are left.
void loaddefaultlinkcolor(int type);
void savedefaultlinkcolor(int type);
