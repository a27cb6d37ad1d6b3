// The tutorial's lessons without a window: a lesson starts on its generated
// level with the stored bridge as its solution, and its steps advance as
// the player builds that solution through the editor's own edit cycle.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "editor/bridgeedit.h"
#include "editor/selection.h"
#include "editor/cost.h"
#include "editor/editcycle.h"
#include "editor/editor.h"
#include "editor/undo.h"
#include "game/tutorial.h"
#include "gendatafolder.h"
#include "platform/files.h"
#include "platform/input.h"
#include "world/level.h"
#include "world/materials.h"
#include "world/worldfile.h"

namespace {

class Tutorial : public ::testing::Test {
protected:
	std::string home;

	void SetUp() override
	{
		ASSERT_NE(generatedstartfolder(), nullptr);
		ASSERT_EQ(generationfailures(), 0);
		char folder[] = "/tmp/trusvane-tutorial-XXXXXX";
		ASSERT_NE(mkdtemp(folder), nullptr);
		home = folder;
		setenv("HOME", folder, 1);
		ASSERT_EQ(chdir(generatedstartfolder()), 0);
		get_paths();
		ASSERT_EQ(cd_cwd(), 1);
		memset(keyboard, 0, sizeof(keyboard));
		memset(&mouse, 0, sizeof(mouse));
		memset(&prevmouse, 0, sizeof(prevmouse));
		memset(&tutorial, 0, sizeof(tutorial));
		setuplinkdata();
		// The game's rules: limits and budget enforced.
		cheat[0] = cheat[1] = 1;
		cheat[3] = 0;
		levelnum = 3;
		editor.autosave = 1;
		// The editor's state at a level start, in Normal mode.
		editor.planepoint = {1280.0f, 320.0f, 1285.0f};
		editor.planenormal = {0.0f, 0.0f, 1.0f};
		editor.gridsize = 5.0f;
		editor.gridhd = 0;
		editor.complex = 0;
		editor.setjoint = 0;
		editor.savedmaterial = 0;
		editor.material = LINKIRON;
		editor.editstate = 0;
		editor.exitstate = 0;
		editor.selectedpoint = -1;
		editor.selectedmirrorpoint = -1;
		copy.numoflinks = 0;
		resetundo();
	}

	void TearDown() override
	{
		cd_cwd();
		removefolder(home.c_str());
	}

	// One editor frame in the editor loop's order: the lesson's check, the
	// mode rules, then the edit at hit (none when null), kept by a press.
	void frame(const vector3 *hit, int press, int right = 0)
	{
		prevmouse = mouse;
		mouse.leftbutton = press;
		mouse.rightbutton = right;
		checktutorial();
		applyeditmodes(&targetz);
		starteditframe();
		tentativeedit(hit);
		if (hit)
			commitedit(calculatebridgecost(1));
		switchjoints();
	}

	// A click on the editing plane, then a frame with the button up, whose
	// check sees the click's result.
	void click(float x, float y, int right = 0)
	{
		vector3 hit = {x, y, 1285.0f};
		frame(&hit, !right, right);
		frame(nullptr, 0);
	}

	void hover(float x, float y)
	{
		vector3 hit = {x, y, 1285.0f};
		frame(&hit, 0);
		frame(nullptr, 0);
	}

