// One bridge editor frame as the player meets it: the snapshot, the link
// previewed under the mouse with its twin and crossbeams, the price, and
// the bridge put back; and a frame over empty space, where every link is
// tested for the highlight. On one truss and on a bridge near the link
// capacity.
#include <benchmark/benchmark.h>

#include <cstring>

#include "editor/bridgeedit.h"
#include "editor/cost.h"
#include "editor/editcycle.h"
#include "editor/editor.h"
#include "editor/undo.h"
#include "platform/input.h"
#include "tests/simscene.h"
#include "world/level.h"
#include "world/materials.h"

// Trusses of six bays (26 points, 86 links each) in rows above the valley.
static void buildtrusses(int count)
{
	setupscene(1260.0f, 1300.0f, 0.0f);
	levelnum = 0;
	cheat[0] = cheat[1] = 1;
	level.budget = 2000000000;
	for (int m = 0; m < MAXMATERIALLIMITS; m++)
		level.materiallimit[m] = MAXLINKS;
	resetundo();
	for (int k = 0; k < count; k++) {
		int first = numofpoints;
		buildtruss(1250.0f, 6, LINKSTEEL);
		for (int i = first; i < numofpoints; i++) {
			point[i].position.x += 80.0f * (float)(k % 10);
			point[i].position.y += 30.0f * (float)(k / 10);
		}
	}
	editor.planepoint = {1280.0f, 320.0f, FRONTZ};
	editor.planenormal = {0.0f, 0.0f, 1.0f};
	editor.mirrorplanez = BACKZ;
	editor.mirror = 1;
	editor.crossbeams = 1;
	editor.complex = 1;
	editor.material = LINKSTEEL;
	editor.editstate = 0;
	memset(&mouse, 0, sizeof(mouse));
	memset(&prevmouse, 0, sizeof(prevmouse));
}

static void editframe(const vector3 *hit)
{
	starteditframe();
	tentativeedit(hit);
	commitedit(calculatebridgecost(1));
}

static void BM_PreviewLink(benchmark::State &state)
{
	buildtrusses((int)state.range(0));
	// The first truss's top chord, from its first top point.
	editor.selectedpoint = findpoint(&point[7].position);
	editor.selectedmirrorpoint = -1;
	vector3 hit = {point[7].position.x + 10.0f, point[7].position.y + 10.0f, FRONTZ};
	for (auto _ : state)
		editframe(&hit);
	state.counters["links"] = numoflinks;
}
BENCHMARK(BM_PreviewLink)->Arg(1)->Arg(180)->Unit(benchmark::kMicrosecond);

static void BM_HoverEmptySpace(benchmark::State &state)
{
	buildtrusses((int)state.range(0));
	editor.selectedpoint = -1;
	editor.selectedmirrorpoint = -1;
	vector3 hit = {1100.0f, 600.0f, FRONTZ};
	for (auto _ : state)
		editframe(&hit);
	state.counters["links"] = numoflinks;
}
BENCHMARK(BM_HoverEmptySpace)->Arg(1)->Arg(180)->Unit(benchmark::kMicrosecond);
