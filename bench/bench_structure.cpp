// The structure's share of a simulation step, and the build, on bridges of
// the sizes the game meets: a typical level's bridge, the largest truss the
// arrays hold, and a bridge made mostly of cable chains.
#include <benchmark/benchmark.h>

#include "tests/simscene.h"
#include "world/bond.h"
#include "world/cdquad.h"
#include "world/level.h"
#include "world/materials.h"
#include "world/particle.h"
#include "world/simsetup.h"
#include "world/simulation.h"

// Steps a bridge may take before it is rebuilt, so every figure measures a
// structure that still stands rather than one lying in pieces.
constexpr int STEPSPERBUILD = 500;

// Rows of plain two-plane Pratt trusses of 40 bays with a pier every second
// bays: per bay about four particles, twelve bonds (four links in each plane
// and a deck quad's four cross bonds) and one quad, so 1200 bays come to
// about 4800 particles, 14400 bonds and 1200 quads.
static void buildlargetruss(int bays)
{
	const int rowbays = 40;
	const float z[2] = {0.0f, -10.0f};
	for (int row = 0; row * rowbays < bays; row++) {
		int n = bays - row * rowbays < rowbays ? bays - row * rowbays : rowbays;
		float rowz = 100.0f + 30.0f * (float)row;
		int deck[2][rowbays + 1], top[2][rowbays + 1];
		for (int side = 0; side < 2; side++) {
			for (int i = 0; i <= n; i++) {
				int kind = i % 2 == 0 || i == n ? POINTANCHOR : POINTJOINT;
				float x = 1000.0f + 10.0f * (float)i;
				deck[side][i] = addpoint(kind, x, ROADHEIGHT, rowz + z[side]);
				if (i > 0)
					top[side][i] = addpoint(POINTJOINT, x, ROADHEIGHT + 10.0f, rowz + z[side]);
			}
		}
		for (int side = 0; side < 2; side++) {
			for (int i = 1; i <= n; i++) {
				addlink(deck[side][i - 1], deck[side][i], LINKSTEEL, 1);
				addlink(deck[side][i], top[side][i], LINKSTEEL, 0);
				addlink(deck[side][i - 1], top[side][i], LINKSTEEL, 0);
				if (i > 1)
					addlink(top[side][i - 1], top[side][i], LINKSTEEL, 0);
			}
		}
	}
}

// Rows of ten 100-unit cables between anchors: each cable a chain of ten
// pieces, 109 rows filling 9919 particles.
static void buildcables(int rows)
{
	for (int r = 0; r < rows; r++) {
		float z = 100.0f + 12.0f * (float)r;
		int previous = addpoint(POINTANCHOR, 300.0f, ROADHEIGHT + 100.0f, z);
		for (int c = 1; c <= 10; c++) {
			int next = addpoint(POINTANCHOR, 300.0f + 100.0f * (float)c, ROADHEIGHT + 100.0f, z);
			addlink(previous, next, LINKCABLE, 0);
			previous = next;
		}
	}
}

static void report(benchmark::State &state)
{
	state.counters["particles"] = numofparticles;
	state.counters["bonds"] = numofbonds;
	state.counters["quads"] = numofcdquads;
	state.counters["broken"] = sim.brokenlinks;
	state.counters["steps/s"] = benchmark::Counter((double)state.iterations(),
		benchmark::Counter::kIsRate);
}

static void runsteps(benchmark::State &state)
{
	int steps = 0;
	for (auto _ : state) {
		if (steps == STEPSPERBUILD) {
			state.PauseTiming();
			resetsim();
			steps = 0;
			state.ResumeTiming();
		}
		structurestep();
		steps++;
	}
	report(state);
}

static void BM_StepTypicalBridge(benchmark::State &state)
{
	setupscene(1260.0f, 1300.0f, 0.0f);
	buildtruss(1260.0f, 4, LINKIRON);
	resetsim();
	state.counters["links"] = numoflinks;
	runsteps(state);
}
BENCHMARK(BM_StepTypicalBridge);

static void BM_StepLargestTruss(benchmark::State &state)
{
	setupscene(0.0f, 0.0f, 0.0f);
	buildlargetruss(1200);
	resetsim();
	runsteps(state);
}
BENCHMARK(BM_StepLargestTruss);

static void BM_StepCableBridge(benchmark::State &state)
{
	setupscene(0.0f, 0.0f, 0.0f);
	buildcables(109);
	resetsim();
	runsteps(state);
}
BENCHMARK(BM_StepCableBridge);

static void BM_ResetLargestBridge(benchmark::State &state)
{
	setupscene(0.0f, 0.0f, 0.0f);
	buildlargetruss(1200);
	for (auto _ : state)
		resetsim();
	report(state);
}
BENCHMARK(BM_ResetLargestBridge)->Unit(benchmark::kMillisecond);

// Both arrays full: 16384 points in two planes and 16384 deck links, more
// than the particles can hold, so the build also meets every refusal.
static void BM_ResetFullArrays(benchmark::State &state)
{
	setupscene(0.0f, 0.0f, 0.0f);
	const int perrow = 128;
	for (int i = 0; i < MAXPOINTS; i++) {
		int row = i / (2 * perrow), side = i / perrow % 2, k = i % perrow;
		addpoint(k % 8 == 0 ? POINTANCHOR : POINTJOINT, 100.0f + 10.0f * (float)k,
			ROADHEIGHT + 10.0f * (float)(row % 8), 100.0f + 25.0f * (float)(row / 8) - 10.0f * side);
	}
	for (int i = 0; numoflinks < MAXLINKS; i = (i + 1) % MAXPOINTS) {
		if (i % perrow != perrow - 1)
			addlink(i, i + 1, LINKSTEEL, 1);
	}
	for (auto _ : state)
		resetsim();
	report(state);
	state.counters["links"] = numoflinks;
}
BENCHMARK(BM_ResetFullArrays)->Unit(benchmark::kMillisecond);
