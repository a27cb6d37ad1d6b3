// Title sprites: glowing spheres that fly in from random places and settle
// on a fixed pattern, after which darkening quads fade in over them.
#pragma once

#include "platform/vector.h"

constexpr int MAXTITLESPRITES = 1024;
constexpr int TITLEPATTERNSIZE = 256;
constexpr float TITLEPATTERNEND = 256.0f;  // an x of this value ends the pattern

struct titlespritestruct {
	vector3 position;
	vector3 velocity;  // units per step
	vector3 target;    // where the sprite settles
};

extern titlespritestruct titlesprite[MAXTITLESPRITES];
extern int numoftitlesprites;
// The pattern's points, ended by the first entry whose x is TITLEPATTERNEND.
extern vector3 finalposition[TITLEPATTERNSIZE];
extern int titleset;          // 1 once every sprite has settled
extern float titlesetalpha;   // opacity of the darkening quads

// One sprite per pattern point (at most TITLEPATTERNSIZE), from rand().
void setuptitlescreen();
// One animation step.
void titlescreensimulation();
// Draws the sprites under the caller's transform (window side).
void rendertitlescreen();
