// Viewports, camera and object transforms and the screenshot against a
// real OpenGL context (run under the window fixture's Xvfb).
#include "platform/files.h"
#include "platform/input.h"
#include "platform/viewport.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cstdio>

class GLViewport : public ::testing::Test {
protected:
	static void SetUpTestSuite()
	{
		ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
		SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
		ASSERT_NE(SDL_SetVideoMode(1024, 768, 32, SDL_OPENGL), nullptr) << SDL_GetError();
		windowinfo.width = 1024;
		windowinfo.height = 768;
		checkbigendian();
	}
	static void TearDownTestSuite() { SDL_Quit(); }
};

static void expectmatrix(GLenum which, const float expected[16])
{
	float m[16];
	glGetFloatv(which, m);
	for (int n = 0; n < 16; n++)
		EXPECT_NEAR(m[n], expected[n], 1e-5f) << "element " << n;
}

TEST_F(GLViewport, PerspectiveAndOrthographicViewports)
{
	setupperspectiveviewport(320, 0, 320, 240, 1.0f, 1000.0f);
	int v[4];
	glGetIntegerv(GL_VIEWPORT, v);
	EXPECT_EQ(v[0], 512);
	EXPECT_EQ(v[1], 384);
	EXPECT_EQ(v[2], 512);
	EXPECT_EQ(v[3], 384);
	// 90 degrees across: x = -z at the right edge; the aspect is 0.75.
	float n = 1.0f, f = 1000.0f, a = 0.75f;
	float frustum[16] = {1, 0, 0, 0, 0, 1 / a, 0, 0, 0, 0, -(f + n) / (f - n), -1,
		0, 0, -2 * f * n / (f - n), 0};
	expectmatrix(GL_PROJECTION_MATRIX, frustum);
	int mode;
	glGetIntegerv(GL_MATRIX_MODE, &mode);
	EXPECT_EQ(mode, GL_MODELVIEW);

	setuporthoviewport(0, 0, 640, 480, 2, 4, 8);
	float ortho[16] = {0.5f, 0, 0, 0, 0, 0.25f, 0, 0, 0, 0, -0.125f, 0, 0, 0, 0, 1};
	expectmatrix(GL_PROJECTION_MATRIX, ortho);
	float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
	expectmatrix(GL_MODELVIEW_MATRIX, identity);
	expectmatrix(GL_TEXTURE_MATRIX, identity);
}

TEST_F(GLViewport, CameraThenObjectPlacement)
{
	setupperspectiveviewport(0, 0, 640, 480, 1.0f, 100.0f);
	orientation axes;
	resetorientation(&axes);
	vector3 camera = {1, 2, 3}, object = {1, 2, 3};
	setupviewpoint(&camera, &axes);
	setupobjectrender(&object, &axes);
	float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
	expectmatrix(GL_MODELVIEW_MATRIX, identity);  // the object sits at the camera

	glLoadIdentity();
	orientation turned = {{{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}};
	setupviewpoint(nullptr, &turned);
	float view[16] = {0, 0, 1, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 0, 1};
	expectmatrix(GL_MODELVIEW_MATRIX, view);
}

TEST_F(GLViewport, ScreenshotOfTheBackBuffer)
{
	glViewport(0, 0, 1024, 768);
	glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
	glClear(GL_COLOR_BUFFER_BIT);
	screenshot();
	FILE *file = fopen("scsht000.bmp", "rb");
	ASSERT_NE(file, nullptr);
	fseek(file, 0, SEEK_END);
	EXPECT_EQ(ftell(file), 54 + 1024 * 768 * 3);
	fseek(file, 54, SEEK_SET);
	unsigned char pixel[3];
	ASSERT_EQ(fread(pixel, 1, 3, file), 3u);
	fclose(file);
	EXPECT_EQ(pixel[0], 0);    // blue
	EXPECT_EQ(pixel[2], 255);  // red
	screenshot();
	file = fopen("scsht001.bmp", "rb");
	EXPECT_NE(file, nullptr);
	if (file)
		fclose(file);
}
