// The level editor's headless rules: the landscape brush, placement, route
// and prop edits with their capacity refusals, and the level file browser's
// name and folder rules.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <sys/stat.h>

#include "game/progress.h"
#include "leveleditor/leveleditor.h"
#include "leveleditor/levelfiles.h"
#include "leveleditor/placements.h"
#include "filelimit.h"
#include "tempfolder.h"
#include "world/landscape.h"
#include "world/level.h"
#include "world/model.h"
#include "world/objectphysics.h"

namespace {

constexpr int SIZE = 32;

float &height(int x, int z)
{
	return landscape.height[z * level.landscapewidth + x];
}

void flatlandscape(float h)
{
	memset(&level, 0, sizeof level);
	level.landscapewidth = SIZE;
	level.landscapedepth = SIZE;
	for (int i = 0; i < SIZE * SIZE; i++) {
		landscape.height[i] = h;
		landscape.normal[i] = {0.0f, 0.0f, 0.0f};
	}
}

void brush(int tool, int radius, float target, float strength)
{
	leveleditor.tool = tool;
	leveleditor.radius = radius;
	leveleditor.cursor.y = target;
	leveleditor.strength = strength;
}

}  // namespace

TEST(Brush, RaiseStopsAtTargetPlusStepAndLeavesHigherGroundAlone)
{
	flatlandscape(10.0f);
	height(20, 20) = 500.0f;
	brush(BRUSH_RAISE, 4, 12.0f, 4.0f);
	changelandscape(16, 16);
	// Centre: k = 20, so h = min(10 + 20, 12 + 20).
	EXPECT_FLOAT_EQ(height(16, 16), 30.0f);
	changelandscape(16, 16);
	EXPECT_FLOAT_EQ(height(16, 16), 32.0f);
	// At and beyond the radius the falloff is 0 and nothing moves up.
	EXPECT_FLOAT_EQ(height(20, 16), 10.0f);
	EXPECT_FLOAT_EQ(height(20, 20), 500.0f);
	// Halfway out: f = 0.5, k = 10.
	EXPECT_NEAR(height(18, 16), 22.0f, 1e-4f);
}

TEST(Brush, LowerClampsToTargetMinusStepAndToZero)
{
	flatlandscape(10.0f);
	height(16, 17) = -3.0f;
	brush(BRUSH_LOWER, 4, 5.0f, 1.0f);
	changelandscape(16, 16);
	EXPECT_FLOAT_EQ(height(16, 16), 5.0f);   // 10 - 5, not below t - k = 0
	changelandscape(16, 16);
	EXPECT_FLOAT_EQ(height(16, 16), 0.0f);
	// A vertex already below t - k is left as it is, even below zero.
	EXPECT_FLOAT_EQ(height(16, 17), -3.0f);

	flatlandscape(3.0f);
	brush(BRUSH_LOWER, 4, 0.0f, 4.0f);
	changelandscape(16, 16);
	EXPECT_FLOAT_EQ(height(16, 16), 0.0f);  // 3 - 20 held at 0
}

TEST(Brush, SetFillsTheWholeSquareAndZeroRadiusOnlyTheCentre)
{
	flatlandscape(10.0f);
	brush(BRUSH_SET, 3, 40.0f, 4.0f);
	changelandscape(10, 10);
	for (int z = 7; z <= 13; z++)
		for (int x = 7; x <= 13; x++)
			EXPECT_FLOAT_EQ(height(x, z), 40.0f) << x << "," << z;
	EXPECT_FLOAT_EQ(height(6, 10), 10.0f);
	EXPECT_FLOAT_EQ(height(10, 14), 10.0f);

	flatlandscape(10.0f);
	brush(BRUSH_RAISE, 0, 40.0f, 4.0f);
	changelandscape(5, 5);
	brush(BRUSH_LOWER, 0, -40.0f, 4.0f);
	changelandscape(5, 5);
	EXPECT_FLOAT_EQ(height(5, 5), 10.0f);
	brush(BRUSH_SET, 0, 40.0f, 4.0f);
	changelandscape(5, 5);
	EXPECT_FLOAT_EQ(height(5, 5), 40.0f);
	EXPECT_FLOAT_EQ(height(6, 5), 10.0f);
}

