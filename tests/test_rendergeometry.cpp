// Pure geometry of the renderer: landscape stitching, shadow volumes, beams,
// cameras and the editor's marker meshes.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <tuple>
#include <vector>

#include "editor/editor.h"
#include "editor/editordraw.h"
#include "platform/config.h"
#include "platform/input.h"
#include "render/bridgedraw.h"
#include "render/camera.h"
#include "render/landscapedraw.h"
#include "render/shadow.h"
#include "world/simulation.h"
#include "world/vehicle.h"

// All triangles of one sector in cell units, relative to its first corner.
static std::vector<std::array<float, 6>> sectortriangles(int step, int mask)
{
	std::vector<std::array<float, 6>> out;
	int tri[3][3][2];
	for (int i = 0; i < SECTORCELLS; i += step)
		for (int j = 0; j < SECTORCELLS; j += step) {
			int n = celltriangles(i, j, step, mask, tri);
			for (int t = 0; t < n; t++) {
				std::array<float, 6> a;
				for (int k = 0; k < 3; k++) {
					a[2 * k] = (float)(j + step * tri[t][k][0]);
					a[2 * k + 1] = (float)(i + step * tri[t][k][1]);
				}
				out.push_back(a);
			}
		}
	return out;
}

static float signedarea(const std::array<float, 6> &t)
{
	return (t[2] - t[0]) * (t[5] - t[1]) - (t[4] - t[0]) * (t[3] - t[1]);
}

static bool inside(const std::array<float, 6> &t, float x, float z)
{
	for (int k = 0; k < 3; k++) {
		int a = k, b = (k + 1) % 3;
		float e = (t[2 * b] - t[2 * a]) * (z - t[2 * a + 1]) -
			(t[2 * b + 1] - t[2 * a + 1]) * (x - t[2 * a]);
		if (e < 0.0f)
			return false;
	}
	return true;
}

TEST(LandscapeStitching, EveryStepAndMaskCoversTheSectorExactlyOnce)
{
	for (int step = 1; step <= 8; step *= 2)
		for (int mask = 0; mask < 16; mask++) {
			auto tris = sectortriangles(step, mask);
			for (auto &t : tris) {
				ASSERT_GT(signedarea(t), 0.0f) << "step " << step << " mask " << mask;
				for (int k = 0; k < 3; k++) {
					ASSERT_GE(t[2 * k], 0.0f);
					ASSERT_LE(t[2 * k], 16.0f);
					ASSERT_GE(t[2 * k + 1], 0.0f);
					ASSERT_LE(t[2 * k + 1], 16.0f);
				}
			}
			// Off-grid sample points: each must lie in exactly one triangle.
			for (int sz = 0; sz < 64; sz++)
				for (int sx = 0; sx < 64; sx++) {
					float x = (sx + 0.37f) / 4.0f, z = (sz + 0.61f) / 4.0f;
					int hits = 0;
					for (auto &t : tris)
						hits += inside(t, x, z);
					ASSERT_EQ(hits, 1) << "step " << step << " mask " << mask << " at " << x
							   << "," << z;
				}
		}
}

TEST(LandscapeStitching, EdgesTowardsCoarserNeighboursUseOnlyTheirVertices)
{
	const int bit[4] = {1, 2, 4, 8};
	for (int step = 1; step <= 8; step *= 2)
		for (int mask = 1; mask < 16; mask++) {
			auto tris = sectortriangles(step, mask);
			for (auto &t : tris)
				for (int k = 0; k < 3; k++) {
					float x = t[2 * k], z = t[2 * k + 1];
					for (int e = 0; e < 4; e++) {
						if (!(mask & bit[e]))
							continue;
						bool onedge = (e == 0 && z == 0) || (e == 1 && x == 16) ||
							(e == 2 && z == 16) || (e == 3 && x == 0);
						float along = (e == 0 || e == 2) ? x : z;
						if (onedge) {
							EXPECT_EQ(std::fmod(along, 2.0f * step), 0.0f)
								<< "step " << step << " mask " << mask;
						}
					}
				}
		}
}

