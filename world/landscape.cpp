#include "world/landscape.h"

#include <algorithm>
#include <cmath>

#include "platform/texture.h"
#include "world/level.h"

landscapestruct landscape;
trackstruct track[MAXTRACKS];
int numoftracks;

// Decals are laid this far before the first and past the last waypoint.
constexpr int TRACKLEADSTEPS = 50;
// A route segment is walked at most this many 5-unit steps (over a hundred
// landscapes across), so a wild waypoint cannot stall the level's loading.
constexpr float MAXTRACKSTEPS = 65536.0f;

static int landscapeusable()
{
	return level.landscapewidth >= MINLANDSCAPESIZE && level.landscapewidth <= LANDSCAPESIZE &&
		level.landscapedepth >= MINLANDSCAPESIZE && level.landscapedepth <= LANDSCAPESIZE;
}

static float height(int x, int z)
{
	return landscape.height[z * level.landscapewidth + x];
}

static vector3 vertex(int x, int z)
{
	return {LANDSCAPESTEP * x, height(x, z), LANDSCAPESTEP * z};
}

static int finitevector(const vector3 *v)
{
	return std::isfinite(v->x) && std::isfinite(v->y) && std::isfinite(v->z);
}

// The cell index of a coordinate, truncated toward zero and clamped to
// 0..last before it becomes an int.
static int cellindex(float coordinate, int last)
{
	float cell = std::trunc(0.2f * coordinate);
	if (cell < 0.0f)
		return 0;
	if (cell > (float)last)
		return last;
	return (int)cell;
}

// Edge tests of a ground triangle. The exact test (slack 0) is the rule; a
// segment exactly on a cell edge or diagonal can fail it on both sides by
// rounding, so a missed segment is tried again with a little slack.
static int insideedge(const vector3 *x, const vector3 *from, const vector3 *to,
	const vector3 *n, float slack)
{
	vector3 fromx, edge, side;
	subtractvectors(&fromx, x, from);
	subtractvectors(&edge, to, from);
	crossproduct(&side, &edge, &fromx);  // the right-handed (x - from) x (to - from)
	return dotproduct(&side, n) >= -slack;
}

static int intersecttriangle(vector3 *out, const vector3 *n, float *t, const vector3 *p0,
	const vector3 *p1, const vector3 *a, const vector3 *b, const vector3 *c, float slack)
{
	if (slack == 0.0f)
		return lineintersecttriangle(out, n, t, p0, p1, a, b, c);
	if (!lineintersectplane(out, n, t, p0, p1, a) || *t < 0.0f || *t > 1.0f)
		return 0;
	return insideedge(out, a, b, n, slack) && insideedge(out, b, c, n, slack) &&
		insideedge(out, c, a, n, slack);
}

static int intersectcell(vector3 *out, vector3 *normal, float *t, const vector3 *p0,
	const vector3 *p1, int x, int z, float ymin, float slack)
{
	vector3 p00 = vertex(x, z);
	vector3 p10 = vertex(x + 1, z);
	vector3 p11 = vertex(x + 1, z + 1);
	vector3 p01 = vertex(x, z + 1);
	if (ymin > p00.y && ymin > p10.y && ymin > p11.y && ymin > p01.y)
		return 0;
	generatepolygonnormal(normal, &p00, &p10, &p11);
	if (intersecttriangle(out, normal, t, p0, p1, &p00, &p10, &p11, slack))
		return 1;
	generatepolygonnormal(normal, &p00, &p11, &p01);
	return intersecttriangle(out, normal, t, p0, p1, &p00, &p11, &p01, slack);
}

// Scans the cells under the segment's bounding box, widened by the given
// number of cells, z outer and x inner; the first hit in that order counts.
static int scancells(vector3 *out, vector3 *normal, float *t, const vector3 *p0,
	const vector3 *p1, int widen, float slack)
{
	int lastx = level.landscapewidth - 2;
	int lastz = level.landscapedepth - 2;
	int x0 = std::max(cellindex(std::fmin(p0->x, p1->x), lastx) - widen, 0);
	int x1 = std::min(cellindex(std::fmax(p0->x, p1->x), lastx) + widen, lastx);
	int z0 = std::max(cellindex(std::fmin(p0->z, p1->z), lastz) - widen, 0);
	int z1 = std::min(cellindex(std::fmax(p0->z, p1->z), lastz) + widen, lastz);
	float ymin = std::fmin(p0->y, p1->y);
	for (int z = z0; z <= z1; z++) {
		for (int x = x0; x <= x1; x++) {
			if (intersectcell(out, normal, t, p0, p1, x, z, ymin, slack))
				return 1;
		}
	}
	return 0;
}

