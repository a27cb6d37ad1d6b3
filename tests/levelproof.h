// Runs a loaded level headless the way the test screen does: the structure
// rebuilt from the bridge, Run Test pressed at once, one 20 ms step after
// another until the last phase has ended.
#pragma once

struct proofresult {
	int passed;            // the last phase ended
	int steps;             // steps taken
	int phasesbegun;       // phases whose start was seen
	int vehiclesmissing;   // vehicles a phase should have made but did not
	int sank;              // a vehicle went under the water
	int brokenlinks;
	float peakstress;      // highest stress any bridge member reached, 0..1
};

// The material tables and the physics of the vehicle types, as the editor
// reset and start-up set them; the current folder must be the start folder.
void setupproofworld();
// Keeps only the anchors of the loaded bridge.
void keepanchorsonly();
// Runs the loaded level for at most maxsteps steps after Run Test, which is
// pressed once the structure has settled for settlesteps steps.
proofresult runlevelproof(int settlesteps, int maxsteps);
// The same from the rebuild, stopped once a vehicle is in the river: enough
// to tell a failing bridge.
proofresult rununtilsunk(int maxsteps);
// Lets the loaded level's bridge stand for steps steps from the rebuild,
// Run Test never pressed.
proofresult runstanding(int steps);

constexpr int STANDSTEPS = 3000;  // a minute of simulated time
