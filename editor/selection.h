// The selection box and the copy buffer: copying the links inside the box,
// deleting the points inside it, and mirroring the buffer for pasting.
#pragma once

#include <cstdint>

#include "platform/vector.h"
#include "world/level.h"

constexpr int MAXCOPYLINKS = MAXLINKS;

// One copied link with both of its ends, positioned relative to the copied
// set's centre. Anchors are stored as joints: a paste never makes anchors.
struct copylinkstruct {
	uint32_t type;        // link type (material)
	uint32_t deck;        // deck flag
	uint32_t pointtype1;  // point type of the first end
	vector3 position1;
	uint32_t pointtype2;
	vector3 position2;
};

struct copystruct {
	uint32_t numoflinks;  // 0: empty, nothing to paste
	copylinkstruct link[MAXCOPYLINKS];
};

// Lives for the whole run, so a part copied in one level pastes in another.
extern copystruct copy;

// 1 when position lies inside the selection box, which must already be
// ordered; z has a tolerance of 0.1 so that only the points of the plane
// the box was drawn on count.
int pointcopy(const vector3 *position);
// Fills the copy buffer with the links inside the box (and the links that
// leave a suspension-cable curve point inside it); returns how many. With
// any copied the editor switches to pasting. Clears the box.
int copypoints();
// Deletes the points inside the box other than anchors, with their links,
// as one undoable change. Clears the box.
void deletepoints();
// Mirrors the buffer left to right about its centre.
void flipxaxis();
