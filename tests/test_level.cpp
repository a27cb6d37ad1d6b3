#include <gtest/gtest.h>

#include <cstring>

#include "filelimit.h"
#include "leveldata.h"
#include "platform/config.h"
#include "platform/files.h"
#include "tempfolder.h"
#include "world/level.h"

class LevelFile : public ::testing::Test {
protected:
	tempfolder folder;
	void SetUp() override
	{
		checkbigendian();
		entertempfolder(&folder);
		for (int i = 0; i < MATERIALCOLORS; i++) {
			materialcolor[i][0] = 0.01f * i;
			materialcolor[i][1] = 0.5f;
			materialcolor[i][2] = 1.0f - 0.01f * i;
		}
		copystring(profilename, "tester", NAMESIZE);
	}
	void TearDown() override { leavetempfolder(&folder); }
};

static bool linkcolorsaredefaults()
{
	for (int i = 0; i < MATERIALCOLORS; i++) {
		const vector3 &c = level.linkcolor[i];
		if (c.x != materialcolor[i][0] || c.y != materialcolor[i][1] ||
			c.z != materialcolor[i][2])
			return false;
	}
	return true;
}

TEST_F(LevelFile, LayoutPutsEveryFieldAtItsOffset)
{
	filldistinctlevel(9, 7, 5, 4);
	ASSERT_TRUE(savelevel("layout", 1));
	std::string bytes = readfile("layout.tvb");
	ASSERT_EQ((long long)bytes.size(), 1139820LL + 16 * 5 + 20 * 4);
	EXPECT_EQ((long long)bytes.size(), levelfilesize(5, 4));
	EXPECT_EQ(bytes.substr(0, 4), std::string("TVB\0", 4));
	EXPECT_EQ(wordat(bytes, 4), 5);
	EXPECT_EQ(wordat(bytes, 8), 9);
	EXPECT_EQ(wordat(bytes, 12), 7);
	EXPECT_EQ(wordat(bytes, 724), level.budget);
	EXPECT_EQ(wordat(bytes, 856), level.numofphases);
	EXPECT_EQ(wordat(bytes, 860), level.phase[0].type);
	EXPECT_EQ(wordat(bytes, 3036), level.numoflevelobjects);
	EXPECT_EQ(wordat(bytes, 3040 + 700 + 312), level.levelobject[1].numofwaypoints);
	EXPECT_EQ(wordat(bytes, 47840), level.numofprops);
	EXPECT_EQ(bytes.substr(47844 + 84 + 4, 31), std::string(level.prop[1].name));
	EXPECT_EQ(floatat(bytes, 90852), level.linkcolor[0].x);
	EXPECT_EQ(floatat(bytes, 91236), landscape.height[0]);
	EXPECT_EQ(floatat(bytes, 91236 + 4 * 262143), landscape.height[262143]);
	EXPECT_EQ(wordat(bytes, 1139812), 5);
	EXPECT_EQ(wordat(bytes, 1139816 + 16), point[1].type);
	EXPECT_EQ(wordat(bytes, 1139816 + 80), 4);
	EXPECT_EQ(wordat(bytes, 1139816 + 84 + 20 + 8), beam[1].point1);
}

TEST_F(LevelFile, BridgeFileRestoresEveryFieldAndSavesTheSameBytes)
{
	filldistinctlevel(9, 7, 6, 5);
	saveworldstate(&savedworld);
	ASSERT_TRUE(savelevel("round", 1));
	memset(&level, 0, sizeof level);
	numofpoints = 0;
	numoflinks = 0;
	ASSERT_EQ(loadlevel("round", 1), 1);
	EXPECT_TRUE(worldstateunchanged(&savedworld));
	ASSERT_TRUE(savelevel("again", 1));
	EXPECT_EQ(readfile("round.tvb"), readfile("again.tvb"));
}

TEST_F(LevelFile, LevelFileIsSignedByThePlayerAndTakesDefaultColours)
{
	filldistinctlevel(9, 7, 3, 2);
	std::string bridgename = level.bridgename;
	std::string architect = level.architect;
	ASSERT_TRUE(savelevel("plain", 0));
	// The level in memory keeps its bridge name and architect.
	EXPECT_EQ(bridgename, level.bridgename);
	EXPECT_EQ(architect, level.architect);
	std::string bytes = readfile("plain.tvl");
	EXPECT_EQ(bytes.substr(660, 64), std::string(64, '\0'));

	ASSERT_EQ(loadlevel("plain", 0), 1);
	EXPECT_STREQ(level.bridgename, "");
	EXPECT_STREQ(level.architect, "tester");
	EXPECT_TRUE(linkcolorsaredefaults());
}