TEST(LandscapeLod, StepsByDistanceAndCullingBehindTheCamera)
{
	framestruct f = {};
	resetorientation(&f.axes);  // looking along -z
	f.position = {0, 0, 0};
	EXPECT_EQ(sectorstep(&f, 0, 0, -119.99f), 1);
	EXPECT_EQ(sectorstep(&f, 0, 0, -120.0f), 2);  // a threshold gives the coarser step
	EXPECT_EQ(sectorstep(&f, 0, 0, -400.0f), 8);
	EXPECT_EQ(sectorstep(&f, 0, 0, -1000.0f), 16);
	EXPECT_EQ(sectorstep(&f, 0, 0, 80.0f), 1);    // exactly 80 behind is drawn
	EXPECT_EQ(sectorstep(&f, 0, 0, 80.01f), 0);
}

TEST(LandscapeLod, CulledNeighboursSetNoEdgeBits)
{
	for (int n = 0; n < LODSIZE * LODSIZE; n++)
		landscapelod[n] = 1;
	landscapelod[4 * LODSIZE + 5] = 2;  // above (5, 5)
	landscapelod[5 * LODSIZE + 6] = 0;  // right, culled
	landscapelod[6 * LODSIZE + 5] = 4;  // below
	EXPECT_EQ(sectoredgemask(5, 5), 1 | 4);
	EXPECT_EQ(sectoredgemask(4, 5), 0);  // a coarser sector never stitches
}

TEST(LandscapeLod, NeighboursTwoStepsApartAreRefined)
{
	for (int n = 0; n < LODSIZE * LODSIZE; n++)
		landscapelod[n] = 16;
	landscapelod[10 * LODSIZE + 10] = 1;
	landscapelod[10 * LODSIZE + 12] = 0;  // culled sectors stay culled
	limitlandscapelod();
	EXPECT_EQ(landscapelod[10 * LODSIZE + 11], 2);
	EXPECT_EQ(landscapelod[10 * LODSIZE + 12], 0);
	EXPECT_EQ(landscapelod[10 * LODSIZE + 8], 4);
	EXPECT_EQ(landscapelod[11 * LODSIZE + 12], 8);
	for (int r = 0; r < SECTORS; r++)
		for (int c = 0; c + 1 < SECTORS; c++) {
			int a = landscapelod[r * LODSIZE + c], b = landscapelod[r * LODSIZE + c + 1];
			if (a && b) {
				EXPECT_TRUE(a <= 2 * b && b <= 2 * a);
			}
		}
}

// A closed, consistently wound mesh uses every directed edge once and its
// reverse once; degenerate edges of the triangle form do not count.
static void expectclosed(const vector3 *v, int n)
{
	std::map<std::tuple<float, float, float, float, float, float>, int> edges;
	for (int q = 0; q < n; q += 4)
		for (int k = 0; k < 4; k++) {
			const vector3 &a = v[q + k], &b = v[q + (k + 1) % 4];
			if (a.x == b.x && a.y == b.y && a.z == b.z)
				continue;
			edges[std::make_tuple(a.x, a.y, a.z, b.x, b.y, b.z)]++;
		}
	for (auto &e : edges) {
		auto [ax, ay, az, bx, by, bz] = e.first;
		EXPECT_EQ(e.second, 1);
		auto back = edges.find(std::make_tuple(bx, by, bz, ax, ay, az));
		ASSERT_NE(back, edges.end());
		EXPECT_EQ(back->second, 1);
	}
}

static float signedvolume(const vector3 *v, int n)
{
	float sum = 0.0f;
	for (int q = 0; q < n; q += 4)
		for (int k = 1; k < 3; k++) {
			const vector3 &a = v[q], &b = v[q + k], &c = v[q + k + 1];
			sum += a.x * (b.y * c.z - b.z * c.y) - a.y * (b.x * c.z - b.z * c.x) +
				a.z * (b.x * c.y - b.y * c.x);
		}
	return sum / 6.0f;
}

TEST(ShadowVolume, QuadAndTriangleVolumesAreClosed)
{
	vector3 light = {0.3f, 0.9f, 0.1f};
	normalizevector(&light, &light);
	vector3 quad[4] = {{0, 10, 0}, {4, 10, 0}, {4, 10, 3}, {0, 10, 3}};
	vector3 out[SHADOWQUADVERTS];
	EXPECT_EQ(shadowvolume(out, quad, &light, 1, 20.0f), 24);
	expectclosed(out, 24);
	vector3 tri[4] = {{0, 10, 0}, {4, 11, 0}, {4, 12, 3}, {4, 12, 3}};
	EXPECT_EQ(shadowvolume(out, tri, &light, 0, 20.0f), 20);
	expectclosed(out, 20);
}

