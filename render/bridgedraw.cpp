// The simulated bridge, the decks with their tracks, and models.
#include "render/bridgedraw.h"

#include <GL/gl.h>
#include <cmath>
#include <cstring>

#include "platform/texture.h"
#include "platform/viewport.h"
#include "render/batch.h"
#include "render/frustum.h"
#include "render/camera.h"
#include "render/renderframe.h"
#include "world/bond.h"
#include "world/cdquad.h"
#include "world/landscape.h"
#include "world/level.h"
#include "world/materials.h"
#include "world/model.h"
#include "world/particle.h"

constexpr int MAXTRACKPIECES = 256;  // far beyond any deck that has not broken

void beamgeometry(vector3 out[8], vector3 normals[8], const vector3 *p1, const vector3 *p2,
	const vector3 *camera, float r)
{
	vector3 d, v, e1, e2, e3, t;
	subtractvectors(&t, p2, p1);
	normalizevector(&d, &t);
	subtractvectors(&v, camera, p1);
	crossproduct(&t, &d, &v);  // v x d
	normalizevector(&e1, &t);
	crossproduct(&t, &d, &e1);  // e1 x d
	normalizevector(&e2, &t);
	if (dotproduct(&e2, &v) < 0.0f)
		negvector(&e2, &e2);
	negvector(&e3, &e1);
	const vector3 *ends[8] = {p1, p2, p2, p1, p1, p2, p2, p1};
	const vector3 *dirs[8] = {&e1, &e1, &e2, &e2, &e2, &e2, &e3, &e3};
	for (int k = 0; k < 8; k++) {
		scaleaddvectors(&out[k], ends[k], dirs[k], r);
		normals[k] = *dirs[k];
	}
}

void stresscolor(float out[3], float stress, int tension)
{
	float s = stress;
	if (!(s >= 0.0f))
		s = 0.0f;
	if (s > 1.0f)
		s = 1.0f;
	out[0] = tension ? 0.0f : s;
	out[1] = 1.0f - s;
	out[2] = tension ? s : 0.0f;
}

int trackcount(float length)
{
	if (!(length >= 0.0f) || length > 5.0f * MAXTRACKPIECES)
		return 0;
	return (int)(length + 2.5f) / 5;
}

float underwaterdim(float y, float waterlevel)
{
	if (y >= waterlevel)
		return 1.0f;
	float b = 1.0f - (waterlevel - y) / 32.0f;
	return b < 0.1f ? 0.1f : b;
}

static int validparticle(int n)
{
	return n >= 0 && n < numofparticles;
}

// Bond ends and type come from the simulation's records; anything out of the
// tables is not drawn.
static int drawablebond(const bondstruct *b)
{
	return validparticle(b->particle1) && validparticle(b->particle2) && b->type >= 0 &&
		b->type < MAXBONDTYPES;
}

// The beam lies within r of the segment between its ends.
static int beamoutside(const vector3 *p1, const vector3 *p2, float r)
{
	vector3 lo = {fminf(p1->x, p2->x) - r, fminf(p1->y, p2->y) - r, fminf(p1->z, p2->z) - r};
	vector3 hi = {fmaxf(p1->x, p2->x) + r, fmaxf(p1->y, p2->y) + r, fmaxf(p1->z, p2->z) + r};
	return boxoutside(&frustum, &lo, &hi);
}

static int internalbond(int type)
{
	return type > 19 && type != BOND_DRAG;
}

// The 1 x 1 colour textures of the bond types, gathered side by side in one
// unfiltered texture, so that a bridge whose neighbouring bonds alternate
// between materials is not drawn one texture switch per bond. Each texel is
// sampled at its centre and gives exactly the colour of its own slot.
constexpr int ATLASTYPES = 32;
constexpr int TEX_BONDCOLORS = TEX_NEARESTFIRST;  // a reserved, unfiltered slot
constexpr int DRAWUNTEXTURED = -2;                // a type whose slot holds no image
constexpr int DRAWATLAS = -1;                     // else: draw with the type's own slot

static int bonddrawkey[ATLASTYPES];

static void refreshbondcolors()
{
	unsigned char texels[ATLASTYPES * 4] = {};
	for (int t = 0; t < ATLASTYPES; t++) {
		const texturestruct *slot = &texture[TEX_MATERIAL + t];
		if (slot->width == 0 || !slot->pixels) {
			bonddrawkey[t] = DRAWUNTEXTURED;
		} else if (slot->width == 1 && slot->height == 1 && !slot->mipmapped) {
			bonddrawkey[t] = DRAWATLAS;
			memcpy(&texels[4 * t], slot->pixels, 4);
		} else {
			bonddrawkey[t] = t;
		}
	}
	const texturestruct *atlas = &texture[TEX_BONDCOLORS];
	if (atlas->width == ATLASTYPES && atlas->height == 1 && atlas->pixels &&
		memcmp(atlas->pixels, texels, sizeof texels) == 0)
		return;
	unsigned char *pixels = allocatetexture(TEX_BONDCOLORS, ATLASTYPES, 1, 0);
	if (pixels) {
		memcpy(pixels, texels, sizeof texels);
		setuptexture(TEX_BONDCOLORS);
	}
}

