// One 3D frame: sky, sun, the scene with its shadow volumes, the mirrored
// scene in the water, the water layers and the effects. Between passes the
// state is: texturing on, alpha blending, depth test GL_LEQUAL, lighting
// and stencil off.
#include "render/renderframe.h"

#include <GL/gl.h>
#include <cmath>

#include "platform/texture.h"
#include "platform/viewport.h"
#include "render/bridgedraw.h"
#include "render/camera.h"
#include "render/effects.h"
#include "render/landscapedraw.h"
#include "render/shadow.h"
#include "render/water.h"
#include "world/level.h"
#include "world/model.h"
#include "world/particle.h"
#include "world/simulation.h"
#include "world/vehicle.h"

renderoptionsstruct renderoptions;
lightstruct light[MAXLIGHTS];
int numoflights;
float lightzero[4];
float material[13];
float sundirection[3];
float suncolor[4];
float skycolor[4];
float sunangle = 0.5f;
float sunangle2 = 3.14159265f;
int reflectionpass;
int stencilbits = 8;

// The switches as this frame uses them: shadows need lighting, and both
// stencil effects need an 8-bit stencil buffer.
static int useshadows;
static int usereflections;

void setuprender()
{
	GLint bits = 0;
	glGetIntegerv(GL_STENCIL_BITS, &bits);
	stencilbits = bits;
}

void setupsun()
{
	float a = sunangle, b = sunangle2;
	vector3 d = {sinf(a) * sinf(b), cosf(a), sinf(a) * cosf(b)};
	vector3 n;
	normalizevector(&n, &d);
	sundirection[0] = n.x;
	sundirection[1] = n.y;
	sundirection[2] = n.z;
	float g = 0.1f * n.y + 0.9f;
	g = g * g * g * g;
	suncolor[0] = 1.0f;
	suncolor[1] = g;
	suncolor[2] = g;
	suncolor[3] = 1.0f;
	skycolor[0] = 0.7f * 0.75f * suncolor[0];
	skycolor[1] = 0.75f * 0.75f * suncolor[1];
	skycolor[2] = 0.75f * suncolor[2];
	skycolor[3] = 1.0f;
	if (n.y < 0.3f)
		for (int k = 0; k < 3; k++)
			skycolor[k] *= n.y / 0.3f;
}

static void setuplight()
{
	lightstruct *l = &light[0];
	for (int k = 0; k < 4; k++) {
		l->specular[k] = 0.0f;
		if (sundirection[1] > 0.0f) {
			l->ambient[k] = k < 3 ? suncolor[k] : 1.0f;
			l->diffuse[k] = k < 3 ? suncolor[k] : 1.0f;
		} else {
			l->ambient[k] = k < 3 ? 0.5f : 1.0f;
			l->diffuse[k] = 0.0f;
		}
	}
	l->position[0] = sundirection[0];
	l->position[1] = sundirection[1];
	l->position[2] = sundirection[2];
	l->position[3] = 0.0f;
	glLightfv(GL_LIGHT1, GL_POSITION, l->position);

	static const float value[13] = {0.3f, 0.3f, 0.3f, 1, 0.8f, 0.8f, 0.8f, 1, 0.8f, 0.8f, 0.8f,
		1, 16};
	for (int k = 0; k < 13; k++)
		material[k] = value[k];
	glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, &material[0]);
	glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, &material[4]);
	glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, &material[8]);
	glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, material[12]);
}

static void setlightcolors(const float *ambient, const float *diffuse, const float *specular)
{
	glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
	glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
	glLightfv(GL_LIGHT1, GL_SPECULAR, specular);
}

static int validobjecttype(int type)
{
	return type >= 0 && type < MAXMODELS && TEX_OBJECTMODEL + type < MAXTEXTURES;
}

static int validpropmodel(int model)
{
	return model >= 0 && model < MAXPROPMODELS;
}

static void drawmodel(const modelstruct *m, const vector3 *position, const orientation *axes)
{
	renderobject(position, axes, m->numofvertices, m->vertex, m->vertexnormal,
		m->vertextexcoord, m->numofpolygons, m->polygon, m->polygonnormal, m->polygontexcoord);
}

