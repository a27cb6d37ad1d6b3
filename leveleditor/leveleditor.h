// The level editor's state, its landscape brush and its camera controller.
// Nothing in the game opens the level editor; its screen is entered through
// leveleditorloop alone.
#pragma once

#include "platform/files.h"
#include "platform/vector.h"

// leveleditorstruct.mode
constexpr int LEVELMODE_LANDSCAPE = 0;
constexpr int LEVELMODE_OBJECTS = 1;
constexpr int LEVELMODE_PROPS = 2;

// leveleditorstruct.tool
constexpr int BRUSH_RAISE = 0;
constexpr int BRUSH_LOWER = 1;
constexpr int BRUSH_SET = 2;

struct leveleditorstruct {
	int mode;            // what the frame shows besides the landscape
	int tool;            // any other value changes no height
	int radius;          // brush radius in landscape cells
	vector3 cursor;      // y: brush target height and grid height
	float strength;
	int menudone;        // set by addobjectmenu when a type was chosen
	int newobjecttype;   // -1 none
	int selectedobject;  // index into level.levelobject
	int newcartype;      // -1 none
	int selectedprop;    // index into level.prop
	char propname[NAMESIZE];
};

extern leveleditorstruct leveleditor;

// The bridge editor's hook for levels outside a map pack; it does nothing.
void editlevel();
// Brush radius, strength and grid height as a freshly previewed level has
// them; mode, tool, menu choices and selections keep their values.
void resetleveleditor();
// Applies the brush once around landscape vertex (x, z) and recomputes the
// normals it touched.
void changelandscape(int x, int z);
// The level editor's camera controller: edits player[playernum] from this
// frame's keyboard and mouse. It does not build frame.
void moveviewpointlevel();

// The ground point nearest to from on the segment from-to; 0 when the
// segment misses the landscape.
int landscapeunderray(vector3 *out, const vector3 *from, const vector3 *to);
// The landscape vertex nearest to p; 0 when p lies off the landscape.
int nearestvertex(const vector3 *p, int *x, int *z);
