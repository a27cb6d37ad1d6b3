// The editor's own view of the bridge: grid, point markers, links with the
// road between deck sides, and the selection box.
#include "editor/editordraw.h"

#include <GL/gl.h>
#include <cmath>

#include "editor/editor.h"
#include "render/batch.h"
#include "render/bridgedraw.h"
#include "render/frustum.h"
#include "render/camera.h"
#include "world/level.h"
#include "world/materials.h"

meshstruct mesh;
meshstruct meshtemp;
meshstruct meshtemp2;

static void scalemesh(meshstruct *m, float s)
{
	for (int v = 0; v < m->numofvertices; v++)
		for (int k = 0; k < 3; k++)
			m->vertex[v][k] *= s;
}

static int addvertex(meshstruct *m, float x, float y, float z)
{
	int n = m->numofvertices++;
	m->vertex[n][0] = x;
	m->vertex[n][1] = y;
	m->vertex[n][2] = z;
	return n;
}

static void addpolygon(meshstruct *m, int a, int b, int c)
{
	int n = m->numofpolygons++;
	m->polygon[n][0] = a;
	m->polygon[n][1] = b;
	m->polygon[n][2] = c;
}

// The midpoint of two vertices pushed out onto the sphere of radius r.
static int addmidpoint(meshstruct *m, int a, int b, float r)
{
	vector3 p = {(m->vertex[a][0] + m->vertex[b][0]) * 0.5f,
		(m->vertex[a][1] + m->vertex[b][1]) * 0.5f, (m->vertex[a][2] + m->vertex[b][2]) * 0.5f};
	normalizevector(&p, &p);
	return addvertex(m, p.x * r, p.y * r, p.z * r);
}

void setuppointrender()
{
	const float r = 2.0f;
	mesh.numofvertices = 0;
	mesh.numofpolygons = 0;
	addvertex(&mesh, 0, r, 0);
	addvertex(&mesh, 0, 0, r);
	addvertex(&mesh, -r, 0, 0);
	addvertex(&mesh, 0, 0, -r);
	addvertex(&mesh, r, 0, 0);
	addvertex(&mesh, 0, -r, 0);
	static const int octahedron[8][3] = {{0, 1, 2}, {0, 2, 3}, {0, 3, 4}, {0, 4, 1}, {2, 1, 5},
		{3, 2, 5}, {4, 3, 5}, {1, 4, 5}};
	for (int t = 0; t < 8; t++)
		addpolygon(&mesh, octahedron[t][0], octahedron[t][1], octahedron[t][2]);

	meshtemp = mesh;
	mesh.numofpolygons = 0;
	for (int t = 0; t < meshtemp.numofpolygons; t++) {
		int a = meshtemp.polygon[t][0], b = meshtemp.polygon[t][1], c = meshtemp.polygon[t][2];
		int ab = addmidpoint(&mesh, a, b, r);
		int bc = addmidpoint(&mesh, b, c, r);
		int ca = addmidpoint(&mesh, c, a, r);
		addpolygon(&mesh, a, ab, ca);
		addpolygon(&mesh, ca, bc, c);
		addpolygon(&mesh, ca, ab, bc);
		addpolygon(&mesh, ab, b, bc);
	}
	meshtemp = mesh;
	scalemesh(&meshtemp, 1.125f);
	meshtemp2 = mesh;
	scalemesh(&meshtemp2, 0.75f);
}

// Markers at positions with unrotated axes: each mesh moved there on the
// processor and drawn indexed, many markers to a draw, so that the corners a
// marker's triangles share are transformed once.
constexpr int MARKERSPERDRAW = 1024;
static float markervertex[MARKERSPERDRAW * 32][3];
static float markercolor[MARKERSPERDRAW * 32][4];
static GLuint markerindex[MARKERSPERDRAW * 96];
static int numofmarkervertices;
static int numofmarkerindices;

