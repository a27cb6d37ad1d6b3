#include "world/simrandom.h"

// A 64-bit linear congruential generator: tiny, fast and the same on every
// host, which the C library's rand() is not.
static uint64_t simrandomstate = SIMRANDOMSEED;

void seedsimrandom(uint32_t seed)
{
	simrandomstate = seed;
}

int simrandom()
{
	simrandomstate = simrandomstate * 6364136223846793005ull + 1442695040888963407ull;
	// The high bits of an LCG are the well mixed ones.
	return (int)(simrandomstate >> 33);
}

float randompitch()
{
	return 0.69f + (float)(simrandom() & 31) / 100.0f;
}
