// The physics of each vehicle type, kept in "object/objectNN.tvp" files.
#pragma once

#include "platform/vector.h"

constexpr int MAXOBJECTTYPES = 256;
constexpr int BODYPOINTS = 8;
constexpr int MAXWHEELS = 4;
constexpr int OBJECTPHYSICSEXTRA = 6;
constexpr int OBJECTPHYSICSFILESIZE = 200;
constexpr int OBJECTEDITORTYPE = 255;  // the object editor's scratch entry

struct objectphysicsstruct {
	vector3 bodypoint[BODYPOINTS];  // body corners in the vehicle's frame
	float mass;                     // each body particle gets mass / 8
	float acceleration;
	float maxspeed;
	int numofwheels;  // 0 to 4
	int steerwheel[MAXWHEELS];
	vector3 wheelposition[MAXWHEELS];
	float extra[OBJECTPHYSICSEXTRA];  // kept in the file, read by nobody
};

struct objectsizestruct {
	float clearance;  // how far the body reaches below the vehicle's origin
	float unused;
};

static_assert(sizeof(objectphysicsstruct) == OBJECTPHYSICSFILESIZE, "fifty words");

extern objectphysicsstruct objectphysics[MAXOBJECTTYPES];
extern objectsizestruct objectsize[MAXOBJECTTYPES];

// "objectNN.tvp" with the last two decimal digits of the type.
void objectphysicsfilename(char out[16], int type);
// Reads the file of the type from "object" into its entry and recomputes its
// clearance. Returns 1 on success; otherwise both entries are unchanged.
int loadobjectphysics(int type);
// Recomputes the type's clearance from its entry; whoever changes an entry
// other than by loading it calls this, or the type is lifted by its old body.
void updateobjectsize(int type);
// Writes the type's entry to its file in "object". Returns 1 on success; on
// failure an existing file is left as it was.
int saveobjectphysics(int type);
