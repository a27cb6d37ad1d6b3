// The level editor's camera: moves the orbit target over the ground plane,
// turns and zooms, by keys or by the pointer at the screen's edges.
#include "leveleditor/leveleditor.h"
#include "platform/config.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "render/camera.h"

constexpr int KEY_UP = 273, KEY_DOWN = 274, KEY_RIGHT = 275, KEY_LEFT = 276;

enum edge { TOP, BOTTOM, LEFT, RIGHT };

static int atedge(edge e)
{
	switch (e) {
	case TOP:
		return mouse.y <= 3;
	case BOTTOM:
		return mouse.y >= 476;
	case LEFT:
		return mouse.x <= 3;
	case RIGHT:
		return mouse.x >= 636;
	}
	return 0;
}

// While a text box is edited the keys are typing into it.
static int held(int key)
{
	return !menuinputkeyboard && keyboard[key];
}

void moveviewpointlevel()
{
	playerstruct *p = &player[playernum];
	int shift = keyboard[KEY_LSHIFT];
	float s = held(KEY_LCTRL) ? 4.0f : 0.5f;
	// Edge scrolling only while the pointer cannot leave the window.
	int grabbed = config.mouselocked == 0 || config.fullscreen;
	int left = mouse.leftbutton, right = mouse.rightbutton;
	int pan = !left && !right && grabbed;
	int sidepan = !right && grabbed;
	int turn = right && !left;

	if ((held('w') && !shift) || (pan && atedge(TOP)))
		p->target.z -= s;
	if ((held('s') && !shift) || (pan && atedge(BOTTOM)))
		p->target.z += s;
	if ((held('a') && !shift) || (sidepan && atedge(LEFT)))
		p->target.x -= s;
	if ((held('d') && !shift) || (sidepan && atedge(RIGHT)))
		p->target.x += s;
	if ((held('w') && shift) || held(KEY_UP) || (turn && atedge(TOP)))
		p->pitch += 0.02f * s;
	if ((held('s') && shift) || held(KEY_DOWN) || (turn && atedge(BOTTOM)))
		p->pitch -= 0.02f * s;
	if ((held('a') && shift) || held(KEY_LEFT) || (right && atedge(LEFT)))
		p->yaw += 0.02f * s;
	if ((held('d') && shift) || held(KEY_RIGHT) || (right && atedge(RIGHT)))
		p->yaw -= 0.02f * s;
	if (held('q') || (left && atedge(TOP)))
		p->distance -= 1.0f;
	if (held('z') || (left && atedge(BOTTOM)))
		p->distance += 1.0f;
	if (held('e')) {
		p->pitch = 0.0f;
		p->yaw = 0.0f;
	}
}