// Far below the rounding of a 5-unit cell at landscape heights, far above
// anything a real miss could come within.
constexpr float EDGESLACK = 1e-3f;

int lineintersectlevel(vector3 *out, vector3 *normal, float *t, const vector3 *p0,
	const vector3 *p1)
{
	if (!landscapeusable() || !finitevector(p0) || !finitevector(p1))
		return 0;
	if (scancells(out, normal, t, p0, p1, 0, 0.0f))
		return 1;
	// Segments along cell edges and diagonals (where bridge points stand) can
	// slip between triangles by rounding: look once more with a little slack,
	// one cell wider in case the cell index itself was rounded down.
	return scancells(out, normal, t, p0, p1, 1, EDGESLACK);
}

int lineintersectwater(vector3 *out, vector3 *normal, float *t, const vector3 *p0,
	const vector3 *p1)
{
	vector3 surface = {1280.0f, level.waterlevel, 1280.0f};
	*normal = {0.0f, 1.0f, 0.0f};
	if (lineintersectplane(out, normal, t, p0, p1, &surface))
		return 1;
	normal->y = -1.0f;
	return lineintersectplane(out, normal, t, p0, p1, &surface);
}

static void vertexnormal(int x, int z)
{
	vector3 p = vertex(x, z);
	vector3 e = vertex(x + 1, z);
	vector3 s = vertex(x, z + 1);
	vector3 w = vertex(x - 1, z);
	vector3 n = vertex(x, z - 1);
	vector3 sum = {0.0f, 0.0f, 0.0f};
	vector3 face;
	generatepolygonnormal(&face, &p, &e, &s);
	addvectors(&sum, &sum, &face);
	generatepolygonnormal(&face, &p, &s, &w);
	addvectors(&sum, &sum, &face);
	generatepolygonnormal(&face, &p, &w, &n);
	addvectors(&sum, &sum, &face);
	generatepolygonnormal(&face, &p, &n, &e);
	addvectors(&sum, &sum, &face);
	scalevector(&sum, &sum, 0.25f);
	// Ground under water gets darker with depth, down to a tenth of its light.
	if (level.waterlevel > p.y) {
		float depth = level.waterlevel - p.y;
		scalevector(&sum, &sum, std::fmax(0.1f, 1.0f - depth / 32.0f));
	}
	landscape.normal[z * level.landscapewidth + x] = sum;
}

void setuplandscapenormalspartial(int x0, int z0, int x1, int z1)
{
	if (!landscapeusable())
		return;
	// Border vertices lack neighbours on one side and keep their old normal.
	if (x0 < 1)
		x0 = 1;
	if (z0 < 1)
		z0 = 1;
	if (x1 > level.landscapewidth - 1)
		x1 = level.landscapewidth - 1;
	if (z1 > level.landscapedepth - 1)
		z1 = level.landscapedepth - 1;
	for (int z = z0; z < z1; z++) {
		for (int x = x0; x < x1; x++)
			vertexnormal(x, z);
	}
}

void setuplandscapenormals()
{
	setuplandscapenormalspartial(1, 1, LANDSCAPESIZE, LANDSCAPESIZE);
}

// A colour channel as a byte; colours come from files and may be anything.
static unsigned char colorbyte(float value)
{
	if (!(value > 0.0f))
		return 0;
	if (value >= 255.0f)
		return 255;
	return (unsigned char)value;
}

static void blendcolor(float out[3], const vector3 *low, const vector3 *high, float f)
{
	out[0] = 255.0f * high->x * f + 255.0f * low->x * (1.0f - f);
	out[1] = 255.0f * high->y * f + 255.0f * low->y * (1.0f - f);
	out[2] = 255.0f * high->z * f + 255.0f * low->z * (1.0f - f);
}

void landscapecolor(unsigned char rgb[3], float h)
{
	const colorbandstruct *band = level.colorband;
	// Tops that do not rise can leave a height in no band; it takes the
	// lowest band's colour.
	float c[3];
	blendcolor(c, &band[0].color, &band[0].color, 0.0f);
	for (int i = 0; i < MAXCOLORBANDS - 1; i++) {
		float low = band[i].top;
		float high = band[i + 1].top;
		if (h >= low && h < high)
			blendcolor(c, &band[i].color, &band[i + 1].color, (h - low) / (high - low));
	}
	if (h >= band[MAXCOLORBANDS - 1].top)
		blendcolor(c, &band[MAXCOLORBANDS - 1].color, &band[MAXCOLORBANDS - 1].color, 0.0f);
	for (int k = 0; k < 3; k++)
		rgb[k] = colorbyte(c[k]);
}

