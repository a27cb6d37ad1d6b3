// Landscape sectors with distance steps. Where a neighbour is coarser the
// cells along that edge switch to patterns whose vertices along the edge
// are only the coarse neighbour's, so no cracks open between steps.
#include "render/landscapedraw.h"

#include <GL/gl.h>

#include "platform/texture.h"
#include "render/batch.h"
#include "render/frustum.h"
#include "render/renderframe.h"
#include "world/landscape.h"
#include "world/level.h"

int landscapelod[LODSIZE * LODSIZE];
float sectorbottom[SECTORS * SECTORS];
float sectortop[SECTORS * SECTORS];
float loddistance[4] = {120.0f, 240.0f, 360.0f, 480.0f};

const int landscapearray[5][9][2] = {
	{{0, 0}, {1, 1}, {0, 1}, {0, 0}, {2, 0}, {1, 1}, {0, 0}, {1, 0}, {1, 1}},
	{{0, 0}, {1, 0}, {0, 1}, {1, 0}, {1, 2}, {0, 1}, {1, 0}, {1, 1}, {0, 1}},
	{{0, 0}, {1, 0}, {1, 1}, {0, 0}, {1, 1}, {-1, 1}, {0, 0}, {1, 1}, {0, 1}},
	{{1, 0}, {1, 1}, {0, 1}, {0, -1}, {1, 0}, {0, 1}, {0, 0}, {1, 0}, {0, 1}},
	{{0, 0}, {1, 0}, {1, 1}, {0, 0}, {1, 1}, {0, 1}, {0, 0}, {0, 0}, {0, 0}},
};

// The row stride of the height field, kept inside the array whatever the
// level file said.
static int stride()
{
	int w = level.landscapewidth;
	if (w < 1)
		return 1;
	return w > LANDSCAPESIZE ? LANDSCAPESIZE : w;
}

int sectorstep(const framestruct *f, float cx, float cy, float cz)
{
	vector3 centre = {cx, cy, cz};
	vector3 d;
	subtractvectors(&d, &centre, &f->position);
	if (dotproduct(&f->axes.v[2], &d) > 80.0f)
		return 0;
	float dist = vectorlength(&d);
	if (dist < loddistance[0])
		return 1;
	if (dist < loddistance[1])
		return 2;
	if (dist < loddistance[2])
		return 4;
	if (dist < loddistance[3])
		return 8;
	return 16;
}

static void sectorbounds(int r, int c, int w)
{
	float lo = 1e30f, hi = -1e30f;
	for (int z = 16 * r; z <= 16 * r + 16 && z < LANDSCAPESIZE; z++)
		for (int x = 16 * c; x <= 16 * c + 16 && x < LANDSCAPESIZE; x++) {
			float h = landscape.height[z * w + x];
			lo = h < lo ? h : lo;
			hi = h > hi ? h : hi;
		}
	sectorbottom[r * SECTORS + c] = lo;
	sectortop[r * SECTORS + c] = hi;
}

void computelandscapelod(const framestruct *f)
{
	int w = stride();
	for (int r = 0; r < SECTORS; r++)
		for (int c = 0; c < SECTORS; c++) {
			sectorbounds(r, c, w);
			int vx = 16 * c + 8, vz = 16 * r + 8;
			float h = landscape.height[vz * w + vx];
			landscapelod[r * LODSIZE + c] = sectorstep(f, 80.0f * c + 40.0f, h,
				80.0f * r + 40.0f);
		}
	limitlandscapelod();
}

// Stitching joins a sector only to a neighbour one step coarser. Close
// thresholds or steep ground can put neighbours two steps apart, which
// would open cracks; such sectors are refined until no drawn neighbour is
// more than one step finer.
void limitlandscapelod()
{
	static const int dr[4] = {-1, 0, 1, 0}, dc[4] = {0, 1, 0, -1};
	int changed = 1;
	while (changed) {
		changed = 0;
		for (int r = 0; r < SECTORS; r++)
			for (int c = 0; c < SECTORS; c++) {
				int *step = &landscapelod[r * LODSIZE + c];
				for (int k = 0; k < 4 && *step != 0; k++) {
					int nr = r + dr[k], nc = c + dc[k];
					if (nr < 0 || nc < 0 || nr >= SECTORS || nc >= SECTORS)
						continue;
					int other = landscapelod[nr * LODSIZE + nc];
					if (other != 0 && *step > 2 * other) {
						*step = 2 * other;
						changed = 1;
					}
				}
			}
	}
}

void setuplandscaperender()
{
	computelandscapelod(&frame);
}

