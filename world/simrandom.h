// The simulation's own random numbers, so that a run depends only on the
// bridge, the level and the number of steps, never on sound or frame rate.
#pragma once

#include <cstdint>

// resetsim seeds it with SIMRANDOMSEED before building the structure.
constexpr uint32_t SIMRANDOMSEED = 0x5eed1234u;

void seedsimrandom(uint32_t seed);
// Uniform in 0 .. 0x7fffffff, used like rand(): simrandom() % 100.
int simrandom();
// Pitch of an event sound, 0.69 to 1.0.
float randompitch();
