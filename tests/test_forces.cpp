// The forces a player sees at work, each measured against the figure its
// rule gives: the wind on a link and on a car, the hydraulics' travel, a
// car's engine and tyres, the earthquake, a parked vehicle's weight on the
// deck, the limits at which a link breaks, and the current on a link under
// water.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/simcheck.h"
#include "tests/vehicleworld.h"
#include "world/bond.h"
#include "world/cdquad.h"
#include "world/level.h"
#include "world/materials.h"
#include "world/objectphysics.h"
#include "world/particle.h"
#include "world/simsetup.h"
#include "world/simulation.h"
#include "world/vehicle.h"

constexpr float GRAVITY = 0.00392f;  // per step, the joints' fall

static void steps(int count)
{
	for (int s = 0; s < count; s++) {
		simulation();
		ASSERT_EQ(checksimulation(), "") << "at simulated time " << sim.time;
	}
}

// A lone iron link standing upright from x, y, z, each end of the mass.
static int uprightlink(float x, float y, float z, float mass)
{
	vector3 top = {x, y + 10.0f, z}, bottom = {x, y, z};
	int a = createparticle(PARTICLE_JOINT, &bottom, nullptr, -1, NEVERDIES, mass);
	createparticle(PARTICLE_JOINT, &top, nullptr, -1, NEVERDIES, mass);
	createbond(a, a + 1, LINKIRON, -1);
	return a;
}

static vector3 meanvelocity(int n)
{
	vector3 v = {0.0f, 0.0f, 0.0f};
	for (int k = 0; k < OBJECTPARTICLES; k++)
		addvectors(&v, &v, &particle[object[n].particlelist[k]].velocity);
	scalevector(&v, &v, 1.0f / OBJECTPARTICLES);
	return v;
}

// A car facing +x parked on the ground at x, z, settled on its wheels.
static int parkedcar(float x, float z)
{
	orientation axes = facingx();
	vector3 at = {x, GROUNDY + 0.25f + objectsize[CARTYPE].clearance, z};
	int n = createobject(&at, &axes, CARTYPE);
	steps(150);
	return n;
}

// A body at rest meets the wind vector as its flow through the air and is
// pushed against it, the flow slowing as it drifts. An upright link takes
// the drag of its area (2 x radius x length) on both ends; the car's side
// faces the flow at face drag 0.5, and the push on that face's four corners
// is shared by all eight.
TEST(Forces, WindPushesALinkAndACar)
{
	setupvehicleworld();
	resetsim();
	sim.gravity = 0;
	// Five links, so that the drag is worked out both four at a time and alone.
	const float wind = 10.0f, linkmass = 100.0f;
	const int links = 5;
	for (int i = 0; i < links; i++)
		uprightlink(20.0f + 10.0f * i, 130.0f, 120.0f, linkmass);
	orientation axes = facingx();
	vector3 at = {80.0f, 130.0f, 120.0f};
	int car = createobject(&at, &axes, CARTYPE);
	sim.wind = {0.0f, 0.0f, wind};
	const int count = 50;
	steps(count);

	const vector3 *corner = objectphysics[CARTYPE].bodypoint;  // 0..3 bottom, k + 4 above k
	const double sidearea = (corner[4].y - corner[0].y) * (corner[3].z - corner[0].z);
	const double linkarea = 2.0 * bondtype[LINKIRON].radius * 10.0;
	const double cornermass = object[car].mass / 8.0;
	double vlink = 0.0, vcar = 0.0;
	for (int s = 0; s < count; s++) {
		double r = vlink * 0.99999 + 0.02 * wind;
		vlink = r - 0.02 * wind - 0.125 * linkarea * 1.29 * r * r / linkmass;
		double f = vcar * 0.99999 + 0.02 * wind;
		vcar = f - 0.02 * wind - 0.5 * 0.25 * sidearea * 0.25 * 1.29 * f * f / cornermass;
	}
	for (int k = 0; k < 2 * links; k++) {
		const vector3 &v = particle[k].velocity;
		EXPECT_NEAR(v.z, vlink, 0.005 * fabs(vlink)) << "link end " << k;
		EXPECT_NEAR(v.x, 0.0f, 0.005 * fabs(vlink));
		EXPECT_NEAR(v.y, 0.0f, 0.005 * fabs(vlink));
	}
	vector3 v = meanvelocity(car);
	EXPECT_NEAR(v.z, vcar, 0.01 * fabs(vcar));
	EXPECT_NEAR(v.x, 0.0f, 0.01 * fabs(vcar));
	EXPECT_NEAR(v.y, 0.0f, 0.01 * fabs(vcar));
}

