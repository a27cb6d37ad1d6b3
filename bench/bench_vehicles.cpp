// Whole simulation steps with traffic: the largest braced truss the arrays
// hold with 30 vehicles driving over it, and the vehicles' own share of the
// step (contacts, wheels, drag) on that truss.
#include <benchmark/benchmark.h>

#include "tests/vehicleworld.h"
#include "world/bond.h"
#include "world/cdquad.h"
#include "world/landscape.h"
#include "world/level.h"
#include "world/objectphysics.h"
#include "world/particle.h"
#include "world/simsetup.h"
#include "world/simulation.h"
#include "world/sprite.h"
#include "world/vehicle.h"

constexpr int ROWS = 26;
constexpr int ROWBAYS = 40;
constexpr int VEHICLES = 30;
constexpr float DECKY = 120.0f;
constexpr float ROWX = 100.0f;
// Steps before the run is rebuilt, so the figures come from vehicles still
// on the deck.
constexpr int STEPSPERBUILD = 1000;

static float rowz(int row)
{
	return 100.0f + 30.0f * (float)row;
}

// Rows of two-plane trusses of 40 bays on piers every three bays, braced
// between the planes: about 4200 particles, 14500 bonds and 1040 quads.
static void buildbigtruss()
{
	for (int row = 0; row < ROWS; row++) {
		const float z[2] = {rowz(row) + 10.0f, rowz(row)};
		int deck[2][ROWBAYS + 1], top[2][ROWBAYS + 1];
		for (int side = 0; side < 2; side++)
			for (int i = 0; i <= ROWBAYS; i++) {
				float x = ROWX + 10.0f * (float)i;
				deck[side][i] = addpoint(i % 3 == 0 || i == ROWBAYS ? 0 : 1, x, DECKY, z[side]);
				if (i > 0)
					top[side][i] = addpoint(1, x, DECKY + 10.0f, z[side]);
			}
		for (int side = 0; side < 2; side++)
			for (int i = 1; i <= ROWBAYS; i++) {
				addlink(3, deck[side][i - 1], deck[side][i], 1);
				addlink(3, deck[side][i], top[side][i], 0);
				addlink(3, deck[side][i - 1], top[side][i], 0);
				if (i > 1)
					addlink(3, top[side][i - 1], top[side][i], 0);
			}
		for (int i = 1; i <= ROWBAYS; i++) {
			addlink(3, top[0][i], top[1][i], 0);
			addlink(3, deck[0][i], top[1][i], 0);
		}
	}
}

static void setupbigworld()
{
	setupvehicleworld();
	level.landscapewidth = LANDSCAPESIZE;
	level.landscapedepth = LANDSCAPESIZE;
	level.waterlevel = 0.0f;
	for (int i = 0; i < LANDSCAPEVERTICES; i++)
		landscape.height[i] = 50.0f;
	setuplandscapenormals();
	buildbigtruss();
}

// One car per row, a second one farther back on the first rows, each on
// its way to the far end of its row.
static void placetraffic()
{
	orientation axes = facingx();
	for (int n = 0; n < VEHICLES; n++) {
		int row = n % ROWS;
		float x = ROWX + 15.0f + 60.0f * (float)(n / ROWS);
		float z = rowz(row) + 5.0f;
		vector3 at = {x, DECKY + 0.25f + objectsize[CARTYPE].clearance, z};
		int v = createobject(&at, &axes, CARTYPE);
		object[v].numofwaypoints = 1;
		object[v].waypoint[0] = {ROWX + 10.0f * ROWBAYS + 50.0f, DECKY, z};
	}
}

static void rebuild()
{
	resetsim();
	placetraffic();
}

static void report(benchmark::State &state)
{
	state.counters["particles"] = numofparticles;
	state.counters["bonds"] = numofbonds;
	state.counters["quads"] = numofcdquads;
	state.counters["vehicles"] = numofobjects;
	state.counters["broken"] = sim.brokenlinks;
	state.counters["steps/s"] = benchmark::Counter((double)state.iterations(),
		benchmark::Counter::kIsRate);
}

static void BM_StepLargestTrussWithTraffic(benchmark::State &state)
{
	setupbigworld();
	rebuild();
	int steps = 0;
	for (auto _ : state) {
		if (steps == STEPSPERBUILD) {
			state.PauseTiming();
			rebuild();
			steps = 0;
			state.ResumeTiming();
		}
		simulation();
		steps++;
	}
	report(state);
}
BENCHMARK(BM_StepLargestTrussWithTraffic);

// The vehicles' part alone: contacts, frame refresh, buoyancy, drag, the
// route driver and the wheels, on a structure that stays put.
static void BM_VehicleShareLargestTruss(benchmark::State &state)
{
	setupbigworld();
	rebuild();
	for (int s = 0; s < 200; s++)
		simulation();
	for (auto _ : state) {
		objectsimulation();
		objectcycle();
	}
	report(state);
}
BENCHMARK(BM_VehicleShareLargestTruss);
