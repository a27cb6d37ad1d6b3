#include "editor/editor.h"
#include "platform/config.h"
#include "platform/files.h"

#include "tests/tempfolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <cstring>
#include <vector>

class ConfigTest : public ::testing::Test {
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
		editor.movemode = 0;
		checkbigendian();
		entertempfolder(&folder);
	}
	void TearDown() override { leavetempfolder(&folder); }
};

static std::string line(const char *key, const char *value)
{
	return std::string(key) + value + "\r\n";
}

static std::string defaulthwconfig()
{
	std::string text = line("version=", "7") + line("screenwidth=", "800") +
		line("screenheight=", "600") + line("bitsperpixel=", "24") +
		line("fullscreen=", "0") + line("sound=", "1") + line("joystick=", "1") +
		line("mouselocked=", "1") + line("background=", "1") +
		line("texturedetail=", "0") + line("editormovemode=", "0") +
		line("textcolor1=", "1.000000") + line("textcolor2=", "1.000000") +
		line("textcolor3=", "1.000000");
	const char *grey[32] = {};
	grey[2] = grey[12] = "0.350000";
	grey[3] = grey[13] = grey[6] = grey[16] = "0.650000";
	grey[4] = grey[14] = "0.500000";
	grey[5] = grey[15] = "0.250000";
	for (int n = 0; n < 32; n++) {
		std::string r = "0.000000", g = r, b = r;
		if (grey[n])
			r = g = b = grey[n];
		if (n == 7 || n == 17)
			r = g = "0.650000";
		if (n == 8 || n == 18)
			r = "0.900000", g = "0.600000";
		if (n == 30 || n == 31)
			r = "0.650000", g = b = "0.300000";
		std::string k = std::to_string(n + 1) + "=";
		text += "materialcolorred" + k + r + "\r\n";
		text += "materialcolorgreen" + k + g + "\r\n";
		text += "materialcolorblue" + k + b + "\r\n";
	}
	return text;
}

TEST_F(ConfigTest, DefaultsAreWrittenExactly)
{
	loadconfig();
	EXPECT_EQ(config.screenwidth, 800);
	EXPECT_EQ(config.screenheight, 600);
	EXPECT_EQ(config.glenabled, 1);
	EXPECT_EQ(config.mouselocked, 1);
	saveconfig();
	std::string hw = readfile("hwconfig.txt");
	EXPECT_EQ(hw, defaulthwconfig());
	int lines = 0;
	for (char c : hw)
		lines += c == '\n';
	EXPECT_EQ(lines, 110);
	EXPECT_EQ(readfile("settings.txt"),
		"version=2\r\ncomplex=0\r\ngridhd=0\r\nautosave=1\r\nshowmirror=0\r\n"
		"movemode=0\r\nlighting=1\r\nshadows=0\r\nreflections=0\r\ndetaillevel=1\r\n"
		"fastlandscape=0\r\nshowbrokenbonds=1\r\ngodmode=0\r\nearthquake=0\r\nfast=0\r\n"
		"slow=0\r\nshowstress=0\r\nshowstressmax=0\r\n");
	EXPECT_EQ(access("hwconfig.txt.tmp", F_OK), -1);
}

TEST_F(ConfigTest, EverythingSurvivesARoundTrip)
{
	loadconfig();
	config = {1024, 768, 16, 1, 1, 0, 0, 0, 0, {0.1f, 0.5f, 0.35f}, 1};
	editor.movemode = 1;
	for (int n = 0; n < MATERIALCOLORS; n++)
		for (int c = 0; c < 3; c++)
			materialcolor[n][c] = (float)(n * 3 + c) / 100.0f;
	int *fields = &savedsettings.complex;
	for (int n = 0; n < 17; n++)
		fields[n] = n + 2;
	configstruct wrote = config;
	savedsettingsstruct wrotesettings = savedsettings;
	float wrotecolors[MATERIALCOLORS][3];
	memcpy(wrotecolors, materialcolor, sizeof wrotecolors);
	saveconfig();

	memset(materialcolor, 0, sizeof wrotecolors);
	editor.movemode = 0;
	loadconfig();
	EXPECT_EQ(memcmp(&config, &wrote, sizeof wrote), 0);
	EXPECT_EQ(memcmp(&savedsettings, &wrotesettings, sizeof wrotesettings), 0);
	EXPECT_EQ(memcmp(materialcolor, wrotecolors, sizeof wrotecolors), 0);
	EXPECT_EQ(editor.movemode, 1);
}

