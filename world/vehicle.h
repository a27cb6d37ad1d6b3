// Vehicles and boats: a rigid box of eight particles held by 28 bonds, with
// up to four wheels that probe the deck and the ground.
#pragma once

#include "platform/vector.h"
#include "world/level.h"
#include "world/objectphysics.h"

constexpr int MAXOBJECTS = 512;
constexpr int OBJECTPARTICLES = BODYPOINTS;  // 8
constexpr int OBJECTBONDS = OBJECTPARTICLES * (OBJECTPARTICLES - 1) / 2;  // 28
constexpr int OBJECTFACES = 6;
constexpr int OBJECTSOUNDS = 4;
constexpr int COUPLINGBONDS = 8;

// Object types: below 16 rail, 16 to 31 road, 32 and more boat.
constexpr int FIRSTROADTYPE = 16;
constexpr int FIRSTBOATTYPE = 32;

struct objectstruct {
	int type;
	int lastcar;                      // last car of a train: extra wheel damping
	int soundnum[OBJECTSOUNDS];       // sound instances bound here, -1 none
	float throttle;                   // 0.1 to 1 while driving a route, 0 at its end
	float steer;                      // -1 to 1
	float brake;                      // 1.0 brakes the wheels
	float wheelspeed[MAXWHEELS];      // units per step at the rim
	float steerangle;                 // radians, -0.6 to 0.6
	vector3 position;                 // mean of the body particles
	::orientation orientation;        // row 2 from body corner 0 toward corner 3
	vector3 velocity;                 // mean velocity of the body particles
	float radius;
	float mass;
	float volume;                     // buoyancy measure
	float acceleration;               // units per second squared
	float maxspeed;                   // units per second
	int numofwheels;
	int steerwheel[MAXWHEELS];
	vector3 wheelposition[MAXWHEELS]; // body frame
	float wheelangle[MAXWHEELS];      // for drawing
	int axisparticle[3];              // particle list positions defining the axes
	int numofparticles;
	int particlelist[OBJECTPARTICLES];  // particle indices of the body corners
	int numoffaces;
	int face[OBJECTFACES][4];         // particle list positions of each hull face
	float facedrag[OBJECTFACES];
	int waypointnum;                  // waypoint driven to
	int numofwaypoints;
	vector3 waypoint[MAXWAYPOINTS];
};

extern objectstruct object[MAXOBJECTS];
extern int numofobjects;

// The hull faces as body corner numbers.
extern const int objecttypecd[OBJECTFACES][4];

// Appends a vehicle of type at position with the given world axes. All or
// nothing: returns the new index, or -1 with nothing made when the arrays
// lack room or the type has no usable physics.
int createobject(const vector3 *position, const orientation *axes, int type);
// Whether a vehicle of type could be made at all: its physics are loaded
// (positive mass), with at most four wheels and eight distinct corners, and
// every number of them finite.
int objecttypeusable(int type);
void deleteobject(int n);
// Camera hook: camera records on vehicle n forget it and those on vehicle
// last (moved into slot n) follow n. The camera code defines it; headless
// builds get a do-nothing one.
void renumbercameraobjects(int n, int last);

// Per step, after objectsimulation: route, smoke, wheels and boats.
void objectcycle();
void moveobject(int n);
void wheelsim(int n);
void boatsim(int n);
// v is the relative velocity at the wheel in, the impulse out.
void calcwheelforce(int n, int w, vector3 *v, const vector3 *normal, float t);
void addobjectrotation(int n, const vector3 *axis, float amount);
float calculatefrictionwheel(vector3 *v, vector3 *t, const vector3 *n, float mu);

// Per step, after the bonds: contacts, body refresh, buoyancy, drag, spray.
void objectsimulation();
void objectcollisionobject(int n);
void objectcollisioncdquad(int n);
// Refreshes position, velocity and axes from the body particles.
void updateobjectframe(int n);
// 1 when p0-p1 crosses vehicle n's hull before its end; corners gets the
// hit triangle's particle indices (may be null).
int lineintersectobject(vector3 *hit, vector3 *normal, float *t, const vector3 *p0,
	const vector3 *p1, int n, int *corners);
void applyforceobject(int n, const vector3 *change, const vector3 *at);
void getforceobject(int n, vector3 *velocity, const vector3 *at);
// Deck quad boxes of this step, made at the start of objectsimulation and
// used by the deck contacts and the wheels until the particles move again.
void updatedeckbounds();
// The quads, in index order, whose box meets the box lo..hi; returns how
// many were written to list (room for numofcdquads).
int deckcandidates(const vector3 *lo, const vector3 *hi, int *list);
// Weights of the vehicle's particles for a point, by nearness; equal weights
// when every product is zero (coinciding particles).
void objectpointweights(int n, const vector3 *at, float weight[OBJECTPARTICLES]);
