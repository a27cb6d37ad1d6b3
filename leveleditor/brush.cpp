#include "leveleditor/leveleditor.h"

#include <algorithm>
#include <cmath>

#include "world/landscape.h"
#include "world/level.h"

leveleditorstruct leveleditor;

void editlevel()
{
}

void resetleveleditor()
{
	leveleditor.radius = 8;
	leveleditor.strength = 4.0f;
	leveleditor.cursor = {1280.0f, 320.0f, 1280.0f};
}

// Height change of one vertex at distance d (in radii) from the centre.
static float brushheight(float h, float d, float target, float strength, int tool)
{
	if (d > 1.0f)
		d = 1.0f;
	float falloff = (float)((cos(d * 3.14159265359) + 1.0) * 0.5);
	float k = 5.0f * strength * falloff;
	switch (tool) {
	case BRUSH_RAISE:
		if (target + k > h) {
			h += k;
			if (h > target + k)
				h = target + k;
		}
		break;
	case BRUSH_LOWER:
		if (h > target - k) {
			h -= k;
			if (h < target - k)
				h = target - k;
			if (h < 0.0f)
				h = 0.0f;
		}
		break;
	case BRUSH_SET:
		h = target;
		break;
	}
	return h;
}

void changelandscape(int x, int z)
{
	int r = leveleditor.radius;
	float target = leveleditor.cursor.y;
	int width = level.landscapewidth;
	int depth = level.landscapedepth;
	if (r < 0 || width < 1 || depth < 1 || (long long)width * depth > LANDSCAPEVERTICES)
		return;
	// The square is clipped to the landscape; 64-bit bounds keep a far-off
	// centre or a huge radius from overflowing.
	int z0 = (int)std::max(0LL, (long long)z - r);
	int z1 = (int)std::min((long long)depth - 1, (long long)z + r);
	int x0 = (int)std::max(0LL, (long long)x - r);
	int x1 = (int)std::min((long long)width - 1, (long long)x + r);
	for (int zi = z0; zi <= z1; zi++) {
		for (int xi = x0; xi <= x1; xi++) {
			float *h = &landscape.height[zi * width + xi];
			if (r == 0) {
				// No falloff can be measured: only setting the height acts,
				// and on the centre alone.
				if (leveleditor.tool == BRUSH_SET)
					*h = target;
				continue;
			}
			double dx = (double)xi - x, dz = (double)zi - z;
			float d = (float)(sqrt(dx * dx + dz * dz) / r);
			*h = brushheight(*h, d, target, leveleditor.strength, leveleditor.tool);
		}
	}
	long long nx0 = (long long)x - r - 1, nz0 = (long long)z - r;
	long long nx1 = (long long)x + r + 1, nz1 = (long long)z + r + 1;
	auto clampint = [](long long v) { return (int)std::clamp(v, -1LL, (long long)LANDSCAPESIZE + 1); };
	setuplandscapenormalspartial(clampint(nx0), clampint(nz0), clampint(nx1), clampint(nz1));
}

int landscapeunderray(vector3 *out, const vector3 *from, const vector3 *to)
{
	vector3 hit, normal, end = *to;
	float t;
	if (!lineintersectlevel(&hit, &normal, &t, from, &end))
		return 0;
	// The landscape reports the first hit in its own scan order; cut the
	// segment at each hit until no nearer one is left.
	for (int tries = 0; tries < 64; tries++) {
		*out = hit;
		vector3 reach;
		subtractvectors(&reach, &hit, from);
		scaleaddvectors(&end, from, &reach, 0.999f);
		if (!lineintersectlevel(&hit, &normal, &t, from, &end))
			return 1;
	}
	return 1;
}

int nearestvertex(const vector3 *p, int *x, int *z)
{
	if (!(std::isfinite(p->x) && std::isfinite(p->z)))
		return 0;
	double fx = floor((double)p->x / LANDSCAPESTEP + 0.5);
	double fz = floor((double)p->z / LANDSCAPESTEP + 0.5);
	if (fx < 0.0 || fz < 0.0 || fx >= level.landscapewidth || fz >= level.landscapedepth)
		return 0;
	*x = (int)fx;
	*z = (int)fz;
	return 1;
}
