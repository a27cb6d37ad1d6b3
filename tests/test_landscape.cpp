#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "platform/texture.h"
#include "world/landscape.h"
#include "world/level.h"

static void flatlandscape(int width, int depth, float h)
{
	memset(&level, 0, sizeof level);
	level.landscapewidth = width;
	level.landscapedepth = depth;
	level.waterlevel = -100.0f;
	for (int i = 0; i < width * depth; i++)
		landscape.height[i] = h;
}

static void setheight(int x, int z, float h)
{
	landscape.height[z * level.landscapewidth + x] = h;
}

TEST(Landscape, VerticalSegmentHitsTheTriangleOnItsSideOfTheDiagonal)
{
	flatlandscape(8, 8, 0.0f);
	setheight(2, 1, 5.0f);  // lifts corner P10 of cell (1, 1): only its first triangle tilts
	vector3 hit, normal;
	float t;
	// Cell (1, 1) spans x and z 5..10; x - 5 > z - 5 lies on the P00-P10-P11 side.
	vector3 a0 = {9.0f, 20.0f, 6.0f}, a1 = {9.0f, -20.0f, 6.0f};
	ASSERT_EQ(lineintersectlevel(&hit, &normal, &t, &a0, &a1), 1);
	EXPECT_LT(normal.y, 0.99f);
	EXPECT_GT(hit.y, 0.0f);
	vector3 b0 = {6.0f, 20.0f, 9.0f}, b1 = {6.0f, -20.0f, 9.0f};
	ASSERT_EQ(lineintersectlevel(&hit, &normal, &t, &b0, &b1), 1);
	EXPECT_FLOAT_EQ(normal.y, 1.0f);
	EXPECT_FLOAT_EQ(hit.y, 0.0f);
	EXPECT_FLOAT_EQ(t, 0.5f);
}

TEST(Landscape, ReportsTheFirstHitInScanOrderNotTheNearest)
{
	// Two ridges across z: vertex rows 2 and 4 stand 10 high.
	flatlandscape(8, 8, 0.0f);
	for (int x = 0; x < 8; x++) {
		setheight(x, 2, 10.0f);
		setheight(x, 4, 10.0f);
	}
	vector3 hit, normal;
	float t;
	// Travelling toward -z at height 5 it meets the far ridge (z 22.5) first,
	// but the scan reaches the near one (z 12.5) first.
	vector3 p0 = {7.0f, 5.0f, 27.0f}, p1 = {7.0f, 5.0f, 3.0f};
	ASSERT_EQ(lineintersectlevel(&hit, &normal, &t, &p0, &p1), 1);
	EXPECT_NEAR(hit.z, 12.5f, 1e-4f);
	EXPECT_NEAR(t, (27.0f - 12.5f) / 24.0f, 1e-5f);
}

TEST(Landscape, MissesAndBadCoordinates)
{
	flatlandscape(8, 8, 0.0f);
	vector3 hit = {1, 2, 3}, normal = {4, 5, 6};
	float t = 7;
	vector3 above0 = {6.0f, 1.0f, 6.0f}, above1 = {30.0f, 2.0f, 30.0f};
	EXPECT_EQ(lineintersectlevel(&hit, &normal, &t, &above0, &above1), 0);
	// Nothing is tested, so the outputs stay as they were.
	EXPECT_EQ(normal.x, 4.0f);
	const float inf = std::numeric_limits<float>::infinity();
	const float nan = std::numeric_limits<float>::quiet_NaN();
	vector3 wild[] = {{nan, 1.0f, 1.0f}, {inf, -1.0f, 3.0f}, {1e30f, -5.0f, -1e30f}};
	vector3 down = {6.0f, -10.0f, 6.0f};
	for (const vector3 &p : wild)
		lineintersectlevel(&hit, &normal, &t, &p, &down);
	// Far outside, the query is clamped to the border cells.
	vector3 out0 = {-50.0f, 5.0f, -50.0f}, out1 = {-50.0f, -5.0f, -50.0f};
	EXPECT_EQ(lineintersectlevel(&hit, &normal, &t, &out0, &out1), 0);
}

TEST(Landscape, WaterIsCrossedFromEitherSide)
{
	flatlandscape(8, 8, -20.0f);
	level.waterlevel = 3.0f;
	vector3 hit, normal;
	float t;
	vector3 high = {100.0f, 10.0f, 40.0f}, low = {100.0f, -10.0f, 40.0f};
	ASSERT_EQ(lineintersectwater(&hit, &normal, &t, &high, &low), 1);
	EXPECT_EQ(normal.y, 1.0f);
	EXPECT_FLOAT_EQ(hit.y, 3.0f);
	ASSERT_EQ(lineintersectwater(&hit, &normal, &t, &low, &high), 1);
	EXPECT_EQ(normal.y, -1.0f);
	EXPECT_FLOAT_EQ(t, 13.0f / 20.0f);
	vector3 dry = {0.0f, 5.0f, 0.0f};
	EXPECT_EQ(lineintersectwater(&hit, &normal, &t, &high, &dry), 0);
}

