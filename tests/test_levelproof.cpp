// Every demo level is proven by its stored bridge: run headless from the
// reset to the end of its last phase it passes, with every vehicle made and
// none in the river, while the same level with only its anchors does not.
#include <gtest/gtest.h>

#include "tests/gendatafolder.h"
#include "tests/levelproof.h"
#include "world/level.h"
#include "world/mappack.h"

namespace {

const int STEPLIMIT = 20000;  // 400 s of simulated time
const int SETTLESTEPS = 170;  // 3.4 s: Run Test then falls between whole seconds

}  // namespace

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

		// Given longer than the bridge needed, the bare anchors still fail:
		// the vehicles end in the river.
		keepanchorsonly();
		proofresult bare = runlevelproof(0, solved.steps + 500);
		EXPECT_FALSE(bare.passed) << name << " passes without a bridge";
		EXPECT_EQ(bare.vehiclesmissing, 0) << name;
		EXPECT_TRUE(bare.sank) << name;
	}
}
