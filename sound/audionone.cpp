// The build without sound: every operation does nothing and nothing is
// ever created, so the game runs the same, silently. The simulation's sound
// calls are in soundeventsnone.cpp.
#include "sound/audio.h"

void setupaudio()
{
}

void shutdownaudio()
{
}

void loadwav(int slot, const char *name)
{
}

int createsound(int id, int object, int looping, int pitchfollows)
{
	return -1;
}

void soundsimulation(const vector3 *position, const orientation *axes)
{
}

void playeditorsound(int id)
{
}

void resetlistener()
{
}
