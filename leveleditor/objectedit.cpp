#include "leveleditor/objectedit.h"

#include <cmath>
#include <cstring>

#include "editor/planes.h"
#include "platform/input.h"
#include "world/objectphysics.h"

objecteditorstruct objecteditor;

static const float gridsteps[5] = {0.25f, 0.5f, 1.0f, 2.0f, 4.0f};

static objectphysicsstruct *scratch()
{
	return &objectphysics[OBJECTEDITORTYPE];
}

void createeditorbox()
{
	objectphysicsstruct *p = scratch();
	p->mass = 10000.0f;
	for (int k = 0; k < BODYPOINTS; k++) {
		int j = k % 4;
		p->bodypoint[k].x = (j == 1 || j == 2) ? 2.0f : -2.0f;
		p->bodypoint[k].y = k > 3 ? 2.0f : -2.0f;
		p->bodypoint[k].z = j > 1 ? 2.0f : -2.0f;
	}
	for (int k = 0; k < MAXWHEELS; k++) {
		p->wheelposition[k] = p->bodypoint[k];
		p->wheelposition[k].z *= 0.75f;
		p->steerwheel[k] = k < 2;
	}
	for (int k = 0; k < OBJECTPHYSICSEXTRA; k++)
		p->extra[k] = 1.0f;
}

// A wheel count from a file or the "AddWheels" item, kept within the four
// wheel records.
static int wheelcount()
{
	int n = scratch()->numofwheels;
	return n < 0 ? 0 : n > MAXWHEELS ? MAXWHEELS : n;
}

void setsteerwheels()
{
	for (int k = 0; k < wheelcount(); k++) {
		if (objecteditor.selected[k])
			scratch()->steerwheel[k] = 1;
		objecteditor.selected[k] = 0;
	}
}

static void setview(int n, const char *name, int x, int y, int perspective, vector3 offset,
	const vector3 *turnaxis, float angle)
{
	editorwindowstruct *w = &editorwindow[n];
	w->mouseover = 0;
	copystring(w->name, name, sizeof w->name);
	w->x = x;
	w->y = y;
	w->width = 192;
	w->height = 192;
	w->perspective = perspective;
	w->offset = offset;
	resetorientation(&w->axis);
	if (turnaxis)
		rotateorientation(&w->axis, turnaxis, angle);
	w->distance = 2.0f * vectorlength(&w->offset);
}

void resetobjecteditor()
{
	createeditorbox();
	objecteditor.mode = OBJECTMODE_POINT;
	objecteditor.objectnum = 0;
	objecteditor.gridchoice = 1;
	objecteditor.gridsize = 0.5f;
	const vector3 xaxis = {1.0f, 0.0f, 0.0f};
	const vector3 yaxis = {0.0f, 1.0f, 0.0f};
	numofeditorwindows = 0;
	setview(0, "Top", 16, 48, 0, {0.0f, 4.0f, 0.0f}, &xaxis, 1.5707964f);
	setview(1, "Back", 256, 48, 0, {0.0f, 0.0f, 4.0f}, nullptr, 0.0f);
	setview(2, "Right", 16, 272, 0, {4.0f, 0.0f, 0.0f}, &yaxis, -1.5707964f);
	setview(3, "Perspective", 256, 272, 1, {0.0f, 0.0f, 8.0f}, nullptr, 0.0f);
	numofeditorwindows = OBJECTEDITORVIEWS;
}

void followgrid()
{
	int choice = objecteditor.gridchoice;
	if (choice >= 0 && choice < 5)
		objecteditor.gridsize = gridsteps[choice];
	float g = objecteditor.gridsize;
	editorwindow[0].offset.y = 8.0f * g;
	editorwindow[1].offset.z = 8.0f * g;
	editorwindow[2].offset.x = 8.0f * g;
	scalevector(&editorwindow[3].offset, &editorwindow[3].axis.v[2], 16.0f * g);
	for (int n = 0; n < OBJECTEDITORVIEWS; n++)
		editorwindow[n].distance = 2.0f * vectorlength(&editorwindow[n].offset);
}

int objecteditoritems(vector3 **items)
{
	if (objecteditor.mode == OBJECTMODE_POINT) {
		*items = scratch()->bodypoint;
		return BODYPOINTS;
	}
	if (objecteditor.mode == OBJECTMODE_WHEEL) {
		*items = scratch()->wheelposition;
		return wheelcount();
	}
	*items = nullptr;
	return 0;
}

int objectnumallowed(int type)
{
	return type >= 0 && type <= LASTEDITABLETYPE;
}

