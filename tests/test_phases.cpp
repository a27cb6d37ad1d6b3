// Test runs played out headless on the small world: vehicles over a truss,
// a weak bridge, drawbridges, earthquakes, boats, and the phase machine's
// timing and determinism. The invariant checker runs after every step.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/input.h"
#include "tests/simcheck.h"
#include "tests/vehicleworld.h"
#include "world/bond.h"
#include "world/cdquad.h"
#include "world/level.h"
#include "world/materials.h"
#include "world/particle.h"
#include "world/simsetup.h"
#include "world/simulation.h"
#include "world/soundevents.h"
#include "world/sprite.h"
#include "world/vehicle.h"

// The simulation's sound calls, in place of the headless ones: how many
// hydraulic sounds are looping.
static int hydraulicsounding;

void playsound(int id, const vector3 *position, const vector3 *velocity, int looping,
	float gain, float pitch)
{
	if (id == SOUND_HYDRAULIC && looping)
		hydraulicsounding++;
}

void deletesound(int index)
{
}

void stopsounds(int id)
{
	if (id == SOUND_HYDRAULIC)
		hydraulicsounding = 0;
}

void stopallsounds()
{
	hydraulicsounding = 0;
}

void rebindsounds(int from, int to)
{
}

// The camera hooks, in place of the headless ones: the mouse ray meets the
// editing plane at draghit while dragon is set.
static int dragon;
static vector3 draghit;

void shakecameratarget(const vector3 *delta)
{
}

void renumbercameraobjects(int n, int last)
{
}

int mousedragpoint(vector3 *hit)
{
	*hit = draghit;
	return dragon;
}

// One step and the invariants; false (with a test failure) when they break.
static bool step()
{
	simulation();
	std::string problem = checksimulation();
	EXPECT_EQ(problem, "") << "at simulated time " << sim.time;
	return problem.empty();
}

static bool steps(int count)
{
	for (int s = 0; s < count; s++)
		if (!step())
			return false;
	return true;
}

// Steps until phasenum moves past phase or maxsteps; false when it did not.
static bool runphase(int phase, int maxsteps)
{
	for (int s = 0; s < maxsteps && phasenum <= phase; s++)
		if (!step())
			return false;
	return phasenum > phase;
}

static void placecar(int phase, float fromx, float tox)
{
	orientation axes = facingx();
	// Road vehicles keep 2 to the right of their placement.
	vector3 start = {fromx, GROUNDY, LANEZ - 2.0f};
	int car = addplacement(CARTYPE, phase, &start, &axes);
	addwaypoint(car, tox, GROUNDY, LANEZ - 2.0f);
}

static void placetrain(int phase, float fromx, float tox)
{
	orientation axes = facingx();
	vector3 start = {fromx, GROUNDY, LANEZ};
	int train = addplacement(LOCOTYPE, phase, &start, &axes);
	addcar(train, RAILCARTYPE);
	addcar(train, RAILCARTYPE);
	addwaypoint(train, tox, GROUNDY, LANEZ);
}

static int countparticles(int type)
{
	int count = 0;
	for (int i = 0; i < numofparticles; i++)
		count += particle[i].type == type;
	return count;
}

// Mass of the drawbridge joints and their halves, whole or split.
static float drawbridgemass()
{
	float mass = 0.0f;
	for (int i = 0; i < numofparticles; i++)
		if (particle[i].type == PARTICLE_DRAWBRIDGE || particle[i].type == PARTICLE_HALFJOINT)
			mass += particle[i].mass;
	return mass;
}

TEST(Phases, GoodTrussCarriesACarAndATrain)
{
	setupvehicleworld();
	buildtruss(0);
	int carphase = addphase(PHASEVEHICLES);
	int trainphase = addphase(PHASEVEHICLES);
	placecar(carphase, 70.0f, 200.0f);
	placetrain(trainphase, 80.0f, 200.0f);
	resetsim();
	ASSERT_TRUE(steps(50));

	phasenum = 1;
	ASSERT_TRUE(runphase(carphase, 2500));
	EXPECT_EQ(sim.brokenlinks, 0);
	EXPECT_FALSE(sim.testfailed);

	// The train: an engine and two cars on couplings that hold them about
	// 12 apart all the way.
	ASSERT_EQ(numofobjects, 3);
	EXPECT_EQ(object[2].lastcar, 1);
	EXPECT_EQ(object[1].lastcar, 0);
	float nearest = 100.0f, farthest = 0.0f;
	float startx = object[0].position.x;
	while (phasenum <= trainphase && sim.time < 200000) {
		ASSERT_TRUE(step());
		if (numofobjects != 3)
			break;
		for (int n = 0; n < 2; n++) {
			vector3 d;
			subtractvectors(&d, &object[n + 1].position, &object[n].position);
			nearest = fminf(nearest, vectorlength(&d));
			farthest = fmaxf(farthest, vectorlength(&d));
		}
	}
	EXPECT_GT(phasenum, trainphase) << "the train did not arrive";
	EXPECT_GT(nearest, 11.0f);
	EXPECT_LT(farthest, 13.0f);
	EXPECT_EQ(sim.brokenlinks, 0);
	EXPECT_GT(startx, 70.0f);

	// Passed: the machine stops on the slot after the last phase.
	EXPECT_EQ(phasenum, level.numofphases + 1);
	EXPECT_EQ(numofobjects, 0);
	ASSERT_TRUE(steps(20));
	EXPECT_EQ(phasenum, level.numofphases + 1);
	EXPECT_EQ(numofobjects, 0);
}