static int bondkey(int type)
{
	return type < ATLASTYPES ? bonddrawkey[type] : type;
}

// Texture state for a run of bonds with the same key.
static void beginbondrun(int key, int previous)
{
	if (previous == DRAWUNTEXTURED)
		glEnable(GL_TEXTURE_2D);
	if (key == DRAWATLAS) {
		glBindTexture(GL_TEXTURE_2D, texture[TEX_BONDCOLORS].glname);
		beginbatch(GL_QUADS, BATCH_NORMAL | BATCH_TEXCOORD);
		return;
	}
	if (key == DRAWUNTEXTURED)
		glDisable(GL_TEXTURE_2D);
	else
		glBindTexture(GL_TEXTURE_2D, texture[TEX_MATERIAL + key].glname);
	glTexCoord2f(0.5f, 0.5f);
	beginbatch(GL_QUADS, BATCH_NORMAL);
}

void renderbonds()
{
	vector3 camera = frame.position;
	if (reflectionpass)
		camera.y = 2.0f * level.waterlevel - camera.y;
	const int none = -3;
	int key = none;
	vector3 v[8], n[8];
	refreshbondcolors();
	setupfrustum();
	for (int i = 0; i < numofbonds; i++) {
		const bondstruct *b = &bond[i];
		if (!drawablebond(b))
			continue;
		if (internalbond(b->type) && !renderoptions.showinternalbonds)
			continue;
		const vector3 *p1 = &particle[b->particle1].position;
		const vector3 *p2 = &particle[b->particle2].position;
		float radius = bondtype[b->type].radius;
		if (beamoutside(p1, p2, radius))
			continue;
		int next = bondkey(b->type);
		if (next != key) {
			if (key != none)
				endbatch();
			beginbondrun(next, key);
			key = next;
		}
		if (key == DRAWATLAS)
			batchtexcoord((b->type + 0.5f) / ATLASTYPES, 0.5f);
		float b1 = underwaterdim(p1->y, level.waterlevel);
		float b2 = underwaterdim(p2->y, level.waterlevel);
		beamgeometry(v, n, p1, p2, &camera, radius);
		for (int k = 0; k < 8; k++) {
			float dim = (k == 0 || k == 3 || k == 4 || k == 7) ? b1 : b2;
			batchnormal(n[k].x * dim, n[k].y * dim, n[k].z * dim);
			batchvertex(v[k].x, v[k].y, v[k].z);
		}
	}
	if (key != none)
		endbatch();
	if (key == DRAWUNTEXTURED)
		glEnable(GL_TEXTURE_2D);
	glTexCoord2f(0.5f, 0.5f);
}

void renderbondsstress()
{
	vector3 v[8], n[8];
	float c[3];
	setupfrustum();
	glDisable(GL_TEXTURE_2D);
	beginbatch(GL_QUADS, BATCH_COLOR);
	for (int i = 0; i < numofbonds; i++) {
		const bondstruct *b = &bond[i];
		if (!drawablebond(b) || internalbond(b->type) || b->type >= MAXLINKTYPES)
			continue;
		const vector3 *p1 = &particle[b->particle1].position;
		const vector3 *p2 = &particle[b->particle2].position;
		float radius = linktype[b->type].thickness;
		if (beamoutside(p1, p2, radius))
			continue;
		if (renderoptions.showstressmax)
			stresscolor(c, b->peakstress, b->peaktension);
		else
			stresscolor(c, b->stress, b->tension);
		batchcolor(c[0], c[1], c[2], 1.0f);
		beamgeometry(v, n, p1, p2, &frame.position, radius);
		for (int k = 0; k < 8; k++)
			batchvertex(v[k].x, v[k].y, v[k].z);
	}
	endbatch();
	glEnable(GL_TEXTURE_2D);
}

static int quadcorners(const cdquadstruct *q, vector3 c[4])
{
	for (int k = 0; k < 4; k++) {
		if (!validparticle(q->particlenum[k]))
			return 0;
		c[k] = particle[q->particlenum[k]].position;
	}
	return 1;
}

