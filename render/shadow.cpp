// Shadow volumes: each polygon that faces away from the sun is swept away
// from it far enough to pass below the water plane, as a closed prism.
#include "render/shadow.h"

#include <GL/gl.h>
#include <cmath>

#include "platform/viewport.h"
#include "render/batch.h"
#include "render/frustum.h"
#include "render/landscapedraw.h"
#include "render/renderframe.h"
#include "world/bond.h"
#include "world/cdquad.h"
#include "world/landscape.h"
#include "world/level.h"
#include "world/materials.h"
#include "world/particle.h"

float shadowlength(float h, float waterlevel, float sunheight)
{
	return (h - waterlevel + 1.0f) / fabsf(sunheight);
}

int shadowvolume(vector3 out[SHADOWQUADVERTS], const vector3 v[4], const vector3 *lightdir,
	int quad, float length)
{
	vector3 e[4];
	for (int k = 0; k < 4; k++)
		scaleaddvectors(&e[k], &v[k], lightdir, -length);
	int n = 0;
	auto put = [&](const vector3 &p) { out[n++] = p; };
	put(v[2]), put(v[1]), put(v[0]), put(v[3]);
	put(v[0]), put(v[1]), put(e[1]), put(e[0]);
	put(v[1]), put(v[2]), put(e[2]), put(e[1]);
	if (quad) {
		put(v[2]), put(v[3]), put(e[3]), put(e[2]);
		put(v[3]), put(v[0]), put(e[0]), put(e[3]);
	} else {
		put(v[2]), put(v[0]), put(e[0]), put(e[2]);
	}
	put(e[0]), put(e[1]), put(e[2]), put(e[3]);
	return n;
}

// Each counting pass culls one side of the volumes' faces. Faces that
// the pass would cull are left out here already, which halves the vertices
// the renderer transforms; faces seen nearly edge-on are always sent, so the
// renderer's own culling decides for them as before.
static int shadowfacing;
static vector3 shadoweye;

void setshadowfaces(int facing, const vector3 *eye)
{
	shadowfacing = facing;
	if (eye)
		shadoweye = *eye;
}

int shadowfacekept(const vector3 f[4], int facing, const vector3 *eye)
{
	if (facing == 0)
		return 1;
	vector3 a, b, n, toeye;
	subtractvectors(&a, &f[1], &f[0]);
	subtractvectors(&b, &f[2], &f[0]);
	crossproduct(&n, &b, &a);  // a x b: the side from which the face runs counter-clockwise
	subtractvectors(&toeye, eye, &f[0]);
	float side = dotproduct(&n, &toeye);
	float scale = vectorlength(&n) * vectorlength(&toeye);
	if (!(fabsf(side) > 1e-3f * scale))
		return 1;
	return facing > 0 ? side > 0.0f : side < 0.0f;
}

void rendershadow(const vector3 v[4], const vector3 *lightdir, int quad, float length)
{
	vector3 out[SHADOWQUADVERTS];
	int n = shadowvolume(out, v, lightdir, quad, length);
	for (int q = 0; q < n; q += 4) {
		if (!shadowfacekept(&out[q], shadowfacing, &shadoweye))
			continue;
		for (int k = q; k < q + 4; k++)
			batchvertex(out[k].x, out[k].y, out[k].z);
	}
}

// A quad's volume, left out when all its corners and their swept ends lie
// outside the view.
static void rendershadowvisible(const vector3 v[4], const vector3 *sun, float length)
{
	vector3 p[8];
	for (int k = 0; k < 4; k++) {
		p[k] = v[k];
		scaleaddvectors(&p[4 + k], &v[k], sun, -length);
	}
	if (!pointsoutside(&frustum, p, 8))
		rendershadow(v, sun, 1, length);
}

// With the sun at or near the horizon the sweep length has no sane value.
static int sunhigh()
{
	return sundirection[1] > SUNMINHEIGHT;
}

static vector3 sunvector()
{
	vector3 s = {sundirection[0], sundirection[1], sundirection[2]};
	return s;
}

static int landstride()
{
	int w = level.landscapewidth;
	if (w < 1)
		return 1;
	return w > LANDSCAPESIZE ? LANDSCAPESIZE : w;
}

void renderlandscapeshadowsector(int x0, int z0, int step, int mask)
{
	int w = landstride();
	vector3 sun = sunvector();
	int tri[3][3][2];
	vector3 v[4], n;
	for (int i = 0; i < SECTORCELLS; i += step)
		for (int j = 0; j < SECTORCELLS; j += step) {
			int count = celltriangles(i, j, step, mask, tri);
			for (int t = 0; t < count; t++) {
				float h = -1e30f;
				for (int k = 0; k < 3; k++) {
					int x = x0 + j + step * tri[t][k][0];
					int z = z0 + i + step * tri[t][k][1];
					v[k].x = 5.0f * x;
					v[k].y = landscape.height[z * w + x];
					v[k].z = 5.0f * z;
					if (v[k].y > h)
						h = v[k].y;
				}
				generatepolygonnormal(&n, &v[0], &v[1], &v[2]);
				if (dotproduct(&n, &sun) >= 0.0f)
					continue;
				v[3] = v[2];
				rendershadow(v, &sun, 0, shadowlength(h, level.waterlevel, sun.y));
			}
		}
}

