// The landscape in 32 x 32 sectors of 16 x 16 cells with distance steps
// and crack-free stitching along edges to coarser neighbours.
#pragma once

#include "render/camera.h"

constexpr int LODSIZE = 128;
constexpr int SECTORS = 32;
constexpr int SECTORCELLS = 16;

extern int landscapelod[LODSIZE * LODSIZE];  // row * 128 + column; 0 culled
// Lowest and highest vertex of each sector (row * 32 + column), refreshed
// with the steps, for skipping sectors outside the view.
extern float sectorbottom[SECTORS * SECTORS];
extern float sectortop[SECTORS * SECTORS];
extern float loddistance[4];
extern const int landscapearray[5][9][2];

void setuplandscaperender();
void renderlandscape();
void renderlandscapesector(int x0, int z0, int step, int mask);

// Pure parts, shared with the shadow volumes and tests.
int sectorstep(const framestruct *f, float cx, float cy, float cz);
// Steps of every sector by distance, then limited so that drawn neighbours
// are at most one step apart.
void computelandscapelod(const framestruct *f);
void limitlandscapelod();
// Edge mask of sector (r, c): 1 top, 2 right, 4 bottom, 8 left, set where
// the neighbour is coarser and not culled.
int sectoredgemask(int r, int c);
// The triangles of the cell at (i, j) of a sector with the given step and
// mask: writes up to three triangles as corner offsets (in steps) to tri
// and returns how many.
int celltriangles(int i, int j, int step, int mask, int tri[3][3][2]);
// 1 when sector (r, c) lies wholly outside the current frustum.
int sectoroutside(int r, int c);
// Sector rows drawn this frame (landscape and water): 1 to 30, or only 15
// and 16 with the fast landscape.
void landscaperows(int *first, int *last);
