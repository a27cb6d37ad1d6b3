// One step of the test run and the phase machine that drives it: vehicles
// on their routes, drawbridges up and down, earthquakes.
#include "world/simulation.h"

#include <cmath>

#include "platform/input.h"
#include "world/bond.h"
#include "world/cdquad.h"
#include "world/level.h"
#include "world/particle.h"
#include "world/soundevents.h"
#include "world/sprite.h"
#include "world/vehicle.h"

simstruct sim;
int phasenum;
int prevphasenum;
int earthquake;
int earthquakestart;
int earthquakemag;
float earthquakecount;
vector3 earthquakevelocity;
int soundplaying;

// The keys that hold the manual drawbridge requests, beside their buttons.
constexpr int KEYRAISE = KEY_0 + 8;
constexpr int KEYLOWER = KEY_0 + 9;

// Phases the level really has; a bad count never reads past the slots.
static int numofphases()
{
	if (level.numofphases < 0)
		return 0;
	return level.numofphases < MAXPHASES ? level.numofphases : MAXPHASES;
}

// The type of the running phase, or -1 when no phase runs.
static int phasetype()
{
	if (phasenum < 1 || phasenum > numofphases())
		return -1;
	return level.phase[phasenum - 1].type;
}

static void quakestep()
{
	earthquakevelocity.x *= 0.8f;
	earthquakevelocity.z *= 0.8f;
	int type = phasetype();
	if (!earthquake && type < PHASEEARTHQUAKE) {
		earthquakecount = 0.0f;
		return;
	}
	if (type >= PHASEEARTHQUAKE)
		earthquakemag = type - PHASEEARTHQUAKE;
	earthquakecount += 0.12f;
	// From magnitude 8 on the divisor turns negative; it is never zero.
	double divisor = 1550.0 - 200.0 * (double)earthquakemag;
	float s = (float)(sin((double)earthquakecount) / divisor);
	earthquakevelocity.x += s;
	earthquakevelocity.z += s;

	vector3 shake = {25.0f * earthquakevelocity.x, 0.0f, 25.0f * earthquakevelocity.z};
	shakecameratarget(&shake);
	for (int i = 0; i < numofparticles; i++) {
		if (particle[i].type == PARTICLE_FIXED)
			continue;
		particle[i].velocity.x += earthquakevelocity.x;
		particle[i].velocity.z += earthquakevelocity.z;
	}
}

// The structure follows the mouse while it is held over the view.
static void mousedrag()
{
	vector3 hit;
	if (!mouse.leftbutton || !mousedragpoint(&hit))
		return;
	dragstructure(&hit, prevmouse.leftbutton);
}

void simulation()
{
	sim.time += STEPMS;
	sim.wateroffset += 0.0005f;
	quakestep();
	if (sim.mousegrab)
		mousedrag();

	particlesimulation();
	particletimetolive();
	cdquadsimulation();
	bondsimulation();
	checkbonds();
	objectsimulation();
	objectcycle();
	spritesimulation();
	spritetimetolive();

	if (sim.manualphase)
		manualphases();
	else
		automaticphases();
}

static void deleteallobjects()
{
	for (int n = numofobjects - 1; n >= 0; n--)
		deleteobject(n);
}

static int vehiclesarrived()
{
	for (int n = 0; n < numofobjects; n++)
		if (object[n].waypointnum < object[n].numofwaypoints)
			return 0;
	return 1;
}

static int earthquakephase()
{
	if (!earthquakestart) {
		earthquakestart = sim.time;
		return 0;
	}
	if (sim.time - earthquakestart > EARTHQUAKEMS) {
		earthquakestart = 0;
		return 1;
	}
	return 0;
}

// The first phase waits for the next whole second of simulated time.
// Returns 1 once it has started.
static int startfirstphase()
{
	if (phasenum != 1 || sim.phasestarted)
		return 1;
	if (sim.time % 1000 != 0)
		return 0;
	createphaseobjects();
	sim.phasestarted = 1;
	return 1;
}

static void advancephase()
{
	if (numofphases() >= phasenum)
		phasenum++;
	createphaseobjects();
}