static void flushmarkers()
{
	if (numofmarkerindices == 0)
		return;
	glEnableClientState(GL_VERTEX_ARRAY);
	glEnableClientState(GL_COLOR_ARRAY);
	glVertexPointer(3, GL_FLOAT, 0, markervertex);
	glColorPointer(4, GL_FLOAT, 0, markercolor);
	glDrawElements(GL_TRIANGLES, numofmarkerindices, GL_UNSIGNED_INT, markerindex);
	glDisableClientState(GL_COLOR_ARRAY);
	glDisableClientState(GL_VERTEX_ARRAY);
	numofmarkervertices = 0;
	numofmarkerindices = 0;
}

static void addmarker(const meshstruct *m, const vector3 *position, const float color[4])
{
	if (m->numofvertices > 32 || m->numofpolygons > 32)
		return;
	if (numofmarkervertices + m->numofvertices > MARKERSPERDRAW * 32 ||
		numofmarkerindices + 3 * m->numofpolygons > MARKERSPERDRAW * 96)
		flushmarkers();
	int base = numofmarkervertices;
	for (int v = 0; v < m->numofvertices; v++) {
		float *out = markervertex[base + v];
		out[0] = position->x + m->vertex[v][0];
		out[1] = position->y + m->vertex[v][1];
		out[2] = position->z + m->vertex[v][2];
		for (int k = 0; k < 4; k++)
			markercolor[base + v][k] = color[k];
	}
	for (int t = 0; t < m->numofpolygons; t++) {
		const int *c = m->polygon[t];
		if (c[0] < 0 || c[0] >= m->numofvertices || c[1] < 0 || c[1] >= m->numofvertices ||
			c[2] < 0 || c[2] >= m->numofvertices)
			continue;
		for (int k = 0; k < 3; k++)
			markerindex[numofmarkerindices++] = (GLuint)(base + c[k]);
	}
	numofmarkervertices += m->numofvertices;
}

void renderpoints(float alpha)
{
	static const float base[4][3] = {{1, 1, 1}, {0.75f, 0.75f, 0.75f}, {1, 1, 0}, {0, 0.75f, 0.75f}};
	setupfrustum();
	glDisable(GL_TEXTURE_2D);
	// The markers are closed balls of one colour each, wound clockwise seen
	// from outside: their far halves are always covered by the near ones,
	// so they are culled.
	glFrontFace(GL_CW);
	glEnable(GL_CULL_FACE);
	float color[4] = {0, 0, 0, alpha};
	int drawn = 0;
	for (int n = 0; n < numofpoints && n < MAXPOINTS; n++) {
		int type = point[n].type;
		if (type < 0 || type > 3)
			continue;
		const vector3 *p = &point[n].position;
		vector3 lo = {p->x - 2.25f, p->y - 2.25f, p->z - 2.25f};
		vector3 hi = {p->x + 2.25f, p->y + 2.25f, p->z + 2.25f};
		if (boxoutside(&frustum, &lo, &hi))
			continue;
		const float *c = base[type];
		int hovered = n == editor.hoverpoint || n == editor.hovermirrorpoint;
		float scale = hovered ? 1.0f : 0.75f;
		for (int k = 0; k < 3; k++)
			color[k] = c[k] * scale;
		addmarker(hovered ? &meshtemp : &mesh, p, color);
		drawn = 1;
	}
	flushmarkers();
	glDisable(GL_CULL_FACE);
	glFrontFace(GL_CCW);
	if (drawn)
		glColor4fv(color);
	glEnable(GL_TEXTURE_2D);
}

// Per-frame lookups for the road between deck sides: points bucketed by grid
// cell (for the point 10 units behind each end) and deck links by their
// pair of ends (for the partner link), instead of scans over all of them.
constexpr int HASHSIZE = 1 << 15;
static int pointhead[HASHSIZE];
static int pointnext[MAXPOINTS];
static int linkhead[HASHSIZE];
static int linknext[MAXLINKS];

