#include "materials.h"

#include <cstdint>
#include <cstring>

linktypestruct linktype[MAXLINKTYPES];
particletypestruct particletype[MAXPARTICLETYPES];
bondtypestruct bondtype[MAXBONDTYPES];

// Some table values are fixed to the bit: the simulation must reproduce the
// same runs, so they are written as their bit patterns, not as decimals.
static float floatbits(uint32_t bits)
{
	float f;
	memcpy(&f, &bits, sizeof f);
	return f;
}

static void setlink(int type, float weight, float cost, float maxlength, float r, float g,
	float b, float thickness)
{
	linktypestruct *l = &linktype[type];
	l->replace = 0;
	l->weight = weight;
	l->cost = cost;
	l->maxlength = maxlength;
	l->color = {r, g, b};
	l->thickness = thickness;
}

void setuplinkdata()
{
	const float iron = 600.0f;
	const float steel = floatbits(0x44200001);
	const float heavysteel = floatbits(0x44f4ffff);

	setlink(2, iron, 5.0f, 22.5f, 0.35f, 0.35f, 0.35f, 0.4f);
	setlink(3, steel, 10.0f, 22.5f, 0.65f, 0.65f, 0.65f, 0.4f);
	setlink(4, floatbits(0x43c4597c), 4.0f, 1600.0f, 0.0f, 0.0f, 0.65f, 0.25f);
	setlink(5, floatbits(0x45c4597c), 15.0f, 1600.0f, 0.0f, 0.5f, 0.5f, 0.5f);
	setlink(6, heavysteel, 20.0f, 45.0f, 0.65f, 0.65f, 0.65f, 0.7f);
	setlink(7, steel, 20.0f, 22.5f, 0.9f, 0.9f, 0.0f, 0.4f);
	setlink(8, steel, 20.0f, 22.5f, 0.99f, 0.7f, 0.0f, 0.4f);
	setlink(9, 0.0f, 0.0f, 22.5f, 0.75f, 0.75f, 0.75f, 0.5f);
	// Thin crossbeams weigh three quarters of their material.
	setlink(12, 0.75f * iron, 3.75f, 25.0f, 0.35f, 0.35f, 0.35f, 0.25f);
	setlink(13, 0.75f * steel, 7.5f, 25.0f, 0.65f, 0.65f, 0.65f, 0.25f);
	// No deck diagonals for cables and hydraulics: their longest link is 0.
	setlink(14, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
	setlink(15, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
	setlink(16, 0.75f * heavysteel, 15.0f, 50.0f, 0.65f, 0.65f, 0.65f, 0.5f);
	setlink(17, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
	setlink(18, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
	setlink(19, 0.0f, 0.0f, 25.0f, 0.75f, 0.75f, 0.75f, 0.125f);
	setlink(20, 0.0f, 0.0f, 25.0f, 0.5f, 0.5f, 0.5f, 0.0f);
	setlink(31, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.25f);
}

void setupparticledata()
{
	particletypestruct fixed = {0.0f, 0.0f, 1.2f, 0.4f, 0};
	// 0.99999 retention; gravity 9.8 units/s^2 at 50 steps a second.
	particletypestruct moving = {floatbits(0x3f7fff58), floatbits(0x3b807358), 1.2f, 0.4f, 1};
	particletype[0] = fixed;
	const int movingtypes[] = {1, 2, 3, 10, 11, 31};
	for (int type : movingtypes)
		particletype[type] = moving;
}

static void setbond(int type, float stiffness, float compressionlimit, float tensionlimit,
	int passmask, float radius)
{
	bondtypestruct *b = &bondtype[type];
	b->stiffness = stiffness;
	b->compressionlimit = compressionlimit;
	b->tensionlimit = tensionlimit;
	b->passmask = passmask;
	b->inuse = 1;
	b->radius = radius;
}

void setupbonddata()
{
	setbond(1, 0.2f, -0.06f, 0.06f, 15, 0.5f);
	setbond(11, 0.2f, -0.04f, 0.04f, 15, 0.35f);
	setbond(2, 0.2f, -0.06f, 0.06f, 7, 0.4f);
	setbond(12, 0.2f, -0.045f, 0.045f, 7, 0.25f);
	setbond(3, 0.2f, -0.05f, 0.05f, 3, 0.4f);
	setbond(13, 0.2f, -0.0375f, 0.0375f, 3, 0.25f);
	setbond(4, 0.5f, 0.0f, 0.12f, 0, 0.25f);
	setbond(5, 0.5f, 0.0f, 0.16f, 0, 0.5f);
	setbond(6, 0.2f, -0.06f, 0.06f, 3, 0.6f);
	setbond(16, 0.2f, -0.045f, 0.045f, 3, 0.45f);
	setbond(7, 0.2f, -0.08f, 0.08f, 3, 0.4f);
	setbond(8, 0.2f, -0.08f, 0.08f, 3, 0.4f);
	setbond(20, 0.2f, -1000000.0f, 1000000.0f, 3, 0.1f);
	// A deck quad's cross bonds behave like the links they belong to; type 9
	// is never written, so 29 stays all zero.
	for (int type = 1; type <= 9; type++)
		bondtype[type + 20] = bondtype[type];
	setbond(30, 0.2f, -0.4f, 0.4f, 3, 0.1f);
	// A drag bond only pulls: its compression limit is -0.0.
	setbond(31, 0.2f, floatbits(0x80000000), 40.0f, 15, 0.2f);
}
