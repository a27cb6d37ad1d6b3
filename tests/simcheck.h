// The simulation's invariants, checked after every step of a test scenario.
#pragma once

#include <string>

// Empty when the particles, bonds, deck quads and vehicles are consistent:
// every reference below its count, bond counts true, no duplicate bonds, live
// quad corners, counts within capacity, no NaN. Otherwise the first problem.
std::string checksimulation();