// Each hydraulic moves 0.1 x (0.35 - |off middle| / length) a step, from 0.01
// at the ends of its travel to 0.035 midway: a full travel of half its length
// takes 20 x length x ln 3.5 steps, raising and lowering alike.
TEST(Forces, AFullRaiseAndLowerTakeTheHydraulicsTravelTime)
{
	setupvehicleworld();
	const float length[2] = {20.0f, 10.0f};
	const int type[2] = {LINKHYDRAULIC1, LINKHYDRAULIC2};
	for (int h = 0; h < 2; h++) {
		int a = addpoint(0, 40.0f, 120.0f + 20.0f * h, FRONTZ);
		addlink(type[h], a, addpoint(1, 40.0f + length[h], 120.0f + 20.0f * h, FRONTZ), 0);
	}
	addphase(PHASEDRAWBRIDGEUP);
	addphase(PHASEDRAWBRIDGEDOWN);
	resetsim();
	sim.gravity = 0;  // the free ends follow their hydraulics
	ASSERT_EQ(numofbonds, 2);
	phasenum = 1;
	int moving[2][2] = {};  // steps in which each hydraulic moved, per phase
	while (phasenum <= 2 && sim.time < 60000) {
		int phase = phasenum;
		float before[2] = {bond[0].restlength, bond[1].restlength};
		steps(1);
		for (int h = 0; h < 2; h++)
			moving[phase - 1][h] += bond[h].restlength != before[h];
	}
	for (int h = 0; h < 2; h++) {
		EXPECT_NEAR(moving[0][h], 20.0 * length[h] * log(3.5), 3.0) << "raise, hydraulic " << h;
		EXPECT_NEAR(moving[1][h], 20.0 * length[h] * log(3.5), 3.0) << "lower, hydraulic " << h;
	}
}

// Pulling away, the engine's push on the front wheels is shared by the body
// (a share for each of its eight corners) and the four wheels (a share
// each), which grip and roll at the body's speed. Skidding sideways, each
// tyre holds the body back by 0.8 x 0.99 of its load, and the loads
// together carry the car: it loses 0.792 of gravity's fall a step.
TEST(Forces, ACarPullsAwayOnItsTyresAndSkidsToAStop)
{
	setupvehicleworld();
	resetsim();
	int n = parkedcar(30.0f, LANEZ);
	objectstruct *o = &object[n];
	o->numofwaypoints = 1;
	o->waypoint[0] = {95.0f, GROUNDY, o->position.z};
	const int count = 100;
	steps(count);
	const double top = o->maxspeed / 50.0;
	double u = 0.0;  // body and wheels alike; the wheels lose 0.5% a step
	for (int s = 0; s < count; s++) {
		double push = o->acceleration / 2500.0 * (top - u) / top;
		u = (8.0 * u * 0.99999 + (4.0 * u + 2.0 * push) * 0.995) / 12.0;
	}
	vector3 v = meanvelocity(n);
	EXPECT_NEAR(v.x, u, 0.03 * u) << "speed after two seconds";
	EXPECT_NEAR(v.z, 0.0f, 0.01 * u);
	for (int w = 0; w < 4; w++)
		EXPECT_NEAR(o->wheelspeed[w], v.x, 0.03 * v.x) << "wheel " << w << " rolls with the car";

	resetsim();
	n = parkedcar(30.0f, LANEZ);
	const float skid = 0.15f;
	for (int k = 0; k < OBJECTPARTICLES; k++)
		particle[object[n].particlelist[k]].velocity.z += skid;
	steps(30);
	const float lost = 30 * 0.792f * GRAVITY;
	v = meanvelocity(n);
	EXPECT_NEAR(skid - v.z, lost, 0.03f * lost);
	EXPECT_NEAR(v.x, 0.0f, 0.01f * lost);
}

// The ground swings by sin(angle) / (1550 - 200 x magnitude) a step, the
// angle advancing 0.12, and its speed fades by 0.8 a step; every joint takes
// the ground's speed along x and z, so a free link moves with it.
TEST(Forces, AFreeLinkMovesWithTheQuake)
{
	setupvehicleworld();
	addphase(PHASEEARTHQUAKE + 1);
	resetsim();
	sim.gravity = 0;
	int link = uprightlink(40.0f, 130.0f, 120.0f, 10000.0f);  // too heavy to feel the air
	const vector3 start = particle[link].position;
	phasenum = 1;
	float angle = 0.0f;
	double ground = 0.0, speed = 0.0, moved = 0.0;
	for (int s = 1; s <= 150; s++) {
		angle += 0.12f;
		ground = 0.8 * ground + sin((double)angle) / 1350.0;
		speed = (speed + ground) * 0.99999;
		moved += speed;
		steps(1);
		if (s % 10)
			continue;
		const vector3 &p = particle[link].position;
		EXPECT_NEAR(p.x - start.x, moved, 0.005 * fabs(moved)) << "step " << s;
		EXPECT_NEAR(p.z - start.z, moved, 0.005 * fabs(moved)) << "step " << s;
		EXPECT_EQ(p.y, start.y);
	}
}

// A square of deck hung at its corners from anchors 10 above.
static void buildhangingdeck(float x, float y)
{
	const float planez[2] = {FRONTZ, BACKZ};
	for (int p = 0; p < 2; p++) {
		int a = addpoint(1, x, y, planez[p]), b = addpoint(1, x + 10.0f, y, planez[p]);
		addlink(LINKIRON, a, b, 1);
		addlink(1, a, addpoint(0, x, y + 10.0f, planez[p]), 0);
		addlink(1, b, addpoint(0, x + 10.0f, y + 10.0f, planez[p]), 0);
	}
}

