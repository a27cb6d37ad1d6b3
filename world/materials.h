// Constant tables of link materials, particle types and bond types,
// indexed by type number; unlisted entries stay all zero.
#pragma once

#include "platform/vector.h"

constexpr int MAXLINKTYPES = 256;
constexpr int MAXPARTICLETYPES = 16384;
constexpr int MAXBONDTYPES = 256;

// Link types the editor builds with; a thin crossbeam is its material + 10.
constexpr int LINKIRON = 2;
constexpr int LINKSTEEL = 3;
constexpr int LINKCABLE = 4;
constexpr int LINKSUSPENSION = 5;
constexpr int LINKHEAVYSTEEL = 6;
constexpr int LINKHYDRAULIC1 = 7;
constexpr int LINKHYDRAULIC2 = 8;
constexpr int LINKTHIN = 10;

struct linktypestruct {
	int replace;      // nonzero: a new link over an old one replaces it
	float weight;     // mass per unit length
	float cost;       // dollars per unit length
	float maxlength;  // a link must be strictly shorter
	vector3 color;
	float thickness;
};

struct particletypestruct {
	float retention;  // velocity kept per step; 0 holds the particle still
	float gravity;    // downward speed change per step
	float bounce;     // share of the normal velocity removed on a ground hit
	float friction;
	int collidelevel;  // 1: collides with the landscape
};

struct bondtypestruct {
	float stiffness;
	float compressionlimit;  // negative stretch ratio that breaks it; 0: a rope
	float tensionlimit;
	int passmask;  // takes part in solver pass p when (passmask & p) == 0
	int inuse;     // 1 in every written entry; nothing reads it
	float radius;  // drawn width, and width for air and water drag
};

extern linktypestruct linktype[MAXLINKTYPES];
extern particletypestruct particletype[MAXPARTICLETYPES];
extern bondtypestruct bondtype[MAXBONDTYPES];

void setuplinkdata();
void setupparticledata();
void setupbonddata();
