// The test screen's rules that need no window: which vehicles the camera
// keys follow, the result button, the landscape detail distances, the clock
// text and the marking of a passed level.
#pragma once

constexpr int MAXFOLLOWKEYS = 7;  // the digits 2 to 8

// Fills list with the indices of the vehicles that get a camera key, in
// index order: every object but the cars of a train, at most seven.
// Returns how many.
int listfollowvehicles(int list[MAXFOLLOWKEYS]);
// "Exit Level" outside a pack, "View Ending" on its last level, else
// "Next Level".
const char *resultlabel();
// The four distance steps of the landscape from a detail level 0, 1 or 2;
// any other level leaves them as they were.
void setloddistances(float distances[4], int detaillevel);
// The level's wind and current speeds, kept in its last phase slot; 0 for
// a stored value that is no number or beyond MAXLEVELSPEED either way.
constexpr float MAXLEVELSPEED = 1000.0f;
float levelwindspeed();
float levelcurrentspeed();
// Minutes and seconds of simulated milliseconds as the clock shows them.
void clockparts(int time, int *minutes, int *seconds);
// Once every phase has run without failing: a level of the open pack is
// marked done and sim.testpassed set.
// Returns 1 while the test counts as passed.
int checktestpassed();
