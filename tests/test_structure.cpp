// Particles, bonds, deck quads and the simulation build, alone and as whole
// bridges standing, sagging and breaking over a small landscape.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "tests/simcheck.h"
#include "tests/simscene.h"
#include "world/bond.h"
#include "world/cdquad.h"
#include "world/landscape.h"
#include "world/level.h"
#include "world/materials.h"
#include "world/particle.h"
#include "world/simrandom.h"
#include "world/simsetup.h"
#include "world/simulation.h"
#include "world/sprite.h"

namespace {

constexpr float GAPFROM = 1260.0f;  // the valley of the default scene
constexpr float GAPTO = 1300.0f;

class Structure : public ::testing::Test {
protected:
	void SetUp() override { setupscene(GAPFROM, GAPTO, 0.0f); }
};

int addparticle(int type, float x, float y, float z, float mass = 1.0f)
{
	vector3 p = {x, y, z};
	return createparticle(type, &p, nullptr, -1, NEVERDIES, mass);
}

float distance(int a, int b)
{
	vector3 d;
	subtractvectors(&d, &particle[a].position, &particle[b].position);
	return vectorlength(&d);
}

// Runs steps, checking the invariants after each; returns the first problem.
std::string runsteps(int steps)
{
	for (int s = 0; s < steps; s++) {
		structurestep();
		std::string problem = checksimulation();
		if (!problem.empty())
			return "step " + std::to_string(s) + ": " + problem;
	}
	return "";
}

float peakstress()
{
	float peak = 0.0f;
	for (int i = 0; i < numofbonds; i++)
		peak = std::max(peak, bond[i].peakstress);
	return peak;
}

// --- particles --------------------------------------------------------------

TEST_F(Structure, ParticleCreation)
{
	struct {
		float mass, expected;
	} cases[] = {{0.0f, 0.001f}, {-5.0f, 0.001f}, {2.5f, 2.5f}};
	for (const auto &c : cases) {
		int p = addparticle(PARTICLE_JOINT, 0, 400, 0, c.mass);
		EXPECT_EQ(particle[p].mass, c.expected);
		EXPECT_EQ(particle[p].retention, particletype[PARTICLE_JOINT].retention);
		EXPECT_EQ(particle[p].collidelevel, 1);
	}
	EXPECT_EQ(addparticle(-1, 0, 0, 0), -1);

	numofparticles = PARTICLELIMIT - 1;
	EXPECT_EQ(addparticle(PARTICLE_JOINT, 0, 400, 0), PARTICLELIMIT - 1);
	EXPECT_EQ(addparticle(PARTICLE_JOINT, 0, 400, 0), -1);
	EXPECT_EQ(numofparticles, PARTICLELIMIT);
}

TEST_F(Structure, FreeFallAndFixedParticles)
{
	int joint = addparticle(PARTICLE_JOINT, 1200, 2000, 1200);
	int anchor = addparticle(PARTICLE_FIXED, 1210, 2000, 1200);
	double g = particletype[PARTICLE_JOINT].gravity, r = particletype[PARTICLE_JOINT].retention;
	double v = 0.0, y = 2000.0;
	for (int n = 1; n <= 200; n++) {
		particlesimulation();
		v = (v - g) * r;
		y += v;
		ASSERT_NEAR(particle[joint].velocity.y, v, 1e-6) << "step " << n;
		ASSERT_NEAR(particle[joint].position.y, y, 1e-3) << "step " << n;
		EXPECT_EQ(particle[anchor].position.y, 2000.0f);
		EXPECT_EQ(particle[anchor].velocity.y, 0.0f);
	}
	// Without gravity nothing falls.
	sim.gravity = 0;
	particle[joint].velocity.y = 0.0f;
	particlesimulation();
	EXPECT_EQ(particle[joint].velocity.y, 0.0f);
}

TEST_F(Structure, TimeToLive)
{
	int a = addparticle(PARTICLE_JOINT, 1200, 400, 1200);
	int b = addparticle(PARTICLE_JOINT, 1205, 400, 1200);
	int loose = addparticle(PARTICLE_JOINT, 1210, 400, 1200);
	ASSERT_NE(createbond(a, b, LINKIRON, -1), -1);
	particle[b].timetolive = 3;

	particletimetolive();  // the unbonded one goes at once
	EXPECT_EQ(numofparticles, 2);
	EXPECT_NE(loose, -1);
	for (int step = 0; step < 3; step++) {
		EXPECT_EQ(numofparticles, 2) << step;
		particletimetolive();
	}
	EXPECT_EQ(numofparticles, 1) << "a life of N lasts N + 1 steps";
	EXPECT_EQ(numofbonds, 0);
	particletimetolive();
	EXPECT_EQ(numofparticles, 0) << "the particle left without bonds follows";
}

TEST_F(Structure, DeletingAParticleRenumbersItsReferences)
{
	int p[4];
	for (int i = 0; i < 4; i++)
		p[i] = addparticle(PARTICLE_JOINT, 1200 + 5.0f * i, 400, 1200 + 3.0f * (i & 1));
	createbond(p[0], p[3], LINKIRON, -1);
	createbond(p[1], p[3], LINKIRON, -1);
	createbond(p[1], p[2], LINKIRON, -1);
	createcdquad(p[0], p[1], p[2], p[3]);

	deleteparticle(1);  // particle 3 moves into slot 1
	EXPECT_EQ(numofparticles, 3);
	EXPECT_EQ(numofbonds, 1);
	EXPECT_EQ(bond[0].particle1, 0);
	EXPECT_EQ(bond[0].particle2, 1);
	EXPECT_EQ(cdquad[0].active, 0) << "the quad lost a corner";
	EXPECT_EQ(checksimulation(), "");

	deleteparticle(2);  // the last one: nothing moves
	EXPECT_EQ(bond[0].particle2, 1);
	deleteparticle(-1);
	deleteparticle(numofparticles);
	EXPECT_EQ(numofparticles, 2);
	EXPECT_EQ(checksimulation(), "");
}

TEST_F(Structure, ParticlesDoNotFallThroughRoughGround)
{
	std::mt19937 random(99);
	for (int z = 200; z < 280; z++) {
		for (int x = 200; x < 280; x++)
			landscape.height[z * SCENESIZE + x] = 280.0f + (float)(random() % 4000) / 100.0f;
	}
	for (int n = 0; n < 100; n++) {
		float x = 1010.0f + (float)(random() % 380), z = 1010.0f + (float)(random() % 380);
		float y = 330.0f + (float)(random() % 200);
		int a = addparticle(PARTICLE_JOINT, x, y, z, 1500.0f);
		int b = addparticle(PARTICLE_JOINT, x + 3.0f, y + 1.0f, z + 2.0f, 1500.0f);
		createbond(a, b, LINKIRON, -1);
	}
	for (int step = 0; step < 700; step++) {
		structurestep();
		for (int i = 0; i < numofparticles; i++) {
			// The editor's probe: straight down onto the particle from above.
			vector3 top = particle[i].position, hit, normal;
			top.y += 200.0f;
			float t;
			ASSERT_EQ(lineintersectlevel(&hit, &normal, &t, &top, &particle[i].position), 0)
				<< "particle " << i << " under the ground at step " << step;
		}
	}
}

TEST_F(Structure, ParticleDroppedFromHighUpRestsOnTheGround)
{
	// As heavy as a short iron link, so the air hardly slows it.
	int a = addparticle(PARTICLE_JOINT, 1200, 700, 1200, 1500.0f);
	int b = addparticle(PARTICLE_JOINT, 1205, 700, 1202, 1500.0f);
	createbond(a, b, LINKIRON, -1);
	float fastest = 0.0f;
	for (int step = 0; step < 1500; step++) {
		structurestep();
		ASSERT_EQ(checksimulation(), "");
		for (int p : {a, b}) {
			ASSERT_GE(particle[p].position.y, BANKHEIGHT - 1e-3f) << "step " << step;
			fastest = std::max(fastest, -particle[p].velocity.y);
		}
	}
	EXPECT_GT(fastest, 1.0f) << "it hits the ground faster than a unit per step";
	for (int p : {a, b}) {
		EXPECT_NEAR(particle[p].position.y, BANKHEIGHT, 0.05f);
		EXPECT_LT(fabsf(particle[p].velocity.y), 0.01f);
	}
}

// Thrown down at a slant onto flat ground, a particle comes back up with 0.2
// of its speed into the ground and loses 0.4 of that speed along it; slower
// along than that, it stops sliding.
TEST_F(Structure, AParticleBouncesOffFlatGroundWithItsShareAndFriction)
{
	for (float along : {2.0f, 0.1f}) {
		numofparticles = 0;
		int p = addparticle(PARTICLE_JOINT, 1100, BANKHEIGHT + 3.0f, 1200);
		particle[p].velocity = {along, -1.0f, 0.0f};
		for (int step = 0; step < 10 && particle[p].velocity.y < 0.0f; step++)
			particlesimulation();
		const particlestruct &q = particle[p];
		float into = -q.savedvelocity.y, sliding = q.savedvelocity.x;
		EXPECT_NEAR(q.velocity.y, 0.2f * into, 1e-5f) << along;
		EXPECT_NEAR(sliding - q.velocity.x, std::min(sliding, 0.4f * into), 1e-5f) << along;
	}
}

// A particle that strikes the ground part way through a step bounces there
// and spends the rest of the step moving off at its new speed.
TEST_F(Structure, ABounceSpendsTheRestOfItsStepMovingOff)
{
	int p = addparticle(PARTICLE_JOINT, 1100, BANKHEIGHT + 0.5f, 1200);
	particle[p].velocity = {1.0f, -2.0f, 0.0f};
	particlesimulation();
	const particlestruct &q = particle[p];
	float t = 0.5f / -q.savedvelocity.y;  // the share of the step before the hit
	ASSERT_GT(q.velocity.y, 0.0f);
	EXPECT_NEAR(q.position.y, BANKHEIGHT + 0.01f + q.velocity.y * (1.0f - t), 2e-4f);
	EXPECT_NEAR(q.position.x, 1100.0f + q.savedvelocity.x * t + q.velocity.x * (1.0f - t), 2e-4f);
}

// A particle found under a slope (where the segment test missed the ground)
// is set back on the surface of the triangle under it, and its speed into
// that surface turns into the bounce share out of it.
TEST_F(Structure, AParticleUnderASlopeIsSetBackOnIt)
{
	// The plane y = 300 + 0.4 (x - 1000) + 0.2 (z - 1150), over many cells.
	for (int z = 225; z < 255; z++)
		for (int x = 195; x < 225; x++)
			landscape.height[z * SCENESIZE + x] = 300.0f + 2.0f * (x - 200) + 1.0f * (z - 230);
	vector3 up = {-0.4f, 1.0f, -0.2f};
	normalizevector(&up, &up);
	// One point on each triangle of a cell.
	for (vector3 at : {vector3{1013.5f, 0, 1161}, vector3{1012, 0, 1163}}) {
		numofparticles = 0;
		float ground = 300.0f + 0.4f * (at.x - 1000.0f) + 0.2f * (at.z - 1150.0f);
		int p = addparticle(PARTICLE_JOINT, at.x, ground - 1.0f, at.z);
		particle[p].velocity = {0.0f, -0.1f, 0.0f};
		particlesimulation();
		EXPECT_NEAR(particle[p].position.y, ground + 0.01f, 1e-3f) << at.x;
		float into = dotproduct(&particle[p].savedvelocity, &up);
		EXPECT_NEAR(dotproduct(&particle[p].velocity, &up), -0.2f * into, 1e-5f) << at.x;
	}
}

// The ground a falling particle meets: straight down beside a lone peak, in
// each of the four cells around it, the drop hits the peak's slope; a drop
// stopping just short of it hits nothing.
TEST_F(Structure, ADropBesideAPeakMeetsItsSlope)
{
	landscape.height[240 * SCENESIZE + 220] = BANKHEIGHT + 10.0f;  // at (1100, 1200)
	for (vector3 d : {vector3{1, 0, 0.5f}, vector3{-1, 0, 0.5f}, vector3{1, 0, -0.5f},
			 vector3{-1, 0, -0.5f}}) {
		vector3 from = {1100 + d.x, BANKHEIGHT + 20, 1200 + d.z}, to = from, hit, normal;
		to.y = BANKHEIGHT + 5;
		float t;
		ASSERT_EQ(lineintersectlevel(&hit, &normal, &t, &from, &to), 1) << d.x << " " << d.z;
		EXPECT_GT(hit.y, BANKHEIGHT + 6.0f);
		EXPECT_GT(normal.y, 0.0f);
		to.y = hit.y + 0.5f;
		EXPECT_EQ(lineintersectlevel(&hit, &normal, &t, &from, &to), 0) << d.x << " " << d.z;
	}
}

// --- bonds ------------------------------------------------------------------

TEST_F(Structure, BondCreationRefusals)
{
	int a = addparticle(PARTICLE_JOINT, 1200, 400, 1200);
	int b = addparticle(PARTICLE_JOINT, 1210, 400, 1200);
	int same = addparticle(PARTICLE_JOINT, 1200, 400, 1200);
	EXPECT_EQ(createbond(a, a, LINKIRON, -1), -1);
	EXPECT_EQ(createbond(a, same, LINKIRON, -1), -1) << "zero length";
	EXPECT_EQ(createbond(a, 3, LINKIRON, -1), -1);
	EXPECT_EQ(createbond(-1, a, LINKIRON, -1), -1);
	EXPECT_EQ(createbond(a, b, MAXBONDTYPES, -1), -1);
	EXPECT_EQ(createbond(a, b, LINKIRON, -1), 0);
	EXPECT_EQ(createbond(b, a, LINKSTEEL, -1), -1) << "duplicate in the other order";
	EXPECT_EQ(bond[0].length, 10.0f);
	EXPECT_EQ(bond[0].passmask, 7);
	EXPECT_EQ(particle[a].bondcount, 1);

	numofbonds = MAXBONDS;
	EXPECT_EQ(createbond(same, b, LINKIRON, -1), -1) << "full array";
}

TEST_F(Structure, ACablePullsButNeverPushes)
{
	sim.gravity = 0;
	int a = addparticle(PARTICLE_JOINT, 1200, 400, 1200);
	int b = addparticle(PARTICLE_JOINT, 1210, 400, 1200);
	createbond(a, b, LINKCABLE, -1);

	particle[b].position.x = 1208.0f;  // slack
	bondsimulation();
	EXPECT_EQ(particle[a].velocity.x, 0.0f);
	EXPECT_EQ(particle[b].velocity.x, 0.0f);
	checkbonds();
	EXPECT_EQ(numofbonds, 1) << "no break in compression";
	EXPECT_EQ(bond[0].stress, 0.0f);

	particle[b].position.x = 1210.05f;  // taut
	bondsimulation();
	EXPECT_GT(particle[a].velocity.x, 0.0f);
	EXPECT_LT(particle[b].velocity.x, 0.0f);

	// A rigid link pushes back.
	numofbonds = 0;
	particle[a].bondcount = particle[b].bondcount = 0;
	particle[a].velocity = particle[b].velocity = {0, 0, 0};
	particle[b].position.x = 1210.0f;
	createbond(a, b, LINKIRON, -1);
	particle[b].position.x = 1209.9f;
	bondsimulation();
	EXPECT_LT(particle[a].velocity.x, 0.0f);
}

// A stretched bond pulls its light end in more than its heavy one and leaves
// the pair's momentum at zero, so their mass-weighted centre stays put.
TEST_F(Structure, ABondMovesItsLightEndMoreAndKeepsTheMomentum)
{
	int light = addparticle(PARTICLE_JOINT, 1200, 400, 1200, 100.0f);
	int heavy = addparticle(PARTICLE_JOINT, 1210, 400, 1200, 900.0f);
	createbond(light, heavy, LINKIRON, -1);
	particle[heavy].position.x += 0.5f;
	bondsimulation();
	float vl = particle[light].velocity.x, vh = particle[heavy].velocity.x;
	EXPECT_GT(vl, 0.0f);
	EXPECT_NEAR(vl, -9.0f * vh, 1e-5f * vl);
	EXPECT_NEAR(100.0f * vl + 900.0f * vh, 0.0f, 1e-5f * 100.0f * vl);
}

// In one step a bond taking part in all 32 solver passes closes nearly all
// of its stretch, the same bond in only two of them less than half.
TEST_F(Structure, ABondInMorePassesClosesMoreOfItsStretch)
{
	for (int m = 0; m < 2; m++) {
		int a = addparticle(PARTICLE_JOINT, 1100, 400, 1100 + 20 * m);
		int b = addparticle(PARTICLE_JOINT, 1110, 400, 1100 + 20 * m);
		createbond(a, b, LINKIRON, -1);
		bond[m].passmask = m == 0 ? 0 : 15;
		particle[b].position.x += 0.5f;
	}
	bondsimulation();
	float closing[2];
	for (int m = 0; m < 2; m++)
		closing[m] = particle[2 * m].velocity.x - particle[2 * m + 1].velocity.x;
	// Each pass closes the share k (the stiffness) of what is left.
	double keep = 1.0 - bondtype[LINKIRON].stiffness;
	EXPECT_NEAR(closing[0], 0.5 * (1.0 - pow(keep, 32)), 2e-5);
	EXPECT_NEAR(closing[1], 0.5 * (1.0 - pow(keep, 2)), 2e-5);
	// A joint held by an anchor alone closes the stretch by itself, as fast.
	numofparticles = numofbonds = 0;
	int anchor = addparticle(PARTICLE_FIXED, 1100, 400, 1100);
	int joint = addparticle(PARTICLE_JOINT, 1110, 400, 1100);
	createbond(anchor, joint, LINKIRON, -1);
	bond[0].passmask = 0;
	particle[joint].position.x += 0.5f;
	bondsimulation();
	EXPECT_NEAR(-particle[joint].velocity.x, 0.5 * (1.0 - pow(keep, 32)), 2e-5);
}

// Every link draws its splash sound and pitch each step, dry or not.
TEST_F(Structure, EveryLinkDrawsItsSplashSoundEachStep)
{
	int a = addparticle(PARTICLE_JOINT, 1200, 400, 1200);
	int b = addparticle(PARTICLE_JOINT, 1210, 400, 1200);
	int c = addparticle(PARTICLE_JOINT, 1220, 400, 1200);
	createbond(a, b, LINKIRON, -1);
	createbond(b, c, LINKIRON, -1);
	seedsimrandom(7);
	bonddragsimulation();
	int next = simrandom();
	seedsimrandom(7);
	for (int k = 0; k < 4; k++)
		simrandom();
	EXPECT_EQ(next, simrandom());
}

// A link falling through the surface throws spray up from where it crosses
// it, and the end that has just gone under sends up a line of nine from
// above that end to where its link meets the surface; each lives about 100
// steps. Slower than 0.06 a step (a splash of 5 x speed under 0.3) it throws
// none.
TEST_F(Structure, ALinkFallingIntoTheWaterThrowsSpray)
{
	level.waterlevel = 300.0f;
	for (float speed : {0.058f, 0.064f, -0.064f}) {  // the last: the link made the other way
		numofparticles = numofbonds = numofsprites = 0;
		int a = addparticle(PARTICLE_JOINT, 1200, 299.5f, 1200);
		int b = addparticle(PARTICLE_JOINT, 1203, 309.5f, 1200);
		createbond(speed > 0.0f ? a : b, speed > 0.0f ? b : a, LINKIRON, -1);
		speed = fabsf(speed);
		particle[a].prevposition.y = 300.5f;
		particle[b].prevposition.y = 310.5f;
		particle[a].velocity = particle[b].velocity = {0, -speed, 0};
		bonddragsimulation();
		if (speed < 0.06f) {
			EXPECT_EQ(numofsprites, 0);
			continue;
		}
		ASSERT_EQ(numofsprites, 1 + 9);
		EXPECT_NEAR(sprite[0].position.x, 1200.0f + 3.0f * 0.05f, 1e-3f) << "the crossing";
		EXPECT_NEAR(sprite[1].position.x, 1200.0f, 1e-3f) << "above the end";
		EXPECT_NEAR(sprite[9].position.x, 1200.0f + 3.0f * 0.5f / 11.0f, 1e-3f);
		for (int k = 0; k < numofsprites; k++) {
			EXPECT_NEAR(sprite[k].position.y, 300.0f, 1e-3f);
			EXPECT_GT(sprite[k].velocity.y, 0.0f) << "thrown up";
			EXPECT_NEAR(sprite[k].timetolive, 100, 32);
		}
	}
}

TEST_F(Structure, ABondBetweenFixedParticlesChangesNothing)
{
	int a = addparticle(PARTICLE_FIXED, 1200, 400, 1200);
	int b = addparticle(PARTICLE_FIXED, 1210, 400, 1200);
	createbond(a, b, LINKIRON, -1);
	particle[b].position.x = 1212.0f;
	bondsimulation();
	EXPECT_EQ(particle[a].velocity.x, 0.0f);
	EXPECT_EQ(particle[b].velocity.x, 0.0f);
}

// The solver and the drag work out several bonds at once where the
// processor allows; every bond must come out the same wherever it falls.
TEST_F(Structure, EveryBondIsSolvedAlikeWhereverItFalls)
{
	sim.wind = {2, 0, 1};
	const int copies = 13;  // 26 link bonds and 13 cable bonds: every width and the rest
	for (int c = 0; c < copies; c++) {
		float x = 1024.0f + 64.0f * c;
		int a = addparticle(PARTICLE_JOINT, x, 400, 1024, 700);
		int b = addparticle(PARTICLE_JOINT, x + 10.5f, 400, 1024, 900);
		int d = addparticle(PARTICLE_FIXED, x + 4, 408, 1024, 1);
		createbond(a, b, LINKIRON, -1);
		createbond(b, d, LINKIRON, -1);
		createbond(a, d, LINKCABLE, -1);
		particle[a].position.x -= 0.25f;  // stretched links and a stretched cable
		particle[b].velocity = {0.01f, -0.02f, 0.005f};
		particle[d].position.y += 0.5f;
	}
	bondsimulation();
	for (int c = 1; c < copies; c++) {
		for (int k = 0; k < 3; k++) {
			const vector3 &first = particle[k].velocity, &other = particle[3 * c + k].velocity;
			EXPECT_EQ(memcmp(&first, &other, sizeof(vector3)), 0) << "copy " << c << " particle " << k;
		}
	}
	EXPECT_NE(particle[0].velocity.x, 0.0f);
}

TEST_F(Structure, ZeroLimitsMeasureNoStress)
{
	int a = addparticle(PARTICLE_JOINT, 1200, 400, 1200);
	int b = addparticle(PARTICLE_JOINT, 1210, 400, 1200);
	createbond(a, b, 29, -1);  // an unwritten type: all zeros
	particle[b].position.x = 1209.0f;
	checkbonds();
	ASSERT_EQ(numofbonds, 1) << "tension-only, so no break in compression";
	EXPECT_EQ(bond[0].stress, 0.0f);
	EXPECT_EQ(bond[0].peakstress, 0.0f);
}

// A deck piece of two steel links 10 apart: two link bonds, four cross
// bonds and one quad.
void builddeckpiece()
{
	int a = addpoint(POINTJOINT, 1200, 400, FRONTZ);
	int b = addpoint(POINTJOINT, 1220, 400, FRONTZ);
	int c = addpoint(POINTJOINT, 1200, 400, BACKZ);
	int d = addpoint(POINTJOINT, 1220, 400, BACKZ);
	addlink(a, b, LINKSTEEL, 1);
	addlink(c, d, LINKSTEEL, 1);
	resetsim();
}

TEST_F(Structure, AnOverstretchedDeckBondBreaksItsQuad)
{
	builddeckpiece();
	ASSERT_EQ(numofbonds, 6);
	ASSERT_EQ(numofcdquads, 1);
	ASSERT_EQ(bond[0].cdquadnum, 0);
	bond[0].restlength -= 1.0f;

	checkbonds();
	EXPECT_EQ(sim.brokenlinks, 1);
	EXPECT_EQ(numofbonds, 5);
	EXPECT_EQ(cdquad[0].active, 0);
	int plain = 0;
	for (int i = 0; i < numofbonds; i++)
		plain += bond[i].type == LINKSTEEL;
	EXPECT_EQ(plain, 5) << "the cross bonds are plain steel links now";
	EXPECT_EQ(numofparticles, 4) << "no debris unless asked for";
	EXPECT_EQ(checksimulation(), "");

	// An inactive quad is skipped by the segment test.
	vector3 from = {1210, 410, 1280}, to = {1210, 390, 1280}, hit, normal;
	float t;
	EXPECT_EQ(lineintersectcdquad(&hit, &normal, &t, &from, &to, 0), 0);
}

TEST_F(Structure, BondsOfOneQuadBreakingTogether)
{
	builddeckpiece();
	bond[0].restlength -= 1.0f;  // the front link
	bond[2].restlength -= 1.0f;  // and a cross bond
	checkbonds();
	EXPECT_EQ(sim.brokenlinks, 2);
	ASSERT_EQ(numofbonds, 4);
	EXPECT_EQ(cdquad[0].active, 0);
	for (int i = 0; i < numofbonds; i++)
		EXPECT_EQ(bond[i].type, LINKSTEEL) << i;
	EXPECT_EQ(checksimulation(), "");
}

TEST_F(Structure, BrokenBondsLeaveDebrisOnStubs)
{
	builddeckpiece();
	sim.showbrokenbonds = 1;
	float mass1 = particle[bond[0].particle1].mass;
	float weight = 20.0f * linktype[LINKSTEEL].weight;
	bond[0].restlength -= 1.0f;
	checkbonds();

	ASSERT_EQ(numofparticles, 6);
	float debrismass = 0.0f;
	for (int p = 4; p < 6; p++) {
		EXPECT_EQ(particle[p].type, PARTICLE_DEBRIS);
		EXPECT_GE(particle[p].timetolive, 250);
		EXPECT_LT(particle[p].timetolive, 300);
		EXPECT_EQ(particle[p].bondcount, 1);
		debrismass += particle[p].mass;
	}
	EXPECT_NEAR(debrismass, 0.5f * weight, 0.01f);
	EXPECT_LT(particle[0].mass, mass1);
	int stubs = 0;
	for (int i = 0; i < numofbonds; i++)
		stubs += bond[i].stub;
	EXPECT_EQ(stubs, 2);
	EXPECT_EQ(checksimulation(), "");

	// Stubs never break and never update their stress.
	for (int i = 0; i < numofbonds; i++) {
		if (bond[i].stub)
			bond[i].restlength = 0.001f;
	}
	checkbonds();
	EXPECT_EQ(numofbonds, 7);
}

// The stress view shows how far a link is toward the limit it meets, pulled
// (tension) or pushed (compression); the peak view keeps the most it met.
TEST_F(Structure, StressShowsTheShareOfTheLimitAndWhichWay)
{
	int a = addparticle(PARTICLE_JOINT, 0, 400, 0);
	int b = addparticle(PARTICLE_JOINT, 10, 400, 0);
	createbond(a, b, LINKIRON, -1);
	const bondtypestruct &type = bondtype[LINKIRON];
	struct {
		float stretch, stress;
		int tension;
		float peak;
		int peaktension;
	} cases[] = {{0.6f * type.tensionlimit, 0.6f, 1, 0.6f, 1},
		{0.9f * type.compressionlimit, 0.9f, 0, 0.9f, 0},
		{0.3f * type.tensionlimit, 0.3f, 1, 0.9f, 0}};
	for (const auto &c : cases) {
		particle[b].position.x = 10.0f + c.stretch;
		checkbonds();
		ASSERT_EQ(numofbonds, 1);
		EXPECT_NEAR(bond[0].stress, c.stress, 1e-3f) << c.stretch;
		EXPECT_EQ(bond[0].tension, c.tension) << c.stretch;
		EXPECT_NEAR(bond[0].peakstress, c.peak, 1e-3f) << c.stretch;
		EXPECT_EQ(bond[0].peaktension, c.peaktension) << c.stretch;
	}
}

// A broken link's two halves fly from one point in the middle half of it,
// with the velocity of that point; each end gives its half the link's weight
// from its own side, and the stubs show the stress it broke at.
TEST_F(Structure, DebrisFliesFromAPointInTheMiddleHalf)
{
	sim.showbrokenbonds = 1;
	const int links = 40;
	for (int i = 0; i < links; i++) {
		int a = addparticle(PARTICLE_JOINT, 20.0f * i, 400, 0, 50.0f);
		int b = addparticle(PARTICLE_JOINT, 20.0f * i + 10, 400, 0, 50.0f);
		createbond(a, b, LINKIRON, -1);
		bond[i].restlength -= 1.0f;
		particle[a].velocity = {0, 1, 0};
		particle[b].velocity = {0, 0, 1};
	}
	checkbonds();
	ASSERT_EQ(numofbonds, 2 * links);
	float m = 10.0f * linktype[LINKIRON].weight, least = 1.0f, most = 0.0f;
	for (int i = 0; i < numofbonds; i++) {
		const bondstruct &s = bond[i];
		const particlestruct &d = particle[s.particle1];  // the debris, made first
		float r = (20.0f * (float)(s.particle2 / 2) + 10.0f - d.position.x) / 10.0f;
		least = std::min(least, r), most = std::max(most, r);
		EXPECT_NEAR(d.velocity.y, r, 1e-5f);
		EXPECT_NEAR(d.velocity.z, 1.0f - r, 1e-5f);
		EXPECT_NEAR(d.mass, 0.5f * m * (s.particle2 % 2 ? 1.0f - r : r), 1e-4f * m);
		EXPECT_EQ(s.stress, 1.0f);
		EXPECT_EQ(s.tension, 1);
	}
	EXPECT_GE(least, 0.25f);
	EXPECT_LT(least, 0.3f);
	EXPECT_LT(most, 0.75f);
	EXPECT_GT(most, 0.7f);
}

TEST_F(Structure, ABreakWithoutRoomForStubsLeavesNoDebris)
{
	builddeckpiece();
	sim.showbrokenbonds = 1;
	// Fill the bond array with bonds among particles far off.
	int first = numofparticles;
	for (int i = 0; i < 200; i++)
		addparticle(PARTICLE_JOINT, 100.0f + (float)i, 900.0f, 100.0f);
	for (int i = first; i < numofparticles && numofbonds < MAXBONDS; i++)
		for (int j = i + 1; j < numofparticles && numofbonds < MAXBONDS; j++)
			ASSERT_GE(createbond(i, j, LINKSTEEL, -1), 0);
	ASSERT_EQ(numofbonds, MAXBONDS);
	int end1 = bond[0].particle1, end2 = bond[0].particle2;
	float mass1 = particle[end1].mass, mass2 = particle[end2].mass;
	int particles = numofparticles;
	bond[0].restlength -= 1.0f;

	checkbonds();
	EXPECT_EQ(sim.brokenlinks, 1);
	EXPECT_EQ(numofbonds, MAXBONDS - 1);
	EXPECT_EQ(numofparticles, particles) << "debris without a stub";
	EXPECT_EQ(particle[end1].mass, mass1);
	EXPECT_EQ(particle[end2].mass, mass2);
	EXPECT_EQ(checksimulation(), "");
}

TEST_F(Structure, DragBondsLeaveNoDebris)
{
	sim.showbrokenbonds = 1;
	int a = addparticle(PARTICLE_JOINT, 1200, 400, 1200);
	int b = addparticle(PARTICLE_DRAG, 1300, 400, 1200);
	createbond(a, b, BOND_DRAG, -1);
	bond[0].restlength = 10.0f;
	checkbonds();
	EXPECT_EQ(numofbonds, 0);
	EXPECT_EQ(numofparticles, 2);
	EXPECT_EQ(sim.brokenlinks, 1);
}

TEST_F(Structure, DragNeverReversesALightEnd)
{
	level.waterlevel = 0.0f;
	sim.wind = {5000.0f, 0.0f, 0.0f};  // a gale against a feather
	int a = addparticle(PARTICLE_JOINT, 1200, 400, 1200, 0.001f);
	int b = addparticle(PARTICLE_JOINT, 1200, 410, 1200, 0.001f);
	createbond(a, b, LINKIRON, -1);
	bonddragsimulation();
	// The relative flow is +100 in x per step; drag at most cancels it, and
	// does for so light an end.
	EXPECT_NEAR(particle[a].velocity.x, -100.0f, 1e-3f);
	EXPECT_TRUE(std::isfinite(particle[b].velocity.x));
}

// --- the build --------------------------------------------------------------

TEST_F(Structure, CablesBecomeChains)
{
	struct {
		float length;
		int inner;
	} cases[] = {{25.0f, 1}, {45.0f, 2}, {100.0f, 8}};
	for (const auto &c : cases) {
		numofpoints = numoflinks = 0;
		int a = addpoint(POINTANCHOR, 1200, 400, 1200);
		int b = addpoint(POINTJOINT, 1200 + c.length, 400, 1200);
		addlink(a, b, LINKCABLE, 1);
		resetsim();
		int n = c.inner + 2;
		ASSERT_EQ(numofparticles, 2 + c.inner) << c.length;
		EXPECT_EQ(numofbonds, c.inner + 1);
		EXPECT_EQ(numofcdquads, 0) << "a cable makes no deck";
		for (int k = 1; k <= c.inner; k++)
			EXPECT_NEAR(particle[1 + k].position.x, 1200 + c.length * k / (n - 1), 1e-3f);
		float total = -2.0f * 0.01f;
		for (int i = 0; i < numofparticles; i++)
			total += particle[i].mass;
		float w = linktype[LINKCABLE].weight;
		EXPECT_NEAR(total, (n - 1) * w * c.length / n, 0.05f);
		EXPECT_EQ(checksimulation(), "");
	}
}

TEST_F(Structure, DeckLinksTenApartMakeOneQuad)
{
	int a = addpoint(POINTANCHOR, 1200, 400, FRONTZ);
	int b = addpoint(POINTJOINT, 1220, 400, FRONTZ);
	int c = addpoint(POINTJOINT, 1240, 400, FRONTZ);
	int a2 = addpoint(POINTANCHOR, 1200, 400, BACKZ);
	int b2 = addpoint(POINTJOINT, 1220, 400, BACKZ);
	int c2 = addpoint(POINTJOINT, 1240, 400, BACKZ);
	addlink(a, b, LINKIRON, 1);
	addlink(b, c, LINKSTEEL, 1);  // partner of another material
	addlink(b2, a2, LINKIRON, 1);  // the partner runs the other way
	addlink(b2, c2, LINKIRON, 1);
	resetsim();

	for (int i = 0; i < numofpoints; i++)
		EXPECT_EQ(particle[i].position.x, point[i].position.x) << "particle i is point i";
	ASSERT_EQ(numofcdquads, 1);
	EXPECT_EQ(numofbonds, 4 + 4);
	const cdquadstruct &q = cdquad[0];
	int corners[4] = {a, a2, b2, b};
	for (int k = 0; k < 4; k++)
		EXPECT_EQ(q.particlenum[k], corners[k]);
	EXPECT_EQ(bond[0].cdquadnum, 0);
	int cross = 0;
	for (int i = 0; i < numofbonds; i++) {
		if (bond[i].type == LINKIRON + BOND_DECKCROSS) {
			cross++;
			EXPECT_EQ(bond[i].cdquadnum, 0);
		}
	}
	EXPECT_EQ(cross, 4);
	float w = linktype[LINKIRON].weight;
	EXPECT_NEAR(particle[a2].mass, 0.01f + 0.5f * w * 20 + w * 20, 0.01f);
}

TEST_F(Structure, PointsOfUnknownTypeDoNotShiftTheRest)
{
	int a = addpoint(POINTANCHOR, 1200, 400, 1200);
	int odd = addpoint(7, 1210, 400, 1200);
	int b = addpoint(POINTJOINT, 1220, 400, 1200);
	addlink(a, odd, LINKIRON, 0);
	addlink(a, b, LINKIRON, 0);
	addlink(b, 99, LINKIRON, 0);  // an end that does not exist
	resetsim();
	ASSERT_EQ(numofparticles, 2);
	ASSERT_EQ(numofbonds, 1);
	EXPECT_EQ(pointparticle[odd], -1);
	EXPECT_EQ(particle[pointparticle[b]].position.x, 1220.0f);
	EXPECT_EQ(distance(bond[0].particle1, bond[0].particle2), 20.0f);
}

TEST_F(Structure, ABridgeTooLargeSimulatesWhatFits)
{
	// More points than particles; then room for only part of a long cable.
	for (int points : {12000, 9995}) {
		numofpoints = numoflinks = 0;
		for (int i = 0; i < points; i++)
			addpoint(POINTJOINT, 100.0f + 5.0f * (i % 200), 400.0f + 5.0f * (i / 200), 1200);
		for (int i = 0; i + 1 < points; i++)
			addlink(i, i + 1, i % 7 == 0 ? LINKCABLE : LINKIRON, 0);
		addlink(0, 9990, LINKCABLE, 0);
		resetsim();
		EXPECT_EQ(numofparticles, PARTICLELIMIT) << points;
		EXPECT_EQ(checksimulation(), "") << points;
		EXPECT_EQ(particle[0].bondcount, 2) << "each cable still reaches its far end";
	}
}

TEST_F(Structure, IndexedPointSearchMatchesAScan)
{
	std::mt19937 random(7);
	std::uniform_real_distribution<float> spread(1000.0f, 1100.0f);
	for (int i = 0; i < 3000; i++) {
		float x = roundf(spread(random) / 2.5f) * 2.5f;  // on a fine grid, with repeats
		addpoint(POINTJOINT, x, roundf(spread(random)), roundf(spread(random) / 5.0f) * 5.0f);
	}
	indexpoints();
	for (int n = 0; n < 20000; n++) {
		vector3 q = {spread(random), spread(random), spread(random)};
		if (n & 1)
			q = point[random() % numofpoints].position;
		q.z += (float)(random() % 3) * 2.5f - 2.5f;
		int expected = -1;
		for (int i = 0; i < numofpoints && expected == -1; i++) {
			vector3 d;
			subtractvectors(&d, &point[i].position, &q);
			if (vectorlength(&d) < DECKSEARCHRADIUS)
				expected = i;
		}
		ASSERT_EQ(findindexedpoint(&q), expected) << n;
	}
}

// --- deck quads -------------------------------------------------------------

TEST_F(Structure, QuadSegmentTestAndWeights)
{
	builddeckpiece();
	// Corners: (1200, 400, 1285), (1200, 400, 1275), (1220, 400, 1275), (1220, 400, 1285).
	struct {
		float y0;
		int hits;
	} cases[] = {{459.0f, 1}, {461.0f, 0}};  // the start within 60 of corner 0, or not
	for (const auto &c : cases) {
		vector3 from = {1210, c.y0, 1280}, to = {1210, 300, 1280}, hit, normal;
		float t;
		EXPECT_EQ(lineintersectcdquad(&hit, &normal, &t, &from, &to, 0), c.hits) << c.y0;
		if (c.hits) {
			EXPECT_NEAR(hit.y, 400.0f, 1e-3f);
			EXPECT_NEAR(fabsf(normal.y), 1.0f, 1e-6f);
		}
	}
	// From below too.
	vector3 from = {1210, 390, 1280}, to = {1210, 410, 1280}, hit, normal;
	float t;
	EXPECT_EQ(lineintersectcdquad(&hit, &normal, &t, &from, &to, 0), 1);
	EXPECT_NEAR(t, 0.5f, 1e-5f);

	float w[4];
	calccdquadratio(w, 0, &particle[cdquad[0].particlenum[2]].position);
	EXPECT_EQ(w[0], 0.0f);
	EXPECT_EQ(w[2], 1.0f);
	vector3 middle = {1210, 400, 1280};
	calccdquadratio(w, 0, &middle);
	for (float x : w)
		EXPECT_NEAR(x, 0.25f, 1e-6f);
	// A quad folded onto one spot shares evenly instead of dividing by zero.
	for (int k = 0; k < 4; k++)
		particle[k].position = middle;
	calccdquadratio(w, 0, &middle);
	for (float x : w)
		EXPECT_EQ(x, 0.25f);
}

TEST_F(Structure, QuadDrag)
{
	builddeckpiece();
	sim.gravity = 0;
	cdquadsimulation();
	for (int k = 0; k < 4; k++)
		EXPECT_EQ(particle[k].velocity.y, 0.0f) << "at rest in still air";

	// Falling flat, the deck is slowed; under water far more than in air.
	auto slowdown = [](float water) {
		level.waterlevel = water;
		for (int k = 0; k < 4; k++)
			particle[k].velocity = particle[k].savedvelocity = {0, -0.5f, 0};
		cdquadsimulation();
		return particle[0].velocity.y + 0.5f;
	};
	float air = slowdown(0.0f), water = slowdown(1000.0f);
	EXPECT_GT(air, 0.0f);
	EXPECT_GT(water, air * 100.0f);
	EXPECT_LE(water, 0.5f + 1e-6f) << "never more than the speed across the deck";
}

TEST_F(Structure, QuadsCarryTheTrackOfALaneAcrossThem)
{
	level.numoflevelobjects = 3;
	level.levelobject[0] = {};
	level.levelobject[0].type = 3;  // rail
	level.levelobject[0].position = {0, 0, 1280};
	level.levelobject[1] = {};
	level.levelobject[1].type = 40;  // a boat lays nothing
	level.levelobject[1].position = {0, 0, 1280};
	level.levelobject[2] = {};
	level.levelobject[2].type = 20;  // road, exactly on an edge
	level.levelobject[2].position = {0, 0, FRONTZ};
	builddeckpiece();
	EXPECT_EQ(cdquad[0].tracktype, TRACK_RAIL);
	level.levelobject[2].position.z = 1276;
	resetsim();
	EXPECT_EQ(cdquad[0].tracktype, TRACK_ROAD) << "a later lane wins";
}

// --- whole bridges ------------------------------------------------------------

TEST_F(Structure, AWellMadeTrussStands)
{
	buildtruss(GAPFROM, 4, LINKSTEEL);
	resetsim();
	ASSERT_EQ(numofcdquads, 4);
	ASSERT_EQ(runsteps(750), "");
	float stress = 0.0f;
	for (int i = 0; i < numofbonds; i++)
		stress = std::max(stress, bond[i].stress);
	EXPECT_EQ(sim.brokenlinks, 0);
	EXPECT_LT(stress, 0.5f);
	EXPECT_GT(stress, 0.05f) << "it does carry its weight";
	EXPECT_LT(peakstress(), 0.75f) << "even when the load first comes on";
	// Settled: the bonds hold each joint against the next step's gravity.
	for (int i = 0; i < numofparticles; i++)
		EXPECT_LT(fabsf(particle[i].velocity.y), 0.005f) << i;
}

TEST_F(Structure, ADeckAloneOverALongGapBreaks)
{
	setupscene(1100.0f, 1400.0f, 0.0f);
	builddeckonly(1100.0f);
	resetsim();
	sim.showbrokenbonds = 1;
	ASSERT_EQ(runsteps(500), "");
	EXPECT_GT(sim.brokenlinks, 0);
}

TEST_F(Structure, ResetReturnsToTheStateBeforeARun)
{
	buildtruss(GAPFROM, 4, LINKSTEEL);
	resetsim();
	std::vector<particlestruct> fresh(particle, particle + numofparticles);
	int bonds = numofbonds, quads = numofcdquads;

	sim.showbrokenbonds = 1;
	ASSERT_EQ(runsteps(50), "");
	bond[3].restlength -= 1.0f;  // something broken, with debris
	ASSERT_EQ(runsteps(5), "");
	ASSERT_GT(sim.brokenlinks, 0);
	phasenum = 2;
	sim.time = 1234;
	earthquake = 1;
	earthquakestart = 800;
	earthquakevelocity = {0.5f, 0, 0.5f};
	sim.followobject = 3;

	resetsim();
	EXPECT_EQ(numofbonds, bonds);
	EXPECT_EQ(numofcdquads, quads);
	ASSERT_EQ(numofparticles, (int)fresh.size());
	EXPECT_EQ(memcmp(particle, fresh.data(), sizeof(particlestruct) * fresh.size()), 0);
	EXPECT_EQ(sim.brokenlinks, 0);
	EXPECT_EQ(sim.time, 0);
	EXPECT_EQ(phasenum, 0);
	EXPECT_EQ(earthquake, 0);
	EXPECT_EQ(earthquakestart, 0);
	EXPECT_EQ(earthquakevelocity.x, 0.0f);
	EXPECT_EQ(earthquakevelocity.z, 0.0f);
	EXPECT_EQ(sim.followobject, -1);
}

TEST_F(Structure, TheSameRunTwiceIsBitIdentical)
{
	// A deck that breaks and falls into the water, with cables hanging from
	// a gantry, in wind and current: debris, splashes and drag all play.
	setupscene(1100.0f, 1400.0f, 300.0f);
	builddeckonly(1100.0f);
	int gantry = addpoint(POINTANCHOR, 1180, 400, FRONTZ);
	for (int i = 1; i < 8; i++)
		addlink(gantry, 2 * i, LINKCABLE, 0);
	auto run = [](std::vector<unsigned char> &out) {
		resetsim();
		sim.showbrokenbonds = 1;
		sim.wind = {3, 0, 1};
		sim.current = {-2, 0, 0};
		ASSERT_EQ(runsteps(600), "");
		out.assign((const unsigned char *)particle,
			(const unsigned char *)(particle + numofparticles));
		out.insert(out.end(), (const unsigned char *)bond, (const unsigned char *)(bond + numofbonds));
	};
	std::vector<unsigned char> first, second;
	run(first);
	int broken = sim.brokenlinks;
	run(second);
	EXPECT_GT(broken, 0);
	EXPECT_EQ(sim.brokenlinks, broken);
	ASSERT_EQ(first.size(), second.size());
	EXPECT_EQ(memcmp(first.data(), second.data(), first.size()), 0);
}

}  // namespace