static unsigned int cellhash(int cx, int cy, int cz)
{
	unsigned int h = (unsigned int)cx * 73856093u ^ (unsigned int)cy * 19349663u ^
		(unsigned int)cz * 83492791u;
	return h & (HASHSIZE - 1);
}

static int cellof(float v, float step)
{
	float c = floorf(v / step);
	if (!(c > -1e8f && c < 1e8f))
		return 0;
	return (int)c;
}

static unsigned int pairhash(int a, int b)
{
	if (a > b) {
		int t = a;
		a = b;
		b = t;
	}
	return ((unsigned int)a * 2654435761u ^ (unsigned int)b * 40503u) & (HASHSIZE - 1);
}

static int validlink(const beamstruct *l, int points)
{
	return l->point1 >= 0 && l->point1 < points && l->point2 >= 0 && l->point2 < points &&
		l->type >= 0 && l->type < MAXLINKTYPES;
}

static void builddecklookups(int points, int links, float step)
{
	for (int h = 0; h < HASHSIZE; h++) {
		pointhead[h] = -1;
		linkhead[h] = -1;
	}
	// Chains are built from the end so that each one runs in index order.
	for (int n = points - 1; n >= 0; n--) {
		const vector3 *p = &point[n].position;
		unsigned int h = cellhash(cellof(p->x, step), cellof(p->y, step), cellof(p->z, step));
		pointnext[n] = pointhead[h];
		pointhead[h] = n;
	}
	for (int n = links - 1; n >= 0; n--) {
		if (!beam[n].deck || !validlink(&beam[n], points))
			continue;
		unsigned int h = pairhash(beam[n].point1, beam[n].point2);
		linknext[n] = linkhead[h];
		linkhead[h] = n;
	}
}

// Same answer as the editor's findpoint (the lowest index within one grid
// step), from the buckets of the neighbouring cells.
static int findpointnear(const vector3 *p, int points, float step)
{
	int cx = cellof(p->x, step), cy = cellof(p->y, step), cz = cellof(p->z, step);
	int best = -1;
	for (int dx = -1; dx <= 1; dx++)
		for (int dy = -1; dy <= 1; dy++)
			for (int dz = -1; dz <= 1; dz++) {
				unsigned int h = cellhash(cx + dx, cy + dy, cz + dz);
				for (int n = pointhead[h]; n != -1; n = pointnext[n]) {
					if (best != -1 && n >= best)
						break;
					vector3 d;
					subtractvectors(&d, &point[n].position, p);
					if (vectorlength(&d) < step)
						best = n;
				}
			}
	return best;
}

static void clampedcolor(const vector3 *c, float alpha)
{
	float rgb[3] = {c->x, c->y, c->z};
	for (int k = 0; k < 3; k++)
		rgb[k] = rgb[k] > 0.0f ? (rgb[k] < 1.0f ? rgb[k] : 1.0f) : 0.0f;
	batchcolor(rgb[0], rgb[1], rgb[2], alpha);
}

// The bar lies within its thickness of the segment between its ends.
static int linkoutside(const vector3 *p1, const vector3 *p2, float t)
{
	vector3 lo = {fminf(p1->x, p2->x) - t, fminf(p1->y, p2->y) - t, fminf(p1->z, p2->z) - t};
	vector3 hi = {fmaxf(p1->x, p2->x) + t, fmaxf(p1->y, p2->y) + t, fmaxf(p1->z, p2->z) + t};
	return boxoutside(&frustum, &lo, &hi);
}

