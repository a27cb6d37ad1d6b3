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
#include "world/materials.h"
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

// The route driver's throttle: full (less half the turn) beyond 40 of the
// waypoint or on the last leg, distance / 80 + 0.5 less half the turn when
// nearer, never under 0.1; within 5 of a waypoint it aims at the next one.
TEST(Vehicle, RouteDriverThrottleFollowsDistanceAndTurn)
{
	emptyworld();
	orientation axes = facingx();  // heading +x, right side +z
	objectstruct *o = &object[makecar(40.0f, 150.0f, &axes)];
	struct { float ahead, side; int next; float throttle; } leg[] = {
		{42.0f, 0.0f, 0, 1.0f}, {38.0f, 0.0f, 0, 38.0f / 80.0f + 0.5f}, {0.0f, 60.0f, 0, 0.5f},
		{0.0f, 20.0f, 0, 0.25f}, {0.0f, 6.0f, 0, 0.1f}, {5.2f, 0.0f, 0, 5.2f / 80.0f + 0.5f},
		{4.8f, 0.0f, 1, 4.8f / 80.0f + 0.5f}};
	for (const auto &l : leg) {
		o->numofwaypoints = 3;
		o->waypointnum = 0;
		o->waypoint[0] = {o->position.x + l.ahead, GROUNDY, o->position.z + l.side};
		moveobject(o - object);
		EXPECT_EQ(o->waypointnum, l.next) << l.ahead << " ahead, " << l.side << " aside";
		EXPECT_NEAR(o->throttle, l.throttle, 1e-3f) << l.ahead << " ahead, " << l.side << " aside";
	}
}

// Parked, each of four wheels carries an eighth of the weight on a spring of
// 0.125 x (1 - t)^2 a step, t the share of the probe (0.2 under a road
// vehicle, 0.25 under a train) left above the ground: the wheel centres ride
// at probe x (1 - sqrt(2 g / 0.125)), about which the body slowly rocks.
// Skidding sideways, rail wheels hold the body back by 2 x 0.99 of their
// loads, 1.98 of gravity's fall a step, until the body leans on them.
TEST(Vehicle, ParkedVehiclesRideOnTheirSpringsAndATrainSkidsOnItsRails)
{
	const float g = 0.00392f, rest = 1.0f - sqrtf(2.0f * g / 0.125f);
	for (int type : {CARTYPE, LOCOTYPE}) {
		emptyworld();
		orientation axes = facingx();
		vector3 at = {40.0f, GROUNDY + 0.25f + objectsize[type].clearance, LANEZ};
		const objectstruct *o = &object[createobject(&at, &axes, type)];
		float wheel = 0.0f;
		for (int s = 0; s < 700; s++) {
			simulation();
			if (s >= 100)
				wheel += (o->position.y + objectphysics[type].wheelposition[0].y - GROUNDY) / 600.0f;
		}
		float probe = type == CARTYPE ? 0.2f : 0.25f;
		EXPECT_NEAR(wheel, probe * rest, 0.002f * probe) << "type " << type;
		if (type != LOCOTYPE)
			continue;
		for (int k = 0; k < OBJECTPARTICLES; k++)
			particle[o->particlelist[k]].velocity.z += 0.3f;
		simulation();  // the wheels feel the skid from the next step
		const float skid = o->velocity.z;
		for (int s = 0; s < 6; s++)
			simulation();
		EXPECT_NEAR(skid - o->velocity.z, 6 * 1.98f * g, 0.03f * 6 * 1.98f * g);
	}
}