TEST(Brush, EdgesUnknownToolsAndNormals)
{
	flatlandscape(10.0f);
	brush(BRUSH_SET, 5, 20.0f, 4.0f);
	changelandscape(0, SIZE - 1);  // clipped at two edges, no stray writes
	EXPECT_FLOAT_EQ(height(0, SIZE - 1), 20.0f);
	EXPECT_FLOAT_EQ(height(5, SIZE - 6), 20.0f);
	EXPECT_FLOAT_EQ(height(6, SIZE - 1), 10.0f);
	changelandscape(-1000000, 2000000000);  // far off: nothing, no overflow
	brush(BRUSH_SET, 2000000000, 20.0f, 4.0f);
	changelandscape(2000000000, 0);

	flatlandscape(10.0f);
	height(10, 10) = 30.0f;
	brush(7, 2, 50.0f, 4.0f);
	changelandscape(10, 10);
	EXPECT_FLOAT_EQ(height(10, 10), 30.0f);
	EXPECT_FLOAT_EQ(height(9, 10), 10.0f);
	// The normals are still recomputed: columns x - r - 1 .. x + r and rows
	// z - r .. z + r, nothing outside.
	EXPECT_GT(landscape.normal[10 * SIZE + 7].y, 0.0f);
	EXPECT_GT(landscape.normal[12 * SIZE + 12].y, 0.0f);
	EXPECT_EQ(landscape.normal[10 * SIZE + 13].y, 0.0f);
	EXPECT_EQ(landscape.normal[13 * SIZE + 10].y, 0.0f);
	EXPECT_EQ(landscape.normal[10 * SIZE + 6].y, 0.0f);
}

// Narrow landscapes, both ways round: the brush keeps to the rows and
// columns that exist and never reaches past the last vertex.
TEST(Brush, NarrowLandscapesAreWrittenOnlyInside)
{
	const int sizes[2][2] = {{2, LANDSCAPESIZE}, {LANDSCAPESIZE, 2}};
	for (const auto &size : sizes) {
		memset(&level, 0, sizeof level);
		level.landscapewidth = size[0];
		level.landscapedepth = size[1];
		int count = size[0] * size[1];
		for (int i = 0; i < LANDSCAPEVERTICES; i++)
			landscape.height[i] = 10.0f;
		brush(BRUSH_SET, 3, 20.0f, 4.0f);
		for (int corner = 0; corner < 4; corner++)
			changelandscape(corner & 1 ? size[0] - 1 : 0, corner & 2 ? size[1] - 1 : 0);
		int changed = 0;
		for (int i = 0; i < count; i++)
			changed += landscape.height[i] == 20.0f;
		// Each corner sets a 4 x 4 square on the long side, clipped to 2 across.
		EXPECT_EQ(changed, 2 * 4 * 2) << size[0] << "x" << size[1];
		for (int i = count; i < LANDSCAPEVERTICES; i++)
			ASSERT_EQ(landscape.height[i], 10.0f) << i;
	}
}

TEST(Brush, ThePointerFindsTheNearestGroundAndItsVertex)
{
	flatlandscape(0.0f);
	for (int x = 0; x < SIZE; x++) {
		height(x, 5) = 20.0f;
		height(x, 25) = 20.0f;
	}
	// Looking along -z at height 10 over both ridges: the nearer one, not
	// the first in the landscape's own scan order.
	vector3 from = {50.0f, 10.0f, 150.0f}, to = {50.0f, 10.0f, 0.0f}, hit;
	ASSERT_TRUE(landscapeunderray(&hit, &from, &to));
	EXPECT_NEAR(hit.z, 127.5f, 0.01f);
	int x = -1, z = -1;
	ASSERT_TRUE(nearestvertex(&hit, &x, &z));
	EXPECT_EQ(x, 10);
	EXPECT_EQ(z, 26);
	vector3 sky = {50.0f, 100.0f, 150.0f}, up = {50.0f, 200.0f, 0.0f};
	EXPECT_FALSE(landscapeunderray(&hit, &sky, &up));
	vector3 off = {-3.0f, 0.0f, 10.0f};
	EXPECT_FALSE(nearestvertex(&off, &x, &z));
	off = {5.0f * SIZE - 2.0f, 0.0f, 10.0f};
	EXPECT_FALSE(nearestvertex(&off, &x, &z));
	off = {NAN, 0.0f, 0.0f};
	EXPECT_FALSE(nearestvertex(&off, &x, &z));
}

