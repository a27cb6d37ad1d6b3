#include "game/ticks.h"

int tickdue(unsigned *lasttick, unsigned now, int taken, int active)
{
	if (!active) {
		*lasttick = now;
		return 0;
	}
	// Unsigned difference: right across the wrap of the millisecond clock.
	if (taken >= MAXTICKSPERFRAME || now - *lasttick <= TICKMS)
		return 0;
	*lasttick += TICKMS;
	return 1;
}

int ticksteps(int *stepcount, int pause, int singlestep, int fast, int slow)
{
	if (pause || singlestep)
		return 0;
	int offers = fast ? 4 : 1;
	int steps = 0;
	for (int n = 0; n < offers; n++) {
		// Only the count's remainder by four matters; kept within 1 to 4 it
		// cannot overflow however long a test is left running.
		*stepcount = *stepcount % 4 + 1;
		if (!slow || *stepcount % 4 == 0)
			steps++;
	}
	return steps;
}
