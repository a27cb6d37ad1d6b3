// Sound instance bookkeeping: the parts that need no device.
#include "sound/soundrecords.h"

#include "world/vehicle.h"  // vehicle type ranges only

soundstruct sound[MAXSOUNDS];
int numofsounds;
int soundenabled;
unsigned soundbuffer[MAXSOUNDS];
int bufferloaded[MAXSOUNDS];

int soundslotplayable(int id)
{
	return soundenabled && numofsounds < MAXLIVESOUNDS && id >= 0 && id < SOUNDSLOTS
		&& bufferloaded[id];
}

int countalikesounds(int id)
{
	int count = 0;
	for (int n = 0; n < numofsounds; n++)
		if (sound[n].id == id || (id >= FIRSTSPLASHSOUND && sound[n].id >= FIRSTSPLASHSOUND))
			count++;
	return count;
}

int enginesound(int type)
{
	if (type == 0)
		return 0;
	if (type == 1 || type == 2)
		return 9;
	if (type >= FIRSTROADTYPE && type < FIRSTBOATTYPE)
		return 2;
	if (type == FIRSTBOATTYPE)
		return 5;
	return -1;
}

int hornsound(int type)
{
	if (type >= 0 && type <= 2)
		return 1;
	if (type == FIRSTBOATTYPE)
		return 4;
	return -1;
}

float enginepitch(float speedperstep, float maxspeed)
{
	float pitch = maxspeed != 0.0f ? 3.0f * (50.0f * speedperstep / maxspeed) : 0.0f;
	if (!(pitch > 0.5f))
		return 0.5f;
	return pitch < 1.0f ? pitch : 1.0f;
}

float clampunit(float value)
{
	if (!(value > 0.0f))
		return 0.0f;
	return value < 1.0f ? value : 1.0f;
}