int loadobjecteditor()
{
	int type = objecteditor.objectnum;
	if (!objectnumallowed(type))
		return 0;
	// A type without a readable file would hand the editor zeros (or a stale
	// entry) in place of the box being edited; that work is kept instead.
	if (!loadobjectphysics(type))
		return 0;
	*scratch() = objectphysics[type];
	return 1;
}

int saveobjecteditor()
{
	int type = objecteditor.objectnum;
	if (!objectnumallowed(type))
		return 0;
	objectphysics[type] = *scratch();
	updateobjectsize(type);
	return saveobjectphysics(type);
}

void selectitems(int count, const vector3 *items, int *selected, const vector3 *a,
	const vector3 *b, float radius, int add)
{
	if (!add) {
		for (int k = 0; k < count; k++)
			selected[k] = 0;
	}
	for (int k = 0; k < count; k++) {
		if (pointintersectline(&items[k], a, b, radius))
			selected[k] = 1;
	}
}

void moveselecteditems(int count, vector3 *items, const int *selected, const vector3 *delta)
{
	for (int k = 0; k < count; k++) {
		if (selected[k])
			addvectors(&items[k], &items[k], delta);
	}
}

void snapselecteditems(int count, vector3 *items, const int *selected, float step)
{
	for (int k = 0; k < count; k++) {
		if (!selected[k])
			continue;
		items[k].x = roundnumber(items[k].x, step);
		items[k].y = roundnumber(items[k].y, step);
		items[k].z = roundnumber(items[k].z, step);
	}
}

// The segment through the point under the pointer: along the view axis in
// an orthographic view, from the eye through the pointer in the perspective one.
static void pointersegment(const editorwindowstruct *w, const float m[2], vector3 *a, vector3 *b)
{
	const orientation *o = &w->axis;
	vector3 dir;
	scalevector(&dir, &o->v[0], m[0]);
	scaleaddvectors(&dir, &dir, &o->v[1], m[1]);
	subtractvectors(&dir, &dir, &o->v[2]);
	vector3 q;
	scaleaddvectors(&q, &w->offset, &dir, w->distance);
	if (w->perspective) {
		*a = q;
		*b = w->offset;
		return;
	}
	scaleaddvectors(a, &q, &o->v[2], -w->distance);
	scaleaddvectors(b, a, &o->v[2], 4.0f * w->distance);
}

static void dragview(editorwindowstruct *w, int count, vector3 *items, const int *selected)
{
	float dx = (float)(mouse.x - prevmouse.x);
	float dy = (float)(mouse.y - prevmouse.y);
	if (!w->perspective) {
		float u = 2.0f * dx * w->distance / (float)w->width;
		float v = -2.0f * dy * w->distance / (float)w->height;
		vector3 delta;
		scalevector(&delta, &w->axis.v[0], u);
		scaleaddvectors(&delta, &delta, &w->axis.v[1], v);
		moveselecteditems(count, items, selected, &delta);
		return;
	}
	vector3 up = w->axis.v[1];
	rotateorientation(&w->axis, &up, -2.0f * dx / (float)w->width);
	vector3 right = w->axis.v[0];
	rotateorientation(&w->axis, &right, -2.0f * dy / (float)w->height);
	scalevector(&w->offset, &w->axis.v[2], vectorlength(&w->offset));
}

void checkeditorwindows(int count, vector3 *items, int *selected)
{
	if (count > OBJECTEDITORFLAGS)
		count = OBJECTEDITORFLAGS;
	int views = numofeditorwindows < MAXEDITORWINDOWS ? numofeditorwindows : MAXEDITORWINDOWS;
	int leftpressed = mouse.leftbutton && !prevmouse.leftbutton;
	int rightpressed = mouse.rightbutton && !prevmouse.rightbutton;
	float m[2];
	if (leftpressed || rightpressed) {
		for (int n = 0; n < views; n++)
			editorwindow[n].mouseover = mouseovereditorwindow(n, m);
	}
	float g = objecteditor.gridsize;
	int shift = keyboard[KEY_LSHIFT];
	for (int n = 0; n < views; n++) {
		editorwindowstruct *w = &editorwindow[n];
		if (!w->mouseover)
			continue;
		if (leftpressed && mouseovereditorwindow(n, m)) {
			vector3 a, b;
			pointersegment(w, m, &a, &b);
			selectitems(count, items, selected, &a, &b, 2.0f * g, shift);
		}
		if (mouse.rightbutton && w->width > 0 && w->height > 0)
			dragview(w, count, items, selected);
	}
	if (mouse.rightreleased)
		snapselecteditems(count, items, selected, g);
}
