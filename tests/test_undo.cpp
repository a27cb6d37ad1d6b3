// The undo ring: whole bridges stepped back and forward, sixteen slots.
#include <gtest/gtest.h>

#include <cstring>

#include "editor/editor.h"
#include "editor/undo.h"
#include "tests/simscene.h"
#include "world/level.h"
#include "world/materials.h"

namespace {

class Undo : public ::testing::Test {
protected:
	void SetUp() override
	{
		setupscene(1260.0f, 1300.0f, 0.0f);
		resetundo();
	}
};

// One committed edit as the editor makes it: snapshot, change, record. Each
// adds a point (and a link from the previous one), so the point count names
// the state.
void commitpoint()
{
	storebridge(&editor.snapshot);
	int p = addpoint(POINTJOINT, 1200.0f + 5.0f * (float)numofpoints, 320.0f, FRONTZ);
	if (p > 0)
		addlink(p - 1, p, LINKIRON, 0);
	setupundo();
}

int sameasbridge(const undostruct *s)
{
	return s->numofpoints == (uint32_t)numofpoints && s->numoflinks == (uint32_t)numoflinks &&
		memcmp(s->point, point, sizeof(pointstruct) * numofpoints) == 0 &&
		memcmp(s->beam, beam, sizeof(beamstruct) * numoflinks) == 0;
}

int undosteps()
{
	int steps = 0;
	for (;;) {
		int before = undoposition;
		editorundo();
		if (undoposition == before)
			return steps;
		steps++;
	}
}

TEST_F(Undo, NothingToUndoOrRedoOnEntry)
{
	addpoint(POINTANCHOR, 1250, 310, FRONTZ);
	editorundo();
	editorredo();
	EXPECT_EQ(numofpoints, 1);
	EXPECT_EQ(undoposition, 0);
}

TEST_F(Undo, CommitUndoRedoGivesTheCommittedBridgeBack)
{
	addpoint(POINTANCHOR, 1250, 310, FRONTZ);
	commitpoint();
	static undostruct committed;
	storebridge(&committed);

	editorundo();
	EXPECT_EQ(numofpoints, 1);
	EXPECT_EQ(numoflinks, 0);
	editorredo();
	EXPECT_TRUE(sameasbridge(&committed));
	editorredo();  // nothing newer
	EXPECT_TRUE(sameasbridge(&committed));
}

TEST_F(Undo, ACommitAfterUndoDropsTheRedoStates)
{
	commitpoint();  // A
	commitpoint();  // B
	editorundo();
	ASSERT_EQ(numofpoints, 1);
	// C: a different change made on the state Undo restored.
	storebridge(&editor.snapshot);
	point[0].position.y = 330.0f;
	setupundo();

	editorredo();
	EXPECT_EQ(numofpoints, 1) << "B is gone";
	EXPECT_EQ(point[0].position.y, 330.0f);
	editorundo();
	EXPECT_EQ(point[0].position.y, 320.0f);
	editorundo();
	EXPECT_EQ(numofpoints, 0) << "back before A: an empty state empties the bridge";
	EXPECT_EQ(numoflinks, 0);
	editorundo();
	EXPECT_EQ(numofpoints, 0);
}

TEST_F(Undo, TheRingKeepsFifteenStepsAndWraps)
{
	for (int n = 1; n <= 17; n++)
		commitpoint();
	EXPECT_EQ(undosteps(), 15);
	EXPECT_EQ(numofpoints, 2) << "the state after the second commit";
	for (int n = 3; n <= 17; n++) {
		editorredo();
		EXPECT_EQ(numofpoints, n);
	}
	editorredo();
	EXPECT_EQ(numofpoints, 17);

	// Many more commits: the ring positions always stay within the slots.
	for (int n = 0; n < 100; n++) {
		commitpoint();
		ASSERT_GE(undoposition, 0);
		ASSERT_LT(undoposition, UNDOSLOTS);
		ASSERT_GE(undorear, 0);
		ASSERT_LT(undorear, UNDOSLOTS);
	}
	EXPECT_EQ(undosteps(), 15);
	EXPECT_EQ(numofpoints, 117 - 15);
}

TEST_F(Undo, DamagedStatesAndPositionsStayInBounds)
{
	// Positions set from outside the ring fold back into it.
	undoposition = UNDOSLOTS + 3;
	undorear = -1;
	undofront = UNDOSLOTS + 3;
	commitpoint();
	EXPECT_EQ(undoposition, 4);
	EXPECT_EQ(undofront, 4);
	editorundo();
	EXPECT_EQ(undoposition, 3);

	// A state whose counts exceed the arrays is cut to them.
	static undostruct bad;
	bad.numofpoints = MAXPOINTS + 100;
	bad.numoflinks = 0xffffffffu;
	restorebridge(&bad);
	EXPECT_EQ(numofpoints, MAXPOINTS);
	EXPECT_EQ(numoflinks, MAXLINKS);
}

}  // namespace