void automaticphases()
{
	if (phasenum == 0)
		return;
	// Past the last phase the test is over: nothing more is made or moved,
	// and hydraulic sounds that a drawbridge phase at the end left looping
	// stop, as a later phase of another type would stop them.
	if (phasenum > numofphases()) {
		stopsounds(SOUND_HYDRAULIC);
		prevphasenum = phasenum;
		return;
	}
	// The steps spent waiting for the whole second are not the first
	// phase's: its first step (a raise starts its hydraulics' sounds there)
	// is the one it starts in.
	if (!startfirstphase())
		return;
	// A phase whose vehicles could not be made never ends, so a test that
	// lost its traffic cannot pass.
	if (sim.testfailed) {
		prevphasenum = phasenum;
		return;
	}
	int type = level.phase[phasenum - 1].type;
	if (type != PHASEDRAWBRIDGEUP && type != PHASEDRAWBRIDGEDOWN)
		stopsounds(SOUND_HYDRAULIC);

	int firststep = prevphasenum != phasenum;
	int done = 1;
	if (type == PHASEVEHICLES)
		done = vehiclesarrived();
	else if (type == PHASEDRAWBRIDGEUP)
		done = raisedrawbridges(firststep);
	else if (type == PHASEDRAWBRIDGEDOWN)
		done = lowerdrawbridges(firststep);
	else if (type >= PHASEEARTHQUAKE)
		done = earthquakephase();
	if (!done) {
		prevphasenum = phasenum;
		return;
	}
	deleteallobjects();
	advancephase();
}

void manualphases()
{
	int raise = sim.drawbridgeup || keyboard[KEYRAISE];
	int lower = sim.drawbridgedown || keyboard[KEYLOWER];
	if (!raise && !lower) {
		stopsounds(SOUND_HYDRAULIC);
		soundplaying = 0;
	}
	if (phasenum == 0 && !raise && !lower)
		return;
	if (!startfirstphase())
		return;

	int type = phasetype();
	if (type == PHASEVEHICLES)
		sim.phasestate = vehiclesarrived() ? 1 : 0;
	else
		sim.phasestate = 2;
	// A held request keeps its hydraulics sounding.
	if (raise)
		raisedrawbridges(1);
	if (lower)
		lowerdrawbridges(1);
	if (raise || lower)
		soundplaying = 1;
	if (sim.phasestate == 1) {
		deleteallobjects();
		sim.phasestate = 2;
	}
	if (!sim.nextphase)
		return;
	sim.nextphase = 0;
	if (sim.phasestate != 2)
		sim.testfailed = 1;
	sim.phasestate = 0;
	deleteallobjects();
	advancephase();
}

void resetphases()
{
	stopallsounds();
	for (int n = 0; n < numofobjects; n++)
		object[n] = objectstruct{};
	numofobjects = 0;
	numofsprites = 0;
	phasenum = 0;
	prevphasenum = 0;
	sim.time = 0;
	sim.wateroffset = 0.0f;
	sim.phasestarted = 0;
	sim.brokenlinks = 0;
	sim.wind = vector3{0.0f, 0.0f, 0.0f};
	sim.current = vector3{0.0f, 0.0f, 0.0f};
	sim.drivemode = 0;
	sim.testpassed = 0;
	sim.phasestate = 0;
	sim.testfailed = 0;
	sim.drawbridgeup = 0;
	sim.drawbridgedown = 0;
	sim.followobject = -1;
	earthquake = 0;
	earthquakestart = 0;
	earthquakemag = 0;
	earthquakecount = 0.0f;
	earthquakevelocity = vector3{0.0f, 0.0f, 0.0f};
}

void dragstructure(const vector3 *hit, int held)
{
	if (held)
		for (int i = 0; i < numofparticles; i++) {
			if (particle[i].type != PARTICLE_DRAG)
				continue;
			particle[i].timetolive = 1;
			subtractvectors(&particle[i].velocity, hit, &particle[i].position);
			scalevector(&particle[i].velocity, &particle[i].velocity, 0.025f);
		}
	int drag = createparticle(PARTICLE_DRAG, hit, nullptr, -1, 1, 10000.0f);
	if (drag < 0)
		return;
	for (int i = 0; i < numofparticles; i++) {
		int type = particle[i].type;
		if (type == PARTICLE_FIXED || type == PARTICLE_DEBRIS || type == PARTICLE_DRAG)
			continue;
		vector3 d;
		subtractvectors(&d, &particle[i].position, hit);
		if (vectorlength(&d) < 20.0f)
			createbond(drag, i, BOND_DRAG, -1);
	}
}
