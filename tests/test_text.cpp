#include "platform/files.h"
#include "platform/text.h"
#include "platform/texture.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

TEST(TextExpand, ThousandsSeparator)
{
	struct {
		int value;
		const char *text;
	} table[] = {
		{1234567, "1,234,567"}, {1005, "1,005"}, {1000000, "1,000,000"}, {999, "999"},
		{-5000, "-5000"}, {0, "0"}, {1000, "1,000"}, {999999, "999,999"},
	};
	for (const auto &row : table) {
		formattext("/I", row.value);
		EXPECT_STREQ(textstring2, row.text) << row.value;
	}
}

TEST(TextExpand, CodesAndPlainCharacters)
{
	formattext("50//50");
	EXPECT_STREQ(textstring2, "50/50");
	formattext("/q100%");
	EXPECT_STREQ(textstring2, "q100%");
	formattext("a/cb", 0);
	EXPECT_STREQ(textstring2, "ab");
	formattext("end/");
	EXPECT_STREQ(textstring2, "end");
	EXPECT_EQ(formattext("/i /u /x /c /s /f", -12, 4000000000u, 255, 'Z', "word", 1.5),
		static_cast<int>(strlen("-12 4000000000 FF Z word 1.500000")));
	EXPECT_STREQ(textstring2, "-12 4000000000 FF Z word 1.500000");
}

TEST(TextExpand, LineIsCutAtAThousandCharacters)
{
	std::string format(1200, 'a');
	EXPECT_EQ(formattext(format.c_str()), TEXTLINECUT);
	// A value that starts below the cut is appended whole.
	std::string almost(999, 'b');
	almost += "/scccc";
	EXPECT_EQ(formattext(almost.c_str(), "0123456789"), 1009);
	EXPECT_EQ(textstring2[1008], '9');
	EXPECT_EQ(textstring2[1009], 0);
}

TEST(TextExpand, LongValuesStayInsideTheLine)
{
	std::string longtext(5000, 'x');
	std::string format(990, 'a');
	format += "/s";
	EXPECT_EQ(formattext(format.c_str(), longtext.c_str()), TEXTLINESIZE - 1);
	EXPECT_EQ(formattext("/f", DBL_MAX), 316);
	EXPECT_EQ(formattext("/s/s", longtext.c_str(), longtext.c_str()), TEXTLINESIZE - 1);
	EXPECT_EQ(textstring2[TEXTLINESIZE - 1], 0);
}

TEST(TextAlign, CentredRightAndPlain)
{
	EXPECT_EQ(alignx(ALIGNCENTER + 320, 10, 16), 240);
	EXPECT_EQ(alignx(ALIGNRIGHT + 636, 10, 16), 476);
	EXPECT_EQ(alignx(ALIGNCENTER + 100, 40, 16), -220);
	EXPECT_EQ(alignx(ALIGNCENTER + 10, 3, 5), 3);   // 15 / 2 rounds down
	EXPECT_EQ(alignx(37, 10, 16), 37);
	EXPECT_EQ(aligny(ALIGNCENTER + 100, 13), 94);
	EXPECT_EQ(aligny(ALIGNBOTTOM + 480, 12), 468);
	// A negative coordinate is a position, not a set of flags.
	EXPECT_EQ(alignx(-20, 10, 16), -20);
	EXPECT_EQ(aligny(-4, 16), -4);
}

namespace {

void writefontfile(const char *name, int width, int rows, int offset)
{
	FILE *f = fopen(name, "wb");
	unsigned char header[54] = {'B', 'M'};
	auto put32 = [&](int at, uint32_t v) {
		for (int i = 0; i < 4; i++)
			header[at + i] = static_cast<unsigned char>(v >> (8 * i));
	};
	put32(2, 54 + 256 * 256 * 3);
	put32(10, offset);
	put32(14, 40);
	put32(18, width);
	put32(22, 256);
	header[26] = 1;
	header[28] = 24;
	fwrite(header, 1, sizeof header, f);
	// Row r read from the file (bottom-up) has red = r, so the texture's
	// top row carries the last row's value.
	std::vector<unsigned char> row(256 * 3);
	for (int r = 0; r < rows; r++) {
		for (int x = 0; x < 256; x++) {
			row[x * 3 + 0] = 1;
			row[x * 3 + 1] = 2;
			row[x * 3 + 2] = static_cast<unsigned char>(r);
		}
		fwrite(row.data(), 1, row.size(), f);
	}
	fclose(f);
}

struct fontfolder : ::testing::Test {
	char start[PATHSIZE];
	char dir[32] = "/tmp/tvfontXXXXXX";
	void SetUp() override
	{
		ASSERT_NE(getcwd(start, sizeof start), nullptr);
		ASSERT_NE(mkdtemp(dir), nullptr);
		ASSERT_EQ(chdir(dir), 0);
	}
	void TearDown() override
	{
		remove("font00.bmp");
		ASSERT_EQ(chdir(start), 0);
		rmdir(dir);
	}
};

}  // namespace

TEST_F(fontfolder, RowsAreFlippedAndRedBecomesAlpha)
{
	writefontfile("font00.bmp", 256, 256, 54);
	EXPECT_EQ(readfont(), 1);
	const texturestruct &font = texture[TEX_FONT];
	ASSERT_EQ(font.width, 256);
	ASSERT_EQ(font.height, 256);
	EXPECT_EQ(font.pixels[0], 255);
	EXPECT_EQ(font.pixels[1], 255);
	EXPECT_EQ(font.pixels[2], 255);
	EXPECT_EQ(font.pixels[3], 255);                    // top row: last row read
	EXPECT_EQ(font.pixels[255 * 256 * 4 + 3], 0);      // bottom row: first row read
	EXPECT_EQ(font.pixels[100 * 256 * 4 + 17 * 4 + 3], 155);
}

TEST_F(fontfolder, MissingShortOrForeignFontGivesTransparentTexels)
{
	EXPECT_EQ(readfont(), 0);
	const texturestruct &font = texture[TEX_FONT];
	ASSERT_EQ(font.width, 256);
	for (int i = 0; i < 256 * 256 * 4; i++)
		ASSERT_EQ(font.pixels[i], 0) << i;

	writefontfile("font00.bmp", 256, 10, 54);
	EXPECT_EQ(readfont(), 0);
	EXPECT_EQ(font.pixels[255 * 256 * 4 + 3], 0);
	EXPECT_EQ(font.pixels[246 * 256 * 4 + 3], 9);
	EXPECT_EQ(font.pixels[245 * 256 * 4], 0);

	writefontfile("font00.bmp", 128, 256, 54);
	EXPECT_EQ(readfont(), 0);
	for (int i = 0; i < 256 * 256 * 4; i++)
		ASSERT_EQ(font.pixels[i], 0) << i;
}