TEST(Phases, WeakBridgeBreaksAndThePhaseDoesNotEnd)
{
	setupvehicleworld();
	buildtruss(1);
	int phase = addphase(PHASEVEHICLES);
	placecar(phase, 70.0f, 200.0f);
	resetsim();
	phasenum = 1;
	ASSERT_TRUE(steps(2500));
	EXPECT_GT(sim.brokenlinks, 0);
	EXPECT_EQ(phasenum, 1);
	ASSERT_EQ(numofobjects, 1);
	EXPECT_LT(object[0].position.y, GROUNDY - 10.0f) << "the car fell";
}

static float hydraulicratio(float lo, float hi)
{
	// Returns the first type 7 bond's rest length over its length, or -1
	// when some type 7 bond lies outside lo..hi.
	float first = -1.0f;
	for (int b = 0; b < numofbonds; b++) {
		if (bond[b].type != LINKHYDRAULIC1)
			continue;
		float r = bond[b].restlength / bond[b].length;
		if (r < lo || r > hi)
			return -1.0f;
		if (first < 0.0f)
			first = r;
	}
	return first;
}

TEST(Phases, DrawbridgeRisesFallsAndCloses)
{
	setupvehicleworld();
	builddrawbridge(1);
	int up = addphase(PHASEDRAWBRIDGEUP);
	int down = addphase(PHASEDRAWBRIDGEDOWN);
	int cars = addphase(PHASEVEHICLES);
	placecar(cars, 70.0f, 200.0f);
	resetsim();
	ASSERT_TRUE(steps(50));
	ASSERT_EQ(countparticles(PARTICLE_DRAWBRIDGE), 2);
	const float jointmass = drawbridgemass();

	// Raise: each joint splits into two halves in the phase's first step.
	phasenum = 1;
	while (!sim.phasestarted)
		ASSERT_TRUE(step());
	EXPECT_EQ(countparticles(PARTICLE_DRAWBRIDGE), 0);
	EXPECT_EQ(countparticles(PARTICLE_HALFJOINT), 4);
	EXPECT_EQ(drawbridgemass(), jointmass) << "each half takes half the joint";
	ASSERT_TRUE(runphase(up, 1000));
	EXPECT_GT(hydraulicratio(0.5f, 0.501f), 0.0f) << "hydraulics not at their short limit";
	EXPECT_EQ(countparticles(PARTICLE_HALFJOINT), 4);

	// Lower: the hydraulics return exactly to their length and the halves
	// merge back into two joints, as heavy as before the split.
	ASSERT_TRUE(runphase(down, 3000));
	EXPECT_EQ(hydraulicratio(1.0f, 1.0f), 1.0f);
	EXPECT_EQ(countparticles(PARTICLE_HALFJOINT), 0);
	EXPECT_EQ(countparticles(PARTICLE_DRAWBRIDGE), 2);
	EXPECT_EQ(drawbridgemass(), jointmass);

	// Then the car crosses the closed bridge.
	ASSERT_TRUE(runphase(cars, 2500));
	EXPECT_EQ(sim.brokenlinks, 0);
}

TEST(Phases, HydraulicsFallSilentAfterALastDrawbridgePhase)
{
	setupvehicleworld();
	builddrawbridge(1);
	// The raise follows a phase of vehicles.
	addphase(PHASEVEHICLES);
	int up = addphase(PHASEDRAWBRIDGEUP);
	resetsim();
	phasenum = 1;
	int loudest = 0;
	for (int s = 0; s < 1500 && phasenum <= up; s++) {
		ASSERT_TRUE(step());
		loudest = std::max(loudest, hydraulicsounding);
	}
	ASSERT_GT(phasenum, up);
	EXPECT_GT(loudest, 0);
	ASSERT_TRUE(step());
	EXPECT_EQ(hydraulicsounding, 0) << "hydraulics still whine after the test";
}

TEST(Phases, DrawbridgePhasesWithoutJointsEndAtOnce)
{
	setupvehicleworld();
	builddrawbridge(0);
	addphase(PHASEDRAWBRIDGEUP);
	addphase(PHASEDRAWBRIDGEDOWN);
	resetsim();
	phasenum = 1;
	while (sim.time < 1000)
		ASSERT_TRUE(step());
	EXPECT_EQ(phasenum, 2) << "the raise ends in its first step";
	ASSERT_TRUE(step());
	EXPECT_EQ(phasenum, 3);
	EXPECT_EQ(countparticles(PARTICLE_HALFJOINT), 0);
}

static int pointat(float x, float y, float z)
{
	for (int i = 0; i < numofpoints; i++)
		if (point[i].position.x == x && point[i].position.y == y && point[i].position.z == z)
			return i;
	return -1;
}

// Largest distance between two corners of quad q.
static float quadspan(int q)
{
	float span = 0.0f;
	for (int a = 0; a < 4; a++)
		for (int b = 0; b < a; b++) {
			vector3 d;
			subtractvectors(&d, &particle[cdquad[q].particlenum[a]].position,
				&particle[cdquad[q].particlenum[b]].position);
			span = fmaxf(span, vectorlength(&d));
		}
	return span;
}