TEST(Placements, CapacitiesAndSelectionsFollowDeletions)
{
	memset(&level, 0, sizeof level);
	vector3 p = {100.0f, 5.0f, 200.0f};
	// No type (a picker backed out of) and types without physics.
	EXPECT_EQ(addplacement(-1, &p), -1);
	EXPECT_EQ(addplacement(MAXOBJECTTYPES, &p), -1);
	EXPECT_EQ(level.numoflevelobjects, 0);
	for (int i = 0; i < MAXLEVELOBJECTS; i++)
		ASSERT_EQ(addplacement(i, &p), i);
	EXPECT_EQ(addplacement(99, &p), -1);
	EXPECT_EQ(level.numoflevelobjects, MAXLEVELOBJECTS);

	leveleditor.selectedobject = 10;
	EXPECT_TRUE(deleteplacement(3));
	EXPECT_EQ(leveleditor.selectedobject, 9);
	EXPECT_EQ(level.levelobject[3].type, 4);
	EXPECT_TRUE(deleteplacement(9));
	EXPECT_EQ(leveleditor.selectedobject, -1);
	EXPECT_FALSE(deleteplacement(level.numoflevelobjects));
	EXPECT_FALSE(deleteplacement(-1));
	EXPECT_EQ(level.numoflevelobjects, MAXLEVELOBJECTS - 2);

	// Cars: 32 at most, the 33rd refused; deleting keeps the entry.
	for (int c = 0; c < MAXCARS; c++)
		ASSERT_TRUE(addcar(0, 4 + c % 7));
	EXPECT_FALSE(addcar(0, 5));
	EXPECT_EQ(level.levelobject[0].numofcars, MAXCARS);
	deletecar(0);
	EXPECT_EQ(level.levelobject[0].numofcars, MAXCARS - 1);
	deletecar(1);  // none to drop
	EXPECT_EQ(level.levelobject[1].numofcars, 0);
	EXPECT_FALSE(addcar(MAXLEVELOBJECTS, 4));
	// A count damaged beyond the array is refused, not written past.
	level.levelobject[2].numofcars = 1000;
	EXPECT_FALSE(addcar(2, 4));

	// Waypoints: 32 at most.
	for (int w = 0; w < MAXWAYPOINTS; w++)
		ASSERT_TRUE(addwaypoint(1, &p));
	EXPECT_FALSE(addwaypoint(1, &p));
	EXPECT_TRUE(deletewaypoint(1));
	EXPECT_EQ(level.levelobject[1].numofwaypoints, MAXWAYPOINTS - 1);
	EXPECT_FALSE(deletewaypoint(5));

	togglephase(0, 3);
	EXPECT_EQ(level.levelobject[0].inphase[2], 1);
	togglephase(0, 3);
	EXPECT_EQ(level.levelobject[0].inphase[2], 0);
	level.levelobject[0].inphase[2] = 2;  // as a loaded file may hold it: on
	togglephase(0, 3);
	EXPECT_EQ(level.levelobject[0].inphase[2], 0);
	togglephase(0, 0);
	togglephase(0, MAXPHASES + 1);
}

TEST(Placements, PropsAreFoundMovedTurnedAndRefusedWhenFull)
{
	memset(&level, 0, sizeof level);
	vector3 a = {10.0f, 0.0f, 10.0f}, b = {40.0f, 0.0f, 10.0f};
	EXPECT_EQ(addprop("tree", 2, &a), 0);
	EXPECT_EQ(addprop("a name much longer than thirty-one characters", 3, &b), 1);
	EXPECT_EQ(strlen(level.prop[1].name), (size_t)NAMESIZE - 1);
	vector3 near = {38.0f, 1.0f, 11.0f};
	EXPECT_EQ(findprop(&near, 5.0f), 1);
	EXPECT_EQ(findprop(&near, 1.0f), -1);
	moveprop(1, 2.5f);
	EXPECT_FLOAT_EQ(level.prop[1].position.y, 2.5f);
	rotateprop(1, 1.5707964f);
	EXPECT_NEAR(level.prop[1].orientation.v[0].y, 0.0f, 1e-6f);
	EXPECT_NEAR(std::fabs(level.prop[1].orientation.v[0].z), 1.0f, 1e-6f);
	leveleditor.selectedprop = 1;
	EXPECT_TRUE(deleteprop(0));
	EXPECT_EQ(leveleditor.selectedprop, 0);
	EXPECT_EQ(level.prop[0].model, 3);
	while (level.numofprops < MAXPROPS)
		ASSERT_GE(addprop("rock", 1, &a), 0);
	EXPECT_EQ(addprop("rock", 1, &a), -1);
}

