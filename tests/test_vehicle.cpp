// Vehicles one at a time: creation and its axes, all-or-nothing refusal,
// deletion and renumbering, point weights, steering toward a waypoint, the
// route driver, buoyancy, hull crossings and sprites.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "tests/simcheck.h"
#include "tests/vehicleworld.h"
#include "world/bond.h"
#include "world/cdquad.h"
#include "world/level.h"
#include "world/objectphysics.h"
#include "world/particle.h"
#include "world/simsetup.h"
#include "world/simulation.h"
#include "world/sprite.h"
#include "world/vehicle.h"

static orientation identity()
{
	orientation o;
	resetorientation(&o);
	return o;
}

// An empty world with nothing simulated.
static void emptyworld()
{
	setupvehicleworld();
	resetsim();
}

static int makecar(float x, float z, const orientation *axes)
{
	vector3 at = {x, GROUNDY + 0.25f + objectsize[CARTYPE].clearance, z};
	return createobject(&at, axes, CARTYPE);
}

TEST(Vehicle, CreationBuildsTheBodyAndReadsBackItsAxes)
{
	emptyworld();
	orientation axes = identity();
	vector3 at = {50.0f, 120.0f, 50.0f};
	int n = createobject(&at, &axes, CARTYPE);
	ASSERT_EQ(n, 0);
	const objectstruct *o = &object[n];
	EXPECT_EQ(numofobjects, 1);
	EXPECT_EQ(numofparticles, OBJECTPARTICLES);
	EXPECT_EQ(numofbonds, OBJECTBONDS);
	for (int b = 0; b < numofbonds; b++)
		EXPECT_EQ(bond[b].type, BOND_FRAME);
	for (int k = 0; k < OBJECTPARTICLES; k++) {
		const particlestruct *p = &particle[o->particlelist[k]];
		EXPECT_EQ(p->type, PARTICLE_BODY);
		EXPECT_EQ(p->objectnum, n);
		EXPECT_EQ(p->timetolive, NEVERDIES);
		EXPECT_FLOAT_EQ(p->mass, objectphysics[CARTYPE].mass / 8.0f);
	}
	EXPECT_TRUE(axesnear(&o->orientation, &axes, 1e-6f));
	EXPECT_FLOAT_EQ(o->mass, objectphysics[CARTYPE].mass);
	EXPECT_FLOAT_EQ(o->volume, 1.0f * 0.75f * 2.0f);
	EXPECT_FLOAT_EQ(o->radius, 1.5f * sqrtf(1.0f + 0.75f * 0.75f + 4.0f));
	EXPECT_NEAR(o->position.y, 120.0f, 1e-4f);
	EXPECT_EQ(o->numofwheels, 4);
	EXPECT_EQ(o->steerwheel[0], 1);
	EXPECT_EQ(o->steerwheel[2], 0);
	EXPECT_EQ(o->soundnum[0], -1);
	EXPECT_EQ(checksimulation(), "");

	// Turned axes come back as given, after a frame refresh too.
	orientation turned = facingx();
	at.x = 80.0f;
	int m = createobject(&at, &turned, CARTYPE);
	ASSERT_EQ(m, 1);
	EXPECT_TRUE(axesnear(&object[m].orientation, &turned, 1e-6f));
	updateobjectframe(m);
	EXPECT_TRUE(axesnear(&object[m].orientation, &turned, 1e-6f));
}

