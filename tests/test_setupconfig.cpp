// The setup program's reading and writing of "hwconfig.txt" and its
// reading of the older "hwconfig.cfg".
#include "setup/hwconfig.h"

#include "platform/files.h"

#include "tests/tempfolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

class SetupConfig : public ::testing::Test {
protected:
	tempfolder folder;
	float initialcolors[MATERIALCOLORS][3];
	void SetUp() override
	{
		static float firstcolors[MATERIALCOLORS][3];
		static bool saved = false;
		if (!saved) {
			memcpy(firstcolors, materialcolor, sizeof firstcolors);
			saved = true;
		}
		memcpy(materialcolor, firstcolors, sizeof firstcolors);
		memcpy(initialcolors, firstcolors, sizeof firstcolors);
		editormovemode = 0;
		checkbigendian();
		entertempfolder(&folder);
	}
	void TearDown() override { leavetempfolder(&folder); }
};

static std::string colorlines(int n, const char *r, const char *g, const char *b)
{
	std::string k = std::to_string(n) + "=";
	return "materialcolorred" + k + r + "\r\n" + "materialcolorgreen" + k + g + "\r\n" +
		"materialcolorblue" + k + b + "\r\n";
}

// What a run from no settings at all leaves behind: the game's defaults.
static std::string defaulthwconfig()
{
	std::string text = "version=7\r\nscreenwidth=800\r\nscreenheight=600\r\n"
		"bitsperpixel=24\r\nfullscreen=0\r\nsound=1\r\njoystick=1\r\nmouselocked=1\r\n"
		"background=1\r\ntexturedetail=0\r\neditormovemode=0\r\n"
		"textcolor1=1.000000\r\ntextcolor2=1.000000\r\ntextcolor3=1.000000\r\n";
	for (int n = 0; n < MATERIALCOLORS; n++) {
		const char *r = "0.000000", *g = r, *b = r;
		if (n == 2 || n == 12)
			r = g = b = "0.350000";
		if (n == 3 || n == 13 || n == 6 || n == 16)
			r = g = b = "0.650000";
		if (n == 4 || n == 14)
			r = g = b = "0.500000";
		if (n == 5 || n == 15)
			r = g = b = "0.250000";
		if (n == 7 || n == 17)
			r = g = "0.650000";
		if (n == 8 || n == 18)
			r = "0.900000", g = "0.600000";
		if (n == 30 || n == 31)
			r = "0.650000", g = b = "0.300000";
		text += colorlines(n + 1, r, g, b);
	}
	return text;
}

static void expectdefaults()
{
	configstruct read = config;
	setdefaultconfig();
	EXPECT_EQ(memcmp(&read, &config, sizeof read), 0);
}

TEST_F(SetupConfig, NoFilesGiveTheDefaultsAndACompleteFile)
{
	loadconfig();
	expectdefaults();
	saveconfig();
	EXPECT_EQ(readfile("hwconfig.txt"), defaulthwconfig());
	// Only the hardware settings file: the game's own file is left alone.
	EXPECT_EQ(access("settings.txt", F_OK), -1);
	EXPECT_EQ(access("hwconfig.txt.tmp", F_OK), -1);
}

TEST_F(SetupConfig, KeysTheScreenDoesNotEditComeBackUnchanged)
{
	std::string text = "version=7\r\nscreenwidth=1152\r\nscreenheight=864\r\njoystick=0\r\n"
		"editormovemode=2\r\ntextcolor1=0.100000\r\ntextcolor2=0.200000\r\n"
		"textcolor3=0.240000\r\n";
	std::string colors;
	for (int n = 1; n <= MATERIALCOLORS; n++) {
		std::string v = "0." + std::to_string(100000 + n * 7);  // 0.100007 ...
		colors += colorlines(n, v.c_str(), "0.123456", "0.987654");
	}
	// Key order and stray lines do not matter.
	writefile("hwconfig.txt", "# from a newer game\r\nunknownkey=5\r\n" + colors + text);
	loadconfig();
	EXPECT_EQ(config.screenwidth, 1152);
	EXPECT_EQ(config.screenheight, 864);
	EXPECT_EQ(config.joystick, 0);
	EXPECT_EQ(editormovemode, 2);
	// This program does not brighten (nearly) black text.
	EXPECT_EQ(config.textcolor[2], 0.24f);
	config.sound = 0;
	saveconfig();

	std::string out = readfile("hwconfig.txt");
	EXPECT_NE(out.find("screenwidth=1152\r\nscreenheight=864\r\n"), std::string::npos);
	EXPECT_NE(out.find("sound=0\r\njoystick=0\r\n"), std::string::npos);
	EXPECT_NE(out.find("editormovemode=2\r\n"), std::string::npos);
	EXPECT_NE(out.find("textcolor3=0.240000\r\n"), std::string::npos);
	EXPECT_NE(out.find(colors), std::string::npos);
	EXPECT_EQ(out.find("unknownkey"), std::string::npos);
	int lines = 0;
	for (char c : out)
		lines += c == '\n';
	EXPECT_EQ(lines, 110);

	// A second run reads back exactly what was written.
	configstruct wrote = config;
	float wrotecolors[MATERIALCOLORS][3];
	memcpy(wrotecolors, materialcolor, sizeof wrotecolors);
	memset(materialcolor, 0, sizeof materialcolor);
	editormovemode = 0;
	loadconfig();
	EXPECT_EQ(memcmp(&config, &wrote, sizeof wrote), 0);
	EXPECT_EQ(memcmp(materialcolor, wrotecolors, sizeof wrotecolors), 0);
	EXPECT_EQ(editormovemode, 2);
}

