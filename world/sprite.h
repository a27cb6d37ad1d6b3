// Smoke and spray puffs: no mass, no collision, a short life.
#pragma once

#include "platform/vector.h"

constexpr int MAXSPRITES = 4096;
constexpr int MAXLIVESPRITES = 4001;  // creation is refused beyond this

constexpr int SPRITE_SMOKE = 0;
constexpr int SPRITE_SPRAY = 1;

struct spritestruct {
	int type;
	vector3 position;
	vector3 velocity;   // units per step
	int timetolive;     // steps left; 10000 or more never counts down
};

static_assert(sizeof(spritestruct) == 32, "spritestruct fields are 32 bits wide");

extern spritestruct sprite[MAXSPRITES];
extern int numofsprites;

// velocity may be null for none. Spray gets a random spread of velocity and
// life. Returns the new index, or -1 when refused.
int createsprite(int type, const vector3 *position, const vector3 *velocity, int timetolive);
void deletesprite(int index);
void spritesimulation();
void spritetimetolive();
