// The player profiles: one folder each under "profile" in the home folder.
// profilelist holds their names; its last slot is the edit buffer of a new
// profile's name, so the listing leaves it free.
#pragma once

#include "platform/files.h"

constexpr int PROFILENAMESLOT = LISTSIZE - 1;

extern int numofprofiles;

// Fills profilelist with the profile folders, sorted, ended by an empty
// name, at most LISTSIZE - 2 of them; sets and returns numofprofiles.
// Creates "profile" when missing. Back in the start folder.
int listprofiles();
// Makes name the current profile and creates its folder. A name that is not
// a single plain folder name (empty, "." or "..", a slash, too long) would
// lead out of the profile folder, and one with a dot, a leading "<" or a "*"
// but at the end would never be listed: both are refused with 0 and nothing
// changes.
// A folder that cannot be created is not reported.
int createprofile(const char *name);