static void renderdeckroad(int n, int points, float step, float alpha)
{
	const beamstruct *l = &beam[n];
	const vector3 *p1 = &point[l->point1].position, *p2 = &point[l->point2].position;
	vector3 b1 = *p1, b2 = *p2;
	b1.z -= 10.0f;
	b2.z -= 10.0f;
	int q1 = findpointnear(&b1, points, step);
	int q2 = findpointnear(&b2, points, step);
	if (q1 == -1 || q2 == -1)
		return;
	const vector3 corners[4] = {*p1, *p2, point[q1].position, point[q2].position};
	if (pointsoutside(&frustum, corners, 4))
		return;
	for (int m = linkhead[pairhash(q1, q2)]; m != -1; m = linknext[m]) {
		const beamstruct *o = &beam[m];
		if (o->type != l->type)
			continue;
		if (!((o->point1 == q1 && o->point2 == q2) || (o->point1 == q2 && o->point2 == q1)))
			continue;
		const vector3 *r1 = &point[q1].position, *r2 = &point[q2].position;
		batchcolor(0.25f, 0.25f, 0.25f, alpha);
		batchvertex(p1->x, p1->y, p1->z);
		batchvertex(p2->x, p2->y, p2->z);
		batchvertex(r2->x, r2->y, r2->z);
		batchvertex(r1->x, r1->y, r1->z);
	}
}

void renderlinks(float alpha)
{
	int points = numofpoints < MAXPOINTS ? numofpoints : MAXPOINTS;
	int links = numoflinks < MAXLINKS ? numoflinks : MAXLINKS;
	float step = editor.gridsize;
	int roads = step > 0.0f && std::isfinite(step);
	if (roads)
		builddecklookups(points, links, step);
	setupfrustum();
	glDisable(GL_TEXTURE_2D);
	beginbatch(GL_QUADS, BATCH_COLOR);
	for (int n = 0; n < links; n++) {
		const beamstruct *l = &beam[n];
		if (!validlink(l, points))
			continue;
		const vector3 *p1 = &point[l->point1].position, *p2 = &point[l->point2].position;
		float thickness = linktype[l->type].thickness;
		if (linkoutside(p1, p2, thickness)) {
			if (l->deck && roads)
				renderdeckroad(n, points, step, alpha);
			continue;
		}
		vector3 d, v, side, up, t;
		subtractvectors(&t, p2, p1);
		normalizevector(&d, &t);
		subtractvectors(&v, &frame.position, p1);
		crossproduct(&t, &d, &v);  // v x d
		normalizevector(&side, &t);
		crossproduct(&t, &side, &d);  // d x side
		normalizevector(&up, &t);
		scalevector(&side, &side, thickness);
		scalevector(&up, &up, thickness);
		if (l->highlight)
			batchcolor(1, 1, 1, alpha);
		else
			clampedcolor(&linktype[l->type].color, alpha);
		vector3 q[8];
		subtractvectors(&q[0], p1, &side);
		subtractvectors(&q[1], p2, &side);
		addvectors(&q[2], p2, &up);
		addvectors(&q[3], p1, &up);
		addvectors(&q[4], p1, &up);
		addvectors(&q[5], p2, &up);
		addvectors(&q[6], p2, &side);
		addvectors(&q[7], p1, &side);
		for (int k = 0; k < 8; k++)
			batchvertex(q[k].x, q[k].y, q[k].z);
		if (l->deck && roads)
			renderdeckroad(n, points, step, alpha);
	}
	endbatch();
	glEnable(GL_TEXTURE_2D);
}

int gridlinekind(int k)
{
	if (k % 16 == 0)
		return 2;
	if (k % 4 == 0)
		return 1;
	return 0;
}

static void gridlinecolor(int k, float red, float green, float blue)
{
	static const float scale[3] = {0.5f, 0.75f, 0.85f};
	static const float alpha[3] = {0.5f, 0.5f, 0.65f};
	int kind = gridlinekind(k);
	float s = scale[kind];
	glColor4f(red * s, green * s, blue * s, alpha[kind]);
}

