// The object editor screen: a vehicle type's body corners and wheels in
// three orthographic views and one orbiting view, and its mass, drive
// acceleration and top speed as numbers.
#include <GL/gl.h>

#include "editor/planes.h"
#include "leveleditor/levelmenus.h"
#include "leveleditor/objectedit.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "platform/viewport.h"
#include "render/bridgedraw.h"
#include "render/menuscreen.h"
#include "world/model.h"
#include "world/objectphysics.h"

constexpr int KEY_ESCAPE = 27, KEY_F1 = 282, KEY_F2 = 283, KEY_F3 = 284;
constexpr int GRIDHALF = 32;

static void createitems()
{
	objecteditorstruct *e = &objecteditor;
	objectphysicsstruct *p = &objectphysics[OBJECTEDITORTYPE];
	numofmenuitems = 0;
	whiteitem("Exit", 4, 4, 16, KEY_ESCAPE);
	whiteitem("Load", 464, 160, 16, 'l');
	whiteitem("Save", 464, 176, 16, 's');
	whiteitem("Objectnum", 464, 192, 16, 'o');
	setmenuitem(MENUSET_INTBOX, &e->objectnum);
	whiteitem("Load Model", 464, 424, 16, 'm');
	setmenuitem(MENUSET_CALLBACK, loadmodeleditor);
	whiteitem("Filename     ", 464, 400, 12, 'f');
	setmenuitem(MENUSET_STRINGBOX, e->modelname, NAMESIZE);
	whiteitem("Point", 160, 4, 16, KEY_F1);
	setmenuitem(MENUSET_SETITEM, &e->mode, OBJECTMODE_POINT);
	whiteitem("Wheel", 320, 4, 16, KEY_F2);
	setmenuitem(MENUSET_SETITEM, &e->mode, OBJECTMODE_WHEEL);
	whiteitem("Data", 480, 4, 16, KEY_F3);
	setmenuitem(MENUSET_SETITEM, &e->mode, OBJECTMODE_DATA);
	if (e->mode == OBJECTMODE_WHEEL) {
		whiteitem("AddWheels", 464, 64, 16, 0);
		setmenuitem(MENUSET_SETITEM, &p->numofwheels, MAXWHEELS);
		whiteitem("Steer", 464, 80, 16, 0);
		setmenuitem(MENUSET_CALLBACK, setsteerwheels);
	}
	if (e->mode == OBJECTMODE_POINT || e->mode == OBJECTMODE_WHEEL) {
		const char *labels[5] = {"Grid Small", "Grid Med", "Grid Large", "Grid XLarge",
			"Grid XXLrge"};
		for (int i = 0; i < 5; i++) {
			whiteitem(labels[i], 464, 256 + 16 * i, 16, '1' + i);
			setmenuitem(MENUSET_SETITEM, &e->gridchoice, i);
		}
	}
	if (e->mode == OBJECTMODE_DATA) {
		whiteitem("Mass        ", 0, 64, 16, 0);
		setmenuitem(MENUSET_FLOATBOX, &p->mass);
		whiteitem("Acceleration", 0, 96, 16, 0);
		setmenuitem(MENUSET_FLOATBOX, &p->acceleration);
		whiteitem("Max Speed   ", 0, 128, 16, 0);
		setmenuitem(MENUSET_FLOATBOX, &p->maxspeed);
	}
}

void loadmodeleditor()
{
	loadobjectmodel(0, objecteditor.modelname);
}

static void drawviewbackground(const editorwindowstruct *w)
{
	int r[4];
	mapviewport(r, w->x, w->y, w->width, w->height, windowinfo.width, windowinfo.height);
	glViewport(r[0], r[1], r[2], r[3]);
	glMatrixMode(GL_PROJECTION);
	glLoadIdentity();
	glFrustum(-1.0, 1.0, -1.0, 1.0, 1.0, 100.0);
	glMatrixMode(GL_MODELVIEW);
	glLoadIdentity();
	float grey = w->mouseover ? 0.125f : 0.1f;
	glColor4f(grey, grey, grey, 1.0f);
	glBegin(GL_QUADS);
	glVertex3f(-1.0f, -1.0f, -1.0f);
	glVertex3f(1.0f, -1.0f, -1.0f);
	glVertex3f(1.0f, 1.0f, -1.0f);
	glVertex3f(-1.0f, 1.0f, -1.0f);
	glEnd();
}

