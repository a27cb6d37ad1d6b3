#include "platform/files.h"
#include "platform/viewport.h"

#include "tests/tempfolder.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(Viewport, RectanglesMapToTheWindow)
{
	int v[4];
	mapviewport(v, 0, 0, 640, 480, 1024, 768);
	EXPECT_EQ(v[0], 0);
	EXPECT_EQ(v[1], 0);
	EXPECT_EQ(v[2], 1024);
	EXPECT_EQ(v[3], 768);
	mapviewport(v, 320, 0, 320, 240, 1024, 768);  // top-right quarter
	EXPECT_EQ(v[0], 512);
	EXPECT_EQ(v[1], 384);
	EXPECT_EQ(v[2], 512);
	EXPECT_EQ(v[3], 384);
	mapviewport(v, 10, 20, 100, 50, 800, 600);  // truncated, y from the bottom
	EXPECT_EQ(v[0], 12);
	EXPECT_EQ(v[1], 512);
	EXPECT_EQ(v[2], 125);
	EXPECT_EQ(v[3], 62);
}

// Applies a column-major matrix to a point.
static vector3 apply(const float m[16], vector3 p)
{
	return {m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
		m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
		m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]};
}

TEST(Viewport, CameraAndObjectMatricesAreInverseRotations)
{
	// A camera turned to look along +x: right is -z, up is y, back is -x.
	orientation axes = {{{0, 0, -1}, {0, 1, 0}, {-1, 0, 0}}};
	float view[16], object[16];
	viewrotation(view, &axes);
	objectrotation(object, &axes);
	EXPECT_EQ(view[15], 1.0f);
	EXPECT_EQ(view[3], 0.0f);
	EXPECT_EQ(view[12], 0.0f);

	vector3 ahead = apply(view, {5, 0, 0});  // in front of the camera: -z
	EXPECT_FLOAT_EQ(ahead.x, 0);
	EXPECT_FLOAT_EQ(ahead.z, -5);
	vector3 right = apply(view, {0, 0, -2});
	EXPECT_FLOAT_EQ(right.x, 2);

	// An object's local x goes along its axes row 0 in the world.
	vector3 local = apply(object, {1, 0, 0});
	EXPECT_FLOAT_EQ(local.z, -1);
	vector3 back = apply(view, apply(object, {0.3f, -0.7f, 2.0f}));
	EXPECT_FLOAT_EQ(back.x, 0.3f);
	EXPECT_FLOAT_EQ(back.y, -0.7f);
	EXPECT_FLOAT_EQ(back.z, 2.0f);
}

class ScreenshotTest : public ::testing::Test {
protected:
	tempfolder folder;
	void SetUp() override { entertempfolder(&folder); }
	void TearDown() override { leavetempfolder(&folder); }
};

static uint32_t word(const std::string &s, int at)
{
	const unsigned char *b = (const unsigned char *)s.data() + at;
	return b[0] | b[1] << 8 | b[2] << 16 | (uint32_t)b[3] << 24;
}

TEST_F(ScreenshotTest, OddWidthRowsArePadded)
{
	// 3 x 2 pixels, bottom row first: 9 bytes of colour, 3 of padding a row.
	unsigned char rgba[3 * 2 * 4];
	for (int n = 0; n < 6; n++) {
		rgba[n * 4 + 0] = (unsigned char)(10 + n);  // red
		rgba[n * 4 + 1] = (unsigned char)(20 + n);
		rgba[n * 4 + 2] = (unsigned char)(30 + n);
		rgba[n * 4 + 3] = 255;
	}
	ASSERT_EQ(writescreenshot("shot.bmp", rgba, 3, 2), 1);
	std::string bmp = readfile("shot.bmp");
	ASSERT_EQ(bmp.size(), 54u + 2 * 12);
	EXPECT_EQ(bmp.substr(0, 2), "BM");
	EXPECT_EQ(word(bmp, 2), 54u + 24);
	EXPECT_EQ(word(bmp, 10), 54u);
	EXPECT_EQ(word(bmp, 14), 40u);
	EXPECT_EQ(word(bmp, 18), 3u);
	EXPECT_EQ(word(bmp, 22), 2u);
	EXPECT_EQ(bmp[26], 1);
	EXPECT_EQ(bmp[28], 24);
	EXPECT_EQ(word(bmp, 34), 24u);
	const unsigned char *p = (const unsigned char *)bmp.data() + 54;
	EXPECT_EQ(p[0], 30);  // blue, green, red
	EXPECT_EQ(p[1], 20);
	EXPECT_EQ(p[2], 10);
	EXPECT_EQ(p[8], 12);
	EXPECT_EQ(p[9], 0);
	EXPECT_EQ(p[11], 0);
	EXPECT_EQ(p[12], 33);  // second row starts on a 4-byte boundary
}

TEST_F(ScreenshotTest, SizeFieldsOfAnOrdinaryWindow)
{
	unsigned char *rgba = new unsigned char[800 * 600 * 4]();
	ASSERT_EQ(writescreenshot("big.bmp", rgba, 800, 600), 1);
	delete[] rgba;
	std::string bmp = readfile("big.bmp");
	EXPECT_EQ(bmp.size(), 1440054u);
	EXPECT_EQ(word(bmp, 2), 1440054u);
	EXPECT_EQ(word(bmp, 34), 1440000u);
}

TEST_F(ScreenshotTest, NamesFillGapsAndStopAtTheLast)
{
	char name[16];
	writefile("scsht000.bmp", "");
	writefile("scsht002.bmp", "");
	ASSERT_EQ(nextscreenshotname(name), 1);
	EXPECT_STREQ(name, "scsht001.bmp");
	for (int n = 0; n < 1000; n++) {
		snprintf(name, sizeof name, "scsht%03d.bmp", n);
		writefile(name, "");
	}
	EXPECT_EQ(nextscreenshotname(name), 0);
}
