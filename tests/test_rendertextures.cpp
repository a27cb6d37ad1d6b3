// Generated textures and the BMP backdrop reader, without a window.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <sys/stat.h>

#include "platform/input.h"
#include "platform/texture.h"
#include "render/backdrop.h"
#include "render/proctex.h"
#include "tempfolder.h"
#include "world/level.h"

static const unsigned char *texel(int slot, int x, int y)
{
	return &texture[slot].pixels[(y * texture[slot].width + x) * 4];
}

static void expecttexel(const unsigned char *t, int r, int g, int b, int a)
{
	EXPECT_EQ(t[0], r);
	EXPECT_EQ(t[1], g);
	EXPECT_EQ(t[2], b);
	EXPECT_EQ(t[3], a);
}

TEST(GeneratedTextures, SunDiscAndArrow)
{
	windowinfo.glenabled = 0;
	setupsuntexture();
	ASSERT_EQ(texture[TEX_SUN].width, 256);
	expecttexel(texel(TEX_SUN, 128, 128), 255, 255, 200, 255);
	expecttexel(texel(TEX_SUN, 228, 128), 255, 255, 0, 0);
	expecttexel(texel(TEX_SUN, 0, 0), 255, 255, 0, 0);
	EXPECT_EQ(texel(TEX_SUN, 128 + 74, 128)[3], 255);  // opaque to 74.5 texels
	EXPECT_LT(texel(TEX_SUN, 128 + 76, 128)[3], 255);

	generatearrowtexture(TEX_ARROW);
	ASSERT_EQ(texture[TEX_ARROW].width, 128);
	ASSERT_EQ(texture[TEX_ARROW].height, 64);
	expecttexel(texel(TEX_ARROW, 100, 32), 0, 255, 0, 255);
	expecttexel(texel(TEX_ARROW, 98, 42), 128, 128, 128, 255);
	EXPECT_EQ(texel(TEX_ARROW, 120, 40)[3], 0);
	EXPECT_EQ(texel(TEX_ARROW, 50, 44)[3], 0);  // outside the shaft
	expecttexel(texel(TEX_ARROW, 2, 32), 128, 128, 128, 255);
}

TEST(GeneratedTextures, WaterLayers)
{
	windowinfo.glenabled = 0;
	setupwatertextures();
	for (int slot = TEX_WATERGLINT; slot < TEX_WATERSURFACE; slot++)
		expecttexel(texel(slot, 17, 200), 255, 255, 255, 128);
	expecttexel(texel(TEX_WATERSURFACE, 255, 255), 0, 0, 128, 128);
}

TEST(GeneratedTextures, BondColoursAreFreshAndClamped)
{
	windowinfo.glenabled = 0;
	for (int k = 0; k < 10; k++)
		level.linkcolor[k] = {0.1f * k, 0.5f, 1.0f};
	level.linkcolor[3] = {1.5f, -0.25f, NAN};
	setupbondtextures();
	unsigned char *first = texture[TEX_MATERIAL + 2].pixels;
	expecttexel(texel(TEX_MATERIAL + 2, 0, 0), 51, 127, 255, 255);
	expecttexel(texel(TEX_MATERIAL + 12, 0, 0), 51, 127, 255, 255);
	expecttexel(texel(TEX_MATERIAL + 3, 0, 0), 255, 0, 0, 255);
	setupbondtextures();
	EXPECT_EQ(texture[TEX_MATERIAL + 2].width, 1);
	EXPECT_EQ(texture[TEX_MATERIAL + 2].height, 1);
	(void)first;  // a fresh buffer each time; the old one is freed (checked by ASan)
}

// A 24-bit BMP of w x h whose pixel (x, y), counted from the top, is
// (red x, green y, blue 7), rows unpadded, stored top-down or bottom-up.
static std::string makebmp(int w, int h, bool topdown)
{
	std::string b(54, '\0');
	b[0] = 'B', b[1] = 'M';
	auto put32 = [&](int at, int32_t v) { memcpy(&b[at], &v, 4); };
	auto put16 = [&](int at, int16_t v) { memcpy(&b[at], &v, 2); };
	put32(18, w);
	put32(22, topdown ? -h : h);
	put16(28, 24);
	put32(30, 0);
	for (int r = 0; r < h; r++) {
		int y = topdown ? r : h - 1 - r;
		for (int x = 0; x < w; x++) {
			b += (char)7;
			b += (char)y;
			b += (char)x;
		}
	}
	return b;
}

