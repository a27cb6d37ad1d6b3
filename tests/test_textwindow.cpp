// Text, pointer and texture uploads in a real OpenGL window (run under
// Xvfb with Mesa's software renderer by window/withx.sh).
#include "platform/files.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "platform/texture.h"

#include "tests/tempfolder.h"

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int WINDOWWIDTH = 800;
constexpr int WINDOWHEIGHT = 600;

int openwindow()
{
	SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
	SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
	SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
	SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
	SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
	return SDL_SetVideoMode(WINDOWWIDTH, WINDOWHEIGHT, 32, SDL_OPENGL) != nullptr;
}

// A font whose cell 127 and pointer corner are solid and every other cell
// empty, so what is drawn can be found exactly.
void writetestfont()
{
	std::vector<unsigned char> image(256 * 256 * 3, 0);
	auto solid = [&](int x0, int y0, int w, int h) {
		for (int y = y0; y < y0 + h; y++)
			for (int x = x0; x < x0 + w; x++)
				image[((255 - y) * 256 + x) * 3 + 2] = 255;   // bottom-up rows, red
	};
	solid((127 % 16) * 16, (127 / 16) * 16, 16, 16);
	solid(0, 0, 32, 32);
	unsigned char header[54] = {'B', 'M'};
	header[10] = 54;
	header[14] = 40;
	header[19] = 1;     // width 256
	header[23] = 1;     // height 256
	header[26] = 1;
	header[28] = 24;
	FILE *f = fopen("font00.bmp", "wb");
	fwrite(header, 1, sizeof header, f);
	fwrite(image.data(), 1, image.size(), f);
	fclose(f);
}

struct glwindow : ::testing::Test {
	static void SetUpTestSuite()
	{
		windowinfo.width = WINDOWWIDTH;
		windowinfo.height = WINDOWHEIGHT;
		windowinfo.glenabled = 1;
		windowinfo.active = 1;
		setuptexturenames();
		// In a folder of its own: the start folder's font may be the
		// generated one, reached through a link.
		tempfolder folder;
		entertempfolder(&folder);
		writetestfont();
		loadfont();
		leavetempfolder(&folder);
	}

	void SetUp() override
	{
		glClearColor(0, 0, 0, 0);
		glClear(GL_COLOR_BUFFER_BIT);
		setuptextdisplay();
	}

	// The colour at a point of the virtual screen, read from the back
	// buffer (OpenGL counts rows from the bottom).
	static void readvirtual(float vx, float vy, unsigned char out[4])
	{
		int wx = static_cast<int>(vx * WINDOWWIDTH / 640);
		int wy = static_cast<int>(vy * WINDOWHEIGHT / 480);
		glReadPixels(wx, WINDOWHEIGHT - 1 - wy, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, out);
	}

	static int lit(float vx, float vy)
	{
		unsigned char rgba[4];
		readvirtual(vx, vy, rgba);
		return rgba[0] > 128 || rgba[1] > 128 || rgba[2] > 128;
	}
};

}  // namespace

TEST_F(glwindow, BlockGlyphLandsOnItsVirtualCell)
{
	drawtext("/c", 100, 50, 16, 1, 0, 0, 1, 127);
	unsigned char rgba[4];
	readvirtual(108, 58, rgba);
	EXPECT_GT(rgba[0], 200);
	EXPECT_LT(rgba[1], 30);
	EXPECT_TRUE(lit(101, 51));
	EXPECT_TRUE(lit(115, 65));
	EXPECT_FALSE(lit(98, 58));
	EXPECT_FALSE(lit(118, 58));
	EXPECT_FALSE(lit(108, 48));
	EXPECT_FALSE(lit(108, 68));
}

TEST_F(glwindow, AlignedTextAndEmptyCells)
{
	// Three cells centred on 320: 290 to 350; the middle one is an empty glyph.
	drawtext("/cA/c", ALIGNCENTER + 320, ALIGNCENTER + 240, 20, 1, 1, 1, 1, 127, 127);
	EXPECT_TRUE(lit(292, 240));
	EXPECT_FALSE(lit(320, 240));
	EXPECT_TRUE(lit(348, 240));
	EXPECT_FALSE(lit(288, 240));
	EXPECT_FALSE(lit(352, 240));
	EXPECT_TRUE(lit(300, 231));
	EXPECT_FALSE(lit(300, 228));
	// Right-aligned to the screen's edge.
	drawtext("/c", ALIGNRIGHT + 640, ALIGNBOTTOM + 480, 16, 1, 1, 1, 1, 127);
	EXPECT_TRUE(lit(630, 470));
	EXPECT_FALSE(lit(620, 470));
}

TEST_F(glwindow, PointerIsCentredOnTheMouseWhileActive)
{
	mouse.x = 200;
	mouse.y = 300;
	drawmousecursor(0, 1, 0, 1);
	unsigned char rgba[4];
	readvirtual(200, 300, rgba);
	EXPECT_GT(rgba[1], 200);
	EXPECT_TRUE(lit(186, 286));
	EXPECT_TRUE(lit(214, 314));
	EXPECT_FALSE(lit(182, 300));
	EXPECT_FALSE(lit(218, 300));

	glClear(GL_COLOR_BUFFER_BIT);
	windowinfo.active = 0;
	drawmousecursor(0, 1, 0, 1);
	windowinfo.active = 1;
	EXPECT_FALSE(lit(200, 300));
}

TEST_F(glwindow, FontUploadIsClampedLinearWithoutMipmaps)
{
	glBindTexture(GL_TEXTURE_2D, texture[TEX_FONT].glname);
	GLint value;
	glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
	EXPECT_EQ(value, GL_CLAMP);
	glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
	EXPECT_EQ(value, GL_LINEAR);
	glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &value);
	EXPECT_EQ(value, 256);
}