TEST(Phases, DeckQuadsFollowTheirLeafWhenPlainLinksHoldThem)
{
	setupvehicleworld();
	builddrawbridge(1);
	// A bridge file may hold a plain link along a deck piece's diagonal,
	// here before the deck links: the build then makes no quad bond there.
	int f4 = pointat(GAPLEFT + 40.0f, GROUNDY, FRONTZ);
	int b3 = pointat(GAPLEFT + 30.0f, GROUNDY, BACKZ);
	ASSERT_EQ(point[b3].type, POINTDRAWBRIDGE);
	for (int l = numoflinks; l > 0; l--)
		beam[l] = beam[l - 1];
	beam[0] = {3, 0, f4, b3, 0};
	numoflinks++;
	int up = addphase(PHASEDRAWBRIDGEUP);
	int down = addphase(PHASEDRAWBRIDGEDOWN);
	resetsim();
	phasenum = 1;
	ASSERT_TRUE(runphase(up, 1000));
	// Every deck piece is 10 by 10 and stays on one leaf.
	for (int q = 0; q < numofcdquads; q++)
		EXPECT_LT(quadspan(q), 15.0f) << "quad " << q << " spans the opening";
	ASSERT_TRUE(runphase(down, 3000));
	for (int q = 0; q < numofcdquads; q++)
		EXPECT_EQ(cdquad[q].active, 1);

	// Halves met the other way round: the vanishing half was a corner of a
	// quad held there only by a plain link.
	setupvehicleworld();
	resetsim();
	vector3 at[5] = {{90, 120, 160}, {100, 120, 160}, {110, 120, 160}, {110, 120, 150},
		{100, 120, 150}};
	int left = createparticle(PARTICLE_JOINT, &at[0], nullptr, -1, NEVERDIES, 1.0f);
	int i = createparticle(PARTICLE_HALFJOINT, &at[1], nullptr, -1, NEVERDIES, 1.0f);
	int j = createparticle(PARTICLE_HALFJOINT, &at[1], nullptr, -1, NEVERDIES, 1.0f);
	int c[3];
	for (int k = 0; k < 3; k++)
		c[k] = createparticle(PARTICLE_JOINT, &at[2 + k], nullptr, -1, NEVERDIES, 1.0f);
	createbond(left, i, 3, -1);
	createbond(j, c[0], 3, -1);
	createbond(c[0], c[1], 3, -1);
	createbond(c[1], c[2], 3, -1);
	createbond(c[2], j, 3, -1);
	ASSERT_EQ(createcdquad(j, c[2], c[1], c[0]), 0);
	lowerdrawbridges(0);
	EXPECT_EQ(countparticles(PARTICLE_HALFJOINT), 0);
	EXPECT_EQ(cdquad[0].particlenum[0], i);
	ASSERT_TRUE(step());
	EXPECT_EQ(cdquad[0].active, 1) << "the quad went with the vanished half";
}

TEST(Phases, OneSidedDrawbridgeJointIsNotSplit)
{
	setupvehicleworld();
	// A drawbridge joint hanging on links to its left only.
	int a = addpoint(POINTANCHOR, 100.0f, 110.0f, FRONTZ);
	int b = addpoint(POINTANCHOR, 100.0f, 100.0f, FRONTZ);
	int j = addpoint(POINTDRAWBRIDGE, 105.0f, 105.0f, FRONTZ);
	addlink(3, a, j, 0);
	addlink(3, b, j, 0);
	addphase(PHASEDRAWBRIDGEUP);
	resetsim();
	phasenum = 1;
	ASSERT_TRUE(steps(60));
	EXPECT_EQ(phasenum, 2);
	EXPECT_EQ(countparticles(PARTICLE_DRAWBRIDGE), 1);
	EXPECT_EQ(countparticles(PARTICLE_HALFJOINT), 0);
}

TEST(Phases, EarthquakeLastsItsTimeAndAnchorsStay)
{
	setupvehicleworld();
	buildtruss(0);
	int quake = addphase(PHASEEARTHQUAKE);
	resetsim();
	std::vector<vector3> anchors;
	for (int i = 0; i < numofparticles; i++)
		if (particle[i].type == PARTICLE_FIXED)
			anchors.push_back(particle[i].position);
	ASSERT_FALSE(anchors.empty());

	phasenum = 1;
	int began = 0, ended = 0;
	float strongest = 0.0f;
	while (sim.time < 10000) {
		ASSERT_TRUE(step());
		if (!began && earthquakestart)
			began = earthquakestart;
		if (!ended && phasenum > quake)
			ended = sim.time;
		strongest = fmaxf(strongest, fabsf(earthquakevelocity.x));
		size_t k = 0;
		for (int i = 0; i < numofparticles; i++)
			if (particle[i].type == PARTICLE_FIXED) {
				ASSERT_LT(k, anchors.size());
				ASSERT_EQ(memcmp(&particle[i].position, &anchors[k++], sizeof(vector3)), 0);
			}
	}
	EXPECT_EQ(began, 1000);
	EXPECT_EQ(earthquakemag, 0);
	// Over when more than 5000 ms have passed since its first step.
	EXPECT_EQ(ended, began + EARTHQUAKEMS + STEPMS);
	EXPECT_GT(strongest, 0.0f);
	// After the last phase the ground calms down.
	EXPECT_EQ(earthquakecount, 0.0f);
	EXPECT_LT(fabsf(earthquakevelocity.x), 1e-6f);
}

// A boat along the river under the bridge; its route crosses the bridge
// line at x 130.
static void placeboat(int phase)
{
	orientation axes = facingz();
	vector3 start = {130.0f, WATERY - 1.0f, 40.0f};
	int boat = addplacement(BOATTYPE, phase, &start, &axes);
	addwaypoint(boat, 130.0f, WATERY, 280.0f);
}