static void drawgrid(float g)
{
	glBegin(GL_LINES);
	float e = GRIDHALF * g;
	for (int i = -GRIDHALF; i <= GRIDHALF; i++) {
		float grey = 0.25f;
		if ((i & 7) == 4)
			grey = 0.5f;
		if (i % 8 == 0)
			grey = 0.35f;
		glColor4f(grey, grey, grey, 1.0f);
		float c = (float)i * g;
		glVertex3f(c, 0.0f, -e);
		glVertex3f(c, 0.0f, e);
		glVertex3f(c, -e, 0.0f);
		glVertex3f(c, e, 0.0f);
		glVertex3f(0.0f, c, -e);
		glVertex3f(0.0f, c, e);
		glVertex3f(-e, c, 0.0f);
		glVertex3f(e, c, 0.0f);
		glVertex3f(0.0f, -e, c);
		glVertex3f(0.0f, e, c);
		glVertex3f(-e, 0.0f, c);
		glVertex3f(e, 0.0f, c);
	}
	glEnd();
}

static void drawitems(int count, const vector3 *items, const int *selected, float g)
{
	glBegin(GL_LINES);
	for (int k = 0; k < count; k++) {
		if (selected[k])
			glColor4f(0.0f, 0.75f, 0.0f, 1.0f);
		else
			glColor4f(0.75f, 0.0f, 0.0f, 1.0f);
		const vector3 *p = &items[k];
		glVertex3f(p->x - g, p->y, p->z);
		glVertex3f(p->x + g, p->y, p->z);
		glVertex3f(p->x, p->y - g, p->z);
		glVertex3f(p->x, p->y + g, p->z);
		glVertex3f(p->x, p->y, p->z - g);
		glVertex3f(p->x, p->y, p->z + g);
	}
	glEnd();
}

static void drawview(const editorwindowstruct *w, int count, const vector3 *items,
	const int *selected)
{
	float g = objecteditor.gridsize;
	if (w->perspective)
		setupperspectiveviewport(w->x, w->y, w->width, w->height, 1.0f, 1000.0f);
	else
		setuporthoviewport(w->x, w->y, w->width, w->height, w->distance, w->distance,
			2.0f * w->distance);
	setupviewpoint(&w->offset, &w->axis);
	drawgrid(g);
	const modelstruct *m = &objectmodel[0];
	glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
	glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
	renderobject(nullptr, nullptr, m->numofvertices, m->vertex, m->vertexnormal,
		m->vertextexcoord, m->numofpolygons, m->polygon, m->polygonnormal, m->polygontexcoord);
	glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
	drawitems(count, items, selected, g);
}

void renderobjecteditorwindows(int count, const vector3 *items, const int *selected)
{
	glDisable(GL_DEPTH_TEST);
	glDisable(GL_TEXTURE_2D);
	for (int n = 0; n < OBJECTEDITORVIEWS; n++)
		drawviewbackground(&editorwindow[n]);
	for (int n = 0; n < OBJECTEDITORVIEWS; n++)
		drawview(&editorwindow[n], count, items, selected);
	glEnable(GL_TEXTURE_2D);
	glEnable(GL_DEPTH_TEST);
}

void editobjects()
{
	resetobjecteditor();
	resetmenuitems();
	while (screenopen()) {
		createitems();
		pollscreenwindowlast();
		if (menuitem[1].active) {
			loadobjecteditor();
			menuitem[1].active = 0;
		}
		if (menuitem[2].active) {
			saveobjecteditor();
			menuitem[2].active = 0;
		}
		followgrid();
		vector3 *items;
		int count = objecteditoritems(&items);
		if (items)
			checkeditorwindows(count, items, objecteditor.selected);
		clearscreen();
		if (items)
			renderobjecteditorwindows(count, items, objecteditor.selected);
		setuptextdisplay();
		finishscreen();
	}
	resetmenuitems();
}
