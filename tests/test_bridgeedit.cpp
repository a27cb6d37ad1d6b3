// The building rules for points, links and deck pieces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <utility>

#include "editor/bridgeedit.h"
#include "editor/editor.h"
#include "editor/planes.h"
#include "platform/input.h"
#include "tests/simscene.h"
#include "world/level.h"
#include "world/materials.h"

namespace {

class BridgeEdit : public ::testing::Test {
protected:
	void SetUp() override
	{
		// Banks at 310 left of x 1260 and right of 1300, valley floor at 250.
		setupscene(1260.0f, 1300.0f, 0.0f);
		keyboard['.'] = 0;
		levelnum = -1;
	}
};

vector3 at(float x, float y, float z)
{
	return {x, y, z};
}

// What the editor does after a deletion: every point marked -1 goes, the
// scan starting over after each.
void removemarkedpoints()
{
	for (int i = 0; i < numofpoints;) {
		if (point[i].type == -1) {
			deletepoint(i);
			i = 0;
		} else {
			i++;
		}
	}
}

int create(int type, float x, float y, float z)
{
	vector3 p = at(x, y, z);
	return createpoint(&p, type);
}

TEST_F(BridgeEdit, PointsAreReusedWithinTheGridStep)
{
	int a = create(POINTJOINT, 1280, 320, FRONTZ);
	ASSERT_EQ(a, 0);
	struct {
		int type;
		float dx;
		int reused;
	} cases[] = {
		{POINTJOINT, 4.9f, 1},   // within the grid step, whatever the type
		{POINTANCHOR, 4.9f, 1},
		{POINTCURVE, 4.9f, 1},   // a curve point near a joint: full radius
		{POINTJOINT, 5.0f, 0},   // the step itself is outside
	};
	for (const auto &c : cases) {
		numofpoints = 1;
		int p = create(c.type, 1280 + c.dx, 320, FRONTZ);
		EXPECT_EQ(p == a, c.reused != 0) << c.type << " at " << c.dx;
		EXPECT_EQ(point[a].type, POINTJOINT) << "a reused point keeps its type";
	}

	// Between two curve points the radius is a quarter of the step.
	numofpoints = 0;
	int curve = create(POINTCURVE, 1280, 340, FRONTZ);
	EXPECT_EQ(create(POINTCURVE, 1281.2f, 340, FRONTZ), curve);
	EXPECT_NE(create(POINTCURVE, 1281.3f, 340, FRONTZ), curve);
	EXPECT_EQ(create(POINTJOINT, 1284, 340, FRONTZ), curve);
}

TEST_F(BridgeEdit, JointsOnOrUnderTheGroundAreRefused)
{
	struct {
		int type;
		float y;
		bool made;
	} cases[] = {
		{POINTJOINT, BANKHEIGHT + 1, true},
		{POINTJOINT, BANKHEIGHT, false},  // on the ground
		{POINTJOINT, BANKHEIGHT - 1, false},
		{POINTDRAWBRIDGE, BANKHEIGHT - 1, false},
		{POINTCURVE, BANKHEIGHT - 1, false},
		{POINTANCHOR, BANKHEIGHT - 1, true},  // anchors are never probed
		{POINTANCHOR, BANKHEIGHT - 50, true},
	};
	for (const auto &c : cases) {
		numofpoints = 0;
		int p = create(c.type, 1200, c.y, FRONTZ);
		EXPECT_EQ(p != -1, c.made) << "type " << c.type << " at " << c.y;
		EXPECT_EQ(numofpoints, c.made ? 1 : 0);
	}
	// Over the valley the same height is free.
	numofpoints = 0;
	EXPECT_EQ(create(POINTJOINT, 1280, BANKHEIGHT - 1, FRONTZ), 0);
}

TEST_F(BridgeEdit, LinkRefusals)
{
	int anchor1 = addpoint(POINTANCHOR, 1260, 320, FRONTZ);
	int anchor2 = addpoint(POINTANCHOR, 1280, 320, FRONTZ);
	int joint = addpoint(POINTJOINT, 1270, 330, FRONTZ);
	int far = addpoint(POINTJOINT, 1270 + 22.5f, 330, FRONTZ);
	int near = addpoint(POINTJOINT, 1270, 330 + 22.4f, FRONTZ);
	struct {
		int a, b, type;
		bool made;
	} cases[] = {
		{joint, joint, LINKIRON, false},      // self
		{anchor1, anchor2, LINKIRON, false},  // anchor to anchor
		{joint, far, LINKIRON, false},        // exactly the longest link
		{joint, near, LINKIRON, true},
		{near, joint, LINKSTEEL, false},      // duplicate, other order, other type
		{joint, -1, LINKIRON, false},
		{joint, numofpoints, LINKIRON, false},
		{anchor1, joint, 300, false},         // no such link type
		{anchor1, joint, 40, false},          // a type with no length
		{anchor1, joint, LINKIRON, true},
		{joint, far, LINKHEAVYSTEEL, true},   // longer material
	};
	for (const auto &c : cases) {
		int before = numoflinks;
		createlink(c.a, c.b, c.type, 0);
		EXPECT_EQ(numoflinks - before, c.made ? 1 : 0) << c.a << "-" << c.b << " type " << c.type;
	}
	EXPECT_EQ(beam[0].highlight, 0);
}

TEST_F(BridgeEdit, PlainLinksMayNotRunAlongOrAcrossTheDeck)
{
	int d0 = addpoint(POINTJOINT, 1260, 320, FRONTZ);
	int d1 = addpoint(POINTJOINT, 1280, 320, FRONTZ);
	int steep = addpoint(POINTJOINT, 1280, 326.5f, FRONTZ);  // |cos| 0.951 from d0
	int shallow = addpoint(POINTJOINT, 1280, 330, FRONTZ);   // |cos| 0.894 from d0
	int steepend = addpoint(POINTJOINT, 1300, 326.5f, FRONTZ);
	int shallowend = addpoint(POINTJOINT, 1300, 330, FRONTZ);
	int back0 = addpoint(POINTJOINT, 1260, 320, BACKZ);
	int free = addpoint(POINTJOINT, 1260, 340, FRONTZ);
	addlink(d0, d1, LINKIRON, 1);
	addlink(steep, steepend, LINKIRON, 1);
	addlink(shallow, shallowend, LINKIRON, 1);
	addlink(back0, addpoint(POINTJOINT, 1280, 320, BACKZ), LINKIRON, 1);

	struct {
		int a, b;
		bool made;
	} cases[] = {
		{d0, steep, false},    // along the road at both ends
		{d0, shallow, true},   // below the angle limit
		{d0, back0, false},    // straight across between the planes
		{d0, free, true},      // only one end on the deck
		{free, d0, true},
	};
	for (const auto &c : cases) {
		int before = numoflinks;
		createlink(c.a, c.b, LINKIRON + LINKTHIN, 0);
		EXPECT_EQ(numoflinks - before, c.made ? 1 : 0) << c.a << "-" << c.b;
		if (numoflinks > before)
			deletelink(numoflinks - 1);
	}
	// A deck link itself is not held to the rule.
	createlink(d0, steep, LINKIRON, 1);
	EXPECT_EQ(numoflinks, 5);
}

TEST_F(BridgeEdit, DeckPieces)
{
	int a = addpoint(POINTJOINT, 1260, 320, FRONTZ);
	int b = addpoint(POINTJOINT, 1280, 320, FRONTZ);
	int c = addpoint(POINTJOINT, 1260, 320, BACKZ);
	int d = addpoint(POINTJOINT, 1280, 320, BACKZ);
	int wide1 = addpoint(POINTJOINT, 1260, 320, FRONTZ - 15);  // diagonal exactly 25
	int wide2 = addpoint(POINTJOINT, 1280, 320, FRONTZ - 15);
	int curve = addpoint(POINTCURVE, 1280, 330, BACKZ);

	// Refusals leave everything as it was.
	struct {
		int p1, p2, p3, p4, type;
	} refused[] = {
		{a, b, a, d, LINKIRON},        // repeated point
		{a, b, c, -1, LINKIRON},
		{a, b, wide1, wide2, LINKIRON},   // diagonal reaches 25
		{a, b, wide1, wide2, LINKSTEEL},
		{a, b, c, d, LINKCABLE},       // no deck diagonals for cables
		{a, b, c, curve, LINKIRON},
	};
	addlink(a, c, LINKIRON + LINKTHIN, 0);
	for (const auto &r : refused) {
		createdeck(r.p1, r.p2, r.p3, r.p4, r.type);
		EXPECT_EQ(numoflinks, 1);
	}

	// The piece replaces the links among its points and keeps others.
	addlink(a, curve, LINKIRON, 0);
	createdeck(a, b, c, d, LINKSTEEL);
	ASSERT_EQ(numoflinks, 3);
	EXPECT_EQ(beam[0].point2, curve);
	EXPECT_EQ(beam[1].point1, a);
	EXPECT_EQ(beam[1].point2, b);
	EXPECT_EQ(beam[2].point1, c);
	EXPECT_EQ(beam[2].point2, d);
	for (int i = 1; i < 3; i++) {
		EXPECT_EQ(beam[i].deck, 1);
		EXPECT_EQ(beam[i].type, LINKSTEEL);
	}

	numoflinks = 0;
	for (int i = 0; i < 4; i++)
		point[i].type = POINTANCHOR;
	createdeck(a, b, c, d, LINKIRON);
	EXPECT_EQ(numoflinks, 0) << "a piece between four anchors";
}

TEST_F(BridgeEdit, DeletionRenumbers)
{
	int p[5];
	for (int i = 0; i < 5; i++)
		p[i] = addpoint(POINTJOINT, 1260 + 10.0f * i, 330, FRONTZ);
	addlink(p[0], p[1], LINKIRON, 0);
	addlink(p[1], p[4], LINKIRON, 0);
	addlink(p[4], p[3], LINKIRON, 0);
	addlink(p[2], p[3], LINKIRON, 0);

	deletepoint(1);  // point 4 becomes point 1
	ASSERT_EQ(numofpoints, 4);
	EXPECT_EQ(point[1].position.x, 1300);
	ASSERT_EQ(numoflinks, 2);
	std::set<std::pair<int, int>> links;
	for (int i = 0; i < numoflinks; i++)
		links.insert({beam[i].point1, beam[i].point2});
	EXPECT_EQ(links, (std::set<std::pair<int, int>>{{1, 3}, {2, 3}}));

	deletepoint(3);  // the last point: nothing moves
	EXPECT_EQ(numofpoints, 3);
	EXPECT_EQ(numoflinks, 0);

	for (int bad : {-1, 3, 1000}) {
		deletepoint(bad);
		deletelink(bad);
		EXPECT_EQ(numofpoints, 3);
	}
}

TEST_F(BridgeEdit, AnchorsGoOnlyWithTheKeyOutsideAPack)
{
	struct {
		int key, level;
		bool deleted;
	} cases[] = {{0, -1, false}, {1, 0, false}, {1, -1, true}};
	for (const auto &c : cases) {
		numofpoints = 0;
		addpoint(POINTANCHOR, 1260, 320, FRONTZ);
		keyboard['.'] = (unsigned char)c.key;
		levelnum = c.level;
		deletepoint(0);
		EXPECT_EQ(numofpoints == 0, c.deleted) << c.key << " " << c.level;
	}
}

TEST_F(BridgeEdit, DeletingOneCablePieceRemovesTheCurve)
{
	int a = addpoint(POINTANCHOR, 1200, 330, FRONTZ);
	int prev = a;
	for (int i = 1; i < 6; i++) {
		int c = addpoint(POINTCURVE, 1200 + 20.0f * i, 330 - 3.0f * i, FRONTZ);
		addlink(prev, c, LINKSUSPENSION, 0);
		prev = c;
	}
	addlink(prev, addpoint(POINTANCHOR, 1320, 330, FRONTZ), LINKSUSPENSION, 0);
	int hanger = addpoint(POINTJOINT, 1240, 320, FRONTZ);
	addlink(2, hanger, LINKCABLE, 0);

	deletelink(3);
	removemarkedpoints();
	EXPECT_EQ(numofpoints, 3) << "two anchors and the hanger's joint stay";
	EXPECT_EQ(numoflinks, 0);

	// Deleting a cable's end point whose curve neighbour is the last point:
	// that neighbour is past the lowered count while the link goes, and
	// must still be marked, or the rest of the curve stays behind.
	numofpoints = 0;
	numoflinks = 0;
	int anchor = addpoint(POINTANCHOR, 1200, 330, FRONTZ);
	int end = addpoint(POINTJOINT, 1250, 330, FRONTZ);
	int c2 = addpoint(POINTCURVE, 1220, 320, FRONTZ);
	int c1 = addpoint(POINTCURVE, 1240, 320, FRONTZ);
	addlink(end, c1, LINKSUSPENSION, 0);
	addlink(c1, c2, LINKSUSPENSION, 0);
	addlink(c2, anchor, LINKSUSPENSION, 0);
	deletepoint(end);
	removemarkedpoints();
	EXPECT_EQ(numofpoints, 1) << "only the anchor stays";
	EXPECT_EQ(numoflinks, 0);
}

TEST_F(BridgeEdit, CreationStopsAtCapacity)
{
	for (int i = 0; i < MAXPOINTS; i++)
		point[i] = {POINTJOINT, {(float)i * 10.0f, 1000.0f, 0.0f}};
	numofpoints = MAXPOINTS;
	EXPECT_EQ(create(POINTANCHOR, 5, 2000, 0), -1);
	EXPECT_EQ(create(POINTANCHOR, 0, 1000, 0), 0) << "reuse still works";

	for (int i = 0; i < MAXLINKS; i++)
		beam[i] = {LINKIRON, 0, 0, 1, 0};
	numoflinks = MAXLINKS;
	createlink(2, 3, LINKIRON, 0);
	point[4].position = {0, 0, 0};
	point[5].position = {20, 0, 0};
	point[6].position = {0, 0, 10};
	point[7].position = {20, 0, 10};
	createdeck(4, 5, 6, 7, LINKIRON);
	EXPECT_EQ(numoflinks, MAXLINKS);
}

// Random edits of every kind keep the bridge consistent.
TEST_F(BridgeEdit, RandomEditsKeepTheBridgeConsistent)
{
	std::mt19937 random(12345);
	auto pick = [&](int n) { return (int)(random() % (unsigned)n); };
	const int types[] = {LINKIRON, LINKSTEEL, LINKCABLE, LINKSUSPENSION, LINKHEAVYSTEEL,
		LINKHYDRAULIC1, LINKHYDRAULIC2, LINKIRON + LINKTHIN, LINKSTEEL + LINKTHIN};
	int mostlinks = 0;
	for (int step = 0; step < 3000; step++) {
		int before = numofpoints > 0 ? numofpoints : 1;
		switch (pick(8)) {
		case 0:
		case 1: {
			float z = pick(2) ? FRONTZ : BACKZ;
			create(pick(4), 1250 + 5.0f * pick(10), 305 + 5.0f * pick(8), z);
			break;
		}
		case 2:
		case 3:
		case 4:
			createlink(pick(before + 1) - 1, pick(before), types[pick(9)], pick(4) == 0);
			break;
		case 5:
			createdeck(pick(before), pick(before), pick(before), pick(before), types[pick(3)]);
			break;
		case 6:
			deletelink(pick(numoflinks + 2) - 1);
			break;
		case 7:
			keyboard['.'] = (unsigned char)pick(2);
			deletepoint(pick(before + 1) - 1);
			break;
		}
		removemarkedpoints();

		std::set<std::pair<int, int>> pairs;
		for (int i = 0; i < numoflinks; i++) {
			const beamstruct &l = beam[i];
			ASSERT_TRUE(l.point1 >= 0 && l.point1 < numofpoints) << "step " << step;
			ASSERT_TRUE(l.point2 >= 0 && l.point2 < numofpoints) << "step " << step;
			ASSERT_NE(l.point1, l.point2) << "step " << step;
			ASSERT_TRUE(pairs.insert({std::min(l.point1, l.point2), std::max(l.point1, l.point2)})
							.second)
				<< "duplicate at step " << step;
			ASSERT_TRUE(std::find(std::begin(types), std::end(types), l.type) != std::end(types));
		}
		mostlinks = std::max(mostlinks, numoflinks);
		for (int i = 0; i < numofpoints; i++)
			ASSERT_TRUE(point[i].type >= 0 && point[i].type <= 3) << "step " << step;
	}
	EXPECT_GT(mostlinks, 20) << "the sequence should build something";
}

TEST(EditorPlanes, MouseOverTheWindow)
{
	setupeditorwindow();
	struct {
		int x, y;
		bool inside;
		float u, v;
	} cases[] = {
		{3, 100, false, 0, 0}, {4, 100, true, -0.984375f, 0.546875f},
		{256, 240, true, 0, 0}, {511, 20, true, 0.99609375f, 0.859375f},
		{512, 100, false, 0, 0}, {100, 19, false, 0, 0}, {100, 460, false, 0, 0},
	};
	for (const auto &c : cases) {
		mouse.x = c.x;
		mouse.y = c.y;
		float out[2] = {7, 7};
		EXPECT_EQ(mouseovereditorwindow(0, out) == 1, c.inside) << c.x << "," << c.y;
		if (c.inside) {
			EXPECT_FLOAT_EQ(out[0], c.u);
			EXPECT_FLOAT_EQ(out[1], c.v);
		} else {
			EXPECT_EQ(out[0], 7);
		}
	}
	float out[2];
	EXPECT_EQ(mouseovereditorwindow(-1, out), 0);
	EXPECT_EQ(mouseovereditorwindow(MAXEDITORWINDOWS, out), 0);
}

TEST(EditorPlanes, ForwardAndBackward)
{
	struct {
		int shift, ctrl;
		float plane, mirror;
	} cases[] = {{0, 0, 1280, 1280}, {1, 0, 1280, 1270}, {0, 1, 1285, 1270}};
	for (const auto &c : cases) {
		editor.gridsize = 5;
		editor.planepoint.z = 1285;
		editor.mirrorplanez = 1275;
		keyboard[KEY_LSHIFT] = (unsigned char)c.shift;
		keyboard[KEY_LCTRL] = (unsigned char)c.ctrl;
		moveplaneforward();
		EXPECT_EQ(editor.planepoint.z, c.plane);
		EXPECT_EQ(editor.mirrorplanez, c.mirror);
		moveplanebackward();
		EXPECT_EQ(editor.planepoint.z, 1285);
		EXPECT_EQ(editor.mirrorplanez, 1275);
	}
	keyboard[KEY_LSHIFT] = keyboard[KEY_LCTRL] = 0;
}

}  // namespace
