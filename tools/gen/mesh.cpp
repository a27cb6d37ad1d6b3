#include "tools/gen/mesh.h"

#include <cmath>
#include <cstdint>

#include "platform/files.h"
#include "tools/gen/atlas.h"
#include "tools/gen/picture.h"

float meshvertex[MAXMESHVERTICES][3];
int meshtriangle[MAXMESHTRIANGLES][3];
float meshtexcoord[MAXMESHTRIANGLES][6];
int nummeshvertices;
int nummeshtriangles;

void beginmesh()
{
	nummeshvertices = 0;
	nummeshtriangles = 0;
}

static int addvertex(vector3 p)
{
	if (nummeshvertices >= MAXMESHVERTICES)
		return 0;
	meshvertex[nummeshvertices][0] = p.x;
	meshvertex[nummeshvertices][1] = p.y;
	meshvertex[nummeshvertices][2] = p.z;
	return nummeshvertices++;
}

static vector3 vertexat(int i)
{
	return vector3{meshvertex[i][0], meshvertex[i][1], meshvertex[i][2]};
}

// Texture coordinates of a spot (s, t in 0..1) of an atlas cell, kept a
// texel inside the cell so mipmaps do not pull in the neighbours.
static void celluv(int cell, float s, float t, float *u, float *v)
{
	float size = 1.0f / ATLASCELLS;
	float inset = 1.5f / ATLASSIZE;
	float u0 = (cell % ATLASCELLS) * size + inset;
	float v0 = (cell / ATLASCELLS) * size + inset;
	*u = u0 + s * (size - 2.0f * inset);
	*v = v0 + t * (size - 2.0f * inset);
}

// Adds triangle a, b, c, turned if need be so its normal points away from
// inside, a point the solid surrounds; st holds the cell spot of each corner.
static void addtriangle(int a, int b, int c, vector3 inside, int cell, const float st[6])
{
	if (nummeshtriangles >= MAXMESHTRIANGLES)
		return;
	vector3 pa = vertexat(a), pb = vertexat(b), pc = vertexat(c);
	vector3 n, mid, out;
	generatepolygonnormal(&n, &pa, &pb, &pc);
	mid = vector3{(pa.x + pb.x + pc.x) / 3.0f, (pa.y + pb.y + pc.y) / 3.0f, (pa.z + pb.z + pc.z) / 3.0f};
	subtractvectors(&out, &mid, &inside);
	int corner[3] = {a, b, c};
	float spot[6] = {st[0], st[1], st[2], st[3], st[4], st[5]};
	if (dotproduct(&n, &out) < 0.0f) {
		corner[1] = c;
		corner[2] = b;
		spot[2] = st[4];
		spot[3] = st[5];
		spot[4] = st[2];
		spot[5] = st[3];
	}
	int t = nummeshtriangles++;
	for (int k = 0; k < 3; k++) {
		meshtriangle[t][k] = corner[k];
		celluv(cell, spot[2 * k], spot[2 * k + 1], &meshtexcoord[t][2 * k], &meshtexcoord[t][2 * k + 1]);
	}
}

// A quad a, b, c, d (in order around it) as two triangles over the whole cell.
static void addquad(int a, int b, int c, int d, vector3 inside, int cell)
{
	static const float first[6] = {0, 0, 1, 0, 1, 1};
	static const float second[6] = {0, 0, 1, 1, 0, 1};
	addtriangle(a, b, c, inside, cell, first);
	addtriangle(a, c, d, inside, cell, second);
}

void addmeshbox(vector3 center, vector3 half, int cell)
{
	int v[8];
	for (int i = 0; i < 8; i++) {
		vector3 p = center;
		p.x += (i & 1) ? half.x : -half.x;
		p.y += (i & 2) ? half.y : -half.y;
		p.z += (i & 4) ? half.z : -half.z;
		v[i] = addvertex(p);
	}
	addquad(v[0], v[1], v[3], v[2], center, cell);  // z-
	addquad(v[4], v[5], v[7], v[6], center, cell);  // z+
	addquad(v[0], v[1], v[5], v[4], center, cell);  // y-
	addquad(v[2], v[3], v[7], v[6], center, cell);  // y+
	addquad(v[0], v[2], v[6], v[4], center, cell);  // x-
	addquad(v[1], v[3], v[7], v[5], center, cell);  // x+
}

// A point at distance along the axis and at (a, b) across it.
static vector3 axispoint(vector3 center, int axis, float along, float a, float b)
{
	vector3 p = center;
	if (axis == 0) {
		p.x += along;
		p.y += a;
		p.z += b;
	} else if (axis == 1) {
		p.y += along;
		p.z += a;
		p.x += b;
	} else {
		p.z += along;
		p.x += a;
		p.y += b;
	}
	return p;
}

