// The bridge editor's state record and the global game rules.
#pragma once

#include <cstdint>

#include "platform/vector.h"
#include "world/level.h"

constexpr int MATERIALCOUNTS = 10;  // links per material, counted by type mod 10

// One whole bridge: the undo ring's states, the editor's pre-edit snapshot
// and the tutorial's stored solution. Only the first numofpoints points and
// numoflinks links are meaningful.
struct undostruct {
	uint32_t numofpoints;
	pointstruct point[MAXPOINTS];
	uint32_t numoflinks;
	beamstruct beam[MAXLINKS];
};

struct editorstruct {
	vector3 planepoint;          // a point of the editing plane; its z is the plane's z
	vector3 planenormal;         // (0, 0, 1)
	float gridsize;              // grid step, also the point reuse radius
	undostruct snapshot;         // the bridge before this frame's tentative edit
	int selectedpoint;           // -1 none
	int selectedmirrorpoint;     // twin on the mirror plane or deck partner, -1 none
	int hoverpoint;              // point under the mouse this frame, -1 none
	int hovermirrorpoint;        // point under the mouse's twin position, -1 none
	int material;                // current link type, 0 while SetJoint is on
	int savedmaterial;           // material kept while SetJoint is on, else 0
	int deck;
	int mirror;
	int showmirror;
	int crossbeams;
	int gridhd;
	int setjoint;
	int materialcount[MATERIALCOUNTS];
	float mirrorplanez;
	vector3 selectstart;
	vector3 selectend;
	int complex;                 // 0 Normal mode, 1 Complex mode
	int editstate;               // 0 links, 1 box, 2 paste, 3..5 cable steps, 6 anchors
	int exitstate;               // 0 editing, 1 asked, 2 no, 3 yes, 4 autosave, 5 tutorial
	int autosave;
	vector3 cablecurve[2][3];    // first end, sag point, second end per curve
	int movemode;                // camera control mode, toggled by F5
};

extern editorstruct editor;

// The editor's state at a level start: the default planes and grid, nothing
// selected, Mirror and Crossbeams on, Iron, link building.
void reseteditstate();

// Index of the loaded level in the open map pack, -1 for a level outside any
// pack (where anchors may be placed and deleted).
extern int levelnum;

// [0] material limits enforced, [1] budget enforced, [2] levels unlocked in
// order, [3] thin-beam mode.
extern int cheat[4];