// A hull of volume V (its half extents' product) lifts each corner under
// water by 0.05 V units of momentum a step, a corner across the surface by
// the share of its line to the centre that is under water; the water's drag
// on the bottom of area A against gravity's step, 250 A g^2, holds it up
// too. So it floats at draft (M g - 250 A g^2) / (0.2 V) x half its height,
// its centre dry or not. The screw gives the stern's bottom corners a / 2500
// a step, and a face of area A moving at v into the water slows each of its
// corners by 0.0625 A rho v^2, rho 1000 x the share of both its edges there
// under water, + 1.29 for the air.
TEST(Vehicle, BoatsFloatAtTheirDraftAndPushAndDragThroughTheWater)
{
	const float g = 0.00392f;
	for (float mass : {2500.0f, 1800.0f}) {
		emptyworld();
		objectphysics[BOATTYPE].mass = mass;
		orientation axes = facingz();
		vector3 at = {130.0f, WATERY, 60.0f};
		objectstruct *o = &object[createobject(&at, &axes, BOATTYPE)];
		for (int s = 0; s < 400; s++)
			simulation();
		const vector3 *bottom = &particle[o->particlelist[0]].position;
		float height = particle[o->particlelist[4]].position.y - bottom->y;
		const float bottom6x16 = 96.0f, bow6x3 = 18.0f;
		float draft = (mass * g - 250.0f * bottom6x16 * g * g) / (0.2f * o->volume) * height / 2.0f;
		EXPECT_NEAR(WATERY - bottom->y, draft, (mass > 2000.0f ? 0.04f : 0.005f) * draft);
		if (mass > 2000.0f)
			continue;  // the centre under water: too heavy to push
		o->numofwaypoints = 1;
		o->waypoint[0] = {130.0f, WATERY, 300.0f};
		auto speed = [o]() {
			float v = 0.0f;
			for (int k = 0; k < OBJECTPARTICLES; k++)
				v += particle[o->particlelist[k]].velocity.z / OBJECTPARTICLES;
			return v;
		};
		simulation();
		EXPECT_NEAR(speed(), o->acceleration / 2500.0f / 4.0f, 0.01f * speed());
		o->numofwaypoints = 0;
		for (int k = 0; k < OBJECTPARTICLES; k++)
			particle[o->particlelist[k]].velocity.z = -0.1f;
		float rho = 2.0f * (998.71f * (WATERY - bottom->y) / height + 1.29f) + 2.0f * 1.29f;
		simulation();
		EXPECT_NEAR(0.1f + speed(), 0.0625f * bow6x3 * rho * 0.01f / mass, 2e-4f) << rho;
	}
}

// A deck quad of area A meets the wind (the current under water) x 0.02 as
// a flow across it and each corner of mass m slows by 0.0625 A rho r^2 / m,
// rho 1.29 in air and 1000 under water, though never past the flow. Bonds
// of a vehicle's frame hold the corners, as they catch no flow themselves.
TEST(Vehicle, DeckQuadsDriftInTheWindAndTheCurrent)
{
	emptyworld();
	sim.gravity = 0;
	sim.wind = {0.0f, 10.0f, 0.0f};
	sim.current = {0.0f, 8.0f, 0.0f};
	const float y[3] = {120.0f, 50.0f, 50.0f}, x[3] = {40.0f, 110.0f, 140.0f};
	const float mass[3] = {100.0f, 10000.0f, 1.0f};
	for (int q = 0; q < 3; q++) {
		int c[4];
		for (int k = 0; k < 4; k++) {
			vector3 p = {x[q] + 10.0f * (k & 1), y[q], 100.0f + 10.0f * (k >> 1)};
			c[k] = createparticle(PARTICLE_JOINT, &p, nullptr, -1, NEVERDIES, mass[q]);
		}
		ASSERT_EQ(createcdquad(c[0], c[1], c[3], c[2]), q);
		const int edge[4][2] = {{0, 1}, {1, 3}, {3, 2}, {2, 0}};
		for (const auto &e : edge)
			createbond(c[e[0]], c[e[1]], BOND_FRAME, -1);
	}
	const int count = 40;
	for (int s = 0; s < count; s++)
		simulation();
	double v[2] = {0.0, 0.0};
	const double flow[2] = {0.2, 0.16}, rho[2] = {1.29, 1000.0};
	for (int s = 0; s < count; s++)
		for (int q = 0; q < 2; q++) {
			double r = v[q] * 0.99999 + flow[q];
			v[q] = r - flow[q] - 0.0625 * 100.0 * rho[q] * r * r / mass[q];
		}
	for (int k = 0; k < 4; k++) {
		EXPECT_NEAR(particle[k].velocity.y, v[0], 0.005 * fabs(v[0])) << "in the wind";
		EXPECT_NEAR(particle[4 + k].velocity.y, v[1], 0.005 * fabs(v[1])) << "in the current";
		EXPECT_NEAR(particle[8 + k].velocity.y, -0.16f, 0.001f) << "light, in the current";
	}
}