TEST(ShadowVolume, EachCountingPassGetsTheFacesItDrawsAndEdgeOnFacesGoToBoth)
{
	// Counter-clockwise seen from +z.
	vector3 face[4] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
	vector3 front = {0.5f, 0.5f, 10}, behind = {0.5f, 0.5f, -10}, edge = {5, 0.5f, 0};
	EXPECT_TRUE(shadowfacekept(face, 1, &front));
	EXPECT_FALSE(shadowfacekept(face, -1, &front));
	EXPECT_FALSE(shadowfacekept(face, 1, &behind));
	EXPECT_TRUE(shadowfacekept(face, -1, &behind));
	EXPECT_TRUE(shadowfacekept(face, 1, &edge));
	EXPECT_TRUE(shadowfacekept(face, -1, &edge));
	EXPECT_TRUE(shadowfacekept(face, 0, &behind));
	// Every face of a closed volume goes to exactly one pass or to both.
	vector3 light = {0.2f, 0.9f, 0.3f};
	vector3 v[4] = {{0, 10, 0}, {4, 10, 0}, {4, 10, 3}, {0, 10, 3}};
	vector3 out[SHADOWQUADVERTS];
	int n = shadowvolume(out, v, &light, 1, 20.0f);
	int first = 0, second = 0;
	for (int q = 0; q < n; q += 4) {
		int a = shadowfacekept(&out[q], 1, &front), b = shadowfacekept(&out[q], -1, &front);
		EXPECT_TRUE(a || b);
		first += a, second += b;
	}
	EXPECT_GT(first, 0);
	EXPECT_GT(second, 0);
}

TEST(ShadowVolume, FarEndOfTheHighestVertexLiesOneUnitUnderWater)
{
	float sun = 0.6f, water = 50.0f, h = 80.0f;
	float k = shadowlength(h, water, sun);
	EXPECT_NEAR(h - k * sun, water - 1.0f, 1e-4f);
	// More than 1 unit under water: swept towards the sun up to the same height.
	k = shadowlength(40.0f, water, sun);
	EXPECT_LT(k, 0.0f);
	EXPECT_NEAR(40.0f - k * sun, water - 1.0f, 1e-4f);
}

TEST(ShadowVolume, DeckQuadsWindTheirVolumesOutwardWhicheverSideFacesTheSun)
{
	vector3 sun = {0, 1, 0};
	vector3 c[4] = {{0, 5, 0}, {5, 5, 0}, {5, 5, 3}, {0, 5, 3}};
	vector3 flipped[4] = {c[3], c[2], c[1], c[0]};
	vector3 n1, n2;
	generatepolygonnormal(&n1, &c[0], &c[1], &c[2]);
	generatepolygonnormal(&n2, &flipped[0], &flipped[1], &flipped[2]);
	ASSERT_LT(dotproduct(&n1, &n2), 0.0f);  // one faces the sun, one away

	vector3 v[4], out[SHADOWQUADVERTS];
	cdquadshadowcorners(v, c, &sun);
	EXPECT_FLOAT_EQ(v[0].y, 4.75f);  // moved away from the sun
	shadowvolume(out, v, &sun, 1, 10.0f);
	expectclosed(out, 24);
	float vol1 = signedvolume(out, 24);
	cdquadshadowcorners(v, flipped, &sun);
	shadowvolume(out, v, &sun, 1, 10.0f);
	float vol2 = signedvolume(out, 24);
	EXPECT_NEAR(std::fabs(vol1), 150.0f, 0.01f);
	EXPECT_GT(vol1 * vol2, 0.0f);
}

TEST(Beam, HalfPrismFacesTheCamera)
{
	vector3 p1 = {0, 0, 0}, p2 = {10, 0, 0}, cam = {5, 0, 20};
	vector3 v[8], n[8];
	beamgeometry(v, n, &p1, &p2, &cam, 0.5f);
	// The middle face looks at the camera; the side faces lie across the view.
	EXPECT_NEAR(n[2].z, 1.0f, 1e-6f);
	EXPECT_NEAR(std::fabs(n[0].y), 1.0f, 1e-6f);
	EXPECT_NEAR(n[6].y, -n[0].y, 1e-6f);
	EXPECT_NEAR(v[2].x, 10.0f, 1e-6f);
	EXPECT_NEAR(v[2].z, 0.5f, 1e-6f);
	EXPECT_NEAR(v[7].x, 0.0f, 1e-6f);
}

