// Do-nothing versions of what the world calls in the game's screens and
// sound: the "Loading..." frame and the sound instances. Apart from the
// platform stand-ins (headless.cpp), so a window test that links the real
// platform library can still take these.
#include "world/level.h"
#include "world/soundevents.h"

// The "Loading..." frame of loadlevel.
void drawloadingframe()
{
}

// The simulation's sounds.
void playsound(int id, const vector3 *position, const vector3 *velocity, int looping,
	float gain, float pitch)
{
}

void deletesound(int index)
{
}

void stopsounds(int id)
{
}

void stopallsounds()
{
}

void rebindsounds(int from, int to)
{
}