static void bindtexture(int slot)
{
	glBindTexture(GL_TEXTURE_2D, texture[slot].glname);
}

static void renderwheels(const objectstruct *o)
{
	int model = o->type < FIRSTROADTYPE ? MODELWHEEL : MODELTIRE;
	bindtexture(TEX_OBJECTMODEL + model);
	const orientation *a = &o->orientation;
	int wheels = o->numofwheels < MAXWHEELS ? o->numofwheels : MAXWHEELS;
	for (int w = 0; w < wheels; w++) {
		vector3 p = o->wheelposition[w];
		float kx, ky, kz;
		if (o->type == 20) {
			kx = 1.1f * p.x, ky = 0.7f * p.y, kz = p.z;
		} else if (o->type >= FIRSTROADTYPE) {
			kx = p.x, ky = 0.6f * p.y, kz = 0.8f * p.z;
		} else {
			kx = 0.4f * p.x, ky = 0.8f * p.y, kz = p.z > 0.0f ? 1.1f * p.z : p.z;
		}
		vector3 centre;
		scaleaddvectors(&centre, &o->position, &a->v[0], kx);
		scaleaddvectors(&centre, &centre, &a->v[1], ky);
		scaleaddvectors(&centre, &centre, &a->v[2], kz);
		orientation axes = *a;
		rotateorientation(&axes, &a->v[0], o->wheelangle[w]);
		drawmodel(&objectmodel[model], &centre, &axes);
		if (o->type < FIRSTROADTYPE) {
			scaleaddvectors(&centre, &centre, &a->v[2], -0.25f * p.z);
			drawmodel(&objectmodel[model], &centre, &axes);
		}
	}
}

static void renderobjects()
{
	for (int n = 0; n < numofobjects; n++) {
		const objectstruct *o = &object[n];
		if (n == sim.followobject && sim.cameramode == 0 && !reflectionpass)
			continue;
		if (!validobjecttype(o->type))
			continue;
		bindtexture(TEX_OBJECTMODEL + o->type);
		drawmodel(&objectmodel[o->type], &o->position, &o->orientation);
		if (o->type < FIRSTBOATTYPE)
			renderwheels(o);
	}
}

static void renderprops()
{
	for (int n = 0; n < level.numofprops && n < MAXPROPS; n++) {
		const propstruct *p = &level.prop[n];
		if (!validpropmodel(p->model))
			continue;
		bindtexture(TEX_PROPMODEL + p->model);
		drawmodel(&propmodel[p->model], &p->position, &p->orientation);
	}
}

static void renderscenelist()
{
	renderlandscape();
	if (!renderoptions.showstress)
		renderbonds();
	rendercdquads();
	renderobjects();
	renderprops();
	if (!reflectionpass) {
		rendertracks();
		rendercdquadtracks();
	}
}

static void rendermodelshadow(const modelstruct *m, const vector3 *position,
	const orientation *axes)
{
	renderobjectshadow(position, axes, m->numofvertices, m->vertex, m->vertexnormal,
		m->vertextexcoord, m->numofpolygons, m->polygon, m->polygonnormal, m->polygontexcoord);
}

static void rendervolumes()
{
	renderlandscapeshadow();
	if (!renderoptions.showstress)
		renderbondsshadow();
	rendercdquadsshadow();
	for (int n = 0; n < numofobjects; n++)
		if (validobjecttype(object[n].type))
			rendermodelshadow(&objectmodel[object[n].type], &object[n].position,
				&object[n].orientation);
	for (int n = 0; n < level.numofprops && n < MAXPROPS; n++) {
		const propstruct *p = &level.prop[n];
		if (validpropmodel(p->model))
			rendermodelshadow(&propmodel[p->model], &p->position, &p->orientation);
	}
}

// Hands what has been sent so far to the renderer. A software renderer
// then draws it on its own threads while this one goes on sending the rest
// of the frame; otherwise it would start only at the buffer swap. Nothing
// drawn changes.
static void startdrawing()
{
	glFlush();
}

