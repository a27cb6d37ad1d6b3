// The toolkit's per-frame and per-load work: the text line of every
// drawtext call, the menu test of every frame, and a mip chain and TGA read
// per texture upload or load.
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "platform/texture.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <vector>

static void BM_ExpandHudLine(benchmark::State &state)
{
	for (auto _ : state) {
		int n = formattext("Cost: $/I  Budget: $/I  Links: /i  Time: /f  /s", 1234567, 2500000,
			312, 12.5, "Test Passed");
		benchmark::DoNotOptimize(n);
	}
}
BENCHMARK(BM_ExpandHudLine);

// A busy screen: 64 buttons with hotkeys, the pointer over one of them.
static void BM_CheckMenuItems(benchmark::State &state)
{
	mouse.x = 40;
	mouse.y = 40;
	for (auto _ : state) {
		numofmenuitems = 0;
		for (int i = 0; i < 64; i++) {
			createmenuitem("Button", (i % 8) * 80, (i / 8) * 40, 12, 1, 1, 1, 1);
			setmenuitem(MENUSET_KEY, 'a' + i % 26);
		}
		checkmenuitems();
		benchmark::DoNotOptimize(menuitem[0].state);
	}
}
BENCHMARK(BM_CheckMenuItems);

static void BM_BuildMipmaps256(benchmark::State &state)
{
	unsigned char *p = allocatetexture(TEX_GROUND, 256, 256, 1);
	for (int i = 0; i < 256 * 256 * 4; i++)
		p[i] = static_cast<unsigned char>(i * 31);
	for (auto _ : state)
		benchmark::DoNotOptimize(buildmipmaps(TEX_GROUND));
}
BENCHMARK(BM_BuildMipmaps256);

static void BM_ReadTga256(benchmark::State &state)
{
	unsigned char header[18] = {0, 0, 2};
	header[12] = 0;
	header[13] = 1;   // width 256
	header[14] = 0;
	header[15] = 1;   // height 256
	header[16] = 32;
	header[17] = 8;
	std::vector<unsigned char> pixels(256 * 256 * 4, 90);
	FILE *f = tmpfile();
	fwrite(header, 1, sizeof header, f);
	fwrite(pixels.data(), 1, pixels.size(), f);
	for (auto _ : state) {
		rewind(f);
		benchmark::DoNotOptimize(readtexturetga(TEX_DECK, f, 1));
	}
	fclose(f);
}
BENCHMARK(BM_ReadTga256);