TEST(Phases, BoatFloatsUnderTheBridge)
{
	setupvehicleworld();
	buildtruss(0);
	int phase = addphase(PHASEVEHICLES);
	placeboat(phase);
	resetsim();
	phasenum = 1;
	float low = 1000.0f, high = -1000.0f;
	int passedunder = 0;
	while (phasenum <= phase && sim.time < 120000) {
		ASSERT_TRUE(step());
		if (numofobjects == 0 || sim.time < 4000)
			continue;
		low = fminf(low, object[0].position.y);
		high = fmaxf(high, object[0].position.y);
		if (object[0].position.z > FRONTZ + 10.0f)
			passedunder = 1;
	}
	EXPECT_GT(phasenum, phase);
	EXPECT_TRUE(passedunder);
	EXPECT_GT(low, WATERY - 1.5f);
	EXPECT_LT(high, WATERY + 1.5f);
	EXPECT_EQ(sim.brokenlinks, 0);
}

TEST(Phases, BoatHitsADeckTooLow)
{
	setupvehicleworld();
	buildlowdeck(WATERY + 1.0f);
	int phase = addphase(PHASEVEHICLES);
	placeboat(phase);
	resetsim();
	std::vector<float> startz(numofparticles);
	for (int i = 0; i < numofparticles; i++)
		startz[i] = particle[i].position.z;
	int bridgeparticles = numofparticles;
	phasenum = 1;
	float shoved = 0.0f;
	while (phasenum <= phase && sim.time < 30000) {
		ASSERT_TRUE(step());
		for (int i = 0; i < bridgeparticles && i < numofparticles; i++)
			if (particle[i].type == PARTICLE_JOINT)
				shoved = fmaxf(shoved, particle[i].position.z - startz[i]);
	}
	EXPECT_GT(shoved, 1.0f) << "the hull never pushed the deck";
}

TEST(Phases, FirstVehiclesAppearAtTheWholeSecond)
{
	setupvehicleworld();
	buildtruss(0);
	int phase = addphase(PHASEVEHICLES);
	placecar(phase, 70.0f, 200.0f);
	resetsim();
	ASSERT_TRUE(steps(62));  // Run Test at 1240 ms
	phasenum = 1;
	while (sim.time < 1980) {
		ASSERT_TRUE(step());
		EXPECT_EQ(numofobjects, 0) << sim.time;
	}
	ASSERT_TRUE(step());
	EXPECT_EQ(sim.time, 2000);
	EXPECT_EQ(numofobjects, 1);
	EXPECT_EQ(sim.phasestarted, 1);
}

// Everything the run leaves behind, for a byte comparison.
static std::vector<char> snapshot()
{
	std::vector<char> s;
	auto add = [&s](const void *p, size_t n) {
		const char *c = (const char *)p;
		s.insert(s.end(), c, c + n);
	};
	add(particle, sizeof(particle[0]) * numofparticles);
	add(bond, sizeof(bond[0]) * numofbonds);
	add(object, sizeof(object[0]) * numofobjects);
	add(sprite, sizeof(sprite[0]) * numofsprites);
	add(&sim, sizeof(sim));
	add(&phasenum, sizeof(phasenum));
	return s;
}

TEST(Phases, ResettingAndRunningAgainIsBitIdentical)
{
	setupvehicleworld();
	buildtruss(0);
	int phase = addphase(PHASEVEHICLES);
	addphase(PHASEEARTHQUAKE);
	placetrain(phase, 80.0f, 200.0f);
	std::vector<char> first;
	for (int run = 0; run < 2; run++) {
		resetsim();
		phasenum = 1;
		ASSERT_TRUE(steps(700));
		ASSERT_GT(numofsprites, 0) << "the engine smokes";
		if (run == 0)
			first = snapshot();
	}
	std::vector<char> second = snapshot();
	ASSERT_EQ(first.size(), second.size());
	EXPECT_EQ(memcmp(first.data(), second.data(), first.size()), 0);
}

TEST(Phases, VehiclesThatCannotBeMadeFailTheTest)
{
	setupvehicleworld();
	buildtruss(0);
	int phase = addphase(PHASEVEHICLES);
	orientation axes = facingx();
	vector3 start = {70.0f, GROUNDY, LANEZ};
	int train = addplacement(LOCOTYPE, phase, &start, &axes);
	addcar(train, BADTYPE);  // no physics: the whole train is refused
	addwaypoint(train, 200.0f, GROUNDY, LANEZ);
	resetsim();
	int particles = numofparticles, bonds = numofbonds;
	phasenum = 1;
	ASSERT_TRUE(steps(200));
	EXPECT_EQ(sim.testfailed, 1);
	EXPECT_EQ(numofobjects, 0);
	EXPECT_EQ(numofparticles, particles);
	EXPECT_EQ(numofbonds, bonds);
	EXPECT_EQ(phasenum, 1) << "an empty phase must not pass";
}

TEST(Phases, BadCountsNeverReadPastTheTables)
{
	setupvehicleworld();
	buildtruss(0);
	addphase(PHASEVEHICLES);
	level.numofphases = MAXPHASES + 5;
	for (int k = 0; k < MAXPHASES; k++)
		level.phase[k].type = PHASEVEHICLES;
	level.numoflevelobjects = MAXLEVELOBJECTS + 3;
	level.levelobject[0].numofwaypoints = 1000;
	level.levelobject[0].numofcars = -4;
	level.levelobject[0].type = 100000;
	level.levelobject[0].inphase[0] = 1;
	resetsim();
	phasenum = 1;
	ASSERT_TRUE(steps(120));
	EXPECT_EQ(sim.testfailed, 1);

	// A phase count past the slots ends after the last slot.
	sim.testfailed = 0;
	level.levelobject[0].inphase[0] = 0;
	ASSERT_TRUE(steps(60));
	EXPECT_EQ(phasenum, MAXPHASES + 1);
}

