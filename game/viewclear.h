// Clearing for a screen with a 3D view.
#pragma once

// Colour and depth to black; the stencil too while shadows are on, since
// the shadow volumes count in it.
void clearview();
