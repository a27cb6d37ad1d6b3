// The game flow's rules without a window: the fixed tick, the test screen's
// rules, and map pack progress kept per profile.
#include "editor/editor.h"
#include "game/previewcamera.h"
#include "game/progress.h"
#include "game/testrules.h"
#include "game/ticks.h"
#include "gendatafolder.h"
#include "world/level.h"
#include "world/mappack.h"
#include "world/simulation.h"
#include "world/vehicle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

// Ticks taken by one frame at time now.
static int frameticks(unsigned *lasttick, unsigned now, int active = 1)
{
	int taken = 0;
	while (tickdue(lasttick, now, taken, active))
		taken++;
	return taken;
}

TEST(Ticks, StrictlyMoreThanTwentyMillisecondsAndExactlyTwentyAdvanced)
{
	unsigned last = 1000;
	EXPECT_EQ(frameticks(&last, 1020), 0);
	EXPECT_EQ(last, 1000u);
	EXPECT_EQ(frameticks(&last, 1021), 1);
	EXPECT_EQ(last, 1020u);  // the extra millisecond is kept for the next tick
	EXPECT_EQ(frameticks(&last, 1041), 1);
	EXPECT_EQ(last, 1040u);
}

TEST(Ticks, LateFrameTakesFiveAndLeavesTheBacklog)
{
	unsigned last = 1000;
	EXPECT_EQ(frameticks(&last, 1200), 5);
	EXPECT_EQ(last, 1100u);
	EXPECT_EQ(frameticks(&last, 1200), 4);  // 1180: exactly 20 ms left, not more
	EXPECT_EQ(last, 1180u);
	EXPECT_EQ(frameticks(&last, 1201), 1);
}

TEST(Ticks, InactiveTimeIsNotCaughtUp)
{
	unsigned last = 1000;
	EXPECT_EQ(frameticks(&last, 11000, 0), 0);
	EXPECT_EQ(last, 11000u);
	EXPECT_EQ(frameticks(&last, 11021), 1);
}

TEST(Ticks, ClockWrapsAround)
{
	unsigned last = 0xfffffff0u;
	EXPECT_EQ(frameticks(&last, 0x10u), 1);
	EXPECT_EQ(last, 4u);
}

// Steps run over a number of ticks.
static int stepsover(int ticks, int fast, int slow)
{
	int stepcount = 0, steps = 0;
	for (int n = 0; n < ticks; n++)
		steps += ticksteps(&stepcount, 0, 0, fast, slow);
	return steps;
}

TEST(Ticks, FastAndSlowSteps)
{
	EXPECT_EQ(stepsover(8, 0, 0), 8);
	EXPECT_EQ(stepsover(8, 1, 0), 32);
	EXPECT_EQ(stepsover(8, 0, 1), 2);
	EXPECT_EQ(stepsover(8, 1, 1), 8);
	int stepcount = 0;
	for (int n = 0; n < 8; n++)
		EXPECT_EQ(ticksteps(&stepcount, 0, 0, 1, 1), 1);

	// A test left running for months: slow keeps its rhythm and the count
	// does not overflow.
	stepcount = std::numeric_limits<int>::max() - 1;
	static const int slowsteps[6] = { 0, 1, 0, 0, 0, 1 };
	for (int n = 0; n < 6; n++)
		EXPECT_EQ(ticksteps(&stepcount, 0, 0, 0, 1), slowsteps[n]) << n;
}

TEST(Ticks, PauseAndSingleStepTakeNoOffers)
{
	// Slow counts offers: a paused or single-stepped tick must not move
	// the count on, or the next run would step at another phase.
	int stepcount = 3;
	EXPECT_EQ(ticksteps(&stepcount, 1, 0, 1, 1), 0);
	EXPECT_EQ(ticksteps(&stepcount, 0, 1, 0, 0), 0);
	EXPECT_EQ(ticksteps(&stepcount, 1, 1, 0, 0), 0);
	EXPECT_EQ(stepcount, 3);
	EXPECT_EQ(ticksteps(&stepcount, 0, 0, 0, 1), 1);
	EXPECT_EQ(stepcount, 4);
}