// On a long road the engine's push fades as the front wheels near the top
// speed (max speed / 50 a step) and the wheels lose 0.5% a step, so the car
// levels off short of the top. A car on the river bed has no grip.
TEST(Vehicle, ACarLevelsOffOnALongRoadAndNotOnTheRiverBed)
{
	emptyworld();
	orientation axes = facingz();  // heading +z
	int n = makecar(50.0f, 20.0f, &axes);
	objectstruct *o = &object[n];
	o->numofwaypoints = 1;
	o->waypoint[0] = {50.0f, GROUNDY, 300.0f};
	const int count = 600;
	for (int s = 0; s < count; s++)
		simulation();
	const double top = o->maxspeed / 50.0;
	double u = 0.0;  // the body and the wheels alike, as they roll
	for (int s = 0; s < count; s++) {
		double push = o->acceleration / 2500.0 * (top - u) / top;
		u = (8.0 * u * 0.99999 + (4.0 * u + 2.0 * push) * 0.995) / 12.0;
	}
	EXPECT_NEAR(o->velocity.z, u, 0.015 * u);

	emptyworld();
	vector3 bed = {130.0f, 40.0f + 0.25f + objectsize[CARTYPE].clearance, 100.0f};
	n = createobject(&bed, &axes, CARTYPE);
	object[n].numofwaypoints = 1;
	object[n].waypoint[0] = {130.0f, 40.0f, 300.0f};
	for (int s = 0; s < 200; s++)
		simulation();
	EXPECT_NEAR(object[n].position.z, 100.0f, 0.5f) << "under water, wheels do not drive";
}

// A boat at rest in a current drifts until the water no longer flows past
// its hull: at -0.02 of the current a step, as the wind moves a body.
TEST(Vehicle, ABoatDriftsWithTheCurrent)
{
	emptyworld();
	orientation axes = facingz();
	vector3 at = {130.0f, WATERY, 100.0f};
	const objectstruct *o = &object[createobject(&at, &axes, BOATTYPE)];
	sim.current = {0.0f, 0.0f, 5.0f};
	for (int s = 0; s < 400; s++)
		simulation();
	EXPECT_NEAR(o->velocity.z, -0.1f, 0.01f);
}

// A car runs into a heavier locomotive: each contact hands on 1.2 of the
// closing speed, shared by mass, so the two part at 0.2 of the speed they
// met at, with their momentum kept.
TEST(Vehicle, ACarBumpsALocomotiveAwayAndTheyPartSlowly)
{
	emptyworld();
	sim.gravity = 0;
	orientation axes = facingx();
	vector3 a = {40.0f, 130.0f, 100.0f}, b = {50.0f, 130.0f, 100.0f};
	const objectstruct *car = &object[createobject(&a, &axes, CARTYPE)];
	const objectstruct *loco = &object[createobject(&b, &axes, LOCOTYPE)];
	for (int k = 0; k < OBJECTPARTICLES; k++)
		particle[car->particlelist[k]].velocity.x = 0.1f;
	for (int s = 0; s < 80; s++)
		simulation();
	float va = 0.0f, vb = 0.0f;
	for (int k = 0; k < OBJECTPARTICLES; k++) {
		va += particle[car->particlelist[k]].velocity.x / OBJECTPARTICLES;
		vb += particle[loco->particlelist[k]].velocity.x / OBJECTPARTICLES;
	}
	EXPECT_NEAR(car->mass * va + loco->mass * vb, car->mass * 0.1f, 0.005f * car->mass * 0.1f);
	EXPECT_NEAR(vb - va, 0.2f * 0.1f, 0.004f);
}

// Road vehicles keep 2 to the right of their placement and its waypoints.
TEST(Vehicle, RoadVehiclesKeepToTheRight)
{
	setupvehicleworld();
	orientation axes = facingx();  // right is +z
	vector3 start = {40.0f, GROUNDY, LANEZ};
	int car = addplacement(CARTYPE, addphase(PHASEVEHICLES), &start, &axes);
	addwaypoint(car, 80.0f, GROUNDY, LANEZ);
	resetsim();
	phasenum = 1;
	ASSERT_TRUE(createphaseobjects());
	EXPECT_NEAR(object[0].position.z, LANEZ + 2.0f, 1e-4f);
	EXPECT_NEAR(object[0].waypoint[0].z, LANEZ + 2.0f, 1e-4f);
}

