// The level preview's camera: an orbit about the middle of the editing
// plane, far enough out to see the whole bridge.
#pragma once

#include "platform/vector.h"

// Distance from the orbit's centre to the farthest bridge point, at least 20.
float previewradius();
// The camera at angle on its orbit, 1.5 radius units out, looking down on
// the level at pi/5.
void previewframe(vector3 *position, orientation *axes, float angle, float radius);