// Ambient-only scene, then the volumes counted into the stencil; afterwards
// only pixels with a count of 0 pass for the lit scene.
static void rendershadowpass()
{
	int mirrored = reflectionpass && usereflections;
	setlightcolors(light[0].ambient, lightzero, lightzero);
	glEnable(GL_LIGHT1);
	glEnable(GL_LIGHTING);
	renderscenelist();
	if (mirrored)
		glDisable(GL_CLIP_PLANE0);
	glDisable(GL_LIGHTING);
	glDisable(GL_TEXTURE_2D);
	glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
	if (!usereflections)
		renderwater();

	glDepthMask(GL_FALSE);
	glCullFace(GL_BACK);
	glEnable(GL_CULL_FACE);
	glStencilMask(255);
	glStencilFunc(GL_ALWAYS, 1, 255);
	glEnable(GL_STENCIL_TEST);
	glFrontFace(reflectionpass ? GL_CW : GL_CCW);
	glDepthFunc(GL_GEQUAL);
	glStencilOp(GL_KEEP, GL_KEEP, GL_INCR);
	// The volumes are given in world coordinates; under the mirror the
	// camera sees them from its mirror image, and the reversed front face
	// makes the same faces front faces.
	vector3 eye = frame.position;
	if (reflectionpass)
		eye.y = 2.0f * level.waterlevel - eye.y;
	setshadowfaces(1, &eye);
	rendervolumes();
	startdrawing();
	glFrontFace(reflectionpass ? GL_CCW : GL_CW);
	glStencilOp(GL_KEEP, GL_KEEP, GL_DECR);
	setshadowfaces(-1, &eye);
	rendervolumes();
	startdrawing();
	setshadowfaces(0, nullptr);
	if (mirrored)
		glEnable(GL_CLIP_PLANE0);

	glDepthFunc(GL_LEQUAL);
	glDisable(GL_CULL_FACE);
	glFrontFace(GL_CCW);
	glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
	glDepthMask(GL_TRUE);
	glEnable(GL_TEXTURE_2D);
	glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
	glStencilFunc(GL_EQUAL, 0, 255);
	glEnable(GL_STENCIL_TEST);
}

void renderscene()
{
	int lighting = renderoptions.lighting;
	int shadowed = lighting && useshadows;
	if (shadowed)
		rendershadowpass();
	if (lighting) {
		setlightcolors(light[0].ambient, light[0].diffuse, light[0].specular);
		glEnable(GL_LIGHT1);
		glEnable(GL_LIGHTING);
	}
	glColor4f(1, 1, 1, 1);
	renderscenelist();
	if (lighting) {
		if (useshadows && !reflectionpass)
			glDisable(GL_STENCIL_TEST);
		glDisable(GL_LIGHTING);
	}
	if (renderoptions.showstress)
		renderbondsstress();
	if (renderoptions.showparticles)
		renderparticles();
	if (!usereflections) {
		if (lighting)
			glEnable(GL_LIGHTING);
		if (shadowed && !reflectionpass)
			glEnable(GL_STENCIL_TEST);
		renderwater();
		renderwaterwave();
		if (useshadows) {
			// The water in shadow again, lit by the ambient light only.
			glStencilFunc(GL_NOTEQUAL, 0, 255);
			setlightcolors(light[0].ambient, lightzero, lightzero);
			renderwater();
			renderwaterwave();
		}
		if (lighting)
			glDisable(GL_LIGHTING);
		if (shadowed && !reflectionpass)
			glDisable(GL_STENCIL_TEST);
	}
}

static void renderskybackdrop()
{
	glDisable(GL_TEXTURE_2D);
	glDepthMask(GL_FALSE);
	glColor4fv(skycolor);
	glBegin(GL_QUADS);
	glVertex3f(-1, 1, -1);
	glVertex3f(1, 1, -1);
	glVertex3f(1, -1, -1);
	glVertex3f(-1, -1, -1);
	glEnd();
	glDepthMask(GL_TRUE);
	glEnable(GL_TEXTURE_2D);
}

