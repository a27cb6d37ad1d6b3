#include "tests/simscene.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

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

// A Warren truss from x0 in bays of 10, built in the two editing planes as
// the editor builds it with Mirror and Crossbeams on: the deck chord at the
// road height between anchors, the top chord 10 above; every link that is
// not deck has its twin, crossbeams at both ends and X diagonals between the
// planes, so the truss cannot sway sideways.
void buildtruss(float x0, int bays, int type)
{
	std::vector<int> deck[2], top[2];
	const float z[2] = {FRONTZ, BACKZ};
	for (int side = 0; side < 2; side++) {
		for (int i = 0; i <= bays; i++) {
			int kind = i == 0 || i == bays ? POINTANCHOR : POINTJOINT;
			deck[side].push_back(addpoint(kind, x0 + 10.0f * i, ROADHEIGHT, z[side]));
		}
		for (int i = 0; i < bays; i++)
			top[side].push_back(addpoint(POINTJOINT, x0 + 10.0f * i + 5.0f, ROADHEIGHT + 10.0f, z[side]));
	}
	std::set<std::pair<int, int>> made;
	auto link = [&](int a, int b, int t, int isdeck) {
		if (made.insert({std::min(a, b), std::max(a, b)}).second)
			addlink(a, b, t, isdeck);
	};
	auto mirrored = [&](std::vector<int> *from, int i, std::vector<int> *to, int j, int isdeck) {
		link(from[0][i], to[0][j], type, isdeck);
		link(from[1][i], to[1][j], type, isdeck);
		if (isdeck)
			return;
		// The deck's quads already join its two sides.
		int thin = type + LINKTHIN;
		if (from != deck)
			link(from[0][i], from[1][i], thin, 0);
		if (to != deck)
			link(to[0][j], to[1][j], thin, 0);
		link(from[0][i], to[1][j], thin, 0);
		link(from[1][i], to[0][j], thin, 0);
	};
	for (int i = 0; i < bays; i++) {
		mirrored(deck, i, deck, i + 1, 1);
		mirrored(deck, i, top, i, 0);
		mirrored(top, i, deck, i + 1, 0);
		if (i + 1 < bays)
			mirrored(top, i, top, i + 1, 0);
	}
}

// Deck links alone from x0 in eight bays of 20 between anchors: far too
// long a span without a truss.
void builddeckonly(float x0)
{
	int front[9], back[9];
	for (int i = 0; i <= 8; i++) {
		int kind = i == 0 || i == 8 ? POINTANCHOR : POINTJOINT;
		front[i] = addpoint(kind, x0 + 20.0f * i, ROADHEIGHT, FRONTZ);
		back[i] = addpoint(kind, x0 + 20.0f * i, ROADHEIGHT, BACKZ);
	}
	for (int i = 0; i < 8; i++) {
		addlink(front[i], front[i + 1], LINKSTEEL, 1);
		addlink(back[i], back[i + 1], LINKSTEEL, 1);
	}
}