// The test screen follows a vehicle by its index. When the phase ends its
// vehicles go, and the next phase's take the same indices in the same step:
// the camera must not pass on to one of them, a train car perhaps.
TEST(Phases, AFollowedVehicleThatIsGoneIsFollowedNoMore)
{
	setupvehicleworld();
	buildtruss(0);
	int first = addphase(PHASEVEHICLES);
	int second = addphase(PHASEVEHICLES);
	placecar(first, 70.0f, 200.0f);
	placecar(first, 40.0f, 200.0f);
	placetrain(second, 80.0f, 200.0f);
	resetsim();
	phasenum = 1;
	while (numofobjects < 2)
		ASSERT_TRUE(step());
	sim.followobject = 1;
	deleteobject(0);
	EXPECT_EQ(sim.followobject, 0) << "the followed car moved into the freed slot";
	ASSERT_TRUE(runphase(1, 3000));
	ASSERT_EQ(numofobjects, 3);
	EXPECT_EQ(sim.followobject, -1);
}

TEST(Phases, PhasesBeyondSixteenMakeNoVehicles)
{
	setupvehicleworld();
	buildtruss(0);
	for (int k = 0; k < 18; k++)
		addphase(PHASEVEHICLES);
	placecar(17, 70.0f, 200.0f);
	resetsim();
	phasenum = 1;
	ASSERT_TRUE(steps(80));
	EXPECT_EQ(phasenum, 19);
	EXPECT_EQ(numofobjects, 0);
	EXPECT_EQ(sim.testfailed, 0);
	EXPECT_EQ(numofparticles, numofpoints) << "no vehicle was made and taken back";
}

// A car crossing a drawbridge, then its raise, run by hand.
static void manualcarsthenraise()
{
	setupvehicleworld();
	builddrawbridge(1);
	int cars = addphase(PHASEVEHICLES);
	addphase(PHASEDRAWBRIDGEUP);
	placecar(cars, 70.0f, 200.0f);
	resetsim();
	sim.manualphase = 1;
	phasenum = 1;
}

TEST(Phases, ManualMachineAdvancesOnRequest)
{
	manualcarsthenraise();
	ASSERT_TRUE(steps(60));
	ASSERT_EQ(numofobjects, 1);
	EXPECT_EQ(sim.phasestate, 0) << "the car is on its way";

	// Skipping a phase whose vehicles have not arrived fails the test.
	sim.nextphase = 1;
	ASSERT_TRUE(step());
	EXPECT_EQ(sim.testfailed, 1);
	EXPECT_EQ(phasenum, 2);
	EXPECT_EQ(numofobjects, 0);
	EXPECT_EQ(sim.nextphase, 0);

	// The drawbridge moves only while its request is held, by button or by
	// key '8'; its hydraulics sound as long as it is held.
	ASSERT_TRUE(steps(5));
	EXPECT_EQ(countparticles(PARTICLE_HALFJOINT), 0);
	keyboard['8'] = 1;
	ASSERT_TRUE(steps(5));
	keyboard['8'] = 0;
	EXPECT_EQ(countparticles(PARTICLE_HALFJOINT), 4);
	EXPECT_EQ(sim.phasestate, 2);
	EXPECT_EQ(soundplaying, 1);
	EXPECT_GT(hydraulicsounding, 0);
	ASSERT_TRUE(step());
	EXPECT_EQ(soundplaying, 0);
	EXPECT_EQ(hydraulicsounding, 0);
	sim.drawbridgeup = 1;
	ASSERT_TRUE(step());
	EXPECT_EQ(soundplaying, 1);
}

TEST(Phases, MouseDragPullsNearbyJoints)
{
	setupvehicleworld();
	buildtruss(0);
	resetsim();
	int before = numofparticles, bonds = numofbonds;
	vector3 hit = {130.0f, 105.0f, FRONTZ};
	dragstructure(&hit, 0);
	ASSERT_EQ(numofparticles, before + 1);
	int drag = numofparticles - 1;
	EXPECT_EQ(particle[drag].type, PARTICLE_DRAG);
	EXPECT_GT(numofbonds, bonds);
	for (int b = bonds; b < numofbonds; b++) {
		EXPECT_EQ(bond[b].type, BOND_DRAG);
		int other = bond[b].particle1 == drag ? bond[b].particle2 : bond[b].particle1;
		EXPECT_NE(particle[other].type, PARTICLE_FIXED);
	}
	// Held: the last drag point heads for the new hit, and a new one is made.
	vector3 next = {130.0f, 115.0f, FRONTZ};
	dragstructure(&next, 1);
	EXPECT_EQ(particle[drag].timetolive, 1);
	EXPECT_NEAR(particle[drag].velocity.y, 0.25f, 1e-6f);
	EXPECT_EQ(numofparticles, before + 2);
	EXPECT_EQ(checksimulation(), "");
	ASSERT_TRUE(steps(5));
	EXPECT_EQ(countparticles(PARTICLE_DRAG), 0) << "drag points live one step";
}

static int dragparticle()
{
	for (int i = numofparticles - 1; i >= 0; i--)
		if (particle[i].type == PARTICLE_DRAG)
			return i;
	return -1;
}

