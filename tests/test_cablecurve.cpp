// Suspension cables: points on the curve through the ends and the sag
// point, and the cable steps that lay them.
#include <gtest/gtest.h>

#include "editor/bridgeedit.h"
#include "editor/cablecurve.h"
#include "editor/editor.h"
#include "editor/paste.h"
#include "tests/simscene.h"
#include "world/level.h"
#include "world/materials.h"

namespace {

class Cable : public ::testing::Test {
protected:
	void SetUp() override
	{
		setupscene(1260.0f, 1300.0f, 0.0f);
		editor.mirror = 0;
		editor.mirrorplanez = BACKZ;
		editor.editstate = 3;
		editor.selectedpoint = -1;
		editor.selectedmirrorpoint = -1;
	}
};

void setcurve(int k, vector3 first, vector3 sag, vector3 second)
{
	editor.cablecurve[k][0] = first;
	editor.cablecurve[k][1] = sag;
	editor.cablecurve[k][2] = second;
}

int countlinks(int type)
{
	int n = 0;
	for (int i = 0; i < numoflinks; i++)
		n += beam[i].type == type;
	return n;
}

TEST_F(Cable, ASagMidwayGivesTheLinearRoot)
{
	setcurve(0, {1250, 360, FRONTZ}, {1280, 320, FRONTZ}, {1310, 340, FRONTZ});
	int p = addcurvepoint(0, POINTCURVE, 1280.0f);
	ASSERT_EQ(p, 0);
	EXPECT_EQ(point[p].type, POINTCURVE);
	EXPECT_EQ(point[p].position.x, 1280.0f);
	// t = 0.5: a quarter of each end and half the sag point.
	EXPECT_NEAR(point[p].position.y, 0.25f * 360 + 0.5f * 320 + 0.25f * 340, 1e-3);
	EXPECT_NEAR(point[p].position.z, FRONTZ, 1e-3);

	// With the ends swapped the second root gives the same point.
	vector3 first = point[p].position;
	numofpoints = 0;
	setcurve(0, {1310, 340, FRONTZ}, {1280, 320, FRONTZ}, {1250, 360, FRONTZ});
	ASSERT_EQ(addcurvepoint(0, POINTCURVE, 1280.0f), 0);
	EXPECT_NEAR(point[0].position.y, first.y, 1e-3);

	// Elsewhere on the span t follows x linearly: (1310 - x) / 60.
	numofpoints = 0;
	setcurve(0, {1250, 360, FRONTZ}, {1280, 320, FRONTZ}, {1310, 340, FRONTZ});
	ASSERT_EQ(addcurvepoint(0, POINTCURVE, 1260.0f), 0);
	double t = 50.0 / 60.0;
	double y = (1 - t) * (1 - t) * 340 + 2 * t * (1 - t) * 320 + t * t * 360;
	EXPECT_NEAR(point[0].position.y, y, 1e-2);
}

TEST_F(Cable, CurvePointsOutsideTheSpanAndAtTheEnds)
{
	setcurve(0, {1250, 360, FRONTZ}, {1270, 320, FRONTZ}, {1310, 340, 1280});
	EXPECT_EQ(addcurvepoint(0, POINTCURVE, 1240.0f), -1);
	EXPECT_EQ(addcurvepoint(0, POINTCURVE, 1320.0f), -1);
	EXPECT_EQ(numofpoints, 0);
	EXPECT_EQ(addcurvepoint(2, POINTCURVE, 1280.0f), -1) << "no third curve";

	ASSERT_EQ(addcurvepoint(0, POINTJOINT, 1310.0f), 0);
	EXPECT_EQ(point[0].position.y, 340.0f);
	EXPECT_EQ(point[0].position.z, 1280.0f);
	ASSERT_EQ(addcurvepoint(0, POINTJOINT, 1250.0f), 1);
	EXPECT_EQ(point[1].position.y, 360.0f);
	EXPECT_EQ(point[1].position.z, FRONTZ);
}

TEST_F(Cable, CoincidingControlPointsCreateNothingWrong)
{
	vector3 p = {1270, 340, FRONTZ};
	setcurve(0, p, p, p);
	EXPECT_EQ(addcurvepoint(0, POINTCURVE, 1280.0f), -1);
	ASSERT_EQ(addcurvepoint(0, POINTJOINT, 1270.0f), 0);
	EXPECT_EQ(point[0].position.y, 340.0f);

	// A cable from a point to itself lays no link.
	laycable(0);
	EXPECT_EQ(numofpoints, 1);
	EXPECT_EQ(numoflinks, 0);
}

TEST_F(Cable, ACableGetsACurvePointAtEveryTenBetweenItsEnds)
{
	addpoint(POINTJOINT, 1250, 360, FRONTZ);
	setcurve(0, {1250, 360, FRONTZ}, {1280, 320, FRONTZ}, {1310, 360, FRONTZ});
	laycable(0);
	ASSERT_EQ(numofpoints, 7);
	for (int i = 1; i <= 5; i++) {
		EXPECT_EQ(point[i].type, POINTCURVE);
		EXPECT_EQ(point[i].position.x, 1250.0f + 10.0f * (float)i);
	}
	EXPECT_EQ(point[6].type, POINTJOINT);
	EXPECT_EQ(numoflinks, 6);
	EXPECT_EQ(countlinks(LINKSUSPENSION), 6);
	for (int i = 0; i < numoflinks; i++) {
		EXPECT_EQ(beam[i].point1, i) << "a chain from the left end";
		EXPECT_EQ(beam[i].point2, i + 1);
	}

	// Ends 10 apart: one link from end to end.
	numofpoints = 0;
	numoflinks = 0;
	setcurve(0, {1250, 360, FRONTZ}, {1255, 350, FRONTZ}, {1260, 360, FRONTZ});
	laycable(0);
	EXPECT_EQ(numofpoints, 2);
	EXPECT_EQ(numoflinks, 1);
}

TEST_F(Cable, TheEndsMayComeInEitherOrderAndTheSagStaysBetweenThem)
{
	setcurve(0, {1310, 360, FRONTZ}, {1400, 320, FRONTZ}, {1250, 360, FRONTZ});
	laycable(0);
	EXPECT_EQ(editor.cablecurve[0][0].x, 1250.0f) << "the first end is the left one";
	EXPECT_EQ(editor.cablecurve[0][1].x, 1310.0f) << "the sag held at the right end";
	const int points = numofpoints, links = numoflinks;
	static pointstruct first[8];
	ASSERT_LE(points, 8);
	for (int i = 0; i < points; i++)
		first[i] = point[i];

	numofpoints = 0;
	numoflinks = 0;
	setcurve(0, {1250, 360, FRONTZ}, {1400, 320, FRONTZ}, {1310, 360, FRONTZ});
	laycable(0);
	ASSERT_EQ(numofpoints, points);
	EXPECT_EQ(numoflinks, links);
	for (int i = 0; i < points; i++) {
		EXPECT_EQ(point[i].position.x, first[i].position.x);
		EXPECT_EQ(point[i].position.y, first[i].position.y);
	}
}

TEST_F(Cable, AWalkThatCannotAdvanceStillEnds)
{
	// At this size adding 10 no longer changes a float.
	setcurve(0, {3e8f, 400, FRONTZ}, {3.5e8f, 380, FRONTZ}, {4e8f, 400, FRONTZ});
	laycable(0);
	EXPECT_LE(numofpoints, MAXPOINTS);
}

// The three clicks with Mirror on: both planes get their cable, but a plane
// whose first end was never chosen this time gets none.
TEST_F(Cable, TheStepsLayTheCableOnBothPlanes)
{
	editor.mirror = 1;
	int a = addpoint(POINTJOINT, 1250, 360, FRONTZ);
	int am = addpoint(POINTJOINT, 1250, 360, BACKZ);
	editor.selectedpoint = a;
	editor.selectedmirrorpoint = am;
	vector3 h = {1250, 360, FRONTZ};
	cablefirstend(&h);
	EXPECT_EQ(editor.editstate, 4);

	vector3 second = {1310, 360, FRONTZ};
	cablesecondend(&second);
	EXPECT_EQ(countlinks(LINKSUSPENSION), 2) << "straight previews on both planes";
	EXPECT_EQ(editor.cablecurve[1][2].z, BACKZ);
	numofpoints = 2;  // the frame puts the bridge back
	numoflinks = 0;

	vector3 sag = {1280, 320, FRONTZ};
	cablesagpoint(&sag);
	EXPECT_EQ(countlinks(LINKSUSPENSION), 12);
	EXPECT_EQ(editor.cablecurve[1][1].z, BACKZ);

	// Again from a point without a twin: the mirror curve still holds the
	// last cable's ends and must not be laid.
	numofpoints = 2;
	numoflinks = 0;
	editor.selectedmirrorpoint = -1;
	cablefirstend(&h);
	cablesecondend(&second);
	EXPECT_EQ(countlinks(LINKSUSPENSION), 1) << "no preview from the last cable's mirror end";
	numofpoints = 2;
	numoflinks = 0;
	cablesagpoint(&sag);
	EXPECT_EQ(countlinks(LINKSUSPENSION), 6);
	for (int i = 0; i < numofpoints; i++) {
		if (i != am) {
			EXPECT_EQ(point[i].position.z, FRONTZ);
		}
	}
}

}  // namespace
