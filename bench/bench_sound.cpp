// The sound instances' per-frame update on OpenAL Soft's null backend:
// the listener, the engine and horn draws of every vehicle, the reaper
// and the source updates of the bound instances.
#include "sound/audio.h"
#include "sound/soundrecords.h"
#include "world/level.h"
#include "world/soundevents.h"
#include "world/vehicle.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/tempfolder.h"
#include "tests/wavdata.h"

// The game's "Loading..." frame; never drawn here.
void drawloadingframe()
{
}

static void setupvehicles(int count)
{
	level.waterlevel = 0.0f;
	numofobjects = 0;
	for (int n = 0; n < count; n++) {
		objectstruct *o = &object[numofobjects++];
		*o = objectstruct{};
		o->type = n % 2 ? 16 : 0;
		for (int k = 0; k < OBJECTSOUNDS; k++)
			o->soundnum[k] = -1;
		o->position = {(float)n, 5.0f, 0.0f};
		o->velocity = {0.1f, 0.0f, 0.0f};
		o->maxspeed = 20.0f;
	}
}

static void BM_SoundFrame(benchmark::State &state)
{
	setenv("ALSOFT_DRIVERS", "null", 0);
	tempfolder folder;
	entertempfolder(&folder);
	mkdir("sound", 0777);
	writefile("sound/steameng.wav", makewav(ramp16(22050)));
	writefile("sound/careng.wav", makewav(ramp16(22050)));
	setupaudio();
	setupvehicles((int)state.range(0));
	vector3 camera = {0.0f, 10.0f, 30.0f};
	orientation axes;
	resetorientation(&axes);
	srand(1);
	// Until every live slot holds an engine.
	for (int n = 0; n < 5000 && numofsounds < MAXLIVESOUNDS; n++)
		soundsimulation(&camera, &axes);
	for (auto _ : state)
		soundsimulation(&camera, &axes);
	state.counters["sounds"] = numofsounds;
	stopallsounds();
	shutdownaudio();
	numofobjects = 0;
	leavetempfolder(&folder);
}
BENCHMARK(BM_SoundFrame)->Arg(15)->Arg(64)->Arg(512);