TEST(Phases, TheStepDragsWhileGrabbedAndHeld)
{
	setupvehicleworld();
	buildtruss(0);
	resetsim();
	dragon = 1;
	draghit = {130.0f, 105.0f, FRONTZ};
	mouse.leftbutton = 1;
	ASSERT_TRUE(step());
	EXPECT_EQ(countparticles(PARTICLE_DRAG), 0) << "not grabbed";
	sim.mousegrab = 1;
	mouse.leftbutton = 0;
	ASSERT_TRUE(step());
	EXPECT_EQ(countparticles(PARTICLE_DRAG), 0) << "button up";
	mouse.leftbutton = 1;
	ASSERT_TRUE(step());
	ASSERT_EQ(countparticles(PARTICLE_DRAG), 1);
	int drag = dragparticle();
	float y = particle[drag].position.y;
	// Held: the drag comes before the move, so the old point has already
	// gone some way toward the new one when the step ends.
	prevmouse.leftbutton = 1;
	draghit.y = 115.0f;
	ASSERT_TRUE(step());
	EXPECT_EQ(countparticles(PARTICLE_DRAG), 2);
	EXPECT_GT(particle[drag].position.y, y + 0.1f);
	sim.mousegrab = 0;
	dragon = 0;
	mouse = prevmouse = mousestruct{};
}

// Each material against its own figures. Held by an anchor, a stretched
// link's free end takes back 1 - (1 - stiffness)^passes of the stretch in
// one step, the link taking part in 32, 8, 4 or 2 of the solver's passes by
// its material; it breaks just past its material's stretch limit and holds
// just short of it; the wind's first push on a free link is its drag,
// 0.125 x (2 x radius x length) x air density x flow^2, over an end's mass.
TEST(Phases, EveryMaterialPullsBackBreaksAndCatchesTheWindByItsOwnFigures)
{
	setupvehicleworld();
	struct {
		int type, passes;
		float stiffness, tension, compression, radius;
	} figures[] = {{LINKIRON, 4, 0.2f, 0.06f, -0.06f, 0.4f}, {LINKSTEEL, 8, 0.2f, 0.05f, -0.05f, 0.4f},
		{LINKCABLE, 32, 0.5f, 0.12f, 0.0f, 0.25f}, {LINKSUSPENSION, 32, 0.5f, 0.16f, 0.0f, 0.5f},
		{LINKHEAVYSTEEL, 8, 0.2f, 0.06f, -0.06f, 0.6f}, {LINKHYDRAULIC1, 8, 0.2f, 0.08f, -0.08f, 0.4f},
		{LINKHYDRAULIC2, 8, 0.2f, 0.08f, -0.08f, 0.4f},
		{LINKIRON + LINKTHIN, 4, 0.2f, 0.045f, -0.045f, 0.25f},
		{LINKSTEEL + LINKTHIN, 8, 0.2f, 0.0375f, -0.0375f, 0.25f},
		{LINKHEAVYSTEEL + LINKTHIN, 8, 0.2f, 0.045f, -0.045f, 0.45f},
		// A vehicle's own bonds catch no wind: its faces do.
		{BOND_COUPLING, 8, 0.2f, 0.4f, -0.4f, 0.0f}, {BOND_FRAME, 8, 0.2f, 1e6f, -1e6f, 0.0f}};
	for (const auto &f : figures) {
		for (int test = 0; test < 6; test++) {
			resetsim();
			sim.gravity = 0;
			vector3 a = {40.0f, 130.0f, 120.0f}, b = {50.0f, 130.0f, 120.0f};
			createparticle(test < 5 ? PARTICLE_FIXED : PARTICLE_JOINT, &a, nullptr, -1, NEVERDIES, 100.0f);
			createparticle(PARTICLE_JOINT, &b, nullptr, -1, NEVERDIES, 100.0f);
			ASSERT_EQ(createbond(0, 1, f.type, -1), 0);
			float limit = test & 1 ? f.tension : f.compression;
			if (test == 0) {
				particle[1].position.x += 0.01f;
				bondsimulation();
				float back = 0.01f * (1.0f - powf(1.0f - f.stiffness, (float)f.passes));
				EXPECT_NEAR(-particle[1].velocity.x, back, 1e-5f) << "type " << f.type;
			} else if (test < 5 && limit != 0.0f) {
				float share = test < 3 ? 0.97f : 1.03f;
				particle[1].position.x += share * limit;
				checkbonds();
				EXPECT_EQ(sim.brokenlinks, share > 1.0f) << "type " << f.type << " at " << share * limit;
			} else if (test == 5) {
				sim.wind = {0.0f, 0.0f, 10.0f};
				bonddragsimulation();
				float drag = 0.125f * (2.0f * f.radius * 10.0f) * 1.29f * 0.2f * 0.2f / 100.0f;
				EXPECT_NEAR(-particle[1].velocity.z, drag, 0.001f * drag) << "type " << f.type;
			}
		}
	}
}

// Every part of the step runs. A deck piece under water sinks a little
// slower than the speed at which its drag, 0.0625 x area x water density x
// speed^2 over a corner's mass, takes back the fall a step gives (its links'
// own drag takes the rest); smoke rises by
// 0.0004 a step against its 5% slowing; the water's ripples drift 0.0005 a
// step.
TEST(Phases, ADeckSinksSlowlyInWaterSmokeRisesAndWaterDrifts)
{
	setupvehicleworld();
	int c[4];
	for (int k = 0; k < 4; k++)
		c[k] = addpoint(POINTJOINT, 120.0f + 20.0f * (k & 1), WATERY - 2.0f, k < 2 ? FRONTZ : BACKZ);
	addlink(LINKSTEEL, c[0], c[1], 1);
	addlink(LINKSTEEL, c[2], c[3], 1);
	resetsim();
	ASSERT_EQ(numofcdquads, 1);
	vector3 at = {40.0f, 130.0f, 120.0f};
	int smoke = createsprite(SPRITE_SMOKE, &at, nullptr, NEVERDIES);
	ASSERT_TRUE(steps(200));
	const float g = particletype[PARTICLE_JOINT].gravity;
	float sink = sqrtf(g * particle[0].mass / (0.0625f * 200.0f * 1000.0f));
	for (int k = 0; k < 4; k++) {
		EXPECT_LT(-particle[k].velocity.y, sink) << "corner " << k;
		EXPECT_GT(-particle[k].velocity.y, 0.85f * sink) << "corner " << k;
	}
	EXPECT_NEAR(sprite[smoke].velocity.y, 0.0004f * 0.95f / 0.05f, 1e-5f);
	EXPECT_NEAR(sim.wateroffset, 200 * 0.0005f, 1e-4f);
}

