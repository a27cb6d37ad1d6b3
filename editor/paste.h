// The edits that build more than one link per click: pasting the copy buffer
// at the mouse and laying a suspension cable in three clicks. Like every
// tentative edit they change the live bridge, which the edit cycle keeps on
// a click or puts back from the frame's snapshot.
#pragma once

#include "platform/vector.h"

// Edit state 2: places the copy buffer with its centre at hit (the mouse's
// hit on the editing plane, rounded here to whole grid steps), then turns
// every pair of facing deck links into a deck piece.
void pastecopy(const vector3 *hit);
// Makes a deck piece (createdeck) of every deck link with a deck link of the
// same type joining the two points 10 units behind it.
void pairdecks();

// The cable steps take the hit already snapped to the grid, as for links.
// State 3: the selected point (and its mirror twin) become the first ends;
// with one selected the editor moves on to state 4.
void cablefirstend(const vector3 *snapped);
// State 4: the second ends, previewed as straight cables.
void cablesecondend(const vector3 *snapped);
// State 5: the sag point; lays the cable (and its twin on the mirror plane)
// along the curve with a curve point at every multiple of 10 in x.
void cablesagpoint(const vector3 *snapped);
// Lays one cable along curve (0 or 1) between its ends.
void laycable(int curve);
