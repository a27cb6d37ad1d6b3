// The fixed step of the test screen and the level preview: real time is
// cut into 20 ms ticks so the simulation runs at 50 steps a second whatever
// the frame rate.
#pragma once

constexpr unsigned TICKMS = 20;
constexpr int MAXTICKSPERFRAME = 5;

// One more tick of this frame when it is due: fewer than five taken so far
// and strictly more than 20 ms since *lasttick. A tick moves *lasttick on by
// exactly 20 ms, so a late frame leaves a backlog for the next ones. While
// the window is inactive no tick is due and the clock is set to now, so that
// time without focus is not caught up.
int tickdue(unsigned *lasttick, unsigned now, int taken, int active);

// Steps of one tick: none while paused or while the single-step key is
// held (it steps once a frame instead); else one offer, four with fast,
// each counted in *stepcount (which keeps only the count's place among
// four, 1 to 4), and with slow only every fourth offer runs.
int ticksteps(int *stepcount, int pause, int singlestep, int fast, int slow);
