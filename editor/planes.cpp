#include "editor/planes.h"

#include <cstring>

#include "editor/editor.h"
#include "platform/input.h"
#include "world/simulation.h"

editorwindowstruct editorwindow[MAXEDITORWINDOWS];
int numofeditorwindows;

void setupeditorwindow()
{
	editorwindowstruct *w = &editorwindow[0];
	memset(w, 0, sizeof(*w));
	w->x = 0;
	w->y = 20;
	w->width = 512;
	w->height = 440;
	w->perspective = 1;
	numofeditorwindows = 1;
}

int mouseovereditorwindow(int window, float out[2])
{
	if (window < 0 || window >= MAXEDITORWINDOWS)
		return 0;
	const editorwindowstruct *w = &editorwindow[window];
	if (mouse.x < w->x + WINDOWMARGIN || mouse.x >= w->x + w->width || mouse.y < w->y ||
		mouse.y >= w->y + w->height)
		return 0;
	int hw = w->width / 2;
	int hh = w->height / 2;
	if (hw == 0)
		return 0;
	// Both divided by half the width: the view's horizontal angle is 90
	// degrees, so this is the ray direction in view units.
	out[0] = (float)(mouse.x - (w->x + hw)) / (float)hw;
	out[1] = (float)((w->y + hh) - mouse.y) / (float)hw;
	return 1;
}

// Moves the editing plane and the camera target by dz unless Ctrl is held;
// the mirror plane moves with it under Shift or Ctrl, else against it. The
// camera's target shift (also used by the quake) moves x and z only.
static void moveplanes(float dz)
{
	int shift = keyboard[KEY_LSHIFT];
	int ctrl = keyboard[KEY_LCTRL];
	if (!ctrl) {
		editor.planepoint.z += dz;
		vector3 follow = {0.0f, 0.0f, dz};
		shakecameratarget(&follow);
	}
	if (shift || ctrl)
		editor.mirrorplanez += dz;
	else
		editor.mirrorplanez -= dz;
}

void moveplaneforward()
{
	moveplanes(-editor.gridsize);
}

void moveplanebackward()
{
	moveplanes(editor.gridsize);
}