TEST(Beam, StressColoursUnderwaterDimmingAndTrackCounts)
{
	float c[3];
	stresscolor(c, 0.0f, 0);
	EXPECT_EQ(c[0], 0.0f); EXPECT_EQ(c[1], 1.0f); EXPECT_EQ(c[2], 0.0f);
	stresscolor(c, 1.0f, 0);
	EXPECT_EQ(c[0], 1.0f); EXPECT_EQ(c[1], 0.0f); EXPECT_EQ(c[2], 0.0f);
	stresscolor(c, 1.0f, 1);
	EXPECT_EQ(c[0], 0.0f); EXPECT_EQ(c[1], 0.0f); EXPECT_EQ(c[2], 1.0f);
	stresscolor(c, 0.5f, 1);
	EXPECT_EQ(c[1], 0.5f); EXPECT_EQ(c[2], 0.5f);
	stresscolor(c, 7.0f, 0);  // out of range stress is clamped
	EXPECT_EQ(c[0], 1.0f); EXPECT_EQ(c[1], 0.0f);
	stresscolor(c, NAN, 0);
	EXPECT_EQ(c[1], 1.0f);

	EXPECT_EQ(underwaterdim(10.0f, 10.0f), 1.0f);
	EXPECT_FLOAT_EQ(underwaterdim(-22.0f, 10.0f), 0.1f);
	EXPECT_FLOAT_EQ(underwaterdim(9.0f, 10.0f), 1.0f - 1.0f / 32.0f);

	EXPECT_EQ(trackcount(7.4f), 1);
	EXPECT_EQ(trackcount(7.5f), 2);
	EXPECT_EQ(trackcount(NAN), 0);
	EXPECT_EQ(trackcount(INFINITY), 0);
	EXPECT_EQ(trackcount(1e30f), 0);
	EXPECT_EQ(trackcount(-3.0f), 0);
}

TEST(Camera, FreeAndChaseFramesFromTheirRecords)
{
	playerstruct p = {};
	resetorientation(&p.axes);
	p.target = {1280, 360, 1285};
	p.distance = 80;
	framestruct f;
	framefromplayer(&f, &p);
	EXPECT_FLOAT_EQ(f.position.z, 1365.0f);
	EXPECT_FLOAT_EQ(f.position.y, 360.0f);

	// Yaw a quarter turn: the camera swings round the target to +x.
	p.yaw = 1.5707964f;
	framefromplayer(&f, &p);
	EXPECT_NEAR(std::fabs(f.position.x - 1280.0f), 80.0f, 1e-3f);
	EXPECT_NEAR(f.position.z, 1285.0f, 1e-3f);

	orientation axes;
	resetorientation(&axes);
	vector3 pos = {10, 20, 30};
	p.yaw = 0;
	p.distance = 7;
	framefromobject(&f, &p, &pos, &axes, 0);  // inside view: 2 units ahead
	EXPECT_FLOAT_EQ(f.position.z, 28.0f);
	framefromobject(&f, &p, &pos, &axes, 1);  // chase view: distance behind
	EXPECT_FLOAT_EQ(f.position.z, 37.0f);
}

// A phase that ends deletes the followed vehicle after the tick chose the
// vehicle camera's record, whose target and axes nothing ever set.
TEST(Camera, AVehicleGoneFallsBackToTheFreeCameraInTheSameFrame)
{
	player[0] = {};
	resetorientation(&player[0].axes);
	player[0].target = {1280, 360, 1285};
	player[0].distance = 80;
	player[2] = {};
	playernum = 2;
	numofobjects = 0;
	for (int index : {0, 5, -7}) {
		sim.followobject = index;
		setupframe();
		EXPECT_EQ(sim.followobject, index < 0 ? index : -1);
		EXPECT_FLOAT_EQ(frame.position.z, 1365.0f);
		EXPECT_FLOAT_EQ(frame.axes.v[2].z, 1.0f);
	}
	playernum = 0;
}

