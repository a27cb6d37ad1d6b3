// Triangle models (".tvo") of vehicles, wheels, track pieces and props.
#pragma once

#include "platform/files.h"

constexpr int MAXMODELS = 512;
// Vehicle model n draws with texture slot 100 + n, prop model n with
// 256 + n; from n = 116 on those slots belong to the splash screens, so no
// more prop models than this are loaded.
constexpr int MAXPROPMODELS = 116;

// Vehicle model slots filled at start-up.
constexpr int MODELSTEAM = 0;
constexpr int MODELBXBLUE = 5;
constexpr int MODELHATCHBACK = 17;
constexpr int MODELWHEEL = 63;
constexpr int MODELTIRE = 64;
constexpr int MODELTRACK = 65;  // rail decal; road decal is 66
constexpr int MODELROAD = 66;

// A model owns its heap arrays and frees them when its slot is loaded again.
struct modelstruct {
	char name[NAMESIZE];
	int numofvertices;
	float *vertex;          // 3 per vertex
	float *vertexnormal;    // 3 per vertex, allocated but not filled
	float *vertextexcoord;  // 2 per vertex, allocated but not filled
	int numofpolygons;
	int *polygon;            // 3 vertex indices per triangle
	float *polygonnormal;    // unit normal per triangle, computed at load
	float *polygontexcoord;  // u, v of each corner, 6 per triangle
};

extern modelstruct objectmodel[MAXMODELS];
extern modelstruct propmodel[MAXMODELS];
extern int numofpropmodels;

// Size in bytes of a model file with these counts.
long long modelfilesize(long long vertices, long long polygons);

// What readmodelfile found.
constexpr int MODELLOADED = 1;
constexpr int MODELMISSING = 0;  // no such file, or a name that cannot be one
constexpr int MODELREFUSED = -1; // short, overlong or corrupt: m is unchanged

// Reads name + ".tvo" from the current folder into m, freeing what m held,
// and computes the triangle normals.
int readmodelfile(modelstruct *m, const char *name);
void freemodel(modelstruct *m);

// Loads "object/<name>.tvo" into slot n and its texture into slot 100 + n.
// A missing file leaves the slot empty; a corrupt one leaves it as it was.
void loadobjectmodel(int n, const char *name);
// The prop slot holding the model of that name, loaded from "prop" into the
// next free slot the first time; -1 when it cannot be loaded.
int loadpropmodel(const char *name);