// A prop whose model cannot be loaded would be placed unseen, a click at a
// time, and saved with the level.
TEST(Placements, APropIsPlacedOnlyWithItsModel)
{
	tempfolder folder;
	entertempfolder(&folder);
	memset(&level, 0, sizeof level);
	numofpropmodels = 0;
	mkdir("prop", 0777);
	writefile("prop/rock.tvo", std::string(8, '\0'));  // no vertices, no triangles
	writefile("prop/broken.tvo", std::string(7, '\0'));
	vector3 a = {10.0f, 0.0f, 10.0f};
	EXPECT_EQ(placeprop("missing", &a), -1);
	EXPECT_EQ(placeprop("broken", &a), -1);
	EXPECT_EQ(level.numofprops, 0);
	EXPECT_EQ(placeprop("rock", &a), 0);
	EXPECT_EQ(placeprop("rock", &a), 1);
	EXPECT_EQ(level.prop[1].model, 0);
	EXPECT_STREQ(level.prop[1].name, "rock");
	leavetempfolder(&folder);
}

TEST(Placements, ListedNamesAreCutAtTheirFirstDotWithinTwentyFourCharacters)
{
	char name[NAMESIZE];
	copystring(name, "bridge.tvl", sizeof name);
	cutlistname(name);
	EXPECT_STREQ(name, "bridge");
	// Cut shorter, the name would name another file for Load and Delete.
	copystring(name, "abcdefghijklmnopqrstuvwxyz.tvo", sizeof name);
	cutlistname(name);
	EXPECT_STREQ(name, "abcdefghijklmnopqrstuvwxyz");
	copystring(name, "abcdefghijklmnopqrstuvwxyz12345", sizeof name);
	cutlistname(name);
	EXPECT_STREQ(name, "abcdefghijklmnopqrstuvwxyz12345");
	copystring(name, "a.b.c", sizeof name);
	cutlistname(name);
	EXPECT_STREQ(name, "a");
}

// A list without its end mark must not be read past the slot kept for it.
TEST(LevelFiles, ListsAreCutUpToTheirEndMarkAndNeverIntoTheLastSlot)
{
	for (int i = 0; i < LISTSIZE; i++)
		copystring(filelist[i], "name.tvl", NAMESIZE);
	filelist[2][0] = 0;
	EXPECT_EQ(cutlistnames(filelist), 2);
	EXPECT_STREQ(filelist[1], "name");
	EXPECT_STREQ(filelist[3], "name.tvl");
	filelist[2][0] = 'x';
	EXPECT_EQ(cutlistnames(filelist), LISTSIZE - 1);
	EXPECT_STREQ(filelist[LISTSIZE - 1], "name.tvl");
}

TEST(LevelFiles, InsideAPackFolderTheOnlyFolderEntryIsTheWayUp)
{
	copystring(dirlist[0], "old", NAMESIZE);
	leveldirname[0] = 0;
	EXPECT_EQ(listparentfolder(), 0);
	EXPECT_EQ(dirlist[0][0], 0);
	copystring(leveldirname, "pack", NAMESIZE);
	EXPECT_EQ(listparentfolder(), 1);
	EXPECT_STREQ(dirlist[0], "..");
	EXPECT_EQ(dirlist[1][0], 0);
	leveldirname[0] = 0;
}

TEST(LevelFiles, NamesThatWouldEscapeTheFolderAreRefused)
{
	EXPECT_FALSE(levelnameallowed(""));
	EXPECT_TRUE(levelnameallowed("my level"));
	// A dotted name would never be listed again; a pack folder may hold one.
	EXPECT_FALSE(levelnameallowed("a.b"));
	EXPECT_FALSE(levelnameallowed(".hidden"));
	EXPECT_TRUE(levelfolderallowed("pack.v2"));
	EXPECT_FALSE(levelnameallowed("../escape"));
	EXPECT_FALSE(levelnameallowed("/tmp/x"));
	EXPECT_FALSE(levelnameallowed("a\\b"));
	EXPECT_FALSE(levelnameallowed("line\nbreak"));
	EXPECT_FALSE(levelfolderallowed(""));
	EXPECT_FALSE(levelfolderallowed(".."));
	EXPECT_FALSE(levelfolderallowed("."));
	EXPECT_FALSE(levelfolderallowed("demo/../.."));
	EXPECT_TRUE(levelfolderallowed("demo"));
}

class LevelBrowser : public ::testing::Test {
protected:
	tempfolder folder;
	void SetUp() override
	{
		entertempfolder(&folder);
		mkdir("files", 0777);
		mkdir("files/demo", 0777);
		mkdir("files/other", 0777);
		memset(&level, 0, sizeof level);
		level.landscapewidth = 4;
		level.landscapedepth = 4;
		leveldirname[0] = 0;
	}
	void TearDown() override { leavetempfolder(&folder); }
};