TEST_F(glwindow, MipmappedSlotUploadsEveryLevel)
{
	unsigned char *p = allocatetexture(TEX_GROUND, 8, 4, 1);
	ASSERT_NE(p, nullptr);
	for (int i = 0; i < 8 * 4 * 4; i++)
		p[i] = static_cast<unsigned char>(i * 7);
	setuptexture(TEX_GROUND);
	GLint value;
	glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
	EXPECT_EQ(value, GL_LINEAR_MIPMAP_NEAREST);
	glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
	EXPECT_EQ(value, GL_REPEAT);
	// 8 x 4, 4 x 2, 2 x 1, 1 x 1.
	for (int level = 0; level < 4; level++) {
		glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &value);
		EXPECT_EQ(value, 8 >> level);
		glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &value);
		EXPECT_EQ(value, level < 2 ? 4 >> level : 1);
	}
	unsigned char level2[2 * 1 * 4];
	glGetTexImage(GL_TEXTURE_2D, 2, GL_RGBA, GL_UNSIGNED_BYTE, level2);
	EXPECT_EQ(memcmp(level2, p + miplevelbyteoffset(8, 4, 2), sizeof level2), 0);
}

TEST_F(glwindow, SplashTilesAreUnfilteredAndEmptySlotsUntouched)
{
	unsigned char *p = allocatetexture(TEX_SPLASH + 3, 4, 4, 0);
	ASSERT_NE(p, nullptr);
	setuptexture(TEX_SPLASH + 3);
	GLint value;
	glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
	EXPECT_EQ(value, GL_NEAREST);
	glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
	EXPECT_EQ(value, GL_NEAREST);

	glBindTexture(GL_TEXTURE_2D, 0);
	setuptexture(TEX_TILE);   // never filled
	glGetIntegerv(GL_TEXTURE_BINDING_2D, &value);
	EXPECT_EQ(value, 0);
}

TEST_F(glwindow, WholeTableUploadsAgainAfterTheWindowIsRecreated)
{
	ASSERT_TRUE(openwindow());
	for (int slot = 0; slot < MAXTEXTURES; slot++)
		setuptexture(slot);
	glBindTexture(GL_TEXTURE_2D, texture[TEX_FONT].glname);
	std::vector<unsigned char> back(256 * 256 * 4);
	glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, back.data());
	EXPECT_EQ(memcmp(back.data(), texture[TEX_FONT].pixels, back.size()), 0);
	setuptextdisplay();
	glClear(GL_COLOR_BUFFER_BIT);
	drawtext("/c", 10, 10, 16, 1, 1, 1, 1, 127);
	EXPECT_TRUE(lit(18, 18));
}

static int redat(float vx, float vy)
{
	unsigned char rgba[4];
	glwindow::readvirtual(vx, vy, rgba);
	return rgba[0];
}

TEST_F(glwindow, MenuLabelPicksOutTheHotkeyLetter)
{
	// A key labelled with the block glyph, so the picked-out cell shows.
	const char block[3] = {127, 127, 0};
	copystring(keyboardlabel[127], block + 1, KEYLABELSIZE);
	numofmenuitems = 0;
	createmenuitem(block, 100, 100, 16, 1, 1, 1, 1);
	setmenuitem(MENUSET_KEY, 127);
	createmenuitem(block, 100, 200, 16, 1, 1, 1, 1);
	setmenuitem(MENUSET_KEY, 127);
	setmenuitem(MENUSET_STATE, 0);
	drawmenuitems();
	EXPECT_NEAR(redat(108, 108), 255, 3);
	EXPECT_NEAR(redat(124, 108), 191, 3);   // 6/8 when normal
	EXPECT_NEAR(redat(108, 208), 159, 3);   // 5/8 everywhere when disabled
	EXPECT_NEAR(redat(124, 208), 159, 3);
}

TEST_F(glwindow, TextBoxFieldAndCursors)
{
	static int value = 0;
	numofmenuitems = 0;
	createmenuitem("    ", 100, 100, 16, 1, 1, 1, 1);
	setmenuitem(MENUSET_INTBOX, &value);
	menuitem[0].active = 0;
	drawmenuitems();
	EXPECT_NEAR(redat(108, 124), 16, 3);    // the field's dim blocks, 2/32

	glClear(GL_COLOR_BUFFER_BIT);
	menuitem[0].active = 1;
	memset(menuinput, 0, sizeof menuinput);
	menuinputcursorpos = menuinputselectpos = 0;
	menuinputinsert = 1;
	drawmenuitems();
	// Overwrite: a half-transparent block over the field.
	EXPECT_NEAR(redat(108, 124), (191 + 16) / 2, 4);
	EXPECT_NEAR(redat(124, 124), 16, 3);

	glClear(GL_COLOR_BUFFER_BIT);
	menuinputinsert = 0;
	menuinputselectpos = 2;
	drawmenuitems();
	// Insert: an underscore (an empty cell in this font); the selection
	// marks cells 0 and 1.
	EXPECT_NEAR(redat(108, 124), (191 + 16) / 2, 4);
	EXPECT_NEAR(redat(124, 124), (191 + 16) / 2, 4);
	EXPECT_NEAR(redat(140, 124), 16, 3);
	menuitem[0].active = 0;
	menuinputinsert = 0;
}

int main(int argc, char **argv)
{
	::testing::InitGoogleTest(&argc, argv);
	if (SDL_Init(SDL_INIT_VIDEO) != 0 || !openwindow()) {
		fprintf(stderr, "no OpenGL window: %s\n", SDL_GetError());
		return 1;
	}
	int result = RUN_ALL_TESTS();
	SDL_Quit();
	return result;
}