static int nearexistingtrack(const vector3 *position)
{
	for (int i = 0; i < numoftracks; i++) {
		vector3 d;
		subtractvectors(&d, &track[i].position, position);
		if (vectorlength(&d) < 1.0f)
			return 1;
	}
	return 0;
}

// The cursor lies on the cell's ground: below each corner + 0.25 and above
// each corner - 1.0.
static int onground(const vector3 *cursor, int cx, int cz)
{
	if (cx < 2 || cx > 509 || cz < 2 || cz > 509)
		return 0;
	if (cx > level.landscapewidth - 2 || cz > level.landscapedepth - 2)
		return 0;
	const float corners[4] = {height(cx, cz), height(cx + 1, cz), height(cx + 1, cz + 1),
		height(cx, cz + 1)};
	for (float corner : corners) {
		if (!(cursor->y < corner + 0.25f && cursor->y > corner - 1.0f))
			return 0;
	}
	return 1;
}

static void laytrack(const vector3 *cursor, int type)
{
	float fx = std::trunc(cursor->x / LANDSCAPESTEP);
	float fz = std::trunc(cursor->z / LANDSCAPESTEP);
	if (!(fx >= 0.0f && fx < LANDSCAPESIZE && fz >= 0.0f && fz < LANDSCAPESIZE))
		return;
	if (!onground(cursor, (int)fx, (int)fz))
		return;
	trackstruct decal;
	decal.type = type;
	decal.position = *cursor;
	decal.position.y += 0.125f;
	resetorientation(&decal.orientation);
	const vector3 up = {0.0f, 1.0f, 0.0f};
	rotateorientation(&decal.orientation, &up, 1.5707964f);
	scaleaddvectors(&decal.position, &decal.position, &decal.orientation.v[2], -2.5f);
	if (!nearexistingtrack(&decal.position))
		track[numoftracks++] = decal;
}

static void layroutesegment(const levelobjectstruct *o, int j)
{
	const vector3 *from = &o->waypoint[j];
	const vector3 *to = &o->waypoint[j + 1];
	if (!finitevector(from) || !finitevector(to))
		return;
	vector3 step;
	subtractvectors(&step, to, from);
	float length = vectorlength(&step);
	if (!std::isfinite(length))
		return;
	float steps = std::fmin(std::trunc(length / LANDSCAPESTEP), MAXTRACKSTEPS);
	int count = (int)steps;
	// Two equal waypoints give no direction: the cursor stays on them.
	normalizevector(&step, &step);
	scalevector(&step, &step, LANDSCAPESTEP);
	vector3 cursor = *from;
	if (j == 0) {
		scaleaddvectors(&cursor, &cursor, &step, -(float)TRACKLEADSTEPS);
		count += TRACKLEADSTEPS;
	}
	if (j == o->numofwaypoints - 2)
		count += TRACKLEADSTEPS;
	int type = o->type >= 16 ? 1 : 0;
	for (int k = 0; k < count && numoftracks < MAXTRACKS; k++) {
		laytrack(&cursor, type);
		addvectors(&cursor, &cursor, &step);
	}
}

void setuptracks()
{
	numoftracks = 0;
	if (!landscapeusable())
		return;
	for (int i = 0; i < level.numoflevelobjects && i < MAXLEVELOBJECTS; i++) {
		const levelobjectstruct *o = &level.levelobject[i];
		if (o->type >= 32)
			continue;
		for (int j = 0; j + 1 < o->numofwaypoints && j + 1 < MAXWAYPOINTS; j++)
			layroutesegment(o, j);
	}
}

void setuplandscapetexture()
{
	int width = level.landscapewidth;
	int depth = level.landscapedepth;
	unsigned char *pixels =
		landscapeusable() ? allocatetexture(TEX_LANDSCAPE, width, depth, 0) : nullptr;
	if (pixels) {
		for (int z = 0; z < depth; z++) {
			for (int x = 0; x < width; x++) {
				unsigned char *texel = pixels + 4 * (z * width + x);
				landscapecolor(texel, height(x, z));
				texel[3] = 255;
			}
		}
	}
	setuptracks();
	if (pixels)
		uploadtexture(TEX_LANDSCAPE);
}