TEST(Landscape, NormalsDarkenUnderWaterAndSkipTheBorder)
{
	flatlandscape(6, 6, -7.0f);
	level.waterlevel = 3.0f;
	const vector3 mark = {9.0f, 9.0f, 9.0f};
	for (int i = 0; i < 36; i++)
		landscape.normal[i] = mark;
	setuplandscapenormals();
	// Flat ground 10 under: 1 - 10/32.
	EXPECT_FLOAT_EQ(landscape.normal[1 * 6 + 1].y, 0.6875f);
	EXPECT_FLOAT_EQ(landscape.normal[1 * 6 + 1].x, 0.0f);
	for (int x = 0; x < 6; x++) {
		EXPECT_EQ(landscape.normal[x].x, 9.0f);
		EXPECT_EQ(landscape.normal[5 * 6 + x].x, 9.0f);
		EXPECT_EQ(landscape.normal[x * 6].x, 9.0f);
		EXPECT_EQ(landscape.normal[x * 6 + 5].x, 9.0f);
	}
	// 40 under: no darker than a tenth.
	level.waterlevel = 33.0f;
	setuplandscapenormals();
	EXPECT_FLOAT_EQ(landscape.normal[2 * 6 + 3].y, 0.1f);
	// Above the water the averaged normal of flat ground is straight up.
	level.waterlevel = -8.0f;
	setuplandscapenormals();
	EXPECT_FLOAT_EQ(landscape.normal[2 * 6 + 3].y, 1.0f);
}

TEST(Landscape, PartialNormalsStayInsideTheirClampedRange)
{
	flatlandscape(6, 6, 0.0f);
	const vector3 mark = {9.0f, 9.0f, 9.0f};
	for (int i = 0; i < 36; i++)
		landscape.normal[i] = mark;
	setuplandscapenormalspartial(-5, 2, 3, 100);
	for (int z = 0; z < 6; z++) {
		for (int x = 0; x < 6; x++) {
			bool inside = x >= 1 && x < 3 && z >= 2 && z < 5;
			EXPECT_EQ(landscape.normal[z * 6 + x].y, inside ? 1.0f : 9.0f) << x << "," << z;
		}
	}
}

TEST(Landscape, ColourBandsBlendByHeight)
{
	flatlandscape(4, 3, 0.0f);
	level.colorband[0] = {{1.0f, 0.0f, 0.0f}, 0.0f};
	level.colorband[1] = {{0.0f, 1.0f, 0.0f}, 10.0f};
	level.colorband[2] = {{0.0f, 0.0f, 1.0f}, 20.0f};
	level.colorband[3] = {{1.0f, 1.0f, 1.0f}, 30.0f};
	unsigned char c[3];
	landscapecolor(c, -5.0f);
	EXPECT_EQ(c[0], 255);
	EXPECT_EQ(c[1], 0);
	landscapecolor(c, 0.0f);  // exactly the top of band 0: the blend at f = 0
	EXPECT_EQ(c[0], 255);
	EXPECT_EQ(c[1], 0);
	landscapecolor(c, 2.5f);
	EXPECT_EQ(c[0], 191);  // 255 * 0.75 truncated
	EXPECT_EQ(c[1], 63);
	landscapecolor(c, 25.0f);
	EXPECT_EQ(c[0], 127);
	EXPECT_EQ(c[2], 255);
	landscapecolor(c, 1000.0f);
	EXPECT_EQ(c[0], 255);
	EXPECT_EQ(c[1], 255);
	// Colours from a file may be anything; they never overflow a byte.
	level.colorband[3].color = {std::numeric_limits<float>::quiet_NaN(), 7.0f, -3.0f};
	landscapecolor(c, 1000.0f);
	EXPECT_EQ(c[0], 0);
	EXPECT_EQ(c[1], 255);
	EXPECT_EQ(c[2], 0);

	level.colorband[3].color = {1.0f, 1.0f, 1.0f};
	landscape.height[1] = 25.0f;
	setuplandscapetexture();
	ASSERT_EQ(texture[TEX_LANDSCAPE].width, 4);
	ASSERT_EQ(texture[TEX_LANDSCAPE].height, 3);
	const unsigned char *texel = texture[TEX_LANDSCAPE].pixels + 4;
	EXPECT_EQ(texel[0], 127);
	EXPECT_EQ(texel[2], 255);
	EXPECT_EQ(texel[3], 255);
}

static void railroute(int slot, float y, vector3 from, vector3 to)
{
	levelobjectstruct *o = &level.levelobject[slot];
	memset(o, 0, sizeof *o);
	o->type = 3;
	o->numofwaypoints = 2;
	o->waypoint[0] = {from.x, from.y + y, from.z};
	o->waypoint[1] = {to.x, to.y + y, to.z};
	if (level.numoflevelobjects <= slot)
		level.numoflevelobjects = slot + 1;
}