TEST(TestRules, FollowKeysSkipTrainCarsAndStopAtSeven)
{
	static const int types[] = { 0, 4, 5, 15, 16, 31, 32, 3, 17, 40, 1, 2 };
	numofobjects = sizeof types / sizeof types[0];
	for (int n = 0; n < numofobjects; n++)
		object[n].type = types[n];
	int list[MAXFOLLOWKEYS];
	ASSERT_EQ(listfollowvehicles(list), 7);
	static const int expected[7] = { 0, 4, 5, 6, 7, 8, 9 };
	for (int k = 0; k < 7; k++)
		EXPECT_EQ(list[k], expected[k]);
	numofobjects = 0;
	EXPECT_EQ(listfollowvehicles(list), 0);
}

TEST(TestRules, PassingMarksOnlyPackLevels)
{
	memset(&mappack, 0, sizeof mappack);
	mappack.numoflevels = 3;
	level.numofphases = 2;
	sim = simstruct{};

	phasenum = 2;
	levelnum = 1;
	EXPECT_EQ(checktestpassed(), 0);
	EXPECT_EQ(mappack.completed[1], 0);
	EXPECT_STREQ(resultlabel(), "Next Level");

	phasenum = 3;
	EXPECT_EQ(checktestpassed(), 1);
	EXPECT_EQ(mappack.completed[1], 1);
	EXPECT_EQ(sim.testpassed, 1);

	levelnum = 2;
	EXPECT_STREQ(resultlabel(), "View Ending");

	memset(&mappack.completed, 0, sizeof mappack.completed);
	sim.testpassed = 0;
	levelnum = -1;
	EXPECT_STREQ(resultlabel(), "Exit Level");
	EXPECT_EQ(checktestpassed(), 1);
	for (int i = 0; i < MAXPACKLEVELS; i++)
		EXPECT_EQ(mappack.completed[i], 0);

	sim.testfailed = 1;
	levelnum = 0;
	EXPECT_EQ(checktestpassed(), 0);
	EXPECT_EQ(mappack.completed[0], 0);
}

TEST(TestRules, DetailDistancesAndClock)
{
	float d[4] = { 1, 2, 3, 4 };
	setloddistances(d, 3);
	EXPECT_EQ(d[3], 4.0f);
	setloddistances(d, 2);
	EXPECT_EQ(d[0], 180.0f);
	EXPECT_EQ(d[3], 720.0f);
	setloddistances(d, 0);
	EXPECT_EQ(d[1], 160.0f);

	int minutes, seconds;
	clockparts(90500, &minutes, &seconds);
	EXPECT_EQ(minutes, 1);
	EXPECT_EQ(seconds, 30);
	clockparts(65000, &minutes, &seconds);
	EXPECT_EQ(minutes, 1);
	EXPECT_EQ(seconds, 5);
	clockparts(3600000 + 1000, &minutes, &seconds);
	EXPECT_EQ(minutes, 0);
	EXPECT_EQ(seconds, 1);
}

TEST(TestRules, WindAndCurrentThatAreNoSpeedCountAsCalm)
{
	float *wind = &level.phase[WINDPHASE].data[WINDSPEEDWORD];
	float *current = &level.phase[WINDPHASE].data[CURRENTSPEEDWORD];
	*wind = -12.5f;
	*current = MAXLEVELSPEED;
	EXPECT_EQ(levelwindspeed(), -12.5f);
	EXPECT_EQ(levelcurrentspeed(), MAXLEVELSPEED);
	*wind = std::numeric_limits<float>::quiet_NaN();
	*current = -std::numeric_limits<float>::infinity();
	EXPECT_EQ(levelwindspeed(), 0.0f);
	EXPECT_EQ(levelcurrentspeed(), 0.0f);
	*wind = 1e30f;
	EXPECT_EQ(levelwindspeed(), 0.0f);
	*wind = 0.0f;
	*current = 0.0f;
}

TEST(PreviewCamera, OrbitsAboveTheLevelFarEnoughOut)
{
	static const vector3 look = { 1280.0f, 330.0f, 1285.0f };
	numofpoints = 2;
	point[0].position = { 1290.0f, 320.0f, 1285.0f };
	point[1].position = { 1280.0f, 305.0f, 1285.0f };
	EXPECT_EQ(previewradius(), 20.0f);
	point[1].position = { 1280.0f, 320.0f, 1335.0f };
	EXPECT_FLOAT_EQ(previewradius(), 50.0f);
	numofpoints = 0;
	EXPECT_EQ(previewradius(), 20.0f);

	for (float angle : { 0.0f, 1.0f, 4.0f }) {
		vector3 position, d;
		orientation axes;
		previewframe(&position, &axes, angle, 20.0f);
		subtractvectors(&d, &position, &look);
		EXPECT_NEAR(sqrtf(dotproduct(&d, &d)), 30.0f, 1e-3f);
		// Above the level, looking down on it at pi/5.
		EXPECT_NEAR(d.y, 30.0f * sinf(0.62831855f), 1e-3f);
		EXPECT_NEAR(axes.v[1].y, cosf(0.62831855f), 1e-5f);
	}
}