TEST(Vehicle, CreationIsAllOrNothing)
{
	emptyworld();
	orientation axes = identity();
	vector3 at = {50.0f, 120.0f, 50.0f};

	EXPECT_EQ(createobject(&at, &axes, BADTYPE), -1) << "no physics loaded";
	EXPECT_EQ(createobject(&at, &axes, -1), -1);
	EXPECT_EQ(createobject(&at, &axes, MAXOBJECTTYPES), -1);
	objectphysics[BADTYPE] = objectphysics[CARTYPE];
	objectphysics[BADTYPE].bodypoint[5] = objectphysics[BADTYPE].bodypoint[4];
	EXPECT_EQ(createobject(&at, &axes, BADTYPE), -1) << "two corners in one place";
	objectphysics[BADTYPE].bodypoint[5] = objectphysics[CARTYPE].bodypoint[5];
	objectphysics[BADTYPE].numofwheels = 5;
	EXPECT_EQ(createobject(&at, &axes, BADTYPE), -1);
	// Physics that would drive or roll on numbers that are not finite.
	objectphysics[BADTYPE].numofwheels = 4;
	objectphysics[BADTYPE].acceleration = NAN;
	EXPECT_EQ(createobject(&at, &axes, BADTYPE), -1) << "acceleration not a number";
	objectphysics[BADTYPE].acceleration = objectphysics[CARTYPE].acceleration;
	objectphysics[BADTYPE].maxspeed = INFINITY;
	EXPECT_EQ(createobject(&at, &axes, BADTYPE), -1) << "endless top speed";
	objectphysics[BADTYPE].maxspeed = objectphysics[CARTYPE].maxspeed;
	objectphysics[BADTYPE].wheelposition[3].y = NAN;
	EXPECT_EQ(createobject(&at, &axes, BADTYPE), -1) << "a wheel nowhere";
	EXPECT_EQ(numofparticles, 0);
	EXPECT_EQ(numofbonds, 0);
	EXPECT_EQ(numofobjects, 0);
	numofobjects = MAXOBJECTS;
	EXPECT_EQ(createobject(&at, &axes, CARTYPE), -1) << "a 513th vehicle";
	numofobjects = 0;
	EXPECT_EQ(numofparticles, 0);

	// Seven particles short of the limit: the body does not fit.
	for (int i = 0; i < PARTICLELIMIT - 7; i++) {
		vector3 p = {(float)i, 300.0f, 0.0f};
		ASSERT_GE(createparticle(PARTICLE_JOINT, &p, nullptr, -1, NEVERDIES, 1.0f), 0);
	}
	EXPECT_EQ(createobject(&at, &axes, CARTYPE), -1);
	EXPECT_EQ(numofparticles, PARTICLELIMIT - 7);
	EXPECT_EQ(numofbonds, 0);
	EXPECT_EQ(numofobjects, 0);
	numofparticles--;
	EXPECT_EQ(createobject(&at, &axes, CARTYPE), 0);
	EXPECT_EQ(numofparticles, PARTICLELIMIT);
}

TEST(Vehicle, DeletionMovesTheLastVehicleIntoTheGap)
{
	emptyworld();
	orientation axes = identity();
	for (int n = 0; n < 3; n++)
		ASSERT_EQ(makecar(40.0f + 20.0f * n, 40.0f, &axes), n);
	int oldparticles[OBJECTPARTICLES];
	memcpy(oldparticles, object[0].particlelist, sizeof(oldparticles));
	objectstruct third = object[2];

	deleteobject(0);
	EXPECT_EQ(numofobjects, 2);
	EXPECT_EQ(memcmp(&object[0], &third, sizeof(third)), 0);
	for (int k = 0; k < OBJECTPARTICLES; k++) {
		EXPECT_EQ(particle[object[0].particlelist[k]].objectnum, 0);
		EXPECT_EQ(particle[oldparticles[k]].objectnum, -1);
		EXPECT_EQ(particle[oldparticles[k]].timetolive, 2);
	}
	EXPECT_EQ(checksimulation(), "");

	objectstruct first = object[0];
	deleteobject(1);
	deleteobject(5);
	deleteobject(-1);
	EXPECT_EQ(numofobjects, 1);
	EXPECT_EQ(memcmp(&object[0], &first, sizeof(first)), 0);

	// The bodies of deleted vehicles fall apart a few steps later.
	for (int s = 0; s < 4; s++) {
		simulation();
		ASSERT_EQ(checksimulation(), "");
	}
	EXPECT_EQ(numofparticles, OBJECTPARTICLES);
	EXPECT_EQ(numofbonds, OBJECTBONDS);
}

TEST(Vehicle, PointWeightsFavourTheNearestParticle)
{
	emptyworld();
	orientation axes = identity();
	int n = makecar(40.0f, 40.0f, &axes);
	objectstruct *o = &object[n];
	for (int k = 0; k < OBJECTPARTICLES; k++)
		particle[o->particlelist[k]].savedvelocity = {(float)k, 0.0f, 0.0f};

	// A point on particle 5 gives it everything.
	const vector3 on = particle[o->particlelist[5]].position;
	vector3 v;
	getforceobject(n, &v, &on);
	EXPECT_EQ(v.x, 5.0f);
	vector3 change = {0.0f, 1.0f, 0.0f};
	applyforceobject(n, &change, &on);
	for (int k = 0; k < OBJECTPARTICLES; k++)
		EXPECT_EQ(particle[o->particlelist[k]].velocity.y, k == 5 ? 1.0f : 0.0f);

	// The centre gets equal shares; so does a point where two particles
	// coincide, which zeroes every product.
	getforceobject(n, &v, &o->position);
	EXPECT_NEAR(v.x, 3.5f, 1e-5f);
	particle[o->particlelist[1]].position = particle[o->particlelist[0]].position;
	float weight[OBJECTPARTICLES];
	objectpointweights(n, &particle[o->particlelist[0]].position, weight);
	for (int k = 0; k < OBJECTPARTICLES; k++)
		EXPECT_EQ(weight[k], 1.0f / OBJECTPARTICLES);
}