// The sky as seen in the water: a far quad ahead of the camera whose
// corners the mirror brings back to their place.
static void rendermirroredsky()
{
	const vector3 *right = &frame.axes.v[0], *up = &frame.axes.v[1];
	vector3 centre;
	scaleaddvectors(&centre, &frame.position, &frame.axes.v[2], -2560.0f);
	static const float corner[4][2] = {{-1, 1}, {1, 1}, {1, -1}, {-1, -1}};
	glDisable(GL_TEXTURE_2D);
	glDepthFunc(GL_ALWAYS);
	glColor4fv(skycolor);
	glBegin(GL_QUADS);
	for (int k = 0; k < 4; k++) {
		vector3 p;
		scaleaddvectors(&p, &centre, right, 2560.0f * corner[k][0]);
		scaleaddvectors(&p, &p, up, 2560.0f * corner[k][1]);
		p.y = 2.0f * level.waterlevel - p.y;
		glVertex3fv(&p.x);
	}
	glEnd();
	glDepthFunc(GL_LEQUAL);
	glEnable(GL_TEXTURE_2D);
}

static void renderreflection()
{
	// Mark the visible water with 0 in a stencil cleared to 128.
	glStencilMask(255);
	glClearStencil(128);
	glClear(GL_STENCIL_BUFFER_BIT);
	glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
	glStencilFunc(GL_ALWAYS, 0, 255);
	glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
	glEnable(GL_STENCIL_TEST);
	renderwater();

	glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
	glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
	glStencilFunc(GL_EQUAL, 0, 255);
	glEnable(GL_STENCIL_TEST);

	float mirroredsun[4] = {sundirection[0], -sundirection[1], sundirection[2], 0.0f};
	glLightfv(GL_LIGHT1, GL_POSITION, mirroredsun);

	// Only what lies at or below the water passes, which under the mirror
	// is what stands above it.
	static const double plane[4] = {0, -1, 0, 0};
	glPushMatrix();
	glTranslatef(0, level.waterlevel, 0);
	glClipPlane(GL_CLIP_PLANE0, plane);
	glPopMatrix();

	glPushMatrix();
	vector3 offset = {0, 2.0f * level.waterlevel, 0};
	orientation mirror;
	resetorientation(&mirror);
	mirror.v[1].y = -1.0f;
	setupobjectrender(&offset, &mirror);
	rendermirroredsky();
	glEnable(GL_CLIP_PLANE0);
	reflectionpass = 1;
	renderscene();
	rendersprites();
	if (sundirection[1] < 0.0f)
		renderparticlelights();
	glDisable(GL_CLIP_PLANE0);
	glPopMatrix();
	reflectionpass = 0;

	if (renderoptions.lighting) {
		glLightfv(GL_LIGHT1, GL_POSITION, light[0].position);
		setlightcolors(light[0].ambient, light[0].diffuse, light[0].specular);
		glEnable(GL_LIGHTING);
	}
	glEnable(GL_STENCIL_TEST);
	glStencilFunc(GL_EQUAL, 0, 255);
	glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
	glDisable(GL_DEPTH_TEST);
	renderwater();
	renderwaterwave();
	glEnable(GL_DEPTH_TEST);
	glDisable(GL_STENCIL_TEST);
	if (renderoptions.lighting)
		glDisable(GL_LIGHTING);
}

void renderframe()
{
	int stencilok = stencilbits >= 8;
	useshadows = renderoptions.shadows && stencilok;
	usereflections = renderoptions.reflections && stencilok;

	glEnable(GL_TEXTURE_2D);
	glEnable(GL_BLEND);
	glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
	glEnable(GL_DEPTH_TEST);
	glDepthFunc(GL_LEQUAL);
	glDisable(GL_STENCIL_TEST);

	setupsun();
	renderskybackdrop();
	setupviewpoint(&frame.position, &frame.axes);
	setuplandscaperender();
	rendersky();
	if (renderoptions.lighting)
		setuplight();

	reflectionpass = 0;
	renderscene();
	startdrawing();

	if (usereflections) {
		if (frame.position.y >= level.waterlevel) {
			renderreflection();
		} else {
			renderwater();
			renderwaterwave();
		}
	}

	renderwaterspecular();
	rendersprites();
	if (sundirection[1] < 0.0f)
		renderparticlelights();
}
