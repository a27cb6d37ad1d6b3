// The screens between start-up and a level: the main menu, the start menu
// and the map pack menu.
#pragma once

extern char versiontext[13];

// Runs until "Exit", Escape or a window close; loads the shared resources
// on entry.
void mainmenu();
// Opens the profile's map pack, runs the map pack menu and writes the pack's
// progress back into the profile.
void startmenu();
// The pack's levels; a chosen open level is loaded and previewed.
void mappackmenu();
