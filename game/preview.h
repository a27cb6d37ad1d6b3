// The level preview: the loaded level turning in a strip across the upper
// half of the screen, with its facts below; "Edit" runs the bridge editor.
#pragma once

#include "platform/vector.h"

// Runs until "Back", Escape, a window close or the editor's return.
// savedbridge is 1 when the player's saved bridge was loaded with the level.
void previewmenu(int savedbridge);

// Distance of the preview camera's orbit centre to the farthest point of the
// bridge, at least 20.
float previewradius();
// The camera on its orbit at angle, radius units out.
void previewframe(vector3 *position, orientation *axes, float angle, float radius);
