// How long the generator takes to fill a start folder (the build runs it),
// and how long proving every demo level with its stored bridge takes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <ftw.h>
#include <unistd.h>

#include "platform/files.h"
#include "tests/levelproof.h"
#include "tools/gen/gendata.h"
#include "world/level.h"
#include "world/mappack.h"

namespace {

char folder[PATHSIZE];
char home[PATHSIZE];

int generateall()
{
	return generatetextures() + generatebackdrops() + generatesounds() + generatemodels()
		+ generatelevels();
}

int removeentry(const char *path, const struct stat *, int, struct FTW *)
{
	return remove(path);
}

void removefolder()
{
	nftw(folder, removeentry, 16, FTW_DEPTH | FTW_PHYS);
}

// A fresh folder filled once, for the proof benchmark to read; removed at exit.
int preparefolder()
{
	if (folder[0])
		return 1;
	checkbigendian();
	copystring(folder, "/tmp/tvbenchdataXXXXXX", sizeof folder);
	if (!mkdtemp(folder))
		return 0;
	atexit(removefolder);
	if (!getcwd(home, sizeof home) || chdir(folder) != 0)
		return 0;
	int failed = generateall();
	return chdir(home) == 0 && failed == 0;
}

void BM_GenerateStartFolder(benchmark::State &state)
{
	if (!preparefolder() || chdir(folder) != 0) {
		state.SkipWithError("no start folder");
		return;
	}
	for (auto _ : state)
		benchmark::DoNotOptimize(generateall());
	if (chdir(home) != 0)
		state.SkipWithError("cannot return");
}
BENCHMARK(BM_GenerateStartFolder)->Unit(benchmark::kMillisecond);

void BM_ProveEveryLevel(benchmark::State &state)
{
	if (!preparefolder() || chdir(folder) != 0) {
		state.SkipWithError("no start folder");
		return;
	}
	setupproofworld();
	copystring(mappackname, "demo", NAMESIZE);
	if (chdir("files") != 0 || !loadmappack() || chdir("demo") != 0) {
		state.SkipWithError("no map pack");
		return;
	}
	long steps = 0;
	for (auto _ : state) {
		for (int l = 0; l < mappack.numoflevels; l++) {
			loadlevel(mappack.levelname[l], 0);
			steps += runlevelproof(0, 20000).steps;
		}
	}
	state.counters["steps"] = benchmark::Counter((double)steps, benchmark::Counter::kAvgIterations);
	if (chdir(home) != 0)
		state.SkipWithError("cannot return");
}
BENCHMARK(BM_ProveEveryLevel)->Unit(benchmark::kMillisecond);

}  // namespace
