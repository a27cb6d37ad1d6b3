// The level editor's 3D frame: the lit landscape, the vehicle placements
// with their cars or the props, the selected route, and the level grid.
#include <GL/gl.h>
#include <cmath>

#include "editor/editor.h"
#include "editor/editordraw.h"
#include "leveleditor/leveleditor.h"
#include "leveleditor/levelmenus.h"
#include "platform/texture.h"
#include "render/bridgedraw.h"
#include "render/camera.h"
#include "render/landscapedraw.h"
#include "render/renderframe.h"
#include "world/level.h"
#include "world/model.h"
#include "world/objectphysics.h"

constexpr float CARSPACING = 12.0f;
constexpr int GRIDLINES = 100;
constexpr float GRIDSPAN = 500.0f;

static void drawmodel(const modelstruct *m, const vector3 *position, const orientation *axes)
{
	renderobject(position, axes, m->numofvertices, m->vertex, m->vertexnormal,
		m->vertextexcoord, m->numofpolygons, m->polygon, m->polygonnormal, m->polygontexcoord);
}

// A vehicle or car of type at p, its body lifted clear of the ground. Types
// a damaged level names beyond the model table are not drawn.
static void drawvehicle(int type, const vector3 *p, const orientation *axes)
{
	if (type < 0 || type >= MAXMODELS || TEX_OBJECTMODEL + type >= MAXTEXTURES)
		return;
	glBindTexture(GL_TEXTURE_2D, texture[TEX_OBJECTMODEL + type].glname);
	vector3 raised = *p;
	if (type < MAXOBJECTTYPES)
		raised.y += objectsize[type].clearance;
	drawmodel(&objectmodel[type], &raised, axes);
}

static void drawplacement(const levelobjectstruct *lo)
{
	drawvehicle(lo->type, &lo->position, &lo->orientation);
	vector3 p = lo->position;
	int cars = lo->numofcars < MAXCARS ? lo->numofcars : MAXCARS;
	for (int j = 0; j < cars; j++) {
		scaleaddvectors(&p, &p, &lo->orientation.v[2], CARSPACING);
		drawvehicle(lo->cartype[j], &p, &lo->orientation);
	}
}

static void drawplacements()
{
	int count = level.numoflevelobjects < MAXLEVELOBJECTS ? level.numoflevelobjects : MAXLEVELOBJECTS;
	for (int i = 0; i < count; i++) {
		int selected = i == leveleditor.selectedobject;
		if (selected)
			glDisable(GL_LIGHTING);
		drawplacement(&level.levelobject[i]);
		if (selected) {
			renderobjectwaypoints(i);
			glEnable(GL_LIGHTING);
		}
	}
}

static void drawprops()
{
	int count = level.numofprops < MAXPROPS ? level.numofprops : MAXPROPS;
	for (int i = 0; i < count; i++) {
		const propstruct *p = &level.prop[i];
		if (p->model < 0 || p->model >= MAXPROPMODELS)
			continue;  // its model file was missing
		int selected = i == leveleditor.selectedprop;
		if (selected)
			glDisable(GL_LIGHTING);
		glBindTexture(GL_TEXTURE_2D, texture[TEX_PROPMODEL + p->model].glname);
		drawmodel(&propmodel[p->model], &p->position, &p->orientation);
		if (selected)
			glEnable(GL_LIGHTING);
	}
}

static void setupsunlight()
{
	vector3 d = {sinf(sunangle) * sinf(sunangle2), cosf(sunangle), sinf(sunangle) * cosf(sunangle2)};
	vector3 n;
	normalizevector(&n, &d);
	sundirection[0] = n.x;
	sundirection[1] = n.y;
	sundirection[2] = n.z;
	lightstruct *l = &light[0];
	for (int k = 0; k < 4; k++) {
		l->ambient[k] = 1.0f;
		l->diffuse[k] = 1.0f;
		l->specular[k] = 0.0f;
	}
	l->position[0] = n.x;
	l->position[1] = n.y;
	l->position[2] = n.z;
	l->position[3] = 0.0f;
}

