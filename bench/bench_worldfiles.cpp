// The world's files and landscape at full size: the bridge cost that the
// editor works out every frame, level loading and saving with the largest
// bridge, and the landscape set-up and queries on a 512 x 512 landscape.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "editor/cost.h"
#include "platform/files.h"
#include "world/landscape.h"
#include "world/level.h"
#include "world/materials.h"

// Rolling ground with water in the valleys, and a bridge of full capacity.
static void buildfullworld()
{
	memset(&level, 0, sizeof level);
	level.landscapewidth = LANDSCAPESIZE;
	level.landscapedepth = LANDSCAPESIZE;
	level.waterlevel = 0.0f;
	for (int i = 0; i < MAXCOLORBANDS; i++)
		level.colorband[i] = {{0.2f * i, 0.5f, 0.1f}, -10.0f + 10.0f * i};
	for (int z = 0; z < LANDSCAPESIZE; z++) {
		for (int x = 0; x < LANDSCAPESIZE; x++)
			landscape.height[z * LANDSCAPESIZE + x] = 20.0f * sinf(0.05f * x) * cosf(0.03f * z);
	}
	level.numoflevelobjects = 8;
	for (int i = 0; i < 8; i++) {
		levelobjectstruct *o = &level.levelobject[i];
		o->type = i < 4 ? 0 : 16;
		o->numofwaypoints = 4;
		for (int k = 0; k < 4; k++)
			o->waypoint[k] = {300.0f + 500.0f * k, 0.0f, 200.0f + 250.0f * i};
	}
	numofpoints = MAXPOINTS;
	for (int i = 0; i < numofpoints; i++)
		point[i] = {1, {5.0f * (i % 128), 5.0f * (i / 128 % 16), 10.0f * (i / 2048)}};
	numoflinks = MAXLINKS;
	for (int i = 0; i < numoflinks; i++)
		beam[i] = {2 + i % 5, i % 3 == 0, i, (i + 1) % numofpoints, 0};
	setuplinkdata();
}

static void BM_BridgeCost(benchmark::State &state)
{
	buildfullworld();
	for (auto _ : state)
		benchmark::DoNotOptimize(calculatebridgecost(1));
	state.SetItemsProcessed(state.iterations() * numoflinks);
}
BENCHMARK(BM_BridgeCost);

static char startfolder[PATHSIZE];

static void entertemp(char *path)
{
	if (!getcwd(startfolder, sizeof startfolder) || !mkdtemp(path) || chdir(path) != 0)
		abort();
	checkbigendian();
}

static void leavetemp(const char *path)
{
	remove("full.tvb");
	if (chdir(startfolder) != 0 || rmdir(path) != 0)
		abort();
}

static void BM_SaveFullBridge(benchmark::State &state)
{
	char path[] = "/tmp/trusvane-bench-XXXXXX";
	entertemp(path);
	buildfullworld();
	for (auto _ : state) {
		if (!savelevel("full", 1))
			state.SkipWithError("save failed");
	}
	leavetemp(path);
}
BENCHMARK(BM_SaveFullBridge)->Unit(benchmark::kMillisecond);

static void BM_LoadFullBridge(benchmark::State &state)
{
	char path[] = "/tmp/trusvane-bench-XXXXXX";
	entertemp(path);
	buildfullworld();
	if (!savelevel("full", 1))
		abort();
	for (auto _ : state) {
		if (!loadlevel("full", 1))
			state.SkipWithError("load failed");
	}
	leavetemp(path);
}
BENCHMARK(BM_LoadFullBridge)->Unit(benchmark::kMillisecond);

static void BM_LandscapeNormals(benchmark::State &state)
{
	buildfullworld();
	for (auto _ : state)
		setuplandscapenormals();
}
BENCHMARK(BM_LandscapeNormals)->Unit(benchmark::kMillisecond);

// Flat ground, so every route lays its decals and each new decal is
// checked against all earlier ones.
static void BM_LandscapeTextureAndTracks(benchmark::State &state)
{
	buildfullworld();
	memset(landscape.height, 0, sizeof landscape.height);
	for (auto _ : state)
		setuplandscapetexture();
	state.counters["tracks"] = numoftracks;
}
BENCHMARK(BM_LandscapeTextureAndTracks)->Unit(benchmark::kMillisecond);

// A particle's move in one step: a short segment down onto the ground.
static void BM_GroundTestShortSegment(benchmark::State &state)
{
	buildfullworld();
	vector3 hit, normal;
	float t;
	float x = 0.0f;
	for (auto _ : state) {
		vector3 p0 = {100.0f + x, 25.0f, 700.0f}, p1 = {100.1f + x, -25.0f, 700.1f};
		benchmark::DoNotOptimize(lineintersectlevel(&hit, &normal, &t, &p0, &p1));
		x = x < 2000.0f ? x + 1.0f : 0.0f;
	}
}
BENCHMARK(BM_GroundTestShortSegment);

// The editor's pick ray across the whole landscape.
static void BM_GroundTestLongSegment(benchmark::State &state)
{
	buildfullworld();
	vector3 hit, normal;
	float t;
	vector3 p0 = {0.0f, 200.0f, 0.0f}, p1 = {2555.0f, -200.0f, 2555.0f};
	for (auto _ : state)
		benchmark::DoNotOptimize(lineintersectlevel(&hit, &normal, &t, &p0, &p1));
}
BENCHMARK(BM_GroundTestLongSegment)->Unit(benchmark::kMicrosecond);
