// Frames per second of the 3D view at 640x480 under Xvfb with Mesa's
// software OpenGL: run through tests/window/withx.sh.
#include <benchmark/benchmark.h>

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <cstdio>

#include "editor/editor.h"
#include "editor/editordraw.h"
#include "platform/viewport.h"
#include "render/bridgedraw.h"
#include "render/camera.h"
#include "render/landscapedraw.h"
#include "render/renderframe.h"
#include "render/water.h"
#include "tests/renderworld.h"
#include "world/level.h"

static int windowopen;

static int preparewindow()
{
	if (!windowopen)
		windowopen = openrenderwindow();
	return windowopen;
}

static void everyeffect()
{
	renderoptions.lighting = 1;
	renderoptions.shadows = 1;
	renderoptions.reflections = 1;
	renderoptions.detaillevel = 1;
	for (int k = 0; k < 4; k++)
		loddistance[k] = 120.0f * (k + 1);
}

// The first frames upload textures and let Mesa compile its state
// variants; they are not part of the steady frame rate.
static void warmup(void (*draw)())
{
	for (int n = 0; n < 5; n++) {
		draw();
		SDL_GL_SwapBuffers();
	}
	glFinish();
}

static void runframes(benchmark::State &state)
{
	warmup(drawtestframe);
	for (auto _ : state) {
		drawtestframe();
		SDL_GL_SwapBuffers();
		glFinish();
	}
	state.counters["fps"] = benchmark::Counter((double)state.iterations(),
		benchmark::Counter::kIsRate);
}

static void BM_EmptyLevelEveryEffect(benchmark::State &state)
{
	if (!preparewindow()) {
		state.SkipWithError("no OpenGL window");
		return;
	}
	setuprenderworld();
	everyeffect();
	setuprendercamera(1300, 340, 1285, 100, 0.3f, 0.2f);
	runframes(state);
}
BENCHMARK(BM_EmptyLevelEveryEffect)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_BridgeEveryEffect(benchmark::State &state)
{
	if (!preparewindow()) {
		state.SkipWithError("no OpenGL window");
		return;
	}
	setuprenderworld();
	buildtestbridge((int)state.range(0));
	everyeffect();
	setuprendercamera(1300, 340, 1285, 100, 0.3f, 0.2f);
	runframes(state);
}
BENCHMARK(BM_BridgeEveryEffect)->Arg(2000)->Arg(16384)->Unit(benchmark::kMillisecond)
	->UseRealTime();

// The editor's bridge in both editing planes: 16384 points and 16384
// links, decks along the bottom row.
static void buildeditorbridge()
{
	const int columns = 128, rows = 64;
	numofpoints = 0;
	numoflinks = 0;
	for (int side = 0; side < 2; side++)
		for (int r = 0; r < rows; r++)
			for (int c = 0; c < columns; c++)
				point[numofpoints++] = {r == 0 && (c == 0 || c == columns - 1) ? 0 : 1,
					{980.0f + 5.0f * c, BANKTOP + 5.0f * r, side ? PLANEBACK : PLANEFRONT}};
	for (int side = 0; side < 2; side++)
		for (int r = 0; r < rows; r++)
			for (int c = 0; c + 1 < columns; c++) {
				int a = side * rows * columns + r * columns + c;
				beam[numoflinks++] = {r % 2 ? 2 : 3, r == 0, a, a + 1, 0};
			}
	for (int c = 0; numoflinks < MAXLINKS; c++)
		beam[numoflinks++] = {6, 0, c, rows * columns + c, 0};
}

static void draweditorview()
{
	glClearColor(0, 0, 0, 0);
	glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
	setupperspectiveviewport(0, 0, FRAMEWIDTH, FRAMEHEIGHT, 0.3f, 3000.0f);
	setupviewpoint(&frame.position, &frame.axes);
	glEnable(GL_TEXTURE_2D);
	glEnable(GL_BLEND);
	glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
	glEnable(GL_DEPTH_TEST);
	glDepthFunc(GL_LEQUAL);
	setuplandscaperender();
	renderlandscape();
	rendertracks();
	renderlinks(1.0f);
	renderpoints(1.0f);
	glColor4f(1, 1, 1, 0.5f);
	glDepthMask(GL_FALSE);
	renderwater();
	glDepthMask(GL_TRUE);
	rendergrid(0, PLANEFRONT, 1, 1, 1, 0.25f);
}

static void BM_EditorView(benchmark::State &state)
{
	if (!preparewindow()) {
		state.SkipWithError("no OpenGL window");
		return;
	}
	setuprenderworld();
	setuppointrender();
	buildeditorbridge();
	editor.gridsize = 5.0f;
	editor.hoverpoint = -1;
	editor.hovermirrorpoint = -1;
	setuprendercamera(1300, 400, 1285, 200, 0.1f, 0.0f);
	warmup(draweditorview);
	for (auto _ : state) {
		draweditorview();
		SDL_GL_SwapBuffers();
		glFinish();
	}
	state.counters["fps"] = benchmark::Counter((double)state.iterations(),
		benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EditorView)->Unit(benchmark::kMillisecond)->UseRealTime();