void addmeshcylinder(vector3 center, int axis, float halflength, float radius, float farradius,
	int sides, int sidecell, int capcell)
{
	int nearring = nummeshvertices;
	for (int i = 0; i < sides; i++) {
		float angle = 6.28318531f * i / sides;
		addvertex(axispoint(center, axis, -halflength, radius * cosf(angle), radius * sinf(angle)));
	}
	int farring = nummeshvertices;
	int cone = farradius <= 0.0f;
	if (cone)
		addvertex(axispoint(center, axis, halflength, 0.0f, 0.0f));
	else
		for (int i = 0; i < sides; i++) {
			float angle = 6.28318531f * i / sides;
			addvertex(axispoint(center, axis, halflength, farradius * cosf(angle), farradius * sinf(angle)));
		}
	int nearcentre = addvertex(axispoint(center, axis, -halflength, 0.0f, 0.0f));
	for (int i = 0; i < sides; i++) {
		int j = (i + 1) % sides;
		float s0 = (float)i / sides, s1 = (float)(i + 1) / sides;
		if (cone) {
			float st[6] = {s0, 1, s1, 1, 0.5f * (s0 + s1), 0};
			addtriangle(nearring + i, nearring + j, farring, center, sidecell, st);
		} else {
			float st1[6] = {s0, 1, s1, 1, s1, 0};
			float st2[6] = {s0, 1, s1, 0, s0, 0};
			addtriangle(nearring + i, nearring + j, farring + j, center, sidecell, st1);
			addtriangle(nearring + i, farring + j, farring + i, center, sidecell, st2);
		}
		float a0 = 6.28318531f * i / sides, a1 = 6.28318531f * (i + 1) / sides;
		float cap[6] = {0.5f + 0.5f * cosf(a0), 0.5f + 0.5f * sinf(a0),
			0.5f + 0.5f * cosf(a1), 0.5f + 0.5f * sinf(a1), 0.5f, 0.5f};
		addtriangle(nearring + i, nearring + j, nearcentre, center, capcell, cap);
	}
	if (!cone) {
		int farcentre = addvertex(axispoint(center, axis, halflength, 0.0f, 0.0f));
		for (int i = 0; i < sides; i++) {
			int j = (i + 1) % sides;
			float a0 = 6.28318531f * i / sides, a1 = 6.28318531f * (i + 1) / sides;
			float cap[6] = {0.5f + 0.5f * cosf(a0), 0.5f + 0.5f * sinf(a0),
				0.5f + 0.5f * cosf(a1), 0.5f + 0.5f * sinf(a1), 0.5f, 0.5f};
			addtriangle(farring + i, farring + j, farcentre, center, capcell, cap);
		}
	}
}

void addmeshroof(vector3 base, float hx, float hz, float rise, int cell)
{
	int v[6];
	v[0] = addvertex(vector3{base.x - hx, base.y, base.z - hz});
	v[1] = addvertex(vector3{base.x + hx, base.y, base.z - hz});
	v[2] = addvertex(vector3{base.x, base.y + rise, base.z - hz});
	v[3] = addvertex(vector3{base.x - hx, base.y, base.z + hz});
	v[4] = addvertex(vector3{base.x + hx, base.y, base.z + hz});
	v[5] = addvertex(vector3{base.x, base.y + rise, base.z + hz});
	vector3 inside = {base.x, base.y + rise / 3.0f, base.z};
	static const float gable[6] = {0, 1, 1, 1, 0.5f, 0};
	addtriangle(v[0], v[1], v[2], inside, cell, gable);
	addtriangle(v[3], v[4], v[5], inside, cell, gable);
	addquad(v[0], v[3], v[5], v[2], inside, cell);
	addquad(v[1], v[4], v[5], v[2], inside, cell);
	addquad(v[0], v[1], v[4], v[3], inside, cell);
}

void addmeshlump(vector3 center, vector3 radius, int rings, int sides, int seed, int cell)
{
	int top = addvertex(vector3{center.x, center.y + radius.y, center.z});
	int first = nummeshvertices;
	for (int r = 1; r < rings; r++) {
		float lat = 3.14159265f * r / rings;
		for (int s = 0; s < sides; s++) {
			float lon = 6.28318531f * s / sides;
			float k = 0.8f + 0.4f * ((hashpoint(r, s, seed) & 255) / 255.0f);
			addvertex(vector3{center.x + k * radius.x * sinf(lat) * cosf(lon),
				center.y + k * radius.y * cosf(lat),
				center.z + k * radius.z * sinf(lat) * sinf(lon)});
		}
	}
	int bottom = addvertex(vector3{center.x, center.y - radius.y, center.z});
	static const float cap[6] = {0, 1, 1, 1, 0.5f, 0};
	for (int s = 0; s < sides; s++) {
		int t = (s + 1) % sides;
		addtriangle(top, first + s, first + t, center, cell, cap);
		int last = first + (rings - 2) * sides;
		addtriangle(bottom, last + s, last + t, center, cell, cap);
		for (int r = 0; r < rings - 2; r++) {
			int a = first + r * sides;
			addquad(a + s, a + t, a + sides + t, a + sides + s, center, cell);
		}
	}
}

int writemesh(const char *path)
{
	if (!opensavefile(path))
		return 0;
	uint32_t count = (uint32_t)nummeshvertices;
	int ok = fwrite2(&count, 4, 1, fp) == 1;
	for (int i = 0; ok && i < nummeshvertices; i++)
		ok = fwrite2(meshvertex[i], 4, 3, fp) == 3;
	count = (uint32_t)nummeshtriangles;
	ok = ok && fwrite2(&count, 4, 1, fp) == 1;
	for (int i = 0; ok && i < nummeshtriangles; i++)
		ok = fwrite2(meshtriangle[i], 4, 3, fp) == 3;
	for (int i = 0; ok && i < nummeshtriangles; i++)
		ok = fwrite2(meshtexcoord[i], 4, 6, fp) == 6;
	int saved = closesavefile(path);
	return ok && saved;
}
