// The test run: its control record, the fixed 20 ms step and the phase
// machine that starts the level's phases one after another.
#pragma once

#include "platform/vector.h"

constexpr int STEPMS = 20;             // simulated milliseconds per step
constexpr int MAXSPAWNPHASE = 16;      // phases beyond this create no vehicles
constexpr int EARTHQUAKEMS = 5000;     // an earthquake phase lasts this long

// Every field is 32 bits wide, in this order.
struct simstruct {
	int pause;
	int fast;
	int slow;
	int gravity;          // 1: particles fall
	int time;             // simulated milliseconds
	float wateroffset;    // water texture scroll
	int followobject;     // vehicle the camera follows, -1 none
	int cameramode;
	int phasestarted;     // the first phase's vehicles have been created
	int brokenlinks;
	vector3 current;      // water current
	vector3 wind;
	int drivemode;        // the player drives the followed vehicle
	int testpassed;
	int manualphase;      // phases advance by buttons instead of automatically
	int drawbridgeup;     // manual request: raise
	int drawbridgedown;   // manual request: lower
	int nextphase;        // manual request: next phase
	int phasestate;       // manual: 0 running, 1 vehicles arrived, 2 finished
	int testfailed;       // also set when a phase's vehicles could not be made
	int showbrokenbonds;  // broken bonds leave debris
	int mousegrab;        // the mouse drags the structure
};

static_assert(sizeof(simstruct) == 26 * 4, "simstruct fields are 32 bits wide");

extern simstruct sim;

extern int phasenum;         // the running phase, 1-based; 0 before Run Test
extern int prevphasenum;     // phasenum at the end of the last step that stayed in its phase
extern int earthquake;       // forces a quake whatever the phase
extern int earthquakestart;  // sim.time when the running quake phase began, 0 none
extern int earthquakemag;
extern float earthquakecount;        // the quake oscillator's angle
extern vector3 earthquakevelocity;   // ground velocity added to particles
extern int soundplaying;     // manual machine: a held drawbridge request is sounding

// One 20 ms step of the whole world, then the phase machine.
void simulation();
// Creates the vehicles placed in phase phasenum. Returns 0 when a vehicle
// could not be made (arrays full or its type has no physics); sim.testfailed
// is then set and the phase cannot end.
int createphaseobjects();
// The phase machines, run last in every step.
void automaticphases();
void manualphases();
// Drawbridge work of one step; each returns 1 when nothing moved any more.
int raisedrawbridges(int firststep);
int lowerdrawbridges(int firststep);
// Mouse drag: pulls every non-fixed particle within 20 units toward hit, a
// point on the editing plane under the mouse; held is 1 when the button was
// also down the previous frame. Run by the step while sim.mousegrab is set
// and the left button is down.
void dragstructure(const vector3 *hit, int held);

// The part of resetsim that belongs here: vehicles, sprites, phase state
// and the earthquake go back to their state before Run Test.
void resetphases();

// Camera hook: the quake shakes the orbit camera's target by delta. The
// camera code defines it; headless builds get a do-nothing one.
void shakecameratarget(const vector3 *delta);
// Camera hook of the mouse drag: 1 with the point where the camera's ray
// through the mouse meets the editing plane, when the mouse is over the 3D
// view; 0 otherwise. Headless builds have no mouse and answer 0.
int mousedragpoint(vector3 *hit);
