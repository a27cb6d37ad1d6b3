// Sounds that the simulation starts and stops. The sound instances live
// with the sound code; a build without a sound device, and headless tests and
// tools, get do-nothing versions (sound/soundeventsnone.cpp), so the simulation
// runs the same with or without them.
#pragma once

#include "platform/vector.h"

// Sound ids the simulation uses.
constexpr int SOUND_LINKBREAK = 3;
constexpr int SOUND_JOINT = 6;       // a drawbridge joint splits or closes
constexpr int SOUND_HYDRAULIC = 7;
constexpr int SOUND_CRASH = 8;
constexpr int SOUND_CABLEBREAK = 10;
constexpr int SOUND_SPLASH = 13;     // 13, 14 and 15

// A free instance at a position; velocity may be null. Refused silently
// when the device is off or too many are playing.
void playsound(int id, const vector3 *position, const vector3 *velocity, int looping,
	float gain, float pitch);
// Removes instance index, moving the last one into its slot.
void deletesound(int index);
// Every live instance of id stops looping and its source stops; the sound
// code reaps it.
void stopsounds(int id);
// Stops every live source and forgets every instance (a new test run).
void stopallsounds();
// Instances bound to vehicle from are bound to vehicle to instead (the
// vehicle moved slots); to -1 unbinds them, and so does to == from (the
// vehicle in the last slot was deleted).
void rebindsounds(int from, int to);
