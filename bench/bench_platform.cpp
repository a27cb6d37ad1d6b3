// The platform routines that run many times per frame or per step: vector
// math in the simulation and editor, the keyboard remap, and the settings
// files at start-up and exit.
#include "platform/config.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/vector.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <unistd.h>

static void BM_RotateOrientation(benchmark::State &state)
{
	orientation o;
	resetorientation(&o);
	vector3 axis = {0.3f, 1.0f, -0.2f};
	for (auto _ : state) {
		rotateorientation(&o, &axis, 0.01f);
		benchmark::DoNotOptimize(o);
	}
}
BENCHMARK(BM_RotateOrientation);

static void BM_LineIntersectTriangle(benchmark::State &state)
{
	vector3 a = {0, 0, 0}, b = {4, 0, 0}, c = {0, 0, 4}, n, out;
	generatepolygonnormal(&n, &a, &b, &c);
	vector3 p0 = {1, 1, 1}, p1 = {1, -1, 1};
	float t;
	for (auto _ : state) {
		p0.x += 1e-7f;
		benchmark::DoNotOptimize(lineintersecttriangle(&out, &n, &t, &p0, &p1, &a, &b, &c));
	}
}
BENCHMARK(BM_LineIntersectTriangle);

static void BM_PointIntersectLine(benchmark::State &state)
{
	vector3 a = {0, 0, 0}, b = {10, 0, 0}, p = {5, 1, 0};
	for (auto _ : state) {
		p.x += 1e-7f;
		benchmark::DoNotOptimize(pointintersectline(&p, &a, &b, 2.0f));
	}
}
BENCHMARK(BM_PointIntersectLine);

static void BM_RemapKeyboard(benchmark::State &state)
{
	unsigned char keys[KEYCOUNT], ascii[KEYCOUNT];
	memset(ascii, 0, sizeof ascii);
	ascii['q'] = 'a';
	for (auto _ : state) {
		memset(keys, 0, sizeof keys);
		keys['q'] = 1;
		keys[KEY_KP0 + 3] = 1;
		remapkeyboard(keys, ascii);
		benchmark::DoNotOptimize(keys);
	}
}
BENCHMARK(BM_RemapKeyboard);

static void BM_SaveAndLoadSettings(benchmark::State &state)
{
	char folder[] = "/tmp/trusvane-bench-XXXXXX";
	if (!mkdtemp(folder) || chdir(folder) != 0) {
		state.SkipWithError("no temporary folder");
		return;
	}
	checkbigendian();
	loadconfig();
	for (auto _ : state) {
		saveconfig();
		loadconfig();
	}
	unlink("hwconfig.txt");
	unlink("settings.txt");
	if (chdir("/") == 0)
		rmdir(folder);
}
BENCHMARK(BM_SaveAndLoadSettings);
