#include "tests/levelproof.h"

#include <cstring>

#include "world/bond.h"
#include "world/level.h"
#include "world/materials.h"
#include "world/objectphysics.h"
#include "world/simsetup.h"
#include "world/simulation.h"
#include "world/vehicle.h"

void setupproofworld()
{
	setuplinkdata();
	setupparticledata();
	setupbonddata();
	loadobjectphysics(0);
	loadobjectphysics(5);
	loadobjectphysics(17);
}

void keepanchorsonly()
{
	int kept = 0;
	for (int i = 0; i < numofpoints; i++)
		if (point[i].type == POINTANCHOR)
			point[kept++] = point[i];
	numofpoints = kept;
	numoflinks = 0;
}

// Vehicles, trains counted with their cars, that phase p (1-based) creates.
static int phasevehicles(int p)
{
	int n = 0;
	for (int i = 0; i < level.numoflevelobjects; i++)
		if (level.levelobject[i].inphase[p - 1])
			n += 1 + level.levelobject[i].numofcars;
	return n;
}

// The structure rebuilt from the bridge as the test screen builds it.
static void startrun(proofresult *r)
{
	memset(r, 0, sizeof *r);
	memset(&sim, 0, sizeof sim);
	sim.gravity = 1;
	resetsim();
	// The test screen's wind and current: along z, at the level's speeds.
	sim.wind = vector3{0.0f, 0.0f, level.phase[WINDPHASE].data[WINDSPEEDWORD]};
	sim.current = vector3{0.0f, 0.0f, level.phase[WINDPHASE].data[CURRENTSPEEDWORD]};
}

static void endrun(proofresult *r)
{
	r->brokenlinks = sim.brokenlinks;
	for (int i = 0; i < numofbonds; i++)
		if (bond[i].type < 20 && bond[i].peakstress > r->peakstress)
			r->peakstress = bond[i].peakstress;
}

proofresult runstanding(int steps)
{
	proofresult r;
	startrun(&r);
	for (; r.steps < steps; r.steps++)
		simulation();
	endrun(&r);
	return r;
}

// Runs the phases from Run Test on; with untilsunk it stops once a vehicle
// is in the river, which already decides the test.
static void runphases(proofresult *r, int maxsteps, int untilsunk)
{
	phasenum = 1;
	int started = 0;
	while (r->steps < maxsteps && phasenum <= level.numofphases) {
		int before = phasenum;
		simulation();
		r->steps++;
		// A phase's vehicles are all made in the step it starts.
		int beginning = (phasenum != before || (!started && sim.phasestarted)) && phasenum <= level.numofphases;
		started = sim.phasestarted;
		r->phasesbegun += beginning;
		if (beginning && numofobjects != phasevehicles(phasenum))
			r->vehiclesmissing += phasevehicles(phasenum) - numofobjects;
		for (int i = 0; i < numofobjects; i++)
			r->sank |= object[i].position.y < level.waterlevel;
		if (untilsunk && r->sank)
			break;
	}
	r->passed = phasenum > level.numofphases && !sim.testfailed;
	endrun(r);
}

proofresult runlevelproof(int settlesteps, int maxsteps)
{
	proofresult r;
	startrun(&r);
	for (int i = 0; i < settlesteps; i++)
		simulation();
	runphases(&r, maxsteps, 0);
	return r;
}

proofresult rununtilsunk(int maxsteps)
{
	proofresult r;
	startrun(&r);
	runphases(&r, maxsteps, 1);
	return r;
}
