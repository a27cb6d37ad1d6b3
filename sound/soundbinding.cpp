// Keeping vehicles and sound instances pointing at each other as either
// array moves its last record into a freed slot.
#include "sound/soundrecords.h"

#include "world/vehicle.h"

void removesoundrecord(int i)
{
	if (i < 0 || i >= numofsounds)
		return;
	numofsounds--;
	int last = numofsounds;
	// A vehicle must not keep the index of an instance that is gone, or it
	// would own whatever moves in next.
	for (int n = 0; n < numofobjects; n++)
		for (int k = 0; k < OBJECTSOUNDS; k++)
			if (object[n].soundnum[k] == i)
				object[n].soundnum[k] = -1;
	if (i == last)
		return;
	unsigned freed = sound[i].source;
	sound[i] = sound[last];
	sound[last].source = freed;
	for (int n = 0; n < numofobjects; n++)
		for (int k = 0; k < OBJECTSOUNDS; k++)
			if (object[n].soundnum[k] == last)
				object[n].soundnum[k] = i;
}

void rebindsoundrecords(int from, int to)
{
	for (int n = 0; n < numofsounds; n++) {
		// Whatever still follows slot to belonged to the vehicle that was
		// deleted there (its horns are not in its index list): it stays
		// where it is and plays out. So too when that was the last slot
		// (from == to): the next vehicle made, often in the same step,
		// takes the slot and would carry the horn off with it.
		if (to != -1 && sound[n].object == to)
			sound[n].object = -1;
		else if (sound[n].object == from)
			sound[n].object = to;
	}
}
