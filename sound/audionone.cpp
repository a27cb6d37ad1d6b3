// The build without sound: every operation does nothing and nothing is
// ever created, so the game runs the same, silently.
#include "sound/audio.h"
#include "world/soundevents.h"

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
