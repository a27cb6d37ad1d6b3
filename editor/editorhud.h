// What the bridge editor draws each frame: the 3D view with the bridge, the
// grids and the selection box, then the texts over it.
#pragma once

// The 3D view in editor window 0, with the tentative edit in place.
void rendereditorview();
// Cost and budget, the price of the edit under the mouse, the counts per
// material, the plane gap, the exit question and the hint lines, in the
// menu colour.
void draweditorhud(int costbefore, int costafter, const float menucolor[3]);