static int coarser(int step, int r, int c)
{
	if (r < 0 || c < 0 || r >= SECTORS || c >= SECTORS)
		return 0;
	int other = landscapelod[r * LODSIZE + c];
	return other != 0 && step < other;
}

int sectoredgemask(int r, int c)
{
	int step = landscapelod[r * LODSIZE + c];
	int mask = 0;
	if (coarser(step, r - 1, c))
		mask |= 1;
	if (coarser(step, r, c + 1))
		mask |= 2;
	if (coarser(step, r + 1, c))
		mask |= 4;
	if (coarser(step, r, c - 1))
		mask |= 8;
	return mask;
}

int celltriangles(int i, int j, int step, int mask, int tri[3][3][2])
{
	int pattern = 4;
	int chosen[3] = {1, 1, 0};
	if (mask != 0) {
		int rowodd = (i & step) != 0, colodd = (j & step) != 0;
		int top = (mask & 1) && i == 0;
		int right = (mask & 2) && j + step == SECTORCELLS;
		int bottom = (mask & 4) && i + step == SECTORCELLS;
		int left = (mask & 8) && j == 0;
		int first, then, p;
		if (!rowodd && !colodd) {
			p = 0, first = left, then = top;
		} else if (!rowodd) {
			p = 1, first = top, then = right;
		} else if (colodd) {
			p = 2, first = right, then = bottom;
		} else {
			p = 3, first = bottom, then = left;
		}
		if (first) {
			pattern = p;
			chosen[0] = 0, chosen[1] = 0, chosen[2] = 1;
		}
		if (then) {
			pattern = p;
			chosen[0] = !first, chosen[1] = 1, chosen[2] = 0;
		}
	}
	int n = 0;
	for (int t = 0; t < 3; t++) {
		if (!chosen[t])
			continue;
		for (int k = 0; k < 3; k++) {
			tri[n][k][0] = landscapearray[pattern][t * 3 + k][0];
			tri[n][k][1] = landscapearray[pattern][t * 3 + k][1];
		}
		n++;
	}
	return n;
}

void renderlandscapesector(int x0, int z0, int step, int mask)
{
	int w = stride();
	const float inv = 1.0f / 512.0f;
	int tri[3][3][2];
	for (int i = 0; i < SECTORCELLS; i += step)
		for (int j = 0; j < SECTORCELLS; j += step) {
			int n = celltriangles(i, j, step, mask, tri);
			for (int t = 0; t < n; t++)
				for (int k = 0; k < 3; k++) {
					int dx = j + step * tri[t][k][0];
					int dz = i + step * tri[t][k][1];
					int x = x0 + dx, z = z0 + dz;
					int index = z * w + x;
					const vector3 *nv = &landscape.normal[index];
					batchtexcoord(x * inv, z * inv);
					batchtexcoord1(dx / 16.0f, dz / 16.0f);
					batchnormal(nv->x, nv->y, nv->z);
					batchvertex(5.0f * x, landscape.height[index], 5.0f * z);
				}
		}
}

int sectoroutside(int r, int c)
{
	vector3 lo = {80.0f * c, sectorbottom[r * SECTORS + c], 80.0f * r};
	vector3 hi = {lo.x + 80.0f, sectortop[r * SECTORS + c], lo.z + 80.0f};
	return boxoutside(&frustum, &lo, &hi);
}

// The sector rows drawn this frame: all inner ones, or the two middle ones
// when the fast landscape is on.
void landscaperows(int *first, int *last)
{
	if (renderoptions.fastlandscape) {
		*first = 15;
		*last = 16;
	} else {
		*first = 1;
		*last = SECTORS - 2;
	}
}

void renderlandscape()
{
	glActiveTexture(GL_TEXTURE0);
	glBindTexture(GL_TEXTURE_2D, texture[TEX_LANDSCAPE].glname);
	glActiveTexture(GL_TEXTURE1);
	glBindTexture(GL_TEXTURE_2D, texture[TEX_GROUND].glname);
	glEnable(GL_TEXTURE_2D);
	int first, last;
	landscaperows(&first, &last);
	setupfrustum();
	beginbatch(GL_TRIANGLES, BATCH_NORMAL | BATCH_TEXCOORD | BATCH_TEXCOORD1);
	for (int r = first; r <= last; r++)
		for (int c = 1; c <= SECTORS - 2; c++) {
			int step = landscapelod[r * LODSIZE + c];
			if (step == 0 || sectoroutside(r, c))
				continue;
			renderlandscapesector(16 * c, 16 * r, step, sectoredgemask(r, c));
		}
	endbatch();
	glDisable(GL_TEXTURE_2D);
	glActiveTexture(GL_TEXTURE0);
}