TEST(Vehicle, HullCrossingFindsTheNearestFace)
{
	emptyworld();
	orientation axes = identity();
	vector3 at = {50.0f, 120.0f, 50.0f};
	int n = createobject(&at, &axes, CARTYPE);
	vector3 hit, normal;
	float t;
	int corners[3];
	// From above, straight down through the roof (y 120.75).
	vector3 p0 = {50.2f, 121.5f, 50.3f}, p1 = {50.2f, 119.5f, 50.3f};
	ASSERT_TRUE(lineintersectobject(&hit, &normal, &t, &p0, &p1, n, corners));
	EXPECT_NEAR(hit.y, 120.75f, 1e-4f);
	EXPECT_NEAR(normal.y, 1.0f, 1e-6f) << "faces point outward";
	EXPECT_NEAR(t, 0.375f, 1e-5f);
	for (int k = 0; k < 3; k++)
		EXPECT_EQ(particle[corners[k]].position.y, particle[object[n].particlelist[4]].position.y);
	// Starting farther than the radius away: no test at all.
	vector3 far0 = {50.2f, 130.0f, 50.3f};
	EXPECT_FALSE(lineintersectobject(&hit, &normal, &t, &far0, &p1, n, corners));
	// Ending short of the hull.
	vector3 short1 = {50.2f, 121.0f, 50.3f};
	EXPECT_FALSE(lineintersectobject(&hit, &normal, &t, &p0, &short1, n, corners));
}

// Steps the world until the vehicle's heading (its -back row) has turned
// toward want, or the steps run out; returns the last dot product.
static float turntoward(int n, const vector3 *want, int maxsteps)
{
	float d = 0.0f;
	for (int s = 0; s < maxsteps; s++) {
		simulation();
		EXPECT_EQ(checksimulation(), "");
		vector3 heading;
		negvector(&heading, &object[n].orientation.v[2]);
		d = dotproduct(&heading, want);
		if (d > 0.7f)
			break;
	}
	return d;
}

TEST(Vehicle, CarTurnsTowardAWaypointAtItsSide)
{
	for (int side = -1; side <= 1; side += 2) {
		emptyworld();
		orientation axes = facingx();  // heading +x, right side +z
		int n = makecar(40.0f, 150.0f, &axes);
		object[n].numofwaypoints = 1;
		object[n].waypoint[0] = {40.0f, GROUNDY, 150.0f + side * 60.0f};
		moveobject(n);
		EXPECT_EQ(object[n].steer, (float)side);
		EXPECT_FLOAT_EQ(object[n].steerangle, 0.6f * side);
		vector3 want = {0.0f, 0.0f, (float)side};
		EXPECT_GT(turntoward(n, &want, 1500), 0.7f) << "side " << side;
	}
}

TEST(Vehicle, BoatTurnsTowardAWaypointAtItsSide)
{
	emptyworld();
	orientation axes = facingz();  // heading +z, right side -x
	vector3 at = {130.0f, WATERY, 100.0f};
	int n = createobject(&at, &axes, BOATTYPE);
	ASSERT_EQ(n, 0);
	object[n].numofwaypoints = 1;
	object[n].waypoint[0] = {105.0f, WATERY, 100.0f};
	moveobject(n);
	EXPECT_EQ(object[n].steer, 1.0f);
	vector3 want = {-1.0f, 0.0f, 0.0f};
	EXPECT_GT(turntoward(n, &want, 1500), 0.7f);
}