// A fresh home folder beside the generated start folder, which the game
// would run in.
class Profiles : public ::testing::Test {
protected:
	std::string home;

	void SetUp() override
	{
		ASSERT_NE(generatedstartfolder(), nullptr);
		ASSERT_EQ(generationfailures(), 0);
		char folder[] = "/tmp/trusvane-profile-XXXXXX";
		ASSERT_NE(mkdtemp(folder), nullptr);
		home = folder;
		setenv("HOME", folder, 1);
		ASSERT_EQ(chdir(generatedstartfolder()), 0);
		get_paths();
		ASSERT_EQ(cd_cwd(), 1);
		copystring(profilename, "default", NAMESIZE);
		copystring(mappackname, "demo", NAMESIZE);
		cheat[2] = 1;
	}

	void TearDown() override
	{
		cd_cwd();
		removefolder(home.c_str());
	}

	std::string profilepath(const char *file)
	{
		return home + "/.Trusvane Demo/profile/default/" + file;
	}
};

static int exists(const std::string &path)
{
	struct stat s;
	return stat(path.c_str(), &s) == 0;
}

static int startfolder()
{
	char here[PATHSIZE];
	return getcwd(here, sizeof here) && !strcmp(here, cwd_path);
}

TEST_F(Profiles, FreshProfileOpensTheGameDataPackAndKeepsItsProgress)
{
	makeprofilefolder();
	EXPECT_TRUE(exists(profilepath("")));
	ASSERT_EQ(openmappack(), 1);
	EXPECT_TRUE(startfolder());
	ASSERT_GE(mappack.numoflevels, 4);
	EXPECT_EQ(levelopen(0), 1);
	for (int i = 1; i < mappack.numoflevels; i++)
		EXPECT_EQ(levelopen(i), 0) << i;

	// Level 2 passed before level 1: the done level and its neighbours open.
	mappack.completed[1] = 1;
	EXPECT_EQ(levelopen(1), 1);
	EXPECT_EQ(levelopen(2), 1);
	EXPECT_EQ(levelopen(3), 0);
	cheat[2] = 0;
	EXPECT_EQ(levelopen(3), 1);

	ASSERT_EQ(saveprofilemappack(), 1);
	EXPECT_TRUE(startfolder());
	EXPECT_TRUE(exists(profilepath("demo.tvm")));

	// The profile's copy wins over the fresh pack.
	mappack.completed[1] = 0;
	ASSERT_EQ(openmappack(), 1);
	EXPECT_EQ(mappack.completed[1], 1);
}

TEST_F(Profiles, ProgressIsPerProfile)
{
	makeprofilefolder();
	ASSERT_EQ(openmappack(), 1);
	mappack.completed[0] = 1;
	ASSERT_EQ(saveprofilemappack(), 1);

	copystring(profilename, "second", NAMESIZE);
	makeprofilefolder();
	ASSERT_EQ(openmappack(), 1);
	EXPECT_EQ(mappack.completed[0], 0);
}

static std::string filebytes(const std::string &path)
{
	std::string bytes;
	FILE *f = fopen(path.c_str(), "rb");
	if (!f)
		return bytes;
	for (int c; (c = fgetc(f)) != EOF;)
		bytes += static_cast<char>(c);
	fclose(f);
	return bytes;
}

static void writebytes(const std::string &path, const std::string &bytes)
{
	FILE *f = fopen(path.c_str(), "wb");
	ASSERT_NE(f, nullptr);
	fwrite(bytes.data(), 1, bytes.size(), f);
	fclose(f);
}