TEST_F(ConfigTest, TextFilesAreTakenOnlyAtTheirVersion)
{
	writefile("hwconfig.txt", "version=7\r\nsound=0\r\n");
	writefile("settings.txt", "fast=1\r\nversion=2\r\n");
	loadconfig();
	EXPECT_EQ(config.sound, 0);
	EXPECT_EQ(savedsettings.fast, 1);
	configstruct loaded = config;
	loaded.sound = 1;
	setdefaultconfig();
	EXPECT_EQ(memcmp(&loaded, &config, sizeof config), 0);  // nothing else changed

	// Version 6 text: ignored, and the binary file is not consulted.
	writefile("hwconfig.txt", "version=6\r\nsound=0\r\n");
	writefile("hwconfig.cfg", std::string("\x01\0\0\0\x40\x06\0\0", 8));
	writefile("settings.txt", "fast=1\r\n");
	loadconfig();
	EXPECT_EQ(config.sound, 1);
	EXPECT_EQ(config.screenwidth, 800);
	EXPECT_EQ(savedsettings.fast, 0);
}

TEST_F(ConfigTest, BadValuesKeepTheirDefaults)
{
	writefile("hwconfig.txt", "version=7\r\nscreenwidth=0\r\nscreenheight=-5\r\n"
		"textcolor1=0.1\r\ntextcolor2=0.2\r\ntextcolor3=0.24\r\nbackground=");
	loadconfig();
	EXPECT_EQ(config.screenwidth, 800);
	EXPECT_EQ(config.screenheight, 600);
	EXPECT_EQ(config.background, 1);
	EXPECT_EQ(config.textcolor[0], 1.0f);  // nearly black text turns white
	EXPECT_EQ(config.textcolor[2], 1.0f);

	writefile("hwconfig.txt", "version=7\r\nscreenwidth=640\r\n"
		"textcolor1=0.1\r\ntextcolor2=0.2\r\ntextcolor3=0.25\r\n");
	loadconfig();
	EXPECT_EQ(config.screenwidth, 640);
	EXPECT_EQ(config.textcolor[0], 0.1f);
	EXPECT_EQ(config.textcolor[2], 0.25f);
}

static std::string words(const std::vector<float> &values, int version,
	std::vector<int> ints, int colors, int tailints)
{
	std::string bytes;
	auto put = [&](const void *p) { bytes.append((const char *)p, 4); };
	put(&version);
	for (int v : ints)
		put(&v);
	for (float f : values)
		put(&f);
	for (int n = 0; n < colors; n++) {
		float f = n == 8 * 3 || n == 8 * 3 + 1 || n == 8 * 3 + 2 ? 0.2f : 0.01f * n;
		put(&f);
	}
	for (int n = 0; n < tailints; n++) {
		int movemode = 1;
		put(&movemode);
	}
	return bytes;
}

