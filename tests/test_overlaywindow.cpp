// The edit bars and the title sprites drawn in a real OpenGL window (run
// under Xvfb with Mesa's software renderer by window/withx.sh).
#include "platform/editbar.h"
#include "platform/input.h"
#include "platform/text.h"
#include "platform/texture.h"
#include "render/titlesprite.h"
#include "tests/testwindow.h"

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr int WINDOWWIDTH = 640;
constexpr int WINDOWHEIGHT = 480;

struct overlaywindow : ::testing::Test {
	static void SetUpTestSuite()
	{
		ASSERT_TRUE(opentestwindow(WINDOWWIDTH, WINDOWHEIGHT)) << SDL_GetError();
	}
	static void TearDownTestSuite() { SDL_Quit(); }

	void SetUp() override
	{
		glClearColor(0, 0, 0, 0);
		glClear(GL_COLOR_BUFFER_BIT);
		setuptextdisplay();
	}

	// The window is the virtual screen, pixel for pixel; GL counts rows
	// from the bottom.
	static void readpixel(int x, int y, unsigned char out[4])
	{
		glReadPixels(x, WINDOWHEIGHT - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, out);
	}
};

}  // namespace

TEST_F(overlaywindow, ABarRunsFromBlackToItsColourWithAGreyMarker)
{
	float value = 0.5f;
	editbar[0] = {100, 100, 200, 40, 0, 1, 0, &value};
	numofeditbars = 1;
	rendereditbars();
	unsigned char rgba[4];
	readpixel(102, 130, rgba);
	EXPECT_LT(rgba[1], 20);
	readpixel(296, 130, rgba);
	EXPECT_GT(rgba[1], 230);
	EXPECT_LT(rgba[0], 20);
	readpixel(250, 130, rgba);
	EXPECT_GT(rgba[1], 150);
	EXPECT_LT(rgba[1], 220);
	// The marker sits at the value and reaches past the bar's edges.
	for (int y : {98, 120, 141}) {
		readpixel(200, y, rgba);
		EXPECT_NEAR(rgba[0], 128, 3) << y;
		EXPECT_NEAR(rgba[1], 128, 3) << y;
	}
	readpixel(205, 98, rgba);
	EXPECT_EQ(rgba[1], 0);
	readpixel(310, 120, rgba);
	EXPECT_EQ(rgba[1], 0);
	EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
	numofeditbars = 0;
}

// World point (x, y, -20) under setuptextdisplay's frustum, in window pixels.
static void project(float x, float y, int *px, int *py)
{
	*px = static_cast<int>((x / 20.0f + 1.0f) * 0.5f * WINDOWWIDTH);
	*py = static_cast<int>((1.0f - y / 15.0f) * 0.5f * WINDOWHEIGHT);
}

TEST_F(overlaywindow, SettledSpritesAreDarkenedInsideTheirGlow)
{
	unsigned char *white = allocatetexture(TEX_SPHERE, 2, 2, 0);
	ASSERT_NE(white, nullptr);
	memset(white, 255, 16);
	setuptexture(TEX_SPHERE);
	srand(3);
	setuptitlescreen();
	for (int n = 0; n < 2000 && !titleset; n++)
		titlescreensimulation();
	ASSERT_EQ(titleset, 1);
	// The first pattern point lies on the top row: nothing above it.
	vector3 top = titlesprite[0].target;
	int cx, cy, rimx, rimy;
	project(top.x, top.y, &cx, &cy);
	project(top.x, top.y + 1.0f, &rimx, &rimy);
	unsigned char rgba[4];

	titlesetalpha = 0.0f;
	rendertitlescreen();
	readpixel(cx, cy, rgba);
	EXPECT_GT(rgba[0], 200);

	for (int n = 0; n < 25; n++)
		titlescreensimulation();
	glClear(GL_COLOR_BUFFER_BIT);
	rendertitlescreen();
	readpixel(cx, cy, rgba);
	EXPECT_LT(rgba[0], 10);
	readpixel(rimx, rimy, rgba);
	EXPECT_GT(rgba[0], 200);

	// The frame's blending and depth writes are as they were.
	GLint src, dst;
	GLboolean depthwrites;
	glGetIntegerv(GL_BLEND_SRC, &src);
	glGetIntegerv(GL_BLEND_DST, &dst);
	glGetBooleanv(GL_DEPTH_WRITEMASK, &depthwrites);
	EXPECT_EQ(src, GL_SRC_ALPHA);
	EXPECT_EQ(dst, GL_ONE_MINUS_SRC_ALPHA);
	EXPECT_EQ(depthwrites, GL_TRUE);
}
