// The bridge editor's own drawing: grid, point markers, links, selection box.
#pragma once

#include "platform/vector.h"

constexpr int MESHVERTICES = 1024;
constexpr int MESHPOLYGONS = 1024;

struct meshstruct {
	int numofvertices;
	float vertex[MESHVERTICES][3];
	int numofpolygons;
	int polygon[MESHPOLYGONS][3];
};

extern meshstruct mesh;       // radius 2
extern meshstruct meshtemp;   // radius 2.25, hovered points
extern meshstruct meshtemp2;  // radius 1.5

void setuppointrender();
void renderpoints(float alpha);
void renderlinks(float alpha);
void rendergrid(int mask, float z, float red, float green, float blue, float alpha);
void rendereditarea();
void renderbox(const vector3 *a, const vector3 *b);
void renderboxlines(const vector3 *a, const vector3 *b);
// The grid line kind by standard line number: 2 brightest, 1 middle, 0 faint.
int gridlinekind(int k);
