// The bridge editor's tentative edit and commit: frames driven with a plane
// hit and the mouse buttons, as the editor loop drives them.
#include <gtest/gtest.h>

#include <cstring>

#include "editor/cost.h"
#include "editor/editcycle.h"
#include "editor/editor.h"
#include "editor/selection.h"
#include "editor/undo.h"
#include "platform/input.h"
#include "tests/simscene.h"
#include "world/level.h"
#include "world/materials.h"

namespace {

class EditCycle : public ::testing::Test {
protected:
	void SetUp() override
	{
		// Banks at 310 left of x 1260 and right of 1300.
		setupscene(1260.0f, 1300.0f, 0.0f);
		memset(keyboard, 0, sizeof(keyboard));
		memset(&mouse, 0, sizeof(mouse));
		memset(&prevmouse, 0, sizeof(prevmouse));
		levelnum = 0;
		cheat[0] = cheat[1] = 1;
		cheat[3] = 0;
		level.budget = 1000000;
		for (int m = 0; m < MAXMATERIALLIMITS; m++)
			level.materiallimit[m] = 1000;
		editor.planepoint = {1280.0f, 320.0f, FRONTZ};
		editor.planenormal = {0.0f, 0.0f, 1.0f};
		editor.mirrorplanez = BACKZ;
		editor.gridhd = 0;
		editor.mirror = 1;
		editor.crossbeams = 1;
		editor.complex = 1;
		editor.deck = 0;
		editor.setjoint = 0;
		editor.savedmaterial = 0;
		editor.material = LINKIRON;
		editor.editstate = 0;
		editor.exitstate = 0;
		editor.selectedpoint = -1;
		editor.selectedmirrorpoint = -1;
		copy.numoflinks = 0;
		resetundo();
		// Anchor pairs on both banks at the road height.
		left = addpoint(POINTANCHOR, 1250.0f, ROADHEIGHT, FRONTZ);
		lefttwin = addpoint(POINTANCHOR, 1250.0f, ROADHEIGHT, BACKZ);
	}

	// One editing frame with the mouse on the editing plane at (x, y); press
	// makes it a fresh left click. Returns the sound of the commit.
	int frame(float x, float y, int press = 0, int right = 0)
	{
		prevmouse = mouse;
		mouse.leftbutton = press;
		mouse.rightbutton = right;
		starteditframe();
		vector3 hit = {x, y, editor.planepoint.z};
		tentativeedit(&hit);
		previewpoints = numofpoints;
		previewlinks = numoflinks;
		int sound = commitedit(calculatebridgecost(1));
		switchjoints();
		// The button goes up again in a frame without edits.
		prevmouse = mouse;
		mouse.leftbutton = 0;
		mouse.rightbutton = 0;
		return sound;
	}

	int linksoftype(int type)
	{
		int n = 0;
		for (int i = 0; i < numoflinks; i++)
			n += beam[i].type == type;
		return n;
	}