TEST_F(LevelFile, VersionFourTakesDefaultColours)
{
	filldistinctlevel(9, 7, 3, 2);
	ASSERT_TRUE(savelevel("old", 1));
	std::string bytes = readfile("old.tvb");
	putword(&bytes, 4, 4);
	writefile("old.tvb", bytes);
	std::string bridgename = level.bridgename;
	ASSERT_EQ(loadlevel("old", 1), 1);
	EXPECT_TRUE(linkcolorsaredefaults());
	EXPECT_EQ(bridgename, level.bridgename);
}

TEST_F(LevelFile, EmptyBridgeIsTheBareRecord)
{
	filldistinctlevel(2, 2, 0, 0);
	ASSERT_TRUE(savelevel("empty", 1));
	EXPECT_EQ(readfile("empty.tvb").size(), 1139820u);
	ASSERT_EQ(loadlevel("empty", 1), 1);
	EXPECT_EQ(numofpoints, 0);
	EXPECT_EQ(numoflinks, 0);
}

TEST_F(LevelFile, MissingFileAndUnsafeNamesChangeNothing)
{
	filldistinctlevel(9, 7, 3, 2);
	saveworldstate(&savedworld);
	EXPECT_EQ(loadlevel("nothere", 1), 0);
	EXPECT_EQ(loadlevel("", 1), 0);
	EXPECT_EQ(loadlevel("..", 1), 0);
	EXPECT_EQ(loadlevel("../x", 1), 0);
	EXPECT_FALSE(savelevel("../escape", 1));
	EXPECT_FALSE(savelevel(".", 0));
	EXPECT_TRUE(readfile("../escape.tvb").empty());
	EXPECT_TRUE(worldstateunchanged(&savedworld));
}

TEST_F(LevelFile, DeleteRemovesOnlyTheNamedKind)
{
	filldistinctlevel(4, 4, 2, 1);
	ASSERT_TRUE(savelevel("both", 1));
	ASSERT_TRUE(savelevel("both", 0));
	deletelevel("both", 1);
	EXPECT_TRUE(readfile("both.tvb").empty());
	EXPECT_FALSE(readfile("both.tvl").empty());
}

// Loads a damaged copy of a valid file and expects it refused with the
// loaded level untouched.
static void expectrefused(const std::string &bytes, const char *what)
{
	writefile("bad.tvb", bytes);
	EXPECT_EQ(loadlevel("bad", 1), 0) << what;
	EXPECT_TRUE(worldstateunchanged(&savedworld)) << what;
}

TEST_F(LevelFile, DamagedFilesAreRefusedAndChangeNothing)
{
	filldistinctlevel(9, 7, 4, 3);
	ASSERT_TRUE(savelevel("good", 1));
	const std::string good = readfile("good.tvb");
	// A different level is loaded when the damaged files are tried.
	filldistinctlevel(5, 5, 2, 1);
	level.budget = 77;
	saveworldstate(&savedworld);

	const size_t cuts[] = {0, 3, 6, 100, 3040, 91236, 1139812, 1139816, 1139816 + 63,
		good.size() - 1};
	for (size_t cut : cuts)
		expectrefused(good.substr(0, cut), ("cut at " + std::to_string(cut)).c_str());
	expectrefused(good + '\0', "trailing byte");

	struct patch {
		size_t offset;
		int32_t value;
		const char *what;
	};
	const size_t links = 1139816 + 4 * 16 + 4;
	const patch patches[] = {
		{0, 0x00425655, "magic"},
		{4, 6, "version 6"},
		{4, 3, "version 3"},
		{8, 1, "width 1"},
		{8, 513, "width 513"},
		{12, 0, "depth 0"},
		{856, 33, "phases 33"},
		{856, -1, "phases -1"},
		{3036, 65, "placements 65"},
		{3040, 256, "vehicle type 256"},
		{3040 + 4, 33, "cars 33"},
		{3040 + 8 + 8, -1, "car type -1"},
		{3040 + 700 + 312, 33, "waypoints 33"},
		{47840, 513, "props 513"},
		{47844, 116, "prop model 116"},
		{47844 + 84, -2, "prop model -2"},
		{1139812, 16385, "points 16385"},
		{1139812, -1, "points -1"},
		{1139812, 5, "points past the file"},
		{1139816, 4, "point type 4"},
		{1139816 + 16, -1, "point type -1"},
		{links - 4, 16385, "links 16385"},
		{links, 256, "link type 256"},
		{links + 8, 4, "link end past the points"},
		{links + 20 + 12, -1, "negative link end"},
	};
	for (const patch &p : patches) {
		std::string bytes = good;
		putword(&bytes, p.offset, p.value);
		expectrefused(bytes, p.what);
	}
}

