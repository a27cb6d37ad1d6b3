// Camera controllers run once per 20 ms tick, so every step is per tick.
#include "render/camera.h"

#include "editor/editcycle.h"
#include "editor/editor.h"
#include "editor/planes.h"
#include "platform/config.h"
#include "platform/input.h"
#include "world/simulation.h"
#include "world/vehicle.h"

// Letters are held at the code of their lowercase character.
enum { ARROWUP = 273, ARROWDOWN = 274, ARROWRIGHT = 275, ARROWLEFT = 276 };

static int held(int key)
{
	return keyboard[key] != 0;
}

static int shift()
{
	return held(KEY_LSHIFT);
}

static int ctrl()
{
	return held(KEY_LCTRL);
}

static int grabbed()
{
	return config.mouselocked == 0 || config.fullscreen != 0;
}

static int attop()
{
	return mouse.y <= 3;
}

static int atbottom()
{
	return mouse.y >= 476;
}

static int atleft()
{
	return mouse.x <= 3;
}

static int atright()
{
	return mouse.x >= 636;
}

// Rotation keys and right-button edge rotation, shared by both cameras.
static void rotateviewpoint(playerstruct *p, float s1)
{
	float step = 0.02f * s1;
	int right = mouse.rightbutton;
	int left = mouse.leftbutton;

	if ((shift() && held('w')) || held(ARROWUP) || (right && !left && attop()))
		p->pitch += step;
	if ((shift() && held('s')) || held(ARROWDOWN) || (right && !left && atbottom()))
		p->pitch -= step;
	if ((shift() && held('a')) || held(ARROWLEFT) || (right && atleft()))
		p->yaw += step;
	if ((shift() && held('d')) || held(ARROWRIGHT) || (right && atright()))
		p->yaw -= step;
}

static float clampfloat(float v, float lo, float hi)
{
	if (v < lo)
		return lo;
	if (v > hi)
		return hi;
	return v;
}

void moveviewpoint()
{
	if (!windowinfo.active)
		return;
	playerstruct *p = &player[playernum];
	int nobutton = !mouse.leftbutton && !mouse.rightbutton;
	int mode1 = editor.movemode == 1;

	float s1 = ctrl() ? 1.5f : 0.75f;
	int up, down;
	if (!mode1) {
		up = (held('w') && !shift()) || (nobutton && grabbed() && attop());
		down = (held('s') && !shift()) || (nobutton && grabbed() && atbottom());
	} else {
		up = (held('q') && !shift()) || (nobutton && grabbed() && attop()) || mouse.wheelup;
		down = (held('z') && !shift()) || (nobutton && grabbed() && atbottom()) ||
			mouse.wheeldown;
	}
	if (up)
		p->target.y += s1;
	if (down)
		p->target.y -= s1;

	rotateviewpoint(p, s1);

	float s2 = (mouse.leftbutton || ctrl()) ? 3.0f : 0.75f;
	if ((held('a') && !shift()) || (!mouse.rightbutton && grabbed() && atleft()))
		p->target.x -= s2;
	if ((held('d') && !shift()) || (!mouse.rightbutton && grabbed() && atright()))
		p->target.x += s2;

	float s3 = ctrl() ? 2.0f : 1.0f;
	int zoomin, zoomout;
	int leftgrab = mouse.leftbutton && grabbed();
	if (!mode1) {
		zoomin = held('q') || (leftgrab && attop()) || mouse.wheelup;
		zoomout = held('z') || (leftgrab && atbottom()) || mouse.wheeldown;
	} else {
		zoomin = held('w') || (leftgrab && attop());
		zoomout = held('s') || (leftgrab && atbottom());
	}
	if (zoomin)
		p->distance -= s3;
	if (zoomout)
		p->distance += s3;
	if (mouse.wheelup && !prevmouse.wheelup)
		p->distance -= s3;
	if (mouse.wheeldown && !prevmouse.wheeldown)
		p->distance += s3;

	if (held('e')) {
		p->pitch = 0.0f;
		p->yaw = 0.0f;
		if (shift()) {
			p->target.x = 1280.0f;
			p->target.y = 360.0f;
			p->target.z = 1285.0f;
		}
	}

	p->pitch = clampfloat(p->pitch, -1.0f, 1.0f);
	p->yaw = clampfloat(p->yaw, -1.0f, 1.0f);
	p->distance = clampfloat(p->distance, 10.0f, 500.0f);
}

void moveobjectviewpoint()
{
	if (!windowinfo.active)
		return;
	playerstruct *p = &player[playernum];

	float s1 = ctrl() ? 1.5f : 0.75f;
	rotateviewpoint(p, s1);

	if (held('e')) {
		p->pitch = 0.0f;
		p->yaw = 0.0f;
	}

	float step = ctrl() ? 1.0f : 0.5f;
	if (held('q') || (mouse.leftbutton && attop()) || mouse.wheelup)
		p->distance -= step;
	if (held('z') || (mouse.leftbutton && atbottom()) || mouse.wheeldown)
		p->distance += step;
	if (mouse.wheelup && !prevmouse.wheelup)
		p->distance -= step;
	if (mouse.wheeldown && !prevmouse.wheeldown)
		p->distance += step;

	p->distance = clampfloat(p->distance, 7.0f, 500.0f);
}

void shakecameratarget(const vector3 *delta)
{
	player[playernum].target.x += delta->x;
	player[playernum].target.z += delta->z;
}

int mousedragpoint(vector3 *hit)
{
	float mousexy[2];
	return mouseovereditorwindow(0, mousexy) &&
		editplanehit(hit, &frame.position, &frame.axes, mousexy);
}

// Every record, not only the first numofplayers (which nothing raises above
// 0), so no camera keeps the index of a deleted or moved vehicle.
void renumbercameraobjects(int n, int last)
{
	for (int i = 0; i < MAXPLAYERS; i++) {
		playerstruct *p = &player[i];
		if (p->object == n)
			p->object = -1;
		else if (p->object == last)
			p->object = n;
		if (p->targetobject == n)
			p->targetobject = -1;
		else if (p->targetobject == last)
			p->targetobject = n;
	}
}

void getuserinput()
{
	playerstruct *p = &player[playernum];
	p->pitch = 0.0f;
	p->yaw = 0.0f;
	if (sim.followobject < 0 || sim.followobject >= numofobjects)
		return;
	objectstruct *o = &object[sim.followobject];
	o->throttle = 0.0f;
	o->steer = 0.0f;
	o->brake = 0.0f;
	if (held('w'))
		o->throttle = 1.0f;
	if (held('s'))
		o->brake = 1.0f;
	if (held('a'))
		o->steer = -1.0f;
	if (held('d'))
		o->steer = 1.0f;
}

// Without a followed vehicle the view is the free camera's (slot 0), also
// in the frame in which the vehicle went away after the tick had picked the
// vehicle camera's record, whose target and axes nothing sets.
void setupframe()
{
	if (sim.followobject >= numofobjects)
		sim.followobject = -1;
	if (sim.followobject >= 0) {
		const objectstruct *o = &object[sim.followobject];
		framefromobject(&frame, &player[playernum], &o->position, &o->orientation,
			sim.cameramode);
	} else {
		framefromplayer(&frame, &player[0]);
	}
}
