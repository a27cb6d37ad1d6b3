#include "platform/files.h"
#include "platform/text.h"
#include "platform/texture.h"
#include "tools/gen/bmpfile.h"
#include "tools/gen/genfont.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

struct genfolder : ::testing::Test {
	char start[PATHSIZE];
	char dir[32] = "/tmp/tvgenXXXXXX";
	void SetUp() override
	{
		ASSERT_NE(getcwd(start, sizeof start), nullptr);
		ASSERT_NE(mkdtemp(dir), nullptr);
		ASSERT_EQ(chdir(dir), 0);
	}
	void TearDown() override
	{
		remove("font00.bmp");
		remove("tvn.bmp");
		remove("odd.bmp");
		ASSERT_EQ(chdir(start), 0);
		rmdir(dir);
	}
};

std::vector<unsigned char> filebytes(const char *name)
{
	std::vector<unsigned char> bytes;
	FILE *f = fopen(name, "rb");
	if (!f)
		return bytes;
	int c;
	while ((c = fgetc(f)) != EOF)
		bytes.push_back(static_cast<unsigned char>(c));
	fclose(f);
	return bytes;
}

int fontalpha(int x, int y)
{
	return texture[TEX_FONT].pixels[(y * 256 + x) * 4 + 3];
}

int cellcoverage(int c)
{
	int sum = 0;
	for (int y = 0; y < 16; y++)
		for (int x = 0; x < 16; x++)
			sum += fontalpha((c % 16) * 16 + x, (c / 16) * 16 + y) > 0;
	return sum;
}

}  // namespace

TEST_F(genfolder, FontIsWhatTheGameReads)
{
	ASSERT_EQ(generatefont(FONTFILE), 0);
	ASSERT_EQ(readfont(), 1);
	EXPECT_EQ(cellcoverage(127), 256);     // the solid block
	EXPECT_EQ(cellcoverage(' '), 0);
	EXPECT_EQ(cellcoverage(0x85), 0);      // no glyphs in the control range
	for (int c = 33; c < 127; c++)
		EXPECT_GT(cellcoverage(c), 4) << c;
	// The pointer's tip is the centre of its 32 x 32 corner, pointing up-left.
	EXPECT_GT(fontalpha(16, 17), 0);
	EXPECT_EQ(fontalpha(14, 14), 0);
	EXPECT_EQ(fontalpha(2, 30), 0);
	EXPECT_GT(fontalpha(20, 24), 0);
}

TEST_F(genfolder, OutputIsTheSameEveryRun)
{
	ASSERT_EQ(generatefont(FONTFILE), 0);
	ASSERT_EQ(generateicon(), 0);
	std::vector<unsigned char> font = filebytes("font00.bmp");
	std::vector<unsigned char> icon = filebytes("tvn.bmp");
	EXPECT_EQ(font.size(), 54u + 256 * 256 * 3);
	EXPECT_EQ(icon.size(), 54u + 32 * 32 * 3);
	ASSERT_EQ(generatefont(FONTFILE), 0);
	ASSERT_EQ(generateicon(), 0);
	EXPECT_EQ(filebytes("font00.bmp"), font);
	EXPECT_EQ(filebytes("tvn.bmp"), icon);
}

TEST_F(genfolder, BmpRowsArePaddedAndBottomUp)
{
	const unsigned char rgb[2 * 3 * 3] = {
		1, 2, 3, 4, 5, 6, 7, 8, 9,
		10, 11, 12, 13, 14, 15, 16, 17, 18,
	};
	ASSERT_EQ(writebmp("odd.bmp", rgb, 3, 2, 3), 1);
	std::vector<unsigned char> b = filebytes("odd.bmp");
	ASSERT_EQ(b.size(), 54u + 2 * 12);
	EXPECT_EQ(b[0], 'B');
	EXPECT_EQ(b[10], 54);
	EXPECT_EQ(b[28], 24);
	// First stored row is the bottom one, blue first, padded to 12 bytes.
	EXPECT_EQ(b[54], 12);
	EXPECT_EQ(b[55], 11);
	EXPECT_EQ(b[56], 10);
	EXPECT_EQ(b[54 + 9], 0);
	EXPECT_EQ(b[54 + 12], 3);
	// A file that cannot be written reports it and leaves no file.
	EXPECT_EQ(writebmp("missing/odd.bmp", rgb, 3, 2, 3), 0);
	EXPECT_EQ(writebmp("odd.bmp", rgb, 0, 2, 3), 0);
	EXPECT_EQ(filebytes("odd.bmp").size(), 54u + 2 * 12);
}