// The sector's volumes lie within its box swept away from the sun as far as
// its lowest and highest points are swept.
static int sectorvolumeoutside(int r, int c, const vector3 *sun)
{
	float lo = sectorbottom[r * SECTORS + c], hi = sectortop[r * SECTORS + c];
	float k0 = shadowlength(lo, level.waterlevel, sun->y);
	float k1 = shadowlength(hi, level.waterlevel, sun->y);
	float sweep[2] = {k0 < 0.0f ? k0 : 0.0f, k1 > 0.0f ? k1 : 0.0f};
	vector3 p[16];
	for (int k = 0; k < 16; k++) {
		vector3 corner = {80.0f * c + (k & 1 ? 80.0f : 0.0f), k & 2 ? hi : lo,
			80.0f * r + (k & 4 ? 80.0f : 0.0f)};
		scaleaddvectors(&p[k], &corner, sun, -sweep[k >> 3]);
	}
	return pointsoutside(&frustum, p, 16);
}

void renderlandscapeshadow()
{
	if (!sunhigh())
		return;
	vector3 sun = sunvector();
	setupfrustum();
	beginbatch(GL_QUADS, 0);
	for (int r = 1; r <= SECTORS - 2; r++)
		for (int c = 1; c <= SECTORS - 2; c++) {
			int step = landscapelod[r * LODSIZE + c];
			if (step == 0 || sectorvolumeoutside(r, c, &sun))
				continue;
			renderlandscapeshadowsector(16 * c, 16 * r, step, sectoredgemask(r, c));
		}
	endbatch();
}

static int validparticle(int n)
{
	return n >= 0 && n < numofparticles;
}

void renderbondsshadow()
{
	if (!sunhigh())
		return;
	vector3 sun = sunvector();
	setupfrustum();
	beginbatch(GL_QUADS, 0);
	for (int i = 0; i < numofbonds; i++) {
		const bondstruct *b = &bond[i];
		if (b->type < 0 || b->type >= 20 || !validparticle(b->particle1) ||
			!validparticle(b->particle2))
			continue;
		const vector3 *p1 = &particle[b->particle1].position;
		const vector3 *p2 = &particle[b->particle2].position;
		float r = bondtype[b->type].radius;
		vector3 d, s, t, v[4];
		subtractvectors(&t, p2, p1);
		normalizevector(&d, &t);
		crossproduct(&t, &sun, &d);  // d x sun
		normalizevector(&s, &t);
		scaleaddvectors(&v[0], p1, &s, r);
		scaleaddvectors(&v[1], p2, &s, r);
		scaleaddvectors(&v[2], p2, &s, -r);
		scaleaddvectors(&v[3], p1, &s, -r);
		float h = p1->y > p2->y ? p1->y : p2->y;
		rendershadowvisible(v, &sun, shadowlength(h, level.waterlevel, sun.y));
	}
	endbatch();
}

// The quad's corners ordered so the volume winds the same way whichever
// side faces the sun, moved a little away from the sun.
void cdquadshadowcorners(vector3 v[4], const vector3 c[4], const vector3 *sun)
{
	vector3 n;
	generatepolygonnormal(&n, &c[0], &c[1], &c[2]);
	int facing = dotproduct(&n, sun) >= 0.0f;
	for (int k = 0; k < 4; k++)
		scaleaddvectors(&v[k], &c[facing ? 3 - k : k], sun, -0.25f);
}

void rendercdquadsshadow()
{
	if (!sunhigh())
		return;
	vector3 sun = sunvector();
	setupfrustum();
	beginbatch(GL_QUADS, 0);
	for (int i = 0; i < numofcdquads; i++) {
		const cdquadstruct *q = &cdquad[i];
		if (!q->active)
			continue;
		vector3 c[4], v[4];
		int ok = 1;
		for (int k = 0; k < 4 && ok; k++) {
			ok = validparticle(q->particlenum[k]);
			if (ok)
				c[k] = particle[q->particlenum[k]].position;
		}
		if (!ok)
			continue;
		cdquadshadowcorners(v, c, &sun);
		float h = v[0].y;
		for (int k = 1; k < 4; k++)
			if (v[k].y > h)
				h = v[k].y;
		rendershadowvisible(v, &sun, shadowlength(h, level.waterlevel, sun.y));
	}
	endbatch();
}

void renderobjectshadow(const vector3 *position, const orientation *axes, int numofvertices,
	const float *vertex, const float *vertexnormal, const float *vertextexcoord,
	int numofpolygons, const int *polygon, const float *polygonnormal,
	const float *polygontexcoord)
{
	if (!sunhigh() || !vertex || !polygon || !polygonnormal)
		return;
	vector3 sun = sunvector();
	vector3 l = {dotproduct(&sun, &axes->v[0]), dotproduct(&sun, &axes->v[1]),
		dotproduct(&sun, &axes->v[2])};
	int facing = shadowfacing;
	shadowfacing = 0;
	glPushMatrix();
	setupobjectrender(position, axes);
	beginbatch(GL_QUADS, 0);
	for (int i = 0; i < numofpolygons; i++) {
		const int *corner = &polygon[3 * i];
		const float *pn = &polygonnormal[3 * i];
		if (l.x * pn[0] + l.y * pn[1] + l.z * pn[2] >= 0.0f)
			continue;
		vector3 v[4];
		float h = -1e30f;
		int ok = 1;
		for (int k = 0; k < 3 && ok; k++) {
			ok = corner[k] >= 0 && corner[k] < numofvertices;
			if (!ok)
				break;
			const float *p = &vertex[3 * corner[k]];
			v[k].x = p[0], v[k].y = p[1], v[k].z = p[2];
			if (position->y + p[1] > h)
				h = position->y + p[1];
		}
		if (!ok)
			continue;
		v[3] = v[2];
		rendershadow(v, &l, 0, shadowlength(h, level.waterlevel, sun.y));
	}
	endbatch();
	glPopMatrix();
	shadowfacing = facing;
}