TEST_F(ConfigTest, OldBinaryHardwareFilesOfEveryVersion)
{
	std::vector<int> first = {1024, 768, 16, 1, 0, 0, 0};
	for (int version = 1; version <= 6; version++) {
		SCOPED_TRACE(version);
		memcpy(materialcolor, initialcolors, sizeof initialcolors);
		editor.movemode = 0;
		std::string bytes;
		if (version <= 3) {
			bytes = words({}, version, first, version >= 2 ? 96 : 0, version == 3);
		} else {
			std::vector<int> ints = first;
			ints.push_back(0);  // mouselocked
			ints.push_back(0);  // background
			bytes = words({0.5f, 0.6f, 0.7f}, version, ints, 0, 0);
			int detail = 1;
			bytes.append((const char *)&detail, 4);
			bytes += words({}, 0, {}, 96, 1).substr(4);
		}
		writefile("hwconfig.cfg", bytes);
		loadconfig();
		EXPECT_EQ(config.screenwidth, 1024);
		EXPECT_EQ(config.joystick, 0);
		EXPECT_EQ(config.glenabled, 0);
		if (version == 1) {
			EXPECT_EQ(materialcolor[2][0], 0.35f);
			continue;
		}
		EXPECT_EQ(materialcolor[1][0], 0.03f);
		bool brightened = version == 3 || version == 5;
		EXPECT_EQ(materialcolor[8][0], brightened ? 0.9f : 0.2f);
		EXPECT_EQ(materialcolor[8][1], brightened ? 0.65f : 0.2f);
		EXPECT_EQ(materialcolor[8][2], 0.2f);
		EXPECT_EQ(editor.movemode, version >= 3 ? 1 : 0);
		if (version >= 4) {
			EXPECT_EQ(config.mouselocked, 0);
			EXPECT_EQ(config.textcolor[1], 0.6f);
			EXPECT_EQ(config.texturedetail, 1);
		}
	}
}

TEST_F(ConfigTest, OldBinaryColoursThatAreNoNumbersKeepTheirValues)
{
	std::vector<int> ints = {1024, 768, 16, 1, 0, 0, 0, 0, 0};
	std::string bytes = words({NAN, 0.6f, 0.7f}, 4, ints, 0, 0);
	int detail = 1;
	bytes.append((const char *)&detail, 4);
	std::string colors = words({}, 0, {}, 96, 1).substr(4);
	float infinite = INFINITY;
	memcpy(&colors[(2 * 3 + 1) * 4], &infinite, 4);
	writefile("hwconfig.cfg", bytes + colors);
	loadconfig();
	EXPECT_EQ(config.textcolor[0], 1.0f);
	EXPECT_EQ(config.textcolor[1], 0.6f);
	EXPECT_EQ(materialcolor[2][1], 0.35f);
	EXPECT_EQ(materialcolor[2][2], 0.01f * 8);
	EXPECT_EQ(editor.movemode, 1);
}

TEST_F(ConfigTest, OldBinaryFilesCutShortOrOfUnknownVersion)
{
	std::string full = words({}, 1, {1024, 768, 16, 1, 0, 0, 0}, 0, 0);
	writefile("hwconfig.cfg", full.substr(0, 4 + 4 + 2));  // the height is cut
	loadconfig();
	EXPECT_EQ(config.screenwidth, 1024);
	EXPECT_EQ(config.screenheight, 600);

	writefile("hwconfig.cfg", words({}, 9, {1024}, 0, 0));
	loadconfig();
	EXPECT_EQ(config.screenwidth, 800);
	writefile("hwconfig.cfg", std::string("\x01\0", 2));
	loadconfig();
	EXPECT_EQ(config.screenwidth, 800);

	std::string settings = words({}, 1, {1, 1, 0, 1, 1, 0, 1, 1, 0, 1, 0, 1, 1, 1, 1, 1, 1}, 0, 0);
	writefile("settings.cfg", settings);
	loadconfig();
	EXPECT_EQ(savedsettings.complex, 1);
	EXPECT_EQ(savedsettings.autosave, 0);
	EXPECT_EQ(savedsettings.showstressmax, 1);
	settings[0] = 2;
	writefile("settings.cfg", settings);
	loadconfig();
	EXPECT_EQ(savedsettings.complex, 0);
	EXPECT_EQ(savedsettings.autosave, 1);
}

TEST_F(ConfigTest, AFailedWriteKeepsTheOldFile)
{
	writefile("hwconfig.txt", "version=7\r\nsound=0\r\n");
	mkdir("hwconfig.txt.tmp", 0777);  // the temporary file cannot be made
	loadconfig();
	config.sound = 1;
	saveconfig();
	EXPECT_EQ(readfile("hwconfig.txt"), "version=7\r\nsound=0\r\n");
	EXPECT_NE(readfile("settings.txt").find("showstressmax=0\r\n"), std::string::npos);
}
