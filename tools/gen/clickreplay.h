// A player's hand on the bridge editor: a script of keys and clicks played
// frame by frame through the editor screen's own steps (menu, mode rules,
// the edit under the mouse and its commit) on the editor's default view,
// as a new player with the default settings builds. The demo levels store
// the bridges their scripts leave, and the tests replay them.
#pragma once

// Words of a script, separated by spaces:
//   iron steel cable suspension heavy hydraulic
//                the material's key, 1 to 6; "hydraulic" twice gives the
//                second hydraulic kind
//   x,y          a left click on the editing plane at that world point
//   |            a right click on empty space, which drops the selection
//   +y -y        the y key pressed and held, then let go: a fan of links
//                from the selected point
//   j            the j key: SetJoint on or off
struct clicktally {
	int leftclicks;
	int rightclicks;
	int keys;
};

// Starts the editor on the loaded level and bridge (its reset and entry)
// and plays the script. Returns the words that could not be played: unknown
// words, points the mouse cannot put the cursor on, and right clicks that
// deleted something. tally, when not null, counts what was played.
int replayclicks(const char *script, clicktally *tally);

// The pixel of the editor's current view (the default one after
// replayclicks) under which the editing plane point (x, y) lies, not kept
// inside the window; 0 when the point is behind the eye.
int viewpixel(float x, float y, float *px, float *py);
// The points a script clicks, at most max; returns how many were written.
int scriptpoints(const char *script, float xy[][2], int max);
