// Particles: the mass points of the simulation (bridge joints and anchors,
// inner points of cables, vehicle body corners, couplings and debris).
#pragma once

#include "platform/vector.h"

constexpr int MAXPARTICLES = 16384;   // records in the array
constexpr int PARTICLELIMIT = 10001;  // live particles at most; creation refuses beyond

// Particle types (constants per type in particletype).
constexpr int PARTICLE_FIXED = 0;       // anchor
constexpr int PARTICLE_JOINT = 1;
constexpr int PARTICLE_DRAWBRIDGE = 2;  // drawbridge joint
constexpr int PARTICLE_HALFJOINT = 3;   // half of a split drawbridge joint
constexpr int PARTICLE_BODY = 10;       // vehicle body corner and train coupling
constexpr int PARTICLE_DEBRIS = 11;     // loose half of a broken link
constexpr int PARTICLE_DRAG = 31;       // mouse drag point

// A time to live of this or more never counts down.
constexpr int NEVERDIES = 10000;

struct particlestruct {
	vector3 position;
	vector3 prevposition;   // before the last move
	vector3 velocity;       // units per 20 ms step
	vector3 savedvelocity;  // taken in the integration step and again before drag
	int type;
	float mass;
	float retention;        // velocity factor per step; 0 marks a fixed particle
	float gravity;          // downward velocity change per step
	float bounce;           // share of the into-surface velocity removed on a hit
	float friction;
	int bondcount;
	int objectnum;          // owning vehicle, -1 none
	int timetolive;         // steps left
	int collidelevel;       // 1: collides with the landscape
};
static_assert(sizeof(particlestruct) == 88, "particle fields are all 32 bits wide");

extern particlestruct particle[MAXPARTICLES];
extern int numofparticles;

// Appends a particle and returns its index, or -1 when PARTICLELIMIT
// particles already live. velocity may be null for zero; a mass that is not
// positive becomes 0.001.
int createparticle(int type, const vector3 *position, const vector3 *velocity,
	int objectnum, int timetolive, float mass);
// Removes a particle with its bonds; the last particle moves into its slot and
// every bond, deck quad and vehicle reference to it follows. Out of range
// indices are ignored.
void deleteparticle(int index);
// Gravity, velocity retention and the move with landscape collision.
void particlesimulation();
// 1 when no ground near the segment a-b reaches up to its lower end, so the
// landscape's segment test would find nothing; 0 when it may hit.
int clearofground(const vector3 *a, const vector3 *b);
// Up to ten bounces along the moved particle's path; a particle that still
// ends below the ground (rounding at a triangle edge) is set back on it.
void particlecollisionlevel(int index);
// Splits velocity v (passed in normalpart, overwritten with the part along the
// unit normal) into the normal part and a friction part of at most mu times
// the normal part's size, against the tangential motion.
void calculatefriction(vector3 *normalpart, vector3 *frictionpart, const vector3 *normal, float mu);
// Counts down the time to live and removes expired and unbonded particles.
void particletimetolive();
// A push on one particle: its velocity changes by force / mass. Out of range
// indices are ignored.
void applyforceparticle(int index, const vector3 *force);
// The particle's momentum at the start of the step (saved velocity x mass);
// zero for an index out of range.
void getforceparticle(int index, vector3 *out);