TEST(EditorMeshes, BallsOfThirtyVerticesAtTheirRadii)
{
	setuppointrender();
	const meshstruct *m[3] = {&mesh, &meshtemp, &meshtemp2};
	const float radius[3] = {2.0f, 2.25f, 1.5f};
	for (int k = 0; k < 3; k++) {
		EXPECT_EQ(m[k]->numofvertices, 30);
		EXPECT_EQ(m[k]->numofpolygons, 32);
		for (int v = 0; v < 30; v++) {
			const float *p = m[k]->vertex[v];
			EXPECT_NEAR(std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]), radius[k], 1e-5f);
		}
		for (int t = 0; t < 32; t++)
			for (int c = 0; c < 3; c++) {
				EXPECT_GE(m[k]->polygon[t][c], 0);
				EXPECT_LT(m[k]->polygon[t][c], 30);
			}
	}
	EXPECT_EQ(gridlinekind(1280 / 5), 2);
	EXPECT_EQ(gridlinekind(1300 / 5), 1);
	EXPECT_EQ(gridlinekind(1285 / 5), 0);
}

// The controllers read the live input records.
static void clearinput()
{
	memset(keyboard, 0, sizeof keyboard);
	memset(&mouse, 0, sizeof mouse);
	memset(&prevmouse, 0, sizeof prevmouse);
	mouse.x = 320;
	mouse.y = 240;
	windowinfo.active = 1;
	config.mouselocked = 0;
	config.fullscreen = 0;
	editor.movemode = 0;
	playernum = 0;
	player[0] = {};
	resetorientation(&player[0].axes);
	player[0].target = {1280, 360, 1285};
	player[0].distance = 80;
}

TEST(CameraControl, InactiveWindowHoldsBothCameras)
{
	clearinput();
	windowinfo.active = 0;
	keyboard['q'] = keyboard['w'] = keyboard[273] = 1;
	moveviewpoint();
	moveobjectviewpoint();
	EXPECT_EQ(player[0].distance, 80.0f);
	EXPECT_EQ(player[0].target.y, 360.0f);
	EXPECT_EQ(player[0].pitch, 0.0f);
}

TEST(CameraControl, EdgePanNeedsAGrabbedPointerAndCtrlSpeedsItUp)
{
	clearinput();
	mouse.x = 0;
	moveviewpoint();
	EXPECT_FLOAT_EQ(player[0].target.x, 1280.0f - 0.75f);
	keyboard[KEY_LCTRL] = 1;
	mouse.leftbutton = 1;
	moveviewpoint();
	EXPECT_FLOAT_EQ(player[0].target.x, 1280.0f - 0.75f - 3.0f);
	config.mouselocked = 1;  // a free pointer in a window does not pan
	moveviewpoint();
	EXPECT_FLOAT_EQ(player[0].target.x, 1280.0f - 0.75f - 3.0f);
}

TEST(CameraControl, ClampsAndResets)
{
	clearinput();
	keyboard[273] = 1;  // Up
	keyboard['q'] = 1;
	for (int n = 0; n < 200; n++)
		moveviewpoint();
	EXPECT_EQ(player[0].pitch, 1.0f);
	EXPECT_EQ(player[0].distance, 10.0f);

	clearinput();
	keyboard['q'] = 1;
	player[0].pitch = 3.0f;
	for (int n = 0; n < 200; n++)
		moveobjectviewpoint();
	EXPECT_EQ(player[0].distance, 7.0f);
	EXPECT_EQ(player[0].pitch, 3.0f);  // the vehicle camera leaves pitch alone

	clearinput();
	player[0].target = {1, 2, 3};
	player[0].yaw = 0.5f;
	keyboard['e'] = 1;
	moveviewpoint();
	EXPECT_EQ(player[0].yaw, 0.0f);
	EXPECT_EQ(player[0].target.x, 1.0f);
	keyboard[KEY_LSHIFT] = 1;
	moveviewpoint();
	EXPECT_EQ(player[0].target.x, 1280.0f);
	EXPECT_EQ(player[0].target.z, 1285.0f);
}

TEST(CameraControl, WheelInMoveModeOneRaisesEveryTickAndZoomsOnce)
{
	clearinput();
	editor.movemode = 1;
	mouse.wheelup = 1;
	moveviewpoint();
	prevmouse = mouse;
	moveviewpoint();
	EXPECT_FLOAT_EQ(player[0].target.y, 361.5f);
	EXPECT_FLOAT_EQ(player[0].distance, 79.0f);
}