// Positions, axes and heights that are no number or endless would reach the
// simulation and float-to-int conversions; in slots the level does not use
// they are kept as stored, like any other word there.
TEST_F(LevelFile, NonFiniteFloatsInUseAreRefused)
{
	filldistinctlevel(9, 7, 4, 3);
	ASSERT_TRUE(savelevel("good", 1));
	const std::string good = readfile("good.tvb");
	filldistinctlevel(5, 5, 2, 1);
	saveworldstate(&savedworld);

	const int32_t nan = 0x7fc00000, infinity = 0x7f800000, minusinfinity = (int32_t)0xff800000;
	struct patch {
		size_t offset;
		const char *what;
	};
	const patch inuse[] = {
		{16, "water level"},
		{3040 + 264 + 4, "placement position"},
		{3040 + 276 + 4 * 5, "placement orientation"},
		{3040 + 700 + 316 + 3 * 12 + 8, "last waypoint"},
		{47844 + 2 * 84 + 36, "prop position"},
		{47844 + 48 + 32, "prop orientation"},
		{91236 + 4 * 62, "last height of the landscape"},
		{1139816 + 3 * 16 + 12, "point position"},
	};
	for (const patch &p : inuse) {
		for (int32_t value : {nan, infinity, minusinfinity}) {
			std::string bytes = good;
			putword(&bytes, p.offset, value);
			expectrefused(bytes, p.what);
		}
	}

	const patch unused[] = {
		{3040 + 700 + 316 + 4 * 12, "waypoint past the count"},
		{3040 + 2 * 700 + 264, "placement past the count"},
		{47844 + 3 * 84 + 36, "prop past the count"},
		{91236 + 4 * 63, "height past the landscape"},
		{860 + 31 * 68 + 4 + 4 * WINDSPEEDWORD, "wind"},
	};
	for (const patch &p : unused) {
		std::string bytes = good;
		putword(&bytes, p.offset, nan);
		writefile("kept.tvb", bytes);
		EXPECT_EQ(loadlevel("kept", 1), 1) << p.what;
		ASSERT_TRUE(savelevel("kept", 1));
		EXPECT_EQ(readfile("kept.tvb"), bytes) << p.what;
	}
}

TEST_F(LevelFile, TextFieldsAreTerminatedWithinTheirSize)
{
	filldistinctlevel(4, 4, 2, 1);
	ASSERT_TRUE(savelevel("text", 1));
	std::string bytes = readfile("text.tvb");
	bytes[84 + 31] = 'x';            // level name
	bytes[148 + 15 * 32 + 31] = 'y';  // last description line
	bytes[47844 + 4 + 31] = 'z';     // first prop name
	writefile("text.tvb", bytes);
	ASSERT_EQ(loadlevel("text", 1), 1);
	EXPECT_EQ(strlen(level.levelname), 31u);
	EXPECT_EQ(strlen(level.description[15]), 31u);
	EXPECT_EQ(strlen(level.prop[0].name), 31u);
}

// A save cut short by the file size limit must not replace the old file.
TEST_F(LevelFile, FailedSaveKeepsTheOldFile)
{
	filldistinctlevel(4, 4, 2, 1);
	ASSERT_TRUE(savelevel("keep", 1));
	const std::string old = readfile("keep.tvb");

	filldistinctlevel(6, 6, 3, 2);
	int saved = savewithfilelimit(100000, [] { return savelevel("keep", 1); });

	EXPECT_FALSE(saved);
	EXPECT_EQ(readfile("keep.tvb"), old);
	EXPECT_TRUE(readfile("keep.tvb.tmp").empty());
}
