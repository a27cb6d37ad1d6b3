// The free orbit camera, the vehicle camera and the frame they produce.
// Controllers only edit a player record; the owning screen turns it (or the
// followed vehicle) into `frame`, which the renderer and the sound listener read.
#pragma once

#include "platform/vector.h"

constexpr int MAXPLAYERS = 64;

struct framestruct {
	vector3 position;
	orientation axes;  // rows: right, up, back; the view looks along -back
};

struct playerstruct {
	int object;        // followed object, -1 none; renumbered by object deletion
	int targetobject;  // second object index, same treatment
	vector3 target;    // point the free camera orbits
	orientation axes;  // axes before pitch and yaw
	float pitch;
	float yaw;
	float distance;
};

extern framestruct frame;
extern playerstruct player[MAXPLAYERS];
extern int playernum;
extern int numofplayers;

// Once per 20 ms tick; both do nothing while the window is inactive.
void moveviewpoint();
void moveobjectviewpoint();
void getuserinput();

// Frame building, once per frame after the ticks: from the followed vehicle
// (sim.followobject) with player[playernum]'s angles, or else from the free
// camera, player[0].
void setupframe();
// The two cases on their own, for callers and tests that have no simulation.
void framefromplayer(framestruct *f, const playerstruct *p);
// cameramode 0 inside view, 1 chase view.
void framefromobject(framestruct *f, const playerstruct *p, const vector3 *position,
	const orientation *axes, int cameramode);
