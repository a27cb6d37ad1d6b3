// The undo ring: the last sixteen whole bridges, stepped back by Undo and
// forward by Redo. A state is always the complete set of points and links.
#pragma once

#include "editor/editor.h"

constexpr int UNDOSLOTS = 16;

extern undostruct undo[UNDOSLOTS];
extern int undoposition;  // the slot holding the bridge on screen
extern int undofront;     // the newest slot; Redo while the position differs
extern int undorear;      // the oldest slot; Undo while the position differs

// Copies the live bridge (the points and links in use) into state.
void storebridge(undostruct *state);
// Makes state the live bridge. Counts beyond the arrays' capacities are cut
// to them, so a damaged state can never overrun the live arrays.
void restorebridge(const undostruct *state);

// An empty ring: Undo and Redo do nothing until the first commit.
void resetundo();
// Records one committed change: the bridge before it is taken from
// editor.snapshot, the bridge after it from the live arrays. Redo states
// are dropped; once the ring is full the oldest state goes.
void setupundo();
// The bridge on screen changed without a step of its own (a joint switched,
// a cable preview put back): the slot holding it takes the live bridge, so
// Undo followed by Redo returns to it.
void keepundostate();
void editorundo();
void editorredo();
