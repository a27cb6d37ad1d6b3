#include "tests/simscene.h"

#include <cstring>

#include "editor/editor.h"
#include "world/bond.h"
#include "world/cdquad.h"
#include "world/landscape.h"
#include "world/level.h"
#include "world/materials.h"
#include "world/particle.h"
#include "world/simsetup.h"
#include "world/simulation.h"

void setupscene(float gapfrom, float gapto, float waterlevel)
{
	memset(&level, 0, sizeof(level));
	level.landscapewidth = SCENESIZE;
	level.landscapedepth = SCENESIZE;
	level.waterlevel = waterlevel;
	for (int z = 0; z < SCENESIZE; z++) {
		for (int x = 0; x < SCENESIZE; x++) {
			float wx = LANDSCAPESTEP * (float)x;
			landscape.height[z * SCENESIZE + x] =
				wx > gapfrom && wx < gapto ? VALLEYHEIGHT : BANKHEIGHT;
		}
	}
	setuplinkdata();
	setupparticledata();
	setupbonddata();
	memset(&sim, 0, sizeof(sim));
	sim.gravity = 1;
	editor.gridsize = 5.0f;
	numofpoints = 0;
	numoflinks = 0;
	resetsim();
}

void structurestep()
{
	particlesimulation();
	particletimetolive();
	cdquadsimulation();
	bondsimulation();
	checkbonds();
}

int addpoint(int type, float x, float y, float z)
{
	point[numofpoints] = {type, {x, y, z}};
	return numofpoints++;
}

void addlink(int a, int b, int type, int deck)
{
	beam[numoflinks++] = {type, deck, a, b, 0};
}