TEST(Vehicle, BoatOutOfTheWaterGetsNoThrust)
{
	emptyworld();
	orientation axes = facingz();
	vector3 at = {40.0f, GROUNDY + 5.0f, 100.0f};
	int n = createobject(&at, &axes, BOATTYPE);
	object[n].throttle = 1.0f;
	boatsim(n);
	for (int k = 0; k < OBJECTPARTICLES; k++) {
		const vector3 &v = particle[object[n].particlelist[k]].velocity;
		EXPECT_EQ(v.x, 0.0f);
		EXPECT_EQ(v.z, 0.0f);
	}
}

TEST(Vehicle, RouteDriverAdvancesAndCoasts)
{
	emptyworld();
	orientation axes = facingx();
	int n = makecar(40.0f, 150.0f, &axes);
	objectstruct *o = &object[n];
	o->numofwaypoints = 2;
	o->waypoint[0] = {43.0f, GROUNDY, o->position.z};
	o->waypoint[1] = {100.0f, GROUNDY, o->position.z};
	moveobject(n);
	EXPECT_EQ(o->waypointnum, 1) << "within 5 of the waypoint";
	// Heading for the last waypoint: full throttle when going straight.
	EXPECT_EQ(o->throttle, 1.0f);

	o->waypoint[1] = {44.0f, GROUNDY, o->position.z};
	moveobject(n);
	EXPECT_EQ(o->waypointnum, 2) << "passed the last one";
	moveobject(n);
	EXPECT_EQ(o->throttle, 0.0f);
	EXPECT_EQ(o->steer, 0.0f);

	// Coasting: the wheels only slow down.
	o->wheelspeed[0] = 0.2f;
	o->wheelspeed[3] = 0.1f;
	moveobject(n);
	EXPECT_EQ(o->wheelspeed[0], 0.2f * 0.995f);
	EXPECT_EQ(o->wheelspeed[3], 0.1f * 0.995f);
	o->lastcar = 1;
	moveobject(n);
	EXPECT_EQ(o->wheelspeed[3], 0.1f * 0.995f * 0.995f * 0.95f);

	// Between far and near: throttle eases off with the distance.
	o->waypointnum = 0;
	o->waypoint[0] = {o->position.x + 20.0f, GROUNDY, o->position.z};
	moveobject(n);
	EXPECT_NEAR(o->throttle, 20.0f / 80.0f + 0.5f, 1e-4f);
}

TEST(Vehicle, SubmergedBodyGetsItsBuoyancy)
{
	emptyworld();
	orientation axes = identity();
	vector3 at = {130.0f, WATERY - 10.0f, 100.0f};
	int n = createobject(&at, &axes, CARTYPE);
	objectsimulation();
	const objectstruct *o = &object[n];
	for (int k = 0; k < OBJECTPARTICLES; k++) {
		const particlestruct *p = &particle[o->particlelist[k]];
		float lift = 0.125f * o->volume * 1000.0f / p->mass / 2500.0f;
		EXPECT_FLOAT_EQ(p->velocity.y, lift);
	}
	// In the air nothing lifts it, and at rest no drag acts.
	emptyworld();
	at.y = GROUNDY + 20.0f;
	n = createobject(&at, &axes, CARTYPE);
	objectsimulation();
	for (int k = 0; k < OBJECTPARTICLES; k++)
		EXPECT_EQ(particle[object[n].particlelist[k]].velocity.y, 0.0f);
}

TEST(Sprites, CreationLimitAndExpiry)
{
	numofsprites = 0;
	vector3 at = {0.0f, 0.0f, 0.0f};
	for (int i = 0; i < MAXLIVESPRITES; i++)
		ASSERT_EQ(createsprite(SPRITE_SMOKE, &at, nullptr, 5), i);
	EXPECT_EQ(createsprite(SPRITE_SMOKE, &at, nullptr, 5), -1);
	EXPECT_EQ(numofsprites, MAXLIVESPRITES);

	numofsprites = 0;
	createsprite(SPRITE_SMOKE, &at, nullptr, 0);
	createsprite(SPRITE_SMOKE, &at, nullptr, 1);
	createsprite(SPRITE_SMOKE, &at, nullptr, NEVERDIES);
	spritetimetolive();
	EXPECT_EQ(numofsprites, 2);
	spritetimetolive();
	spritetimetolive();
	ASSERT_EQ(numofsprites, 1);
	EXPECT_EQ(sprite[0].timetolive, NEVERDIES);
}

