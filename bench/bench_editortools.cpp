// The editor's multi-link tools as a frame meets them: a paste previewed and
// put back, an undo entry, an area delete and a laid cable, on a small
// bridge and on one of thousands of links.
#include <benchmark/benchmark.h>

#include "editor/bridgeedit.h"
#include "editor/editor.h"
#include "editor/paste.h"
#include "editor/selection.h"
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
	editor.mirrorplanez = BACKZ;
}

static void selectbox(float x1, float y1, float x2, float y2)
{
	editor.selectstart = {x1, y1, FRONTZ};
	editor.selectend = {x2, y2, BACKZ};
}

// One frame of edit state 2: the paste applied for the preview, then the
// bridge put back from the snapshot.
static void BM_PastePreview(benchmark::State &state)
{
	buildtrusses((int)state.range(0));
	selectbox(1240, 315, 1315, 335);
	copypoints();
	vector3 h = {1280.0f, 320.0f, FRONTZ - 200.0f};
	for (auto _ : state) {
		storebridge(&editor.snapshot);
		pastecopy(&h);
		restorebridge(&editor.snapshot);
	}
	state.counters["links"] = numoflinks;
}
BENCHMARK(BM_PastePreview)->Arg(1)->Arg(40)->Arg(100)->Unit(benchmark::kMicrosecond);

static void BM_UndoEntry(benchmark::State &state)
{
	buildtrusses((int)state.range(0));
	storebridge(&editor.snapshot);
	for (auto _ : state)
		setupundo();
	state.counters["links"] = numoflinks;
}
BENCHMARK(BM_UndoEntry)->Arg(1)->Arg(100)->Unit(benchmark::kMicrosecond);

// Deleting a whole row of ten trusses from a bridge of a hundred.
static void BM_AreaDelete(benchmark::State &state)
{
	buildtrusses(100);
	static undostruct full;
	storebridge(&full);
	for (auto _ : state) {
		restorebridge(&full);
		selectbox(1240, 315, 2100, 335);
		deletepoints();
	}
	state.counters["links"] = full.numoflinks;
}
BENCHMARK(BM_AreaDelete)->Unit(benchmark::kMillisecond);

// A cable of 100 links over an empty valley, laid and put back.
static void BM_LayCable(benchmark::State &state)
{
	buildtrusses(0);
	editor.cablecurve[0][0] = {500.0f, 400.0f, FRONTZ};
	editor.cablecurve[0][1] = {1000.0f, 320.0f, FRONTZ};
	editor.cablecurve[0][2] = {1500.0f, 400.0f, FRONTZ};
	for (auto _ : state) {
		laycable(0);
		numofpoints = 0;
		numoflinks = 0;
	}
}
BENCHMARK(BM_LayCable)->Unit(benchmark::kMicrosecond);