// A profile's pack that cannot be read (cut short, or from another version
// of the game) is played from the fresh pack, but the player's old file is
// kept, not written over.
TEST_F(Profiles, UnreadableProgressIsKeptAside)
{
	makeprofilefolder();
	ASSERT_EQ(openmappack(), 1);
	mappack.completed[0] = 1;
	ASSERT_EQ(saveprofilemappack(), 1);
	const std::string good = filebytes(profilepath("demo.tvm"));
	ASSERT_GT(good.size(), 8u);

	std::string other = good;
	other[0] = 2;  // the version word
	for (const std::string &damaged : { good.substr(0, good.size() / 2), other }) {
		remove(profilepath("demo.tvm.old").c_str());
		writebytes(profilepath("demo.tvm"), damaged);
		mappack.completed[0] = 0;
		ASSERT_EQ(openmappack(), 1);  // the fresh pack
		EXPECT_EQ(mappack.completed[0], 0);
		mappack.completed[1] = 1;
		ASSERT_EQ(saveprofilemappack(), 1);
		EXPECT_EQ(filebytes(profilepath("demo.tvm.old")), damaged);
		mappack.completed[1] = 0;
		ASSERT_EQ(openmappack(), 1);
		EXPECT_EQ(mappack.completed[1], 1);
	}

	// A readable or a missing pack leaves nothing aside.
	remove(profilepath("demo.tvm.old").c_str());
	ASSERT_EQ(saveprofilemappack(), 1);
	remove(profilepath("demo.tvm").c_str());
	ASSERT_EQ(openmappack(), 1);
	ASSERT_EQ(saveprofilemappack(), 1);
	EXPECT_FALSE(exists(profilepath("demo.tvm.old")));
	EXPECT_TRUE(startfolder());
}

TEST_F(Profiles, NoSaveOutsideTheProfile)
{
	// Without the profile folder, or with a name that leads out of it, the
	// pack is written nowhere.
	ASSERT_EQ(openmappack(), 1);
	EXPECT_EQ(saveprofilemappack(), 0);
	EXPECT_FALSE(exists(home + "/.Trusvane Demo/demo.tvm"));
	copystring(profilename, "..", NAMESIZE);
	makeprofilefolder();
	EXPECT_EQ(saveprofilemappack(), 0);
	EXPECT_FALSE(exists(home + "/.Trusvane Demo/demo.tvm"));
	EXPECT_FALSE(exists(home + "/.Trusvane Demo/profile/demo.tvm"));
	EXPECT_TRUE(startfolder());
}

static int countjoints()
{
	int joints = 0;
	for (int n = 0; n < numofpoints; n++)
		joints += point[n].type != POINTANCHOR;
	return joints;
}

TEST_F(Profiles, SavedBridgeIsPreferredOverTheBareLevel)
{
	makeprofilefolder();
	ASSERT_EQ(openmappack(), 1);
	int savedbridge = -1;
	// The level file carries a bridge; the map pack starts from its anchors,
	// a tutorial from all of it.
	ASSERT_EQ(loadpacklevel(0, 0, &savedbridge), 1);
	ASSERT_GT(countjoints(), 0);
	ASSERT_GT(numoflinks, 0);
	ASSERT_EQ(loadpacklevel(0, 1, &savedbridge), 1);
	EXPECT_EQ(savedbridge, 0);
	EXPECT_TRUE(startfolder());
	EXPECT_GT(numofpoints, 0);
	EXPECT_EQ(countjoints(), 0);
	EXPECT_EQ(numoflinks, 0);

	// The player's bridge, saved where the editor keeps it.
	point[numofpoints].type = POINTJOINT;
	point[numofpoints].position = { 1280.0f, 330.0f, 1285.0f };
	numofpoints++;
	ASSERT_EQ(enterprofilefolder(), 1);
	mkdir("demo", 0777);
	ASSERT_EQ(chdir("demo"), 0);
	ASSERT_EQ(savelevel(mappack.levelname[0], 1), 1);
	cd_cwd();

	numofpoints = 0;
	ASSERT_EQ(loadpacklevel(0, 1, &savedbridge), 1);
	EXPECT_EQ(savedbridge, 1);
	EXPECT_EQ(countjoints(), 1);
	EXPECT_TRUE(startfolder());

	// No such level: nothing changes.
	int points = numofpoints;
	EXPECT_EQ(loadpacklevel(mappack.numoflevels, 1, &savedbridge), 0);
	EXPECT_EQ(loadpacklevel(-1, 1, &savedbridge), 0);
	EXPECT_EQ(numofpoints, points);
}
