// The camera records and the frame a camera gives: plain math with no
// window, so the bridge editor's frame runs headless too (the generator
// builds the demo bridges through it, clicking on the default view).
#include "render/camera.h"

framestruct frame;
playerstruct player[MAXPLAYERS];
int playernum;
int numofplayers;

void framefromplayer(framestruct *f, const playerstruct *p)
{
	f->axes = p->axes;
	rotateorientation(&f->axes, &f->axes.v[1], p->yaw);
	rotateorientation(&f->axes, &f->axes.v[0], p->pitch);
	scaleaddvectors(&f->position, &p->target, &f->axes.v[2], p->distance);
}

void framefromobject(framestruct *f, const playerstruct *p, const vector3 *position,
	const orientation *axes, int cameramode)
{
	f->position = *position;
	f->axes = *axes;
	if (cameramode == 0) {
		scaleaddvectors(&f->position, &f->position, &f->axes.v[2], -2.0f);
		rotateorientation(&f->axes, &f->axes.v[1], -p->yaw);
		rotateorientation(&f->axes, &f->axes.v[0], -p->pitch);
	} else {
		rotateorientation(&f->axes, &f->axes.v[1], p->yaw);
		rotateorientation(&f->axes, &f->axes.v[0], p->pitch);
		scaleaddvectors(&f->position, &f->position, &f->axes.v[2], p->distance);
	}
}