// Two earthquakes in a row: each lasts its own time, the second (of
// magnitude 0 after one of 2) swings the ground 1150 / 1550 as hard once
// the first's swing has died away.
TEST(Phases, EarthquakesInARowEachLastTheirTimeAtTheirOwnStrength)
{
	setupvehicleworld();
	buildtruss(0);
	addphase(PHASEEARTHQUAKE + 2);
	addphase(PHASEEARTHQUAKE);
	resetsim();
	phasenum = 1;
	int ended[3] = {1000, 0, 0};
	float strongest[3] = {};
	while (phasenum <= 2 && sim.time < 20000) {
		ASSERT_TRUE(step());
		if (!ended[phasenum - 1])
			ended[phasenum - 1] = sim.time;
		if (phasenum == 1 || (phasenum == 2 && sim.time > ended[1] + 1000))
			strongest[phasenum] = fmaxf(strongest[phasenum], fabsf(earthquakevelocity.x));
	}
	EXPECT_EQ(ended[1] - ended[0], EARTHQUAKEMS + STEPMS);
	EXPECT_EQ(sim.time - ended[1], EARTHQUAKEMS + 2 * STEPMS) << "the second starts a step later";
	EXPECT_NEAR(strongest[2] / strongest[1], 1150.0f / 1550.0f, 0.03f);
}

// A phase ends when its last vehicle arrives, not its first.
TEST(Phases, APhaseWaitsForItsLastVehicle)
{
	setupvehicleworld();
	buildtruss(0);
	int phase = addphase(PHASEVEHICLES);
	orientation axes = facingx();
	vector3 near = {70.0f, GROUNDY, LANEZ - 4.0f}, far = {70.0f, GROUNDY, LANEZ};
	addwaypoint(addplacement(CARTYPE, phase, &near, &axes), 180.0f, GROUNDY, LANEZ - 4.0f);
	addwaypoint(addplacement(CARTYPE, phase, &far, &axes), 280.0f, GROUNDY, LANEZ);
	resetsim();
	phasenum = 1;
	float lastx = 0.0f;
	while (phasenum == 1 && sim.time < 60000) {
		ASSERT_TRUE(step());
		if (numofobjects == 2)
			lastx = object[1].position.x;
	}
	EXPECT_EQ(phasenum, 2);
	EXPECT_GT(lastx, 265.0f);
}

// Where a phase's vehicles appear: a road vehicle 2 to the right of its
// placement and 0.25 above the road, a train and a boat on theirs, the
// train's cars 12 apart behind the engine; the train weighs its engine, its
// cars and 5000 for each coupling. Phase 16 still makes vehicles.
TEST(Phases, VehiclesAppearInTheirLanesWithTheirWeight)
{
	setupvehicleworld();
	buildtruss(0);
	for (int k = 0; k < MAXSPAWNPHASE; k++)
		addphase(PHASEVEHICLES);
	placecar(MAXSPAWNPHASE, 70.0f, 200.0f);
	placetrain(MAXSPAWNPHASE, 80.0f, 200.0f);
	placeboat(MAXSPAWNPHASE);
	resetsim();
	int bridge = numofparticles;
	phasenum = 1;
	while (numofobjects == 0 && sim.time < 3000)
		ASSERT_TRUE(step());
	EXPECT_EQ(phasenum, MAXSPAWNPHASE);
	ASSERT_EQ(numofobjects, 5);
	EXPECT_NEAR(object[0].position.z, LANEZ, 1e-3f);
	EXPECT_NEAR(object[0].position.y, GROUNDY + 0.25f + objectsize[CARTYPE].clearance, 1e-3f);
	for (int n = 1; n <= 3; n++) {
		EXPECT_NEAR(object[n].position.z, LANEZ, 1e-3f);
		EXPECT_NEAR(object[n].position.x, 80.0f - 12.0f * (n - 1), 1e-3f);
	}
	EXPECT_NEAR(object[4].position.x, 130.0f, 1e-3f);
	float train = 0.0f;
	for (int i = bridge; i < numofparticles; i++)
		if (particle[i].objectnum < 0 || (particle[i].objectnum >= 1 && particle[i].objectnum <= 3))
			train += particle[i].mass;
	EXPECT_NEAR(train, 16000.0f + 2 * 8000.0f + 2 * 5000.0f, 1.0f);
}

// The raise starts each hydraulic's sound once; a later phase of another
// type silences them.
TEST(Phases, HydraulicsSoundOnceEachAndStopInTheNextPhase)
{
	setupvehicleworld();
	builddrawbridge(1);
	addphase(PHASEVEHICLES);
	addphase(PHASEDRAWBRIDGEUP);
	addphase(PHASEVEHICLES);
	resetsim();
	int hydraulics = 0;
	for (int b = 0; b < numofbonds; b++)
		hydraulics += bond[b].type == LINKHYDRAULIC1;
	phasenum = 1;
	int loudest = 0;
	while (phasenum < 3 && sim.time < 30000) {
		ASSERT_TRUE(step());
		loudest = std::max(loudest, hydraulicsounding);
	}
	EXPECT_EQ(loudest, hydraulics);
	ASSERT_TRUE(step());
	EXPECT_EQ(hydraulicsounding, 0);
}

