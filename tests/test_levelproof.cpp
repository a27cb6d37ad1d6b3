// Every demo level is proven by its stored bridge: a player's clicks in the
// bridge editor build exactly that bridge from the anchors within the
// level's budget and limits, and run headless from the reset to the end of
// its last phase it passes, with every vehicle made and none in the river,
// while the same level with only its anchors does not.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "editor/cost.h"
#include "editor/editcycle.h"
#include "editor/editor.h"
#include "editor/planes.h"
#include "game/tutorial.h"
#include "platform/files.h"
#include "tests/gendatafolder.h"
#include "tests/levelproof.h"
#include "tools/gen/clickreplay.h"
#include "tools/gen/gendata.h"
#include "world/landscape.h"
#include "world/level.h"
#include "world/mappack.h"

namespace {

const int STEPLIMIT = 20000;  // 400 s of simulated time
const int SETTLESTEPS = 170;  // 3.4 s: Run Test then falls between whole seconds

undostruct stored;

void keepbridge(undostruct *b)
{
	b->numofpoints = (uint32_t)numofpoints;
	memcpy(b->point, point, numofpoints * sizeof(pointstruct));
	b->numoflinks = (uint32_t)numoflinks;
	memcpy(b->beam, beam, numoflinks * sizeof(beamstruct));
}

// The live bridge is entry for entry the kept one.
void expectbridge(const undostruct *b, const char *name)
{
	ASSERT_EQ((uint32_t)numofpoints, b->numofpoints) << name;
	ASSERT_EQ((uint32_t)numoflinks, b->numoflinks) << name;
	EXPECT_EQ(memcmp(point, b->point, numofpoints * sizeof(pointstruct)), 0) << name;
	EXPECT_EQ(memcmp(beam, b->beam, numoflinks * sizeof(beamstruct)), 0) << name;
}

// Level l of the pack under the game's rules for a new player: budget and
// limits enforced, thick links.
void playpacklevel(int l)
{
	levelnum = l;
	cheat[0] = cheat[1] = 1;
	cheat[3] = 0;
}

// How far inside the editing window a point the player must click stands,
// in layout pixels.
const float CLEAR = 16.0f;

// The plane point (x, y) lies in the editor's default view, clear of the
// window's edges and so of the menu and cost bars around it.
void expectinsight(float x, float y, const char *name)
{
	float px, py;
	const editorwindowstruct *w = &editorwindow[0];
	ASSERT_TRUE(viewpixel(x, y, &px, &py)) << name << " " << x << "," << y;
	EXPECT_GE(px, w->x + WINDOWMARGIN + CLEAR) << name << " " << x << "," << y;
	EXPECT_LE(px, w->x + w->width - CLEAR) << name << " " << x << "," << y;
	EXPECT_GE(py, w->y + CLEAR) << name << " " << x << "," << y;
	EXPECT_LE(py, w->y + w->height - CLEAR) << name << " " << x << "," << y;
}

void expectscriptinsight(const char *script, const char *name)
{
	float xy[256][2];
	int n = scriptpoints(script, xy, 256);
	for (int i = 0; i < n; i++)
		expectinsight(xy[i][0], xy[i][1], name);
}

// No ground stands over the point: it is on the ground or in front of it.
void expectaboveground(const vector3 *p, const char *name)
{
	vector3 above = {p->x, p->y + 500.0f, p->z}, hit, normal;
	float t;
	EXPECT_FALSE(lineintersectlevel(&hit, &normal, &t, &above, p) && t < 0.999f)
		<< name << " anchor " << p->x << "," << p->y << "," << p->z << " is inside the ground";
}

}  // namespace

// Every anchor and every point a level's clicks (its own and its weak
// bridge's) use is in sight in the editor's default view, and no anchor
// is buried in the ground.
TEST(LevelProof, EverythingAPlayerClicksIsInSight)
{
	ASSERT_EQ(generationfailures(), 0);
	ASSERT_TRUE(loadpack());
	for (int l = 0; l < mappack.numoflevels; l++) {
		const char *name = mappack.levelname[l];
		ASSERT_EQ(loaddemolevel(name), 1) << name;
		keepanchorsonly();
		playpacklevel(l);
		replayclicks("", nullptr);
		for (int i = 0; i < numofpoints; i++) {
			expectinsight(point[i].position.x, point[i].position.y, name);
			expectaboveground(&point[i].position, name);
		}
		expectscriptinsight(levelclicks(name), name);
		expectscriptinsight(levelweakclicks(name), name);
	}
}