	float targetz = 1285.0f;
};

int countanchors()
{
	int n = 0;
	for (int i = 0; i < numofpoints; i++)
		n += point[i].type == POINTANCHOR;
	return n;
}

TEST_F(Tutorial, LessonStartsFromTheAnchorsWithTheStoredBridgeAsItsSolution)
{
	ASSERT_EQ(loadlesson(1), 1);
	EXPECT_EQ(tutorial.active, 1);
	EXPECT_EQ(tutorial.lesson, 1);
	EXPECT_EQ(tutorial.step, 0);
	// Not a map pack level: nothing is saved and the result reads Exit Level.
	EXPECT_EQ(levelnum, -1);
	EXPECT_EQ(editor.autosave, 0);
	EXPECT_EQ(numoflinks, 0);
	EXPECT_EQ(countanchors(), numofpoints);
	EXPECT_EQ(numofpoints, 8);  // four anchors in both planes

	// The solution is the level file's whole bridge, entry by entry.
	const undostruct stored = tutorial.solution;
	ASSERT_TRUE(enterfolder("files") && enterfolder("demo"));
	ASSERT_EQ(loadlevel("demo4", 0), 1);
	cd_cwd();
	ASSERT_EQ(stored.numofpoints, (uint32_t)numofpoints);
	ASSERT_EQ(stored.numoflinks, (uint32_t)numoflinks);
	EXPECT_EQ(memcmp(stored.point, point, numofpoints * sizeof(pointstruct)), 0);
	EXPECT_EQ(memcmp(stored.beam, beam, numoflinks * sizeof(beamstruct)), 0);
	// Every solution link joins two of its points.
	for (uint32_t n = 0; n < stored.numoflinks; n++) {
		EXPECT_LT((uint32_t)stored.beam[n].point1, stored.numofpoints);
		EXPECT_LT((uint32_t)stored.beam[n].point2, stored.numofpoints);
	}
}

TEST_F(Tutorial, LessonWithoutALevelLeavesEverythingAsItWas)
{
	ASSERT_EQ(loadlesson(0), 1);
	int points = numofpoints;
	tutorial.step = 2;
	// Lessons 2 and 3 have no level; there is no lesson 4.
	for (int lesson : {2, 3, 4, -1})
		EXPECT_EQ(loadlesson(lesson), 0) << lesson;
	// The game data without the pack's folder: the lesson does not start.
	ASSERT_EQ(rename("files/demo", "files/demo.away"), 0);
	EXPECT_EQ(loadlesson(1), 0);
	ASSERT_EQ(rename("files/demo.away", "files/demo"), 0);
	EXPECT_EQ(tutorial.lesson, 0);
	EXPECT_EQ(tutorial.step, 2);
	EXPECT_EQ(numofpoints, points);
	char here[PATHSIZE];
	ASSERT_NE(getcwd(here, sizeof here), nullptr);
	EXPECT_STREQ(here, generatedstartfolder());
}

TEST_F(Tutorial, FirstLessonAdvancesClickByClick)
{
	ASSERT_EQ(loadlesson(0), 1);
	frame(nullptr, 0);
	hover(1250, 320);
	EXPECT_EQ(tutorial.step, 0);
	click(1250, 320);  // the anchor
	EXPECT_EQ(tutorial.step, 1);
	// The previewed link lives only within its frame: no step for it.
	hover(1270, 320);
	EXPECT_EQ(numoflinks, 0);
	EXPECT_EQ(tutorial.step, 1);
	click(1270, 320);  // a road-deck piece: its two deck links
	EXPECT_EQ(tutorial.step, 2);
	EXPECT_LT(numoflinks, 3);
	click(1260, 335);  // up from the deck, with its twin and crossbeams
	EXPECT_EQ(tutorial.step, 3);
	// The last step asks nothing more.
	click(1290, 320);
	click(1310, 320);
	EXPECT_EQ(tutorial.step, 3);
}

TEST_F(Tutorial, SecondLessonNeedsTheDeckThenCableOnTheHighAnchorThenTheHangers)
{
	ASSERT_EQ(loadlesson(1), 1);
	click(1240, 320);
	for (float x : {1260.0f, 1280.0f, 1300.0f}) {
		click(x, 320);
		EXPECT_EQ(tutorial.step, 0) << x;
	}
	click(1320, 320);  // the fourth deck piece: eight deck links
	EXPECT_EQ(numoflinks, 8);
	EXPECT_EQ(tutorial.step, 1);

	// Off the deck end, then the high anchor with Iron: not yet.
	click(1280, 420, 1);
	EXPECT_EQ(editor.selectedpoint, -1);
	click(1240, 360);
	ASSERT_NE(editor.selectedpoint, -1);
	EXPECT_EQ(tutorial.step, 1);
	// Cable on the other high anchor: not that one either.
	click(1280, 420, 1);
	editor.material = LINKCABLE;
	click(1320, 360);
	EXPECT_EQ(tutorial.step, 1);
	// Choosing Cable with the right anchor selected passes at once.
	editor.material = LINKIRON;
	click(1280, 420, 1);
	click(1240, 360);
	EXPECT_EQ(tutorial.step, 1);
	editor.material = LINKCABLE;
	frame(nullptr, 0);
	EXPECT_EQ(tutorial.step, 2);

	// The hangers down to the deck, each with its twin, from the anchor held
	// by the y key.
	keyboard['y'] = 1;
	click(1260, 320);
	click(1280, 320);
	EXPECT_EQ(tutorial.step, 2);
	click(1300, 320);
	EXPECT_EQ(numoflinks, 14);
	EXPECT_EQ(tutorial.step, 3);
}

TEST_F(Tutorial, StepsWhoseConditionsHoldAllPassInOneFrame)
{
	ASSERT_EQ(loadlesson(0), 1);
	// An anchor selected and three links built before the first check.
	int a = 0;
	vector3 p = point[a].position;
	p.y += 10.0f;
	int b = createpoint(&p, POINTJOINT);
	p.x += 10.0f;
	int c = createpoint(&p, POINTJOINT);
	createlink(a, b, LINKIRON, 0);
	createlink(b, c, LINKIRON, 0);
	createlink(a, c, LINKIRON, 0);
	ASSERT_EQ(numoflinks, 3);
	editor.selectedpoint = a;
	checktutorial();
	EXPECT_EQ(tutorial.step, 3);
	// Nothing takes a lesson back.
	numoflinks = 0;
	editor.selectedpoint = -1;
	checktutorial();
	EXPECT_EQ(tutorial.step, 3);
}

// The cable lesson's curve step waits for the sag point to be placed, not
// for the frame in which its placing began.
TEST_F(Tutorial, SagPointStepPassesOnlyOnceThePointIsPlaced)
{
	tutorial.active = 1;
	tutorial.lesson = 3;
	tutorial.step = 1;
	editor.editstate = 5;
	checktutorial();
	EXPECT_EQ(tutorial.step, 2);
	checktutorial();
	EXPECT_EQ(tutorial.step, 2);
	editor.editstate = 0;
	checktutorial();
	EXPECT_EQ(tutorial.step, 3);
}

}  // namespace
