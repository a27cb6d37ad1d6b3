// Building the simulated structure from the edited bridge, and the reset
// that starts every test run from it.
#pragma once

#include "platform/vector.h"

// The deck partners of a link are looked up this far from the points 10
// units behind its ends (the editor's grid step).
constexpr float DECKSEARCHRADIUS = 5.0f;
constexpr float DECKDEPTH = 10.0f;  // distance between a deck's two sides

// Particle made for each point of the bridge, -1 for a point that made none
// (a type the simulation does not know, or no room left). For a valid bridge
// that fits, point i is particle i.
extern int pointparticle[];

// One particle per point, one bond per link with cables as chains of short
// bonds, and a deck quad with four cross bonds for every pair of parallel
// deck links. Expects empty particle, bond and quad arrays (resetsim).
void setupsimulation();
// Discards everything simulated and rebuilds the structure from the bridge:
// the state before Run Test, with the simulation's random numbers reseeded.
void resetsim();

// A grid over the bridge points for the deck partner search, so the build
// stays linear in the size of the bridge. setupsimulation builds it first.
void indexpoints();
// The first point in index order closer than DECKSEARCHRADIUS to position,
// -1 none: the answer of a plain scan, through the grid of the last
// indexpoints.
int findindexedpoint(const vector3 *position);