// A boat carries along the bridge links its hull cuts through.
TEST(Vehicle, ABoatCarriesTheLinksItsHullCutsThrough)
{
	emptyworld();
	sim.gravity = 0;
	orientation axes = facingz();
	vector3 at = {130.0f, WATERY, 100.0f};
	const objectstruct *o = &object[createobject(&at, &axes, BOATTYPE)];
	vector3 a = {125.0f, WATERY + 1.0f, 104.0f}, b = {135.0f, WATERY + 1.0f, 104.0f};
	int end = createparticle(PARTICLE_JOINT, &a, nullptr, -1, NEVERDIES, 100.0f);
	createparticle(PARTICLE_JOINT, &b, nullptr, -1, NEVERDIES, 100.0f);
	createbond(end, end + 1, LINKIRON, -1);
	for (int k = 0; k < OBJECTPARTICLES; k++)
		particle[o->particlelist[k]].velocity.z = 0.05f;
	simulation();
	float boat = o->velocity.z;
	simulation();
	EXPECT_NEAR(particle[end].velocity.z, boat, 1e-6f);
	EXPECT_NEAR(particle[end + 1].velocity.z, 0.05f, 0.001f);
}

// A body without wheels dropped onto the deck is caught by it, not let
// through at the speed of its fall; sliding on it, friction of 0.3 of the
// push that carries its weight slows it by 0.3 of gravity's fall a step.
TEST(Vehicle, ADeckCatchesAFallingBodyAndHoldsItsSlideBack)
{
	setupvehicleworld();
	buildtruss(0);
	resetsim();
	objectphysics[BADTYPE] = objectphysics[CARTYPE];
	objectphysics[BADTYPE].numofwheels = 0;
	orientation axes = facingx();
	vector3 at = {112.0f, GROUNDY + 2.0f, LANEZ};
	const objectstruct *o = &object[createobject(&at, &axes, BADTYPE)];
	for (int s = 0; s < 60; s++)
		simulation();
	EXPECT_GT(o->position.y, GROUNDY);
	EXPECT_LT(fabsf(o->velocity.y), 0.02f);
	for (int k = 0; k < OBJECTPARTICLES; k++)
		particle[o->particlelist[k]].velocity.x = 0.05f;
	for (int s = 0; s < 20; s++)
		simulation();
	EXPECT_NEAR(0.05f - o->velocity.x, 20 * 0.3f * 0.00392f, 0.04f * 20 * 0.3f * 0.00392f);
}

// A deck standing half in the water: its wet corners take the current's
// drag at the density of their edges' wet share, 1000 x 1 x 0.5 (+ 1.29),
// the dry ones none in still air.
TEST(Vehicle, ADeckHalfInTheWaterDragsOnItsWetCorners)
{
	emptyworld();
	sim.gravity = 0;
	sim.current = {6.0f, 0.0f, 0.0f};
	int c[4];
	for (int k = 0; k < 4; k++) {
		vector3 p = {120.0f, WATERY - 5.0f + 10.0f * (k >> 1), 100.0f + 10.0f * (k & 1)};
		c[k] = createparticle(PARTICLE_JOINT, &p, nullptr, -1, NEVERDIES, 1000.0f);
	}
	createcdquad(c[0], c[1], c[3], c[2]);
	const int edge[4][2] = {{0, 1}, {1, 3}, {3, 2}, {2, 0}};
	for (const auto &e : edge)
		createbond(c[e[0]], c[e[1]], BOND_FRAME, -1);
	simulation();
	const float rho = 998.71f * 0.5f + 1.29f, flow = 0.02f * 6.0f;
	const float wet = -0.0625f * 100.0f * rho * flow * flow / 1000.0f;
	for (int k = 0; k < 4; k++)
		EXPECT_NEAR(particle[c[k]].velocity.x, k < 2 ? wet : 0.0f, 1e-5f) << "corner " << k;
}

// A hull crossing the surface throws spray back against its motion, once the
// face moves faster than 0.06 a step.
TEST(Vehicle, SprayFliesUpFromAHullSinkingFastEnough)
{
	for (float sink : {0.065f, 0.055f}) {
		emptyworld();
		orientation axes = identity();
		vector3 at = {130.0f, WATERY, 100.0f};
		int n = createobject(&at, &axes, CARTYPE);
		for (int k = 0; k < OBJECTPARTICLES; k++)
			particle[object[n].particlelist[k]].velocity = {0.0f, -sink, 0.0f};
		numofsprites = 0;
		objectsimulation();
		EXPECT_EQ(numofsprites, sink > 0.06f ? 20 : 0) << "sinking at " << sink;
		for (int i = 0; i < numofsprites; i++)
			EXPECT_GT(sprite[i].velocity.y, 0.9f * sink) << "up, less the water's drag";
	}
}
