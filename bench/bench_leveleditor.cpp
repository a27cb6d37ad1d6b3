// The level editor's brush on a full-size landscape (512 x 512 vertices),
// each stroke with its normal update, and the nearest-ground search under
// the pointer.
#include <benchmark/benchmark.h>

#include <cmath>

#include "leveleditor/leveleditor.h"
#include "world/landscape.h"
#include "world/level.h"

static void hills()
{
	level.landscapewidth = LANDSCAPESIZE;
	level.landscapedepth = LANDSCAPESIZE;
	for (int z = 0; z < LANDSCAPESIZE; z++)
		for (int x = 0; x < LANDSCAPESIZE; x++)
			landscape.height[z * LANDSCAPESIZE + x] =
				300.0f + 20.0f * sinf(x * 0.05f) * cosf(z * 0.07f);
	setuplandscapenormals();
}

static void BM_BrushStroke(benchmark::State &state)
{
	hills();
	leveleditor.tool = BRUSH_RAISE;
	leveleditor.radius = (int)state.range(0);
	leveleditor.strength = 0.01f;
	leveleditor.cursor.y = 400.0f;
	for (auto _ : state)
		changelandscape(256, 256);
}
BENCHMARK(BM_BrushStroke)->Arg(8)->Arg(32)->Arg(128);

static void BM_GroundUnderPointer(benchmark::State &state)
{
	hills();
	vector3 from = {1280.0f, 500.0f, 2400.0f}, to = {1280.0f, -500.0f, 200.0f}, hit;
	for (auto _ : state)
		benchmark::DoNotOptimize(landscapeunderray(&hit, &from, &to));
}
BENCHMARK(BM_GroundUnderPointer);