// Length, centre and the track models' axes, kept in the quad for the
// track pass of the same frame.
static void updatequadframe(cdquadstruct *q, const vector3 c[4], const vector3 *n)
{
	vector3 sum, edge, t;
	addvectors(&sum, &c[0], &c[1]);
	addvectors(&sum, &sum, &c[2]);
	addvectors(&sum, &sum, &c[3]);
	scalevector(&q->center, &sum, 0.25f);
	subtractvectors(&edge, &c[1], &c[0]);
	q->axes.v[1] = *n;
	normalizevector(&q->axes.v[2], &edge);
	crossproduct(&t, &edge, n);  // n x (C1 - C0)
	normalizevector(&q->axes.v[0], &t);
	vector3 sun = {sundirection[0], sundirection[1], sundirection[2]};
	if (dotproduct(n, &sun) < 0.0f)
		for (int k = 0; k < 3; k++)
			negvector(&q->axes.v[k], &q->axes.v[k]);
	vector3 up = q->axes.v[1];
	rotateorientation(&q->axes, &up, 1.5707964f);
	subtractvectors(&t, &c[2], &c[1]);
	q->length = vectorlength(&t);
}

void rendercdquads()
{
	static const float tex[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
	glBindTexture(GL_TEXTURE_2D, texture[TEX_DECK].glname);
	beginbatch(GL_QUADS, BATCH_NORMAL | BATCH_TEXCOORD);
	for (int i = 0; i < numofcdquads; i++) {
		cdquadstruct *q = &cdquad[i];
		vector3 c[4], n, p;
		if (!q->active || !quadcorners(q, c))
			continue;
		generatepolygonnormal(&n, &c[0], &c[1], &c[2]);
		updatequadframe(q, c, &n);
		batchnormal(n.x, n.y, n.z);
		for (int k = 0; k < 4; k++) {
			scaleaddvectors(&p, &c[k], &n, 0.1f);
			batchtexcoord(tex[k][0], tex[k][1]);
			batchvertex(p.x, p.y, p.z);
		}
		batchnormal(-n.x, -n.y, -n.z);
		for (int k = 0; k < 4; k++) {
			scaleaddvectors(&p, &c[k], &n, -0.1f);
			batchtexcoord(tex[k][0], tex[k][1]);
			batchvertex(p.x, p.y, p.z);
		}
	}
	endbatch();
}

static void drawmodel(const modelstruct *m, const vector3 *position, const orientation *axes)
{
	renderobject(position, axes, m->numofvertices, m->vertex, m->vertexnormal,
		m->vertextexcoord, m->numofpolygons, m->polygon, m->polygonnormal, m->polygontexcoord);
}

void rendercdquadtracks()
{
	for (int i = 0; i < numofcdquads; i++) {
		const cdquadstruct *q = &cdquad[i];
		if (!q->active || (q->tracktype != TRACK_RAIL && q->tracktype != TRACK_ROAD))
			continue;
		int m = MODELTRACK + q->tracktype;
		glBindTexture(GL_TEXTURE_2D, texture[TEX_OBJECTMODEL + m].glname);
		const vector3 *up = &q->axes.v[1], *forward = &q->axes.v[2];
		vector3 p;
		scaleaddvectors(&p, &q->center, up, 0.15f);
		scaleaddvectors(&p, &p, forward, -0.5f * q->length);
		scaleaddvectors(&p, &p, forward, 2.5f);
		int n = trackcount(q->length);
		for (int k = 0; k < n; k++) {
			drawmodel(&objectmodel[m], &p, &q->axes);
			scaleaddvectors(&p, &p, forward, 5.0f);
		}
	}
}

void rendertracks()
{
	for (int i = 0; i < numoftracks; i++) {
		const trackstruct *t = &track[i];
		if (t->type != 0 && t->type != 1)
			continue;
		int m = MODELTRACK + t->type;
		glBindTexture(GL_TEXTURE_2D, texture[TEX_OBJECTMODEL + m].glname);
		drawmodel(&objectmodel[m], &t->position, &t->orientation);
	}
}

void renderobject(const vector3 *position, const orientation *axes, int numofvertices,
	const float *vertex, const float *vertexnormal, const float *vertextexcoord,
	int numofpolygons, const int *polygon, const float *polygonnormal,
	const float *polygontexcoord)
{
	if (!vertex || !polygon)
		return;
	glPushMatrix();
	setupobjectrender(position, axes);
	glBegin(GL_TRIANGLES);
	for (int i = 0; i < numofpolygons; i++) {
		const int *corner = &polygon[3 * i];
		if (corner[0] < 0 || corner[0] >= numofvertices || corner[1] < 0 ||
			corner[1] >= numofvertices || corner[2] < 0 || corner[2] >= numofvertices)
			continue;
		for (int k = 0; k < 3; k++) {
			if (polygontexcoord)
				glTexCoord2fv(&polygontexcoord[2 * (3 * i + k)]);
			if (polygonnormal)
				glNormal3fv(&polygonnormal[3 * i]);
			glVertex3fv(&vertex[3 * corner[k]]);
		}
	}
	glEnd();
	glPopMatrix();
}