// With the game's rules in force, the level's clicks on its anchors leave
// its stored bridge, within its budget and limits.
TEST(LevelProof, EveryStoredBridgeIsWhatItsClicksBuild)
{
	ASSERT_EQ(generationfailures(), 0);
	ASSERT_TRUE(loadpack());
	for (int l = 0; l < mappack.numoflevels; l++) {
		const char *name = mappack.levelname[l];
		ASSERT_EQ(loaddemolevel(name), 1) << name;
		keepbridge(&stored);
		keepanchorsonly();
		// The editor puts points on the grid only.
		for (int i = 0; i < numofpoints; i++) {
			EXPECT_EQ(fmodf(point[i].position.x, 5.0f), 0.0f) << name;
			EXPECT_EQ(fmodf(point[i].position.y, 5.0f), 0.0f) << name;
		}
		playpacklevel(l);
		clicktally tally;
		ASSERT_NE(levelclicks(name), nullptr) << name;
		EXPECT_EQ(replayclicks(levelclicks(name), &tally), 0) << name;
		expectbridge(&stored, name);
		EXPECT_LE(calculatebridgecost(1), level.budget) << name;
		EXPECT_FALSE(editoverlimits()) << name;
		printf("%s: %d clicks, %d right clicks, %d keys; $%d of $%d\n", name, tally.leftclicks,
			tally.rightclicks, tally.keys, calculatebridgecost(1), level.budget);
	}
}

// The tutorial's lessons run on their levels' anchors, and the levels' own
// clicks take them step by step to the end and to the lesson's solution.
TEST(LevelProof, TheLessonsEndWithTheirLevelsClicks)
{
	ASSERT_EQ(generationfailures(), 0);
	// A lesson returns to the start folder the game was started in, with its
	// home folder in a folder of the test's own.
	char home[] = "/tmp/trusvane-lessons-XXXXXX";
	ASSERT_NE(mkdtemp(home), nullptr);
	setenv("HOME", home, 1);
	ASSERT_TRUE(enterstartfolder(nullptr));
	get_paths();
	ASSERT_EQ(cd_cwd(), 1);
	const char *levels[] = {"demo2", "demo4"};
	for (int lesson = 0; lesson < 2; lesson++) {
		ASSERT_EQ(loadlesson(lesson), 1) << lesson;
		EXPECT_EQ(replayclicks(levelclicks(levels[lesson]), nullptr), 0) << lesson;
		EXPECT_EQ(tutorial.step, TUTORSTEPS - 1) << lesson;
		expectbridge(&tutorial.solution, levels[lesson]);
	}
	memset(&tutorial, 0, sizeof tutorial);
	leavestartfolder();
	removefolder(home);
}

TEST(LevelProof, EveryStoredBridgePassesAndAnchorsAloneDoNot)
{
	ASSERT_EQ(generationfailures(), 0);
	ASSERT_TRUE(enterstartfolder(nullptr));
	setupproofworld();
	leavestartfolder();
	ASSERT_TRUE(loadpack());
	for (int l = 0; l < mappack.numoflevels; l++) {
		const char *name = mappack.levelname[l];
		ASSERT_EQ(loaddemolevel(name), 1) << name;
		ASSERT_GT(numoflinks, 0) << name << " stores no bridge";
		proofresult solved = runlevelproof(0, STEPLIMIT);
		EXPECT_TRUE(solved.passed) << name << " after " << solved.steps << " steps";
		EXPECT_EQ(solved.phasesbegun, level.numofphases) << name;
		EXPECT_EQ(solved.vehiclesmissing, 0) << name;
		EXPECT_FALSE(solved.sank) << name;
		EXPECT_EQ(solved.brokenlinks, 0) << name;
		// Margin: no member comes near breaking.
		EXPECT_LT(solved.peakstress, 0.9f) << name;

		// A player who watches the bridge settle before Run Test sees the
		// same pass.
		proofresult later = runlevelproof(SETTLESTEPS, STEPLIMIT);
		EXPECT_TRUE(later.passed) << name << " after settling";
		EXPECT_EQ(later.brokenlinks, 0) << name << " after settling";

		// The traffic is a load: the bridge is tried harder by the test
		// than by standing as long.
		proofresult standing = runstanding(solved.steps);
		EXPECT_GE(solved.peakstress, 1.2f * standing.peakstress) << name;
		printf("%s: peak stress %.3f in the test, %.3f standing\n", name, solved.peakstress,
			standing.peakstress);

		// A weaker bridge a player might click first stands a minute on
		// its own and then fails the test: a link breaks, or a vehicle
		// falls and its phase never ends.
		keepanchorsonly();
		playpacklevel(l);
		EXPECT_EQ(replayclicks(levelweakclicks(name), nullptr), 0) << name;
		ASSERT_GT(numoflinks, 0) << name << " has no weak bridge";
		proofresult alone = runstanding(STANDSTEPS);
		EXPECT_EQ(alone.brokenlinks, 0) << name << "'s weak bridge falls on its own";
		proofresult weak = rununtilsunk(solved.steps + 500);
		EXPECT_TRUE(weak.brokenlinks > 0 || !weak.passed) << name << "'s weak bridge passes";

		// Given longer than the bridge needed, the bare anchors still fail:
		// the vehicles end in the river.
		keepanchorsonly();
		proofresult bare = rununtilsunk(solved.steps + 500);
		EXPECT_FALSE(bare.passed) << name << " passes without a bridge";
		EXPECT_EQ(bare.vehiclesmissing, 0) << name;
		EXPECT_TRUE(bare.sank) << name;
	}
}