	int left = -1, lefttwin = -1;
	int previewpoints = 0, previewlinks = 0;
};

TEST_F(EditCycle, PreviewLivesOneFrameAndAClickKeepsItWithTwinAndCrossbeams)
{
	EXPECT_EQ(frame(1250, 320, 1), 0);  // selecting an anchor changes nothing
	EXPECT_EQ(editor.selectedpoint, left);
	EXPECT_EQ(editor.selectedmirrorpoint, lefttwin);

	// Hovering previews the link, its twin and the crossbeams, then puts the
	// bridge back.
	frame(1260, 330);
	EXPECT_EQ(previewpoints, 4);
	EXPECT_GT(previewlinks, 0);
	EXPECT_EQ(numofpoints, 2);
	EXPECT_EQ(numoflinks, 0);

	EXPECT_EQ(frame(1260, 330, 1), SOUND_CLICK);
	EXPECT_EQ(numofpoints, 4);
	// The link and its twin in Iron; the crossbeam between the two anchors
	// is refused, the far crossbeam and both diagonals are thin Iron.
	EXPECT_EQ(linksoftype(LINKIRON), 2);
	EXPECT_EQ(linksoftype(LINKIRON + LINKTHIN), 3);
	// The clicked point starts the next link.
	EXPECT_EQ(editor.selectedpoint, 2);
	EXPECT_EQ(editor.selectedmirrorpoint, 3);
	EXPECT_EQ(undoposition, 1);

	// Without crossbeams only the twin and the end crossbeams come.
	editor.crossbeams = 0;
	frame(1270, 320, 1);
	EXPECT_EQ(linksoftype(LINKIRON), 4);
	EXPECT_EQ(linksoftype(LINKIRON + LINKTHIN), 4);
}

TEST_F(EditCycle, CableMakesOnlyTheLinkAndItsTwin)
{
	editor.material = LINKCABLE;
	frame(1250, 320, 1);
	frame(1260, 340, 1);
	EXPECT_EQ(numoflinks, 2);
	EXPECT_EQ(linksoftype(LINKCABLE), 2);
}

TEST_F(EditCycle, TooLongALinkIsNotEvenPreviewed)
{
	frame(1250, 320, 1);
	frame(1250 + 25, 320);  // Iron reaches less than 22.5
	EXPECT_EQ(previewlinks, 0);
	EXPECT_EQ(previewpoints, 2);  // no end point on either plane
	EXPECT_EQ(frame(1275, 320, 1), 0);
	EXPECT_EQ(numoflinks, 0);
}

TEST_F(EditCycle, NormalModeBuildsRoadDecksOnlyInIronAndSteel)
{
	editor.complex = 0;
	frame(1250, 320, 1);
	frame(1260, 320, 1);
	EXPECT_EQ(editor.deck, 1);
	int decks = 0;
	for (int i = 0; i < numoflinks; i++)
		decks += beam[i].deck;
	EXPECT_EQ(decks, 2);
	EXPECT_EQ(numofpoints, 4);

	// Cable along the road is a plain link with its twin.
	editor.material = LINKCABLE;
	editor.deck = 0;
	int before = numoflinks;
	frame(1270, 320, 1);
	EXPECT_EQ(editor.deck, 0);
	EXPECT_EQ(numoflinks, before + 2);
	EXPECT_EQ(linksoftype(LINKCABLE), 2);
}

// A road of Cable turned into a deck piece by clicking it again in Iron:
// two links out, two in. The change is a change, with its click and its
// undo step, though no count moved; a re-click on a finished deck piece is
// none.
TEST_F(EditCycle, ADeckReplacingAsManyLinksIsAChange)
{
	editor.complex = 0;
	editor.material = LINKCABLE;
	frame(1250, 320, 1);
	frame(1260, 320, 1);
	ASSERT_EQ(linksoftype(LINKCABLE), 2);
	ASSERT_EQ(undoposition, 1);

	editor.material = LINKIRON;
	editor.selectedpoint = -1;
	editor.selectedmirrorpoint = -1;
	frame(1250, 320, 1);
	EXPECT_EQ(frame(1260, 320, 1), SOUND_CLICK);
	EXPECT_EQ(linksoftype(LINKIRON), 2);
	EXPECT_EQ(linksoftype(LINKCABLE), 0);
	EXPECT_EQ(undoposition, 2);
	editorundo();
	EXPECT_EQ(linksoftype(LINKCABLE), 2);
	editorredo();
	EXPECT_EQ(linksoftype(LINKIRON), 2) << "the deck survives Undo and Redo";

	// Another deck piece, so the first one's links are no longer the last
	// ones when it is made again.
	frame(1270, 320, 1);
	ASSERT_EQ(undoposition, 3);
	editor.selectedpoint = -1;
	editor.selectedmirrorpoint = -1;
	frame(1250, 320, 1);
	EXPECT_EQ(frame(1260, 320, 1), 0);
	EXPECT_EQ(undoposition, 3);
}

TEST_F(EditCycle, BudgetAndLimitsRefuseTheClick)
{
	frame(1250, 320, 1);
	level.budget = 10;  // one Iron link of 10 already costs 50
	EXPECT_EQ(frame(1260, 320, 1), 0);
	EXPECT_EQ(numoflinks, 0);
	// Not enforced: the same click stays.
	cheat[1] = 0;
	EXPECT_EQ(frame(1260, 320, 1), SOUND_CLICK);
	EXPECT_GT(numoflinks, 0);

	// Limits: a count equal to the limit passes, one above does not.
	memset(editor.materialcount, 0, sizeof(editor.materialcount));
	level.materiallimit[LINKIRON] = 2;
	editor.materialcount[LINKIRON] = 2;
	EXPECT_EQ(editoverlimits(), 0);
	editor.materialcount[LINKIRON] = 3;
	EXPECT_EQ(editoverlimits(), 1);
	cheat[0] = 0;
	EXPECT_EQ(editoverlimits(), 0);
	cheat[0] = 1;
	// The two hydraulic kinds count together against the first one's limit.
	editor.materialcount[LINKIRON] = 0;
	level.materiallimit[LINKHYDRAULIC1] = 3;
	level.materiallimit[LINKHYDRAULIC2] = 1000;
	editor.materialcount[LINKHYDRAULIC1] = 2;
	editor.materialcount[LINKHYDRAULIC2] = 1;
	EXPECT_EQ(editoverlimits(), 0);
	editor.materialcount[LINKHYDRAULIC2] = 2;
	EXPECT_EQ(editoverlimits(), 1);
}

TEST_F(EditCycle, MaterialLimitStopsTheClickThatWouldPassIt)
{
	editor.mirror = 0;
	level.materiallimit[LINKIRON] = 1;
	frame(1250, 320, 1);
	EXPECT_EQ(frame(1260, 330, 1), SOUND_CLICK);
	EXPECT_EQ(frame(1270, 320, 1), 0);
	EXPECT_EQ(numoflinks, 1);
}

TEST_F(EditCycle, HoldingYOrShiftKeepsTheStartForAFan)
{
	editor.mirror = 0;
	frame(1250, 320, 1);
	keyboard['y'] = 1;
	frame(1260, 330, 1);
	frame(1260, 320, 1);
	keyboard['y'] = 0;
	keyboard[KEY_LSHIFT] = 1;
	frame(1255, 340, 1);
	EXPECT_EQ(numoflinks, 3);
	for (int i = 0; i < numoflinks; i++)
		EXPECT_EQ(beam[i].point1, left);
	EXPECT_EQ(editor.selectedpoint, left);
}

TEST_F(EditCycle, RightClickDeletesThePointAndItsTwin)
{
	frame(1250, 320, 1);
	frame(1260, 330, 1);
	ASSERT_EQ(numofpoints, 4);
	EXPECT_EQ(frame(1260, 330, 0, 1), SOUND_UNCLICK);
	EXPECT_EQ(numofpoints, 2);
	EXPECT_EQ(numoflinks, 0);
	EXPECT_EQ(editor.selectedpoint, -1);
	// Anchors stay.
	EXPECT_EQ(frame(1250, 320, 0, 1), 0);
	EXPECT_EQ(numofpoints, 2);
}

TEST_F(EditCycle, RightClickWithThePlanesTogetherDeletesOnlyThatPoint)
{
	editor.mirror = 0;
	frame(1250, 320, 1);
	frame(1260, 330, 1);
	frame(1270, 330, 1);
	ASSERT_EQ(numofpoints, 4);
	// The hovered point is its own twin; the point that moves into its slot
	// must survive.
	editor.mirror = 1;
	editor.mirrorplanez = FRONTZ;
	editor.selectedpoint = -1;
	frame(1260, 330, 0, 1);
	ASSERT_EQ(numofpoints, 3);
	EXPECT_EQ(point[2].position.x, 1270);
}

TEST_F(EditCycle, RightClickOnALinkDeletesItAndAWholeCable)
{
	editor.mirror = 0;
	frame(1250, 320, 1);
	frame(1250, 340, 1);
	ASSERT_EQ(numoflinks, 1);
	editor.selectedpoint = -1;
	frame(1250, 330);  // the middle of the link: no point there
	EXPECT_EQ(beam[0].highlight, 1);
	frame(1250, 330, 0, 1);
	EXPECT_EQ(numoflinks, 0);

	// A suspension cable's curve points go with any of its links.
	int a = addpoint(POINTJOINT, 1250, 340, FRONTZ);
	int c1 = addpoint(POINTCURVE, 1260, 335, FRONTZ);
	int c2 = addpoint(POINTCURVE, 1270, 333, FRONTZ);
	int b = addpoint(POINTJOINT, 1280, 340, FRONTZ);
	addlink(a, c1, LINKSUSPENSION, 0);
	addlink(c1, c2, LINKSUSPENSION, 0);
	addlink(c2, b, LINKSUSPENSION, 0);
	editor.selectedpoint = -1;
	frame(1265, 334, 0, 1);
	EXPECT_EQ(numoflinks, 0);
	for (int i = 0; i < numofpoints; i++)
		EXPECT_NE(point[i].type, POINTCURVE);
}

TEST_F(EditCycle, AClickOnEmptySpaceStartsASelectionBox)
{
	frame(1230, 360, 1);
	EXPECT_EQ(editor.editstate, 1);
	// Dragging keeps the box; a small released box is dropped.
	prevmouse.leftbutton = 1;
	mouse.leftbutton = 1;
	starteditframe();
	vector3 hit = {1232, 361, FRONTZ};
	tentativeedit(&hit);
	EXPECT_EQ(editor.selectend.x, 1232);
	EXPECT_EQ(editor.selectend.z, BACKZ);
	frame(1232, 361);
	EXPECT_EQ(editor.editstate, 0);

	// A large box stays after the release; the next press ends it without
	// starting another.
	frame(1200, 360, 1);
	prevmouse.leftbutton = 1;
	mouse.leftbutton = 1;
	starteditframe();
	hit = {1230, 380, FRONTZ};
	tentativeedit(&hit);
	frame(1230, 380);
	EXPECT_EQ(editor.editstate, 1);
	frame(1240, 390, 1);
	EXPECT_EQ(editor.editstate, 0);
}

TEST_F(EditCycle, SelectionThatNoLongerExistsIsForgotten)
{
	frame(1250, 320, 1);
	frame(1260, 330, 1);
	editorundo();
	ASSERT_EQ(numofpoints, 2);
	EXPECT_EQ(editor.selectedpoint, 2);
	frame(1270, 330);
	EXPECT_EQ(editor.selectedpoint, -1);
	EXPECT_EQ(editor.selectedmirrorpoint, -1);
	EXPECT_EQ(numofpoints, 2);
}

// After a right click the last point takes the deleted one's index; Undo
// puts the deleted point back there, so a point selected since then is gone.
TEST_F(EditCycle, UndoForgetsASelectionWhoseIndexNowNamesAnotherPoint)
{
	frame(1250, 320, 1);
	frame(1260, 330, 1);
	frame(1270, 320, 1);
	ASSERT_EQ(numofpoints, 6);
	frame(1260, 330, 0, 1);
	ASSERT_EQ(numofpoints, 4);
	frame(1270, 320, 1);
	ASSERT_EQ(editor.selectedpoint, 3);
	editorundo();
	ASSERT_EQ(numofpoints, 6);
	EXPECT_EQ(editor.selectedpoint, -1);
	EXPECT_EQ(editor.selectedmirrorpoint, -1);
	frame(1270, 330);
	EXPECT_EQ(previewlinks, numoflinks);
}

TEST_F(EditCycle, SetJointSwitchesJointsButNeverAnAnchor)
{
	editor.mirror = 0;
	frame(1250, 320, 1);
	frame(1260, 330, 1);
	editor.mirror = 1;
	int joint = 2;
	int twin = addpoint(POINTANCHOR, 1260, 330, BACKZ);
	editor.setjoint = 1;
	float camz = 0;
	applyeditmodes(&camz);
	EXPECT_EQ(editor.material, 0);
	EXPECT_EQ(editor.savedmaterial, LINKIRON);
	frame(1260, 330, 1);
	EXPECT_EQ(point[joint].type, POINTDRAWBRIDGE);
	EXPECT_EQ(point[twin].type, POINTANCHOR);
	EXPECT_EQ(editor.selectedpoint, -1);
	frame(1260, 330, 1);
	EXPECT_EQ(point[joint].type, POINTJOINT);

	// A switch is no undo step of its own, but Undo and Redo do not lose it.
	frame(1260, 330, 1);
	EXPECT_EQ(undoposition, 1);
	editorundo();
	EXPECT_EQ(numofpoints, 2);
	editorredo();
	EXPECT_EQ(point[joint].type, POINTDRAWBRIDGE);

	// Choosing a material ends SetJoint.
	editor.material = LINKSTEEL;
	applyeditmodes(&camz);
	EXPECT_EQ(editor.setjoint, 0);
	EXPECT_EQ(editor.savedmaterial, 0);
}

TEST_F(EditCycle, ModeRules)
{
	float camz = 0;
	// Suspension cable starts the cable steps; another material ends them.
	editor.material = LINKSUSPENSION;
	applyeditmodes(&camz);
	EXPECT_EQ(editor.editstate, 3);
	editor.material = LINKCABLE;
	editor.deck = 1;
	applyeditmodes(&camz);
	EXPECT_EQ(editor.editstate, 0);
	EXPECT_EQ(editor.deck, 0);
	// Paste with an empty buffer goes back to links.
	editor.editstate = 2;
	applyeditmodes(&camz);
	EXPECT_EQ(editor.editstate, 0);
	// Anchors only while '.' is held outside any map pack.
	keyboard['.'] = 1;
	applyeditmodes(&camz);
	EXPECT_EQ(editor.editstate, 0);
	levelnum = -1;
	applyeditmodes(&camz);
	EXPECT_EQ(editor.editstate, 6);
	keyboard['.'] = 0;
	applyeditmodes(&camz);
	EXPECT_EQ(editor.editstate, 0);
	// Normal mode puts the planes back every frame.
	editor.complex = 0;
	editor.mirrorplanez = 1265;
	editor.planepoint.z = 1300;
	editor.crossbeams = 0;
	applyeditmodes(&camz);
	EXPECT_EQ(editor.planepoint.z, FRONTZ);
	EXPECT_EQ(editor.mirrorplanez, BACKZ);
	EXPECT_EQ(camz, FRONTZ);
	EXPECT_EQ(editor.crossbeams, 1);
}

// The click that sets a cable's second end keeps its sound, but the
// straight preview it clicked on is never kept, so it makes no undo step:
// one Undo takes back the finished cable, and a Redo brings back the cable.
TEST_F(EditCycle, AFinishedCableIsOneUndoStep)
{
	editor.material = LINKSUSPENSION;
	editor.editstate = 3;
	frame(1250, 320, 1);  // the first end
	frame(1250, 320);
	ASSERT_EQ(editor.editstate, 4);
	EXPECT_EQ(frame(1310, 320, 1), SOUND_CLICK);
	ASSERT_EQ(editor.editstate, 5);
	EXPECT_EQ(numoflinks, 0);
	EXPECT_EQ(numofpoints, 2);
	EXPECT_EQ(undoposition, undorear) << "the second end made an undo step";

	frame(1280, 300, 1);  // the sag
	int cable = numoflinks;
	ASSERT_GT(cable, 0);
	editorundo();
	EXPECT_EQ(numoflinks, 0);
	EXPECT_EQ(undoposition, undorear);
	editorredo();
	EXPECT_EQ(numoflinks, cable);
}

TEST_F(EditCycle, AnchorsArePlacedOnBothPlanes)
{
	levelnum = -1;
	keyboard['.'] = 1;
	float camz = 0;
	applyeditmodes(&camz);
	frame(1302, 311, 1);
	ASSERT_EQ(numofpoints, 4);
	EXPECT_EQ(point[2].type, POINTANCHOR);
	EXPECT_EQ(point[2].position.x, 1300);
	EXPECT_EQ(point[2].position.y, 310);
	EXPECT_EQ(point[3].position.z, BACKZ);
}

TEST_F(EditCycle, TheMouseRayMeetsThePlaneOnlyFromTheFront)
{
	orientation axes;
	resetorientation(&axes);
	float centre[2] = {0.0f, 0.0f};
	vector3 eye = {1280, 340, 1365};
	vector3 hit;
	ASSERT_EQ(editplanehit(&hit, &eye, &axes, centre), 1);
	EXPECT_FLOAT_EQ(hit.x, 1280);
	EXPECT_FLOAT_EQ(hit.y, 340);
	EXPECT_FLOAT_EQ(hit.z, FRONTZ);
	float corner[2] = {1.0f, 0.5f};
	ASSERT_EQ(editplanehit(&hit, &eye, &axes, corner), 1);
	EXPECT_NEAR(hit.x, 1360, 0.01);
	EXPECT_NEAR(hit.y, 380, 0.01);
	eye.z = 1200;  // behind the plane
	EXPECT_EQ(editplanehit(&hit, &eye, &axes, centre), 0);

	vector3 h = {1281.4f, 322.6f, 1283.0f};
	snapeditpoint(&h);
	EXPECT_EQ(h.x, 1280);
	EXPECT_EQ(h.y, 325);
	EXPECT_EQ(h.z, 1285);
	editor.gridhd = 1;
	h = {1281.4f, 322.6f, 1283.0f};
	snapeditpoint(&h);
	EXPECT_EQ(h.x, 1282.5f);
	EXPECT_EQ(h.y, 322.5f);
}

} // namespace
