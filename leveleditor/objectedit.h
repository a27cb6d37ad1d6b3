// The object editor's record and its edits of a vehicle type's physics:
// the default box, steering flags, grid, the four views, and the selection,
// dragging and snapping of body corners and wheels.
#pragma once

#include "platform/files.h"
#include "platform/vector.h"

constexpr int OBJECTEDITORFLAGS = 16384;
constexpr int OBJECTEDITORVIEWS = 4;
// A physics file is named by two decimal digits, so types from 100 on
// would read and overwrite the file of the type below them by 100 (and
// 255 is the editor's scratch entry).
constexpr int LASTEDITABLETYPE = 99;

// objecteditorstruct.mode
constexpr int OBJECTMODE_POINT = 0;
constexpr int OBJECTMODE_WHEEL = 1;
constexpr int OBJECTMODE_DATA = 2;

struct objecteditorstruct {
	int mode;
	int objectnum;    // the type that Load reads and Save writes
	int gridchoice;   // 0 to 4
	float gridsize;
	char modelname[NAMESIZE];
	int selected[OBJECTEDITORFLAGS];  // shared by corners and wheels
};

extern objecteditorstruct objecteditor;

// Fills the scratch entry with a 4 x 4 x 4 box, its four wheel places, the
// front pair steered, and mass 10000.
void createeditorbox();
// Marks the selected wheels as steered and clears the wheel selection.
void setsteerwheels();
// Mode, type, grid and the four views as the editor opens them.
void resetobjecteditor();
// Grid step of gridchoice; the views keep their distance to it.
void followgrid();
// Number of items the current mode edits and where they are; 0 in Data mode.
int objecteditoritems(vector3 **items);

// Load reads the type's file and copies its entry into the scratch entry;
// Save copies the scratch entry over the type's entry and writes its file.
// A type outside 0 to 99 is refused: nothing is read, copied or written.
// A Load that finds no valid file leaves the scratch entry as it was.
int objectnumallowed(int type);
int loadobjecteditor();
int saveobjecteditor();

// The views' mouse work for this frame (active view, selection, dragging,
// orbiting, snapping).
void checkeditorwindows(int count, vector3 *items, int *selected);

// The pieces of it, on their own.
// Selects the items within radius of segment a-b, after clearing the
// selection unless add is set.
void selectitems(int count, const vector3 *items, int *selected, const vector3 *a,
	const vector3 *b, float radius, int add);
void moveselecteditems(int count, vector3 *items, const int *selected, const vector3 *delta);
void snapselecteditems(int count, vector3 *items, const int *selected, float step);
