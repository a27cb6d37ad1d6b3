// The selection box, the copy buffer, flipping, pasting and area delete.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <random>
#include <tuple>
#include <vector>

#include "editor/bridgeedit.h"
#include "editor/cablecurve.h"
#include "editor/editor.h"
#include "editor/paste.h"
#include "editor/selection.h"
#include "editor/undo.h"
#include "platform/input.h"
#include "tests/simscene.h"
#include "world/level.h"
#include "world/materials.h"

namespace {

class CopyPaste : public ::testing::Test {
protected:
	void SetUp() override
	{
		// Banks at 310 left of x 1260 and right of 1300, valley floor at 250.
		setupscene(1260.0f, 1300.0f, 0.0f);
		keyboard['.'] = 0;
		levelnum = 0;
		resetundo();
		copy.numoflinks = 0;
		editor.editstate = 0;
		editor.planepoint = {1280.0f, 320.0f, FRONTZ};
		editor.mirrorplanez = BACKZ;
	}
};

// The box as the editor leaves it: start on the editing plane, end on the
// mirror plane.
void selectbox(float x1, float y1, float x2, float y2)
{
	editor.selectstart = {x1, y1, FRONTZ};
	editor.selectend = {x2, y2, BACKZ};
}

// A link by its material, deck flag and end positions, ends in a fixed order.
using linkshape = std::tuple<int, int, std::array<float, 3>, std::array<float, 3>>;

std::vector<linkshape> bridgeshape(float dx)
{
	std::vector<linkshape> shape;
	for (int i = 0; i < numoflinks; i++) {
		const vector3 &a = point[beam[i].point1].position;
		const vector3 &b = point[beam[i].point2].position;
		std::array<float, 3> pa = {a.x + dx, a.y, a.z}, pb = {b.x + dx, b.y, b.z};
		if (pb < pa)
			std::swap(pa, pb);
		shape.emplace_back(beam[i].type, beam[i].deck, pa, pb);
	}
	std::sort(shape.begin(), shape.end());
	return shape;
}

// Where the buffer's centre lies, when every link of the bridge was copied.
vector3 copiedcentre()
{
	vector3 c;
	subtractvectors(&c, &point[beam[0].point1].position, &copy.link[0].position1);
	return c;
}

void expectlinksvalid()
{
	ASSERT_GE(numofpoints, 0);
	ASSERT_LE(numofpoints, MAXPOINTS);
	ASSERT_GE(numoflinks, 0);
	ASSERT_LE(numoflinks, MAXLINKS);
	for (int i = 0; i < numoflinks; i++) {
		ASSERT_GE(beam[i].point1, 0) << "link " << i;
		ASSERT_LT(beam[i].point1, numofpoints) << "link " << i;
		ASSERT_GE(beam[i].point2, 0) << "link " << i;
		ASSERT_LT(beam[i].point2, numofpoints) << "link " << i;
	}
}

TEST_F(CopyPaste, ABoxSelectsTheSameLinksWhicheverWayItWasDragged)
{
	buildtruss(1250.0f, 6, LINKSTEEL);
	static copystruct first;
	selectbox(1258, 315, 1292, 335);
	int copied = copypoints();
	ASSERT_GT(copied, 0);
	EXPECT_EQ(editor.editstate, 2);
	EXPECT_EQ(editor.selectstart.x, 0.0f) << "the box is cleared";
	EXPECT_EQ(editor.selectend.y, 0.0f);
	first = copy;

	const float corners[3][4] = {{1292, 335, 1258, 315}, {1258, 335, 1292, 315}, {1292, 315, 1258, 335}};
	for (const auto &c : corners) {
		editor.editstate = 0;
		selectbox(c[0], c[1], c[2], c[3]);
		EXPECT_EQ(copypoints(), copied);
		EXPECT_EQ(memcmp(&copy, &first, sizeof(uint32_t) + copied * sizeof(copylinkstruct)), 0);
	}
}

TEST_F(CopyPaste, TheBufferHoldsLinksAboutAGridCentreOnTheEditingPlane)
{
	int a = addpoint(POINTANCHOR, 1250, 310, FRONTZ);
	int b = addpoint(POINTANCHOR, 1262, 310, FRONTZ);
	int c = addpoint(POINTJOINT, 1256, 331, FRONTZ);
	addlink(a, b, LINKIRON, 0);
	addlink(b, c, LINKIRON, 0);
	selectbox(1200, 300, 1300, 340);
	ASSERT_EQ(copypoints(), 2);
	EXPECT_EQ(copy.link[0].pointtype1, (uint32_t)POINTJOINT) << "anchors are copied as joints";
	EXPECT_EQ(copy.link[0].pointtype2, (uint32_t)POINTJOINT);
	// The mean of the four ends is (1257.5, 315.5): rounded to 1260, 315.
	EXPECT_EQ(copy.link[0].position1.x, 1250.0f - 1260.0f);
	EXPECT_EQ(copy.link[0].position1.y, 310.0f - 315.0f);
	EXPECT_EQ(copy.link[1].position2.x, 1256.0f - 1260.0f);
	EXPECT_EQ(copy.link[1].position2.y, 331.0f - 315.0f);
	EXPECT_EQ(copy.link[1].position2.z, 0.0f);
}

TEST_F(CopyPaste, AnEmptyBoxEmptiesTheBufferAndKeepsTheEditState)
{
	buildtruss(1250.0f, 6, LINKSTEEL);
	selectbox(1250, 315, 1290, 335);
	ASSERT_GT(copypoints(), 0);
	editor.editstate = 1;
	selectbox(1400, 400, 1450, 450);
	EXPECT_EQ(copypoints(), 0);
	EXPECT_EQ(copy.numoflinks, 0u);
	EXPECT_EQ(editor.editstate, 1);
}

TEST_F(CopyPaste, ABoxOverACableCopiesTheLinksLeavingItsCurvePoints)
{
	// A cable from 1250 to 1310 with curve points every 10 between.
	int prev = addpoint(POINTJOINT, 1250, 340, FRONTZ);
	for (int x = 1260; x <= 1310; x += 10) {
		int p = addpoint(x == 1310 ? POINTJOINT : POINTCURVE, (float)x, 330, FRONTZ);
		addlink(prev, p, LINKSUSPENSION, 0);
		prev = p;
	}
	selectbox(1277, 325, 1283, 335);  // the curve point at 1280 alone
	ASSERT_EQ(copypoints(), 2);
	EXPECT_EQ(copy.link[0].position1.x + 1280.0f, 1270.0f) << "its far end comes along";

	selectbox(1267, 325, 1283, 335);  // 1270 and 1280: the link between, then the two leaving
	ASSERT_EQ(copypoints(), 3);
	EXPECT_EQ(copy.link[0].type, (uint32_t)LINKSUSPENSION);
}

TEST_F(CopyPaste, FlipMirrorsTheBufferAndTwiceRestoresIt)
{
	buildtruss(1250.0f, 6, LINKSTEEL);
	selectbox(1240, 315, 1315, 335);
	ASSERT_EQ(copypoints(), numoflinks);
	vector3 centre = copiedcentre();
	static copystruct before;
	before = copy;
	flipxaxis();
	EXPECT_EQ(copy.link[0].position1.x, -before.link[0].position1.x);
	EXPECT_EQ(copy.link[0].position1.y, before.link[0].position1.y);
	flipxaxis();
	EXPECT_EQ(memcmp(&copy, &before, sizeof(copy)), 0);

	// The truss is symmetric about its centre, so the flipped paste at the
	// centre adds nothing.
	flipxaxis();
	int points = numofpoints, links = numoflinks;
	pastecopy(&centre);
	EXPECT_EQ(numofpoints, points);
	EXPECT_EQ(numoflinks, links);
}

TEST_F(CopyPaste, APasteRebuildsTheCopiedShapeAtTheMouse)
{
	buildtruss(1250.0f, 6, LINKSTEEL);
	// The truss stands between anchors; its anchors come back as joints.
	std::vector<linkshape> original = bridgeshape(0.0f);
	selectbox(1240, 315, 1315, 335);
	ASSERT_EQ(copypoints(), numoflinks);

	// At its own centre the paste meets every point and link it came from.
	const vector3 centre = copiedcentre();
	EXPECT_EQ(centre.z, FRONTZ);
	vector3 h = {centre.x + 1.0f, centre.y - 1.0f, centre.z};  // rounded to the grid first
	pastecopy(&h);
	EXPECT_EQ(bridgeshape(0.0f), original);

	// On an empty bridge 100 to the right it is the same shape, deck pieces
	// made again from the pasted deck links.
	vector3 right = {centre.x + 100.0f, centre.y, centre.z};
	numofpoints = 0;
	numoflinks = 0;
	pastecopy(&right);
	EXPECT_EQ(bridgeshape(-100.0f), original);
	for (int i = 0; i < numofpoints; i++)
		EXPECT_NE(point[i].type, POINTANCHOR);
	expectlinksvalid();
}

TEST_F(CopyPaste, PastedDeckLinksBecomeADeckPieceWithoutCrossbeams)
{
	copy.numoflinks = 3;
	// A crossbeam between the planes first, then the two facing deck links.
	copy.link[0] = {LINKSTEEL + LINKTHIN, 0, 1, {0, 0, 0}, 1, {10, 0, -10}};
	copy.link[1] = {LINKSTEEL, 1, 1, {0, 0, 0}, 1, {10, 0, 0}};
	copy.link[2] = {LINKSTEEL, 1, 1, {0, 0, -10}, 1, {10, 0, -10}};
	vector3 h = {1270.0f, 320.0f, FRONTZ};
	pastecopy(&h);
	ASSERT_EQ(numofpoints, 4);
	ASSERT_EQ(numoflinks, 2);
	for (int i = 0; i < numoflinks; i++) {
		EXPECT_EQ(beam[i].type, LINKSTEEL);
		EXPECT_EQ(beam[i].deck, 1);
	}
	// The front link faces the back one: createdeck's order.
	EXPECT_EQ(point[beam[0].point1].position.z, FRONTZ);
	EXPECT_EQ(point[beam[1].point1].position.z, BACKZ);
}

// Making a deck piece moves the last links into the freed slots; a deck
// link moved behind the walk must still be paired.
TEST_F(CopyPaste, PairingReachesEveryDeckLinkWhateverItsSlot)
{
	int a = addpoint(POINTJOINT, 1260, 330, FRONTZ), b = addpoint(POINTJOINT, 1270, 330, FRONTZ);
	int c = addpoint(POINTJOINT, 1260, 330, BACKZ), d = addpoint(POINTJOINT, 1270, 330, BACKZ);
	int e = addpoint(POINTJOINT, 1290, 330, FRONTZ), f = addpoint(POINTJOINT, 1300, 330, FRONTZ);
	int g = addpoint(POINTJOINT, 1290, 330, BACKZ), h = addpoint(POINTJOINT, 1300, 330, BACKZ);
	addlink(a, b, LINKIRON, 1);
	addlink(c, d, LINKIRON, 1);
	addlink(a, d, LINKIRON + LINKTHIN, 0);
	addlink(e, h, LINKIRON + LINKTHIN, 0);
	addlink(g, h, LINKIRON, 1);
	addlink(e, f, LINKIRON, 1);  // last: moves into the first freed slot
	pairdecks();
	ASSERT_EQ(numoflinks, 4);
	for (int i = 0; i < numoflinks; i++)
		EXPECT_EQ(beam[i].deck, 1) << "no crossbeam left in link " << i;

	// Finished deck pieces stay where they are.
	static beamstruct before[4];
	memcpy(before, beam, sizeof(before));
	pairdecks();
	EXPECT_EQ(memcmp(before, beam, sizeof(before)), 0);
}

TEST_F(CopyPaste, APasteStopsAtTheArraysCapacities)
{
	buildtruss(1250.0f, 6, LINKSTEEL);
	selectbox(1240, 315, 1315, 335);
	int copied = copypoints();
	ASSERT_GT(copied, 0);

	// Nearly full arrays: the paste takes what fits and no more.
	numofpoints = 0;
	numoflinks = 0;
	for (int i = 0; numofpoints < MAXPOINTS - 5; i++)
		addpoint(POINTJOINT, 1500.0f + 6.0f * (float)(i % 100), 400.0f + 6.0f * (float)(i / 100), FRONTZ);
	for (int i = 0; numoflinks < MAXLINKS - 3; i++)
		addlink(i, i + 1, LINKCABLE, 0);
	vector3 h = {1280.0f, 320.0f, FRONTZ};
	pastecopy(&h);
	EXPECT_EQ(numofpoints, MAXPOINTS);
	EXPECT_EQ(numoflinks, MAXLINKS);
	expectlinksvalid();
}

TEST_F(CopyPaste, AreaDeleteRemovesJointsAndTheirLinksAsOneUndoableChange)
{
	int a = addpoint(POINTANCHOR, 1250, 310, FRONTZ);
	int j1 = addpoint(POINTJOINT, 1260, 320, FRONTZ);
	int j2 = addpoint(POINTJOINT, 1270, 320, FRONTZ);
	int j3 = addpoint(POINTJOINT, 1280, 320, FRONTZ);
	int b = addpoint(POINTANCHOR, 1310, 310, FRONTZ);
	int k = addpoint(POINTJOINT, 1300, 330, FRONTZ);
	addlink(a, j1, LINKIRON, 0);
	addlink(j1, j2, LINKIRON, 0);
	addlink(j2, j3, LINKIRON, 0);
	addlink(j3, k, LINKIRON, 0);
	addlink(k, b, LINKIRON, 0);
	addlink(a, k, LINKCABLE, 0);
	static undostruct before;
	storebridge(&before);

	selectbox(1285, 325, 1255, 315);  // dragged right to left
	deletepoints();
	EXPECT_EQ(numofpoints, 3);
	ASSERT_EQ(numoflinks, 2);
	expectlinksvalid();
	// The remaining links still join the same places after the renumbering.
	std::vector<linkshape> left = bridgeshape(0.0f);
	EXPECT_EQ(std::get<2>(left[0])[0], 1300.0f);  // the iron link to the anchor
	EXPECT_EQ(std::get<3>(left[0])[0], 1310.0f);
	EXPECT_EQ(std::get<2>(left[1])[0], 1250.0f);  // the cable
	EXPECT_EQ(std::get<3>(left[1])[0], 1300.0f);
	EXPECT_EQ(editor.selectstart.x, 0.0f);

	editorundo();
	EXPECT_EQ(numofpoints, (int)before.numofpoints);
	EXPECT_EQ(numoflinks, (int)before.numoflinks);
	EXPECT_EQ(memcmp(point, before.point, sizeof(pointstruct) * numofpoints), 0);
	EXPECT_EQ(memcmp(beam, before.beam, sizeof(beamstruct) * numoflinks), 0);
}

TEST_F(CopyPaste, AreaDeleteSparesAnchorsAndRecordsNothingWhenNothingGoes)
{
	int a = addpoint(POINTANCHOR, 1250, 310, FRONTZ);
	int b = addpoint(POINTANCHOR, 1260, 310, FRONTZ);
	addpoint(POINTJOINT, 1400, 330, FRONTZ);
	addlink(a, b, LINKIRON, 0);
	selectbox(1240, 300, 1270, 320);
	deletepoints();
	EXPECT_EQ(numofpoints, 3);
	EXPECT_EQ(numoflinks, 1);
	EXPECT_EQ(undoposition, 0) << "no undo entry";
}

TEST_F(CopyPaste, AreaDeleteOfACurvePointTakesTheWholeCable)
{
	int prev = addpoint(POINTJOINT, 1250, 340, FRONTZ);
	for (int x = 1260; x <= 1310; x += 10) {
		int p = addpoint(x == 1310 ? POINTJOINT : POINTCURVE, (float)x, 330, FRONTZ);
		addlink(prev, p, LINKSUSPENSION, 0);
		prev = p;
	}
	selectbox(1277, 325, 1283, 335);
	deletepoints();
	EXPECT_EQ(numofpoints, 2) << "only the cable's two joints stay";
	EXPECT_EQ(numoflinks, 0);
}

// Random editing through every tool: whatever happens, the counts stay
// within the arrays and every link end names a live point.
TEST_F(CopyPaste, RandomEditsKeepEveryLinkEndBelowThePointCount)
{
	std::mt19937 rng(20261208);
	auto coord = [&](float lo, float hi) {
		return lo + (hi - lo) * (float)(rng() % 1000) / 1000.0f;
	};
	auto grid = [&](float v) { return roundnumber(v, 5.0f); };
	const float planes[2] = {FRONTZ, BACKZ};
	int mostlinks = 0;
	for (int step = 0; step < 400; step++) {
		storebridge(&editor.snapshot);
		int op = (int)(rng() % 8);
		float x = grid(coord(1230, 1330)), y = grid(coord(315, 360));
		float z = planes[rng() % 2];
		switch (op) {
		case 0:
		case 1: {
			vector3 p = {x, y, z};
			vector3 q = {grid(x + coord(-20, 20)), grid(y + coord(-20, 20)), planes[rng() % 2]};
			int type = 2 + (int)(rng() % 7);
			createlink(createpoint(&p, POINTJOINT), createpoint(&q, POINTJOINT), type, (int)(rng() % 2));
			break;
		}
		case 2:
			selectbox(x, y, grid(coord(1230, 1330)), grid(coord(315, 360)));
			copypoints();
			break;
		case 3: {
			if (rng() % 2)
				flipxaxis();
			vector3 h = {x, y, FRONTZ};
			pastecopy(&h);
			break;
		}
		case 4:
			selectbox(x, y, grid(coord(1230, 1330)), grid(coord(315, 360)));
			deletepoints();
			continue;  // records its own undo entry
		case 5:
			editorundo();
			continue;
		case 6:
			editorredo();
			continue;
		case 7: {
			editor.cablecurve[0][0] = {x, y, FRONTZ};
			editor.cablecurve[0][1] = {coord(1200, 1360), coord(300, 340), FRONTZ};
			editor.cablecurve[0][2] = {grid(coord(1230, 1330)), grid(coord(315, 360)), FRONTZ};
			laycable(0);
			break;
		}
		}
		for (int i = 0; i < numofpoints;) {  // as the editor does after a deletion
			if (point[i].type == -1) {
				deletepoint(i);
				i = 0;
			} else {
				i++;
			}
		}
		setupundo();
		expectlinksvalid();
		if (HasFatalFailure())
			FAIL() << "after step " << step << " op " << op;
		mostlinks = std::max(mostlinks, numoflinks);
	}
	EXPECT_GT(mostlinks, 30) << "the sequence built something";
}

}  // namespace
