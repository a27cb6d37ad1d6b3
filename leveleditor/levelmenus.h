// The level editor's screens: its frame loop, 3D view, pickers, property
// screens, help pages and level file browser, and the object editor.
#pragma once

#include "platform/vector.h"

// The level editor screen on the loaded level; runs until Escape or a
// window close.
void leveleditorloop();

// The 3D frame into the current viewport and camera, and the level grid.
void renderframelevel();
void rendergridlevel();
void renderobjectwaypoints(int placement);

// Pickers. addobjectmenu leaves the chosen vehicle type in
// leveleditor.newobjecttype (-1 none); addcarmenu appends the chosen car to
// the selected placement; propnamemenu leaves the chosen prop model in
// leveleditor.propname.
void addobjectmenu();
void addcarmenu();
void propnamemenu();
void deletecareditor();

void editlevelcolormenu();
void editmaterials();
void editdescription();
void editwind();
void levelhelpmenu();

// load 1: load a level and preview it; 0: save the level under a name.
void filelevelmenu(int load);

// The object editor screen.
void editobjects();
void loadmodeleditor();
void renderobjecteditorwindows(int count, const vector3 *items, const int *selected);