TEST_F(SetupConfig, TextFilesOfAnotherVersionOrNoneAreIgnored)
{
	// The binary file is not consulted once a text file exists.
	std::string cfg(4 * 8, '\0');
	cfg[0] = 1;
	cfg[4] = 0x40;  // width 64
	writefile("hwconfig.cfg", cfg);
	for (const char *text : {"version=6\r\nsound=0\r\n", "sound=0\r\nscreenwidth=640\r\n",
			 "version=\r\nsound=0\r\n", "", "version=7"}) {
		SCOPED_TRACE(text);
		writefile("hwconfig.txt", text);
		loadconfig();
		expectdefaults();
	}
	writefile("hwconfig.txt", "version=7\r\nsound=0\r\n");
	loadconfig();
	EXPECT_EQ(config.sound, 0);
	EXPECT_EQ(config.screenwidth, 800);
	EXPECT_EQ(memcmp(materialcolor, initialcolors, sizeof initialcolors), 0);
}

TEST_F(SetupConfig, DamagedTextKeepsTheDefaultsOfWhatItCannotRead)
{
	std::string text = defaulthwconfig();
	text.replace(text.find("screenwidth=800"), 15, "screenwidth=1024");
	// Cut in the middle of the first link colour.
	std::string cut = text.substr(0, text.find("materialcolorgreen1=") + 10);
	writefile("hwconfig.txt", cut);
	loadconfig();
	EXPECT_EQ(config.screenwidth, 1024);
	EXPECT_EQ(memcmp(materialcolor, initialcolors, sizeof initialcolors), 0);

	// Bytes of every value, a zero in the middle, a key without a value at
	// the very end, a number too large for an int.
	std::string garbage = "version=7\r\nsound=\xff\xfe\r\nscreenwidth=99999999999\r\n";
	garbage += std::string("fullscreen=1\0", 13) + "\x80\x01 bitsperpixel=abc\r\nbackground=";
	writefile("hwconfig.txt", garbage);
	loadconfig();
	EXPECT_EQ(config.screenwidth, 2147483647);
	EXPECT_EQ(config.fullscreen, 1);
	// "abc" has no number; the reader skips on to the next one in the text.
	EXPECT_EQ(config.background, 1);
	saveconfig();
	EXPECT_NE(readfile("hwconfig.txt").find("screenwidth=2147483647\r\n"), std::string::npos);
}

// Little-endian words of an old binary file.
static void putword(std::string *bytes, const void *word)
{
	unsigned char b[4];
	memcpy(b, word, 4);
	if (bigendian) {
		std::swap(b[0], b[3]);
		std::swap(b[1], b[2]);
	}
	bytes->append(reinterpret_cast<char *>(b), 4);
}

static void putint(std::string *bytes, int value)
{
	putword(bytes, &value);
}

static void putfloat(std::string *bytes, float value)
{
	putword(bytes, &value);
}

// Every colour component is (3n + c) / 100; link type 8 is (0.2, 0.2, 0.2).
static void putcolors(std::string *bytes)
{
	for (int n = 0; n < MATERIALCOLORS; n++)
		for (int c = 0; c < 3; c++)
			putfloat(bytes, n == 8 ? 0.2f : (float)(n * 3 + c) / 100.0f);
}