// Run by hand: vehicles that arrived go at once; key 9 held lowers a raised
// bridge until its halves close again.
TEST(Phases, ManualMachineLowersOnKeyNine)
{
	manualcarsthenraise();
	while (sim.phasestate != 2 && sim.time < 60000)
		ASSERT_TRUE(step());
	EXPECT_EQ(numofobjects, 0);
	sim.nextphase = 1;
	keyboard['8'] = 1;
	ASSERT_TRUE(steps(300));
	keyboard['8'] = 0;
	EXPECT_EQ(sim.testfailed, 0);
	ASSERT_EQ(countparticles(PARTICLE_HALFJOINT), 4);
	keyboard['9'] = 1;
	for (int s = 0; s < 3000 && countparticles(PARTICLE_HALFJOINT); s++)
		ASSERT_TRUE(step());
	keyboard['9'] = 0;
	EXPECT_EQ(countparticles(PARTICLE_HALFJOINT), 0);
	sim.manualphase = 0;
}

// The mouse grabs every joint within 20 of where it points, never an
// anchor; a drawbridge joint held only from its right stays whole.
TEST(Phases, TheMouseGrabsJointsWithinTwentyAndOneSidedJointsStayWhole)
{
	setupvehicleworld();
	buildtruss(0);
	resetsim();
	vector3 hit = {GAPLEFT, GROUNDY + 5.0f, FRONTZ};
	dragstructure(&hit, 0);
	int drag = numofparticles - 1;
	for (int i = 0; i < drag; i++) {
		vector3 d;
		subtractvectors(&d, &particle[i].position, &hit);
		int grabbed = 0;
		for (int b = 0; b < numofbonds; b++)
			grabbed |= bond[b].particle1 == drag && bond[b].particle2 == i;
		EXPECT_EQ(grabbed, particle[i].type != PARTICLE_FIXED && vectorlength(&d) < 20.0f) << i;
	}

	setupvehicleworld();
	int j = addpoint(POINTDRAWBRIDGE, 95.0f, 105.0f, FRONTZ);
	addlink(3, addpoint(POINTANCHOR, 100.0f, 110.0f, FRONTZ), j, 0);
	addlink(3, addpoint(POINTANCHOR, 100.0f, 100.0f, FRONTZ), j, 0);
	addphase(PHASEDRAWBRIDGEUP);
	resetsim();
	phasenum = 1;
	ASSERT_TRUE(steps(60));
	EXPECT_EQ(countparticles(PARTICLE_HALFJOINT), 0);
}

// Lowering, the halves of a joint that end up less than 2 apart (after this
// step's motion) are pulled together, each by 0.01 a step, and join once
// less than 0.05 apart; farther apart they are left alone.
TEST(Phases, HalvesPullTogetherWithinTwoAndJoinWithinFiveHundredths)
{
	setupvehicleworld();
	resetsim();
	sim.gravity = 0;
	const vector3 offset[6] = {{1.9f, 0, 0}, {2.1f, 0, 0}, {0, 0.048f, 0}, {0.052f, 0, 0},
		{0, 1.0f, 0}, {0, 0, 0}};
	for (int k = 0; k < 6; k++) {
		vector3 a = {40.0f + 10.0f * k, 130.0f, 120.0f}, b, away = {0.5f, 0, 0};
		addvectors(&b, &a, &offset[k]);
		scalevector(&away, &away, k == 5 ? 1.0f : 0.0f);  // the last pair flies apart
		createparticle(PARTICLE_HALFJOINT, &a, nullptr, -1, NEVERDIES, 1.0f);
		createparticle(PARTICLE_HALFJOINT, &b, &away, -1, NEVERDIES, 1.0f);
	}
	lowerdrawbridges(0);
	for (int k = 0; k < 6; k++)
		EXPECT_EQ(particle[2 * k].type, k == 2 ? PARTICLE_DRAWBRIDGE : PARTICLE_HALFJOINT) << k;
	for (int s = 0; s < 4; s++) {
		particlesimulation();
		lowerdrawbridges(0);
	}
	EXPECT_NEAR(particle[0].velocity.x - particle[1].velocity.x, 5 * 0.02f, 1e-5f);
	EXPECT_EQ(particle[2].velocity.x - particle[3].velocity.x, 0.0f);
}

// The editor lays a suspension cable along its curve in straight pieces;
// each piece stays one straight link, where a light cable hangs as a chain.
TEST(Phases, ASuspensionCablePieceIsOneStraightLink)
{
	setupvehicleworld();
	addlink(LINKSUSPENSION, addpoint(POINTANCHOR, 40.0f, 130.0f, FRONTZ),
		addpoint(POINTANCHOR, 90.0f, 130.0f, FRONTZ), 0);
	resetsim();
	EXPECT_EQ(numofparticles, 2);
	ASSERT_EQ(numofbonds, 1);
	EXPECT_EQ(bond[0].restlength, 50.0f);
}

// A raise that is the first phase, with the test run started between whole
// seconds, still sounds its hydraulics once it starts.
TEST(Phases, AFirstPhaseRaiseSoundsItsHydraulics)
{
	setupvehicleworld();
	builddrawbridge(1);
	addphase(PHASEDRAWBRIDGEUP);
	resetsim();
	ASSERT_TRUE(steps(62));
	phasenum = 1;
	while (!sim.phasestarted && sim.time < 3000)
		ASSERT_TRUE(step());
	EXPECT_EQ(sim.time, 2000);
	EXPECT_GT(hydraulicsounding, 0) << "the raise moves in silence";
}
