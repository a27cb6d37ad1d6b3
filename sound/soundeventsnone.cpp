// Do-nothing versions of the sounds the simulation starts and stops, for
// the build without sound and for headless tests and tools alike.
#include "world/soundevents.h"

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