class Backdrop : public ::testing::Test {
protected:
	tempfolder t;
	void SetUp() override
	{
		windowinfo.glenabled = 0;
		entertempfolder(&t);
	}
	void TearDown() override { leavetempfolder(&t); }
};

TEST_F(Backdrop, TopDownAndBottomUpGiveTheSameWindow)
{
	writefile("down.bmp", makebmp(200, 150, true));
	writefile("up.bmp", makebmp(200, 150, false));
	readpartialbmp(401, "down.bmp", 128, 128, 60, 10);
	readpartialbmp(402, "up.bmp", 128, 128, 60, 10);
	ASSERT_EQ(texture[401].width, 128);
	ASSERT_EQ(texture[402].height, 128);
	EXPECT_EQ(memcmp(texture[401].pixels, texture[402].pixels, 128 * 128 * 4), 0);
	expecttexel(texel(401, 0, 0), 60, 10, 7, 255);
	expecttexel(texel(401, 100, 127), 160, 137, 7, 255);
	EXPECT_EQ(bmpheader.width, 200);
}

TEST_F(Backdrop, WindowsPastTheImageAreBlack)
{
	writefile("small.bmp", makebmp(100, 50, false));
	readpartialbmp(403, "small.bmp", 128, 128, 64, 0);
	ASSERT_EQ(texture[403].width, 128);
	expecttexel(texel(403, 35, 49), 99, 49, 7, 255);
	expecttexel(texel(403, 36, 0), 0, 0, 0, 0);
	expecttexel(texel(403, 0, 50), 0, 0, 0, 0);
	readpartialbmp(404, "small.bmp", 16, 16, -8, -8);
	expecttexel(texel(404, 0, 0), 0, 0, 0, 0);
	expecttexel(texel(404, 8, 8), 0, 0, 7, 255);
}

TEST_F(Backdrop, BadOrMissingFilesLeaveTheSlotAsItWas)
{
	writefile("good.bmp", makebmp(32, 32, true));
	readpartialbmp(405, "good.bmp", 32, 32, 0, 0);
	ASSERT_EQ(texture[405].width, 32);
	unsigned char *before = texture[405].pixels;
	std::string keep(reinterpret_cast<char *>(before), 32 * 32 * 4);

	std::string bad = makebmp(32, 32, true);
	bad[0] = 'X';
	writefile("magic.bmp", bad);
	std::string depth = makebmp(32, 32, true);
	depth[28] = 32;
	writefile("depth.bmp", depth);
	std::string packed = makebmp(32, 32, true);
	packed[30] = 1;
	writefile("packed.bmp", packed);
	std::string huge = makebmp(32, 32, true);
	int32_t big = 0x7fffffff;
	memcpy(&huge[18], &big, 4);
	writefile("huge.bmp", huge);
	writefile("short.bmp", makebmp(32, 32, true).substr(0, 54 + 32 * 3 * 10));
	writefile("header.bmp", std::string("BM\0\0", 4));

	const char *names[] = {"magic.bmp", "depth.bmp", "packed.bmp", "huge.bmp", "short.bmp",
		"header.bmp", "missing.bmp"};
	for (const char *name : names) {
		readpartialbmp(405, name, 64, 64, 0, 0);
		EXPECT_EQ(texture[405].width, 32) << name;
		EXPECT_EQ(texture[405].pixels, before) << name;
		EXPECT_EQ(std::string(reinterpret_cast<char *>(texture[405].pixels), 32 * 32 * 4), keep)
			<< name;
	}
}

TEST_F(Backdrop, SplashTilesEndWithTheImagesLastRows)
{
	ASSERT_EQ(mkdir("texture", 0777), 0);
	writefile("texture/splash.bmp", makebmp(640, 480, false));
	loadsplash("splash.bmp", TEX_SPLASH);
	char here[4096];
	ASSERT_NE(getcwd(here, sizeof here), nullptr);
	EXPECT_EQ(std::string(here), t.path);  // back out of the texture folder
	expecttexel(texel(TEX_SPLASH + 7, 0, 0), 256 & 255, 128, 7, 255);
	expecttexel(texel(TEX_SPLASH + 19, 127, 127), 639 & 255, 479 & 255, 7, 255);
	expecttexel(texel(TEX_SPLASH + 15, 0, 0), 0, 352 & 255, 7, 255);
}