void rendergrid(int mask, float z, float red, float green, float blue, float alpha)
{
	float step = editor.gridsize;
	const vector3 *cam = &frame.position;
	glDisable(GL_TEXTURE_2D);
	glDepthMask(GL_FALSE);
	glColor4f(0, 0, 0, alpha);
	glBegin(GL_QUADS);
	glVertex3f(cam->x - 500.0f, cam->y - 500.0f, z);
	glVertex3f(cam->x + 500.0f, cam->y - 500.0f, z);
	glVertex3f(cam->x + 500.0f, cam->y + 500.0f, z);
	glVertex3f(cam->x - 500.0f, cam->y + 500.0f, z);
	glEnd();

	float x0 = roundnumber(cam->x - 500.0f, step);
	float y0 = roundnumber(cam->y - 500.0f, step);
	float z0 = roundnumber(z, step) - 0.025f;
	float half = 0.5f * step;
	glBegin(GL_LINES);
	float y = y0;
	for (int n = 0; n < 200; n++, y += step) {
		int k = (int)(y / 5.0f);
		if (k & mask)
			continue;
		gridlinecolor(k, red, green, blue);
		glVertex3f(x0, y, z0);
		glVertex3f(x0 + 1000.0f, y, z0);
		if (editor.gridhd) {
			glColor4f(red * 0.5f, green * 0.5f, blue * 0.5f, 0.25f);
			glVertex3f(x0, y + half, z0);
			glVertex3f(x0 + 1000.0f, y + half, z0);
		}
	}
	float x = x0;
	for (int n = 0; n < 200; n++, x += step) {
		int k = (int)(x / 5.0f);
		if (k & mask)
			continue;
		gridlinecolor(k, red, green, blue);
		glVertex3f(x, y0, z0);
		glVertex3f(x, y0 + 1000.0f, z0);
		if (editor.gridhd) {
			glColor4f(red * 0.5f, green * 0.5f, blue * 0.5f, 0.25f);
			glVertex3f(x + half, y0, z0);
			glVertex3f(x + half, y0 + 1000.0f, z0);
		}
	}
	glEnd();
	glDepthMask(GL_TRUE);
	glEnable(GL_TEXTURE_2D);
}

void rendereditarea()
{
	vector3 a = editor.selectstart, b = editor.selectend;
	if (a.x == 0.0f)
		return;
	float dx = b.x - a.x, dy = b.y - a.y;
	if (sqrtf(dx * dx + dy * dy) < 2.5f)
		return;
	a.z += 0.75f;
	b.z += 0.75f;
	glDisable(GL_TEXTURE_2D);
	glDepthMask(GL_FALSE);
	glColor4f(0.75f, 0.75f, 0.75f, 0.25f);
	renderbox(&a, &b);
	glColor4f(0.75f, 0.75f, 0.75f, 0.75f);
	renderboxlines(&a, &b);
	glDepthMask(GL_TRUE);
	glEnable(GL_TEXTURE_2D);
}

// Corner k of the box: bit 0 picks x, bit 1 y, bit 2 z from b instead of a.
static void boxcorner(const vector3 *a, const vector3 *b, int k)
{
	glVertex3f(k & 1 ? b->x : a->x, k & 2 ? b->y : a->y, k & 4 ? b->z : a->z);
}

void renderbox(const vector3 *a, const vector3 *b)
{
	static const int faces[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3},
		{0, 4, 6, 2}, {1, 3, 7, 5}};
	glBegin(GL_QUADS);
	for (int f = 0; f < 6; f++)
		for (int k = 0; k < 4; k++)
			boxcorner(a, b, faces[f][k]);
	glEnd();
}

void renderboxlines(const vector3 *a, const vector3 *b)
{
	static const int edges[12][2] = {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {0, 2}, {1, 3}, {4, 6},
		{5, 7}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
	glBegin(GL_LINES);
	for (int e = 0; e < 12; e++) {
		boxcorner(a, b, edges[e][0]);
		boxcorner(a, b, edges[e][1]);
	}
	glEnd();
}
