// The test screen: the bridge in point and beam becomes a simulation that
// runs in fixed 20 ms ticks until the player returns to the editor.
#pragma once

// Runs until "Edit" (Escape), a result button sets editor.exitstate, or the
// window is closed; the bridge is unchanged on return.
void gameloop();

// Set by F10 on the test screen: a screenshot of every frame while on.
extern int recordscreenshots;