void renderframelevel()
{
	glEnable(GL_TEXTURE_2D);
	glEnable(GL_BLEND);
	glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
	glEnable(GL_DEPTH_TEST);
	glDepthFunc(GL_LEQUAL);
	setupsunlight();
	setuplandscaperender();
	glLightfv(GL_LIGHT1, GL_AMBIENT, light[0].ambient);
	glLightfv(GL_LIGHT1, GL_DIFFUSE, light[0].diffuse);
	glLightfv(GL_LIGHT1, GL_SPECULAR, light[0].specular);
	glLightfv(GL_LIGHT1, GL_POSITION, light[0].position);
	glEnable(GL_LIGHT1);
	glEnable(GL_LIGHTING);
	renderlandscape();
	if (leveleditor.mode == LEVELMODE_OBJECTS)
		drawplacements();
	if (leveleditor.mode == LEVELMODE_PROPS)
		drawprops();
	glDisable(GL_LIGHTING);
}

// Every fourth line brighter, every sixteenth brighter still, and the
// lines on multiples of 256 cells white.
static void gridlinecolor(float coordinate)
{
	int k = (int)(coordinate / 5.0f);
	float grey = 0.5f, alpha = 0.5f;
	if (k % 4 == 0)
		grey = 0.75f;
	if (k % 16 == 0) {
		grey = 0.85f;
		alpha = 0.65f;
	}
	if ((k & 255) == 0) {
		grey = 1.0f;
		alpha = 0.75f;
	}
	glColor4f(grey, grey, grey, alpha);
}

void rendergridlevel()
{
	float g = editor.gridsize;
	if (!(g > 0.0f))
		return;
	glDisable(GL_TEXTURE_2D);
	glDepthMask(GL_FALSE);
	float ox = roundnumber(frame.position.x - 250.0f, g);
	float oy = roundnumber(leveleditor.cursor.y, g) + 0.25f;
	float oz = roundnumber(frame.position.z - 250.0f, g);
	glBegin(GL_LINES);
	for (int i = 0; i < GRIDLINES; i++) {
		float z = oz + (float)i * g;
		gridlinecolor(z);
		glVertex3f(ox, oy, z);
		glVertex3f(ox + GRIDSPAN, oy, z);
	}
	for (int i = 0; i < GRIDLINES; i++) {
		float x = ox + (float)i * g;
		gridlinecolor(x);
		glVertex3f(x, oy, oz);
		glVertex3f(x, oy, oz + GRIDSPAN);
	}
	glEnd();
	glDepthMask(GL_TRUE);
	glEnable(GL_TEXTURE_2D);
}

void renderobjectwaypoints(int placement)
{
	if (placement < 0 || placement >= level.numoflevelobjects || placement >= MAXLEVELOBJECTS)
		return;
	const levelobjectstruct *lo = &level.levelobject[placement];
	int n = lo->numofwaypoints < MAXWAYPOINTS ? lo->numofwaypoints : MAXWAYPOINTS;
	glDisable(GL_TEXTURE_2D);
	orientation axes;
	resetorientation(&axes);
	// The route's start is where the vehicle stands; only the points it
	// drives to get a marker.
	for (int w = 1; w < n; w++) {
		glColor4f(0.75f, 0.75f, 0.75f, 1.0f);
		renderobject(&lo->waypoint[w], &axes, mesh.numofvertices, &mesh.vertex[0][0], nullptr,
			nullptr, mesh.numofpolygons, &mesh.polygon[0][0], nullptr, nullptr);
	}
	glBegin(GL_LINES);
	for (int w = 0; w + 1 < n; w++) {
		glVertex3f(lo->waypoint[w].x, lo->waypoint[w].y, lo->waypoint[w].z);
		glVertex3f(lo->waypoint[w + 1].x, lo->waypoint[w + 1].y, lo->waypoint[w + 1].z);
	}
	glEnd();
	glEnable(GL_TEXTURE_2D);
}