static float meansag(float y)
{
	float sag = 0.0f;
	for (int k = 0; k < 4; k++)
		sag += y - particle[cdquad[0].particlenum[k]].position.y;
	return sag / 4.0f;
}

// A wheel gives the deck the share s = 0.25 M / (0.25 M + corner masses) of
// its push and the vehicle the rest, which must hold the vehicle up: each of
// the four corners under a parked vehicle of mass M carries M / 8 on top of
// its own weight, and its hanger stretches in proportion.
TEST(Forces, AParkedVehicleWeighsOnTheDeck)
{
	setupvehicleworld();
	const float decky = 120.0f;
	buildhangingdeck(40.0f, decky);
	resetsim();
	ASSERT_EQ(numofcdquads, 1);
	steps(200);
	const float empty = meansag(decky);
	const float corner = particle[cdquad[0].particlenum[0]].mass;
	objectphysics[CARTYPE].mass = 12.0f * corner;
	orientation axes = facingx();
	vector3 at = {45.0f, decky + 0.25f + objectsize[CARTYPE].clearance, LANEZ};
	ASSERT_EQ(createobject(&at, &axes, CARTYPE), 0);
	steps(500);
	EXPECT_NEAR(meansag(decky) / empty, 1.0f + 12.0f / 8.0f, 0.03f * 1.5f);
}

// A link breaks once its stretch after the step's velocities passes its
// limit, in tension or in compression, and holds just short of it. The
// stretch here comes half from the ends' positions and half from their
// velocities, along a slanting link.
TEST(Forces, ALinkBreaksJustPastItsLimitAndHoldsJustShort)
{
	setupvehicleworld();
	const vector3 dir = {3.0f / 13.0f, 4.0f / 13.0f, 12.0f / 13.0f};
	for (int type : {LINKIRON, LINKSTEEL, LINKCABLE}) {
		for (float limit : {bondtype[type].tensionlimit, bondtype[type].compressionlimit}) {
			if (limit == 0.0f)
				continue;  // a cable never breaks pushed
			for (float share : {0.97f, 1.03f}) {
				resetsim();
				vector3 a = {40.0f, 130.0f, 120.0f}, b;
				scaleaddvectors(&b, &a, &dir, 13.0f);
				createparticle(PARTICLE_JOINT, &a, nullptr, -1, NEVERDIES, 1.0f);
				createparticle(PARTICLE_JOINT, &b, nullptr, -1, NEVERDIES, 1.0f);
				ASSERT_EQ(createbond(0, 1, type, -1), 0);
				const float half = 0.5f * share * limit;
				scaleaddvectors(&particle[1].position, &b, &dir, half);
				scalevector(&particle[1].velocity, &dir, half);
				checkbonds();
				EXPECT_EQ(sim.brokenlinks, share > 1.0f ? 1 : 0)
					<< "type " << type << " stretched to " << share << " of its limit " << limit;
			}
		}
	}
}

// Under water a link meets the current as its flow, at water's density
// instead of the air's: from rest in a current c, an end of mass m is pushed
// 0.125 x area x 1000 x (0.02 c)^2 / m a step. An anchor is never moved, and
// just above the surface the wind acts at the air's density.
TEST(Forces, TheCurrentDragsALinkUnderWater)
{
	setupvehicleworld();
	resetsim();
	sim.current = {0.0f, 0.0f, 2.0f};
	sim.wind = {0.0f, 0.0f, -10.0f};
	vector3 at[] = {{20, WATERY - 20, 120}, {20, WATERY - 10, 120}, {40, WATERY - 20, 120},
		{40, WATERY - 10, 120}, {60, WATERY + 0.5f, 120}, {60, WATERY + 10.5f, 120}};
	float mass[] = {1000, 2000, 1000, 0, 1000, 2000};  // 0: an anchor
	for (int k = 0; k < 6; k++)
		createparticle(k == 3 ? PARTICLE_FIXED : PARTICLE_JOINT, &at[k], nullptr, -1, NEVERDIES,
			mass[k]);
	for (int k = 0; k < 6; k += 2)
		createbond(k, k + 1, LINKIRON, -1);
	bonddragsimulation();
	const double area = 2.0 * bondtype[LINKIRON].radius * 10.0;
	for (int k = 0; k < 6; k++) {
		double density = k < 4 ? 1000.0 : 1.29, flow = k < 4 ? 0.02 * 2.0 : 0.02 * -10.0;
		double push = k == 3 ? 0.0 : -0.125 * area * density * flow * fabs(flow) / mass[k];
		EXPECT_NEAR(particle[k].velocity.z, push, 1e-3 * fabs(push) + 1e-9) << "end " << k;
		EXPECT_EQ(particle[k].velocity.x, 0.0f);
	}
}