TEST_F(LevelBrowser, SavesListsLoadsAndDeletesInsideTheOpenFolder)
{
	EXPECT_EQ(listlevelfolders(), 2);
	EXPECT_STREQ(dirlist[0], "demo");
	changelevelfolder("demo");
	EXPECT_STREQ(leveldirname, "demo");
	EXPECT_EQ(listlevelfolders(), 1);
	EXPECT_STREQ(dirlist[0], "..");

	level.budget = 1234;
	copystring(levelfilename, "first", NAMESIZE);
	ASSERT_TRUE(savelevelfile());
	copystring(levelfilename, "abcdefghijklmnopqrstuvwxyz", NAMESIZE);
	ASSERT_TRUE(savelevelfile());
	levelfilename[0] = 0;
	EXPECT_FALSE(savelevelfile());  // no hidden ".tvl"
	struct stat info;
	EXPECT_EQ(stat("files/demo/first.tvl", &info), 0);
	EXPECT_NE(stat("files/demo/.tvl", &info), 0);
	EXPECT_EQ(listlevelfiles(), 2);
	EXPECT_STREQ(filelist[1], "first");
	// Whole, not cut to the 24 characters shown: Load and Delete use it.
	EXPECT_STREQ(filelist[0], "abcdefghijklmnopqrstuvwxyz");
	copystring(levelfilename, filelist[0], NAMESIZE);
	EXPECT_TRUE(loadlevelfile());

	level.budget = 0;
	copystring(levelfilename, "first", NAMESIZE);
	ASSERT_TRUE(loadlevelfile());
	EXPECT_EQ(level.budget, 1234);
	copystring(levelfilename, "missing", NAMESIZE);
	EXPECT_FALSE(loadlevelfile());

	deletelevelfile();  // no such file: the name is emptied all the same
	EXPECT_STREQ(levelfilename, "");
	copystring(levelfilename, "first", NAMESIZE);
	deletelevelfile();
	EXPECT_NE(stat("files/demo/first.tvl", &info), 0);
	EXPECT_EQ(listlevelfiles(), 1);

	changelevelfolder("..");  // up again
	EXPECT_STREQ(leveldirname, "");
	EXPECT_EQ(listlevelfiles(), 0);
}

TEST_F(LevelBrowser, NamesTheListingWouldDropAreNotSaved)
{
	struct stat info;
	for (std::string name : {"a*b", "<odd", "abcdefghijklmnopqrstuvwxyz01"}) {
		copystring(levelfilename, name.c_str(), NAMESIZE);
		EXPECT_FALSE(savelevelfile()) << name;
		EXPECT_NE(stat(("files/" + name + ".tvl").c_str(), &info), 0) << name;
	}
}

TEST_F(LevelBrowser, EscapingNamesAndMissingFoldersTouchNothing)
{
	writefile("victim.tvl", "keep");
	copystring(levelfilename, "../victim", NAMESIZE);
	deletelevelfile();
	EXPECT_EQ(readfile("victim.tvl"), "keep");
	copystring(levelfilename, "../victim", NAMESIZE);
	EXPECT_FALSE(savelevelfile());
	EXPECT_EQ(readfile("victim.tvl"), "keep");

	// A pack folder name that is not one stays closed.
	changelevelfolder("../..");
	EXPECT_STREQ(leveldirname, "");
	// A folder that cannot be entered: nothing is written in its stead,
	// and the browser stays in the start folder.
	copystring(leveldirname, "gone", NAMESIZE);
	copystring(levelfilename, "victim", NAMESIZE);
	EXPECT_FALSE(savelevelfile());
	EXPECT_EQ(readfile("victim.tvl"), "keep");
	struct stat info;
	EXPECT_NE(stat("files/victim.tvl", &info), 0);
	EXPECT_EQ(listlevelfiles(), 0);
	EXPECT_EQ(stat("files", &info), 0);  // still where we started
}

TEST_F(LevelBrowser, AFailedSaveKeepsTheOldFile)
{
	copystring(levelfilename, "kept", NAMESIZE);
	level.budget = 77;
	ASSERT_TRUE(savelevelfile());
	std::string before = readfile("files/kept.tvl");
	level.budget = 88;
	EXPECT_FALSE(savewithfilelimit(1000, [] { return savelevelfile(); }));
	EXPECT_EQ(readfile("files/kept.tvl"), before);
}