TEST(Landscape, TracksFollowARouteEveryFiveUnits)
{
	flatlandscape(512, 512, 0.0f);
	railroute(0, 0.0f, {500.0f, 0.0f, 1000.0f}, {1000.0f, 0.0f, 1000.0f});
	setuptracks();
	// 100 steps along the route and 50 before and after it.
	ASSERT_EQ(numoftracks, 200);
	EXPECT_EQ(track[0].type, 0);
	// 250 units before the first waypoint, set back half a piece.
	EXPECT_NEAR(track[0].position.x, 250.0f - 2.5f * track[0].orientation.v[2].x, 1e-3f);
	EXPECT_NEAR(fabsf(track[0].orientation.v[2].x), 1.0f, 1e-6f);
	EXPECT_NEAR(track[0].position.y, 0.125f, 1e-6f);
	for (int i = 1; i < numoftracks; i++)
		EXPECT_NEAR(track[i].position.x - track[i - 1].position.x, 5.0f, 1e-3f);

	// A second, nearly equal route adds nothing closer than a unit.
	railroute(1, 0.0f, {500.3f, 0.0f, 1000.2f}, {1000.3f, 0.0f, 1000.2f});
	level.levelobject[1].type = 20;
	setuptracks();
	EXPECT_EQ(numoftracks, 200);

	// Too high above or too deep under the ground: none.
	level.numoflevelobjects = 0;
	railroute(0, 0.3f, {500.0f, 0.0f, 1000.0f}, {1000.0f, 0.0f, 1000.0f});
	setuptracks();
	EXPECT_EQ(numoftracks, 0);
	railroute(0, -1.1f, {500.0f, 0.0f, 1000.0f}, {1000.0f, 0.0f, 1000.0f});
	setuptracks();
	EXPECT_EQ(numoftracks, 0);
	railroute(0, -0.9f, {500.0f, 0.0f, 1000.0f}, {1000.0f, 0.0f, 1000.0f});
	setuptracks();
	EXPECT_EQ(numoftracks, 200);
	// Two equal waypoints: every step lands on the same spot, which counts once.
	railroute(0, 0.0f, {500.0f, 0.0f, 1000.0f}, {500.0f, 0.0f, 1000.0f});
	setuptracks();
	EXPECT_EQ(numoftracks, 1);
	// Boats lay none.
	level.levelobject[0].type = 32;
	setuptracks();
	EXPECT_EQ(numoftracks, 0);
}

TEST(Landscape, TracksStopAtCapacityAndSurviveWildWaypoints)
{
	flatlandscape(512, 512, 0.0f);
	for (int i = 0; i < 30; i++)
		railroute(i, 0.0f, {300.0f, 0.0f, 100.0f + 70.0f * i}, {2300.0f, 0.0f, 100.0f + 70.0f * i});
	setuptracks();
	EXPECT_EQ(numoftracks, MAXTRACKS);

	level.numoflevelobjects = 0;
	const float nan = std::numeric_limits<float>::quiet_NaN();
	railroute(0, 0.0f, {nan, 0.0f, 100.0f}, {300.0f, 0.0f, 100.0f});
	railroute(1, 0.0f, {-1e30f, 0.0f, 100.0f}, {1e30f, 0.0f, 100.0f});
	railroute(2, 0.0f, {-1e9f, 0.0f, 200.0f}, {1000.0f, 0.0f, 200.0f});
	setuptracks();
	EXPECT_LE(numoftracks, MAXTRACKS);
}

// Bridge points stand on grid lines and cell diagonals and fall straight
// down; rounding in the triangle edge tests must not let such a segment
// slip between two triangles.
TEST(Landscape, SegmentsOnCellEdgesAndDiagonalsStillHit)
{
	flatlandscape(64, 64, 0.0f);
	unsigned seed = 12345;
	for (int z = 0; z < 64; z++) {
		for (int x = 0; x < 64; x++) {
			seed = seed * 1103515245u + 12345u;
			setheight(x, z, 300.0f + (float)((seed >> 16) % 4000) / 100.0f);
		}
	}
	int misses = 0;
	for (int z = 2; z < 60; z++) {
		for (int x = 2; x < 60; x++) {
			const float spots[4][2] = {{0.0f, 0.0f}, {0.0f, 2.5f}, {2.5f, 0.0f}, {2.5f, 2.5f}};
			for (const auto &spot : spots) {
				vector3 top = {5.0f * x + spot[0], 400.0f, 5.0f * z + spot[1]};
				vector3 bottom = {top.x, 250.0f, top.z};
				vector3 hit, normal;
				float t;
				misses += !lineintersectlevel(&hit, &normal, &t, &top, &bottom);
			}
		}
	}
	EXPECT_EQ(misses, 0);
}