static std::string binaryfile(int version)
{
	std::string bytes;
	putint(&bytes, version);
	for (int v : {1024, 768, 16, 1, 0, 0, 0})
		putint(&bytes, v);
	if (version == 1)
		return bytes;
	if (version >= 4) {
		putint(&bytes, 0);  // mouselocked
		putint(&bytes, 0);  // background
		for (float c : {0.5f, 0.6f, 0.7f})
			putfloat(&bytes, c);
		putint(&bytes, 1);  // texturedetail
	}
	putcolors(&bytes);
	if (version >= 3)
		putint(&bytes, 3);  // movemode
	return bytes;
}

TEST_F(SetupConfig, OldBinaryFilesOfEveryVersion)
{
	for (int version = 1; version <= 6; version++) {
		SCOPED_TRACE(version);
		memcpy(materialcolor, initialcolors, sizeof initialcolors);
		editormovemode = 0;
		writefile("hwconfig.cfg", binaryfile(version));
		loadconfig();
		EXPECT_EQ(config.screenwidth, 1024);
		EXPECT_EQ(config.screenheight, 768);
		EXPECT_EQ(config.bitsperpixel, 16);
		EXPECT_EQ(config.glenabled, 0);
		EXPECT_EQ(config.joystick, 0);
		if (version == 1) {
			EXPECT_EQ(memcmp(materialcolor, initialcolors, sizeof initialcolors), 0);
			continue;
		}
		EXPECT_EQ(materialcolor[1][0], 0.03f);
		EXPECT_EQ(materialcolor[31][2], 0.95f);
		bool brightened = version == 3 || version == 4 || version == 5;
		EXPECT_EQ(materialcolor[8][0], brightened ? 0.9f : 0.2f);
		EXPECT_EQ(materialcolor[8][1], brightened ? 0.65f : 0.2f);
		EXPECT_EQ(materialcolor[8][2], 0.2f);
		EXPECT_EQ(editormovemode, version >= 3 ? 3 : 0);
		EXPECT_EQ(config.mouselocked, version >= 4 ? 0 : 1);
		EXPECT_EQ(config.textcolor[1], version >= 4 ? 0.6f : 1.0f);
		EXPECT_EQ(config.texturedetail, version >= 4 ? 1 : 0);
	}
	// What was read is written out as text, and the binary file stays.
	saveconfig();
	EXPECT_NE(readfile("hwconfig.txt").find("screenwidth=1024\r\n"), std::string::npos);
	EXPECT_EQ(readfile("hwconfig.cfg"), binaryfile(6));
}

TEST_F(SetupConfig, OldBinaryFilesCutShortOrOfUnknownVersion)
{
	std::string full = binaryfile(4);
	for (size_t length : {0ul, 3ul, 4ul, 10ul, full.size() - 1}) {
		SCOPED_TRACE(length);
		memcpy(materialcolor, initialcolors, sizeof initialcolors);
		editormovemode = 0;
		writefile("hwconfig.cfg", full.substr(0, length));
		loadconfig();
		// Whole words are taken, the rest keeps its defaults.
		EXPECT_EQ(config.screenwidth, length >= 8 ? 1024 : 800);
		EXPECT_EQ(config.screenheight, length >= 12 ? 768 : 600);
		// The move mode is the last word: one byte short loses only it.
		EXPECT_EQ(editormovemode, 0);
		EXPECT_EQ(materialcolor[31][2], length == full.size() - 1 ? 0.95f : 0.3f);
	}
	for (int version : {0, 7, -1, 0x01000000}) {
		SCOPED_TRACE(version);
		std::string bytes = binaryfile(4).substr(4);
		std::string head;
		putint(&head, version);
		writefile("hwconfig.cfg", head + bytes);
		loadconfig();
		expectdefaults();
	}
}

TEST_F(SetupConfig, AFailedWriteKeepsTheOldFile)
{
	writefile("hwconfig.txt", "version=7\r\nsound=0\r\n");
	mkdir("hwconfig.txt.tmp", 0777);  // the temporary file cannot be made
	loadconfig();
	config.sound = 1;
	EXPECT_EQ(saveconfig(), 0);
	EXPECT_EQ(readfile("hwconfig.txt"), "version=7\r\nsound=0\r\n");
	rmdir("hwconfig.txt.tmp");
	EXPECT_EQ(saveconfig(), 1);
}