TEST(Sprites, SprayScattersAndFallsSmokeRises)
{
	numofsprites = 0;
	vector3 at = {0.0f, 0.0f, 0.0f};
	int shortest = 1000, longest = 0;
	for (int i = 0; i < 400; i++) {
		createsprite(SPRITE_SPRAY, &at, nullptr, 100);
		shortest = std::min(shortest, sprite[i].timetolive);
		longest = std::max(longest, sprite[i].timetolive);
		EXPECT_EQ(sprite[i].velocity.y, 0.0f);
		EXPECT_LE(fabsf(sprite[i].velocity.x), 0.1f);
	}
	EXPECT_GE(shortest, 68);
	EXPECT_LE(longest, 131);
	EXPECT_LT(longest - shortest, 64);

	numofsprites = 0;
	createsprite(SPRITE_SMOKE, &at, nullptr, 5000);
	createsprite(SPRITE_SPRAY, &at, nullptr, 5000);
	for (int s = 0; s < 400; s++)
		spritesimulation();
	EXPECT_NEAR(sprite[0].velocity.y, 0.95f * 0.0004f / 0.05f, 1e-5f);
	EXPECT_GT(sprite[0].position.y, 0.0f);
	EXPECT_LT(sprite[1].velocity.y, 0.0f);
}

TEST(DeckCandidates, FindEveryQuadASegmentCrosses)
{
	// Quads of a truss deck, some bent out of shape, and a wide one.
	setupvehicleworld();
	buildtruss(0);
	resetsim();
	for (int i = 0; i < numofparticles; i += 3)
		particle[i].position.y += (float)(i % 7) - 3.0f;
	particle[cdquad[0].particlenum[1]].position.z -= 80.0f;
	updatedeckbounds();

	static int candidate[MAXCDQUADS];
	unsigned seed = 12345;
	auto next = [&seed]() {
		seed = seed * 1103515245u + 12345u;
		return (float)((seed >> 8) & 0xffff) / 65535.0f;
	};
	int hits = 0;
	for (int n = 0; n < 20000; n++) {
		vector3 p0 = {90.0f + 80.0f * next(), 90.0f + 25.0f * next(), 60.0f + 110.0f * next()};
		float reach = n % 10 == 0 ? 80.0f : 4.0f;
		vector3 p1 = {p0.x + reach * (next() - 0.5f), p0.y + reach * (next() - 0.5f),
			p0.z + reach * (next() - 0.5f)};
		vector3 lo = {fminf(p0.x, p1.x), fminf(p0.y, p1.y), fminf(p0.z, p1.z)};
		vector3 hi = {fmaxf(p0.x, p1.x), fmaxf(p0.y, p1.y), fmaxf(p0.z, p1.z)};
		int count = deckcandidates(&lo, &hi, candidate);
		for (int i = 1; i < count; i++)
			ASSERT_LT(candidate[i - 1], candidate[i]) << "in index order, each once";
		int c = 0;
		for (int q = 0; q < numofcdquads; q++) {
			vector3 hit, normal;
			float t;
			if (!lineintersectcdquad(&hit, &normal, &t, &p0, &p1, q))
				continue;
			hits++;
			while (c < count && candidate[c] < q)
				c++;
			ASSERT_TRUE(c < count && candidate[c] == q) << "quad " << q << " missed";
		}
	}
	EXPECT_GT(hits, 100);
}

TEST(Vehicle, HullCuttingTheWaterThrowsSprayAtTheWaterline)
{
	for (int type : {CARTYPE, BOATTYPE}) {
		for (int pitched = 0; pitched < 2; pitched++) {
			emptyworld();
			orientation axes = identity();
			// Level, or nose down so the waterline crosses the bottom face.
			if (pitched) {
				vector3 right = {1.0f, 0.0f, 0.0f};
				rotateorientation(&axes, &right, 0.6f);
			}
			vector3 at = {130.0f, WATERY, 100.0f};
			int n = createobject(&at, &axes, type);
			for (int k = 0; k < OBJECTPARTICLES; k++)
				particle[object[n].particlelist[k]].velocity = {0.0f, -0.5f, 0.0f};
			numofsprites = 0;
			objectsimulation();
			if (type == BOATTYPE) {
				EXPECT_EQ(numofsprites, 0) << "boats throw no spray";
				continue;
			}
			// Four faces cut the water: five sprites each, from the first
			// two crossings met of the face's edges with the surface.
			ASSERT_EQ(numofsprites, 20);
			for (int i = 0; i < numofsprites; i++)
				EXPECT_NEAR(sprite[i].position.y, WATERY, 1e-3f) << "pitched " << pitched;
		}
	}
}
