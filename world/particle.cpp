#include "world/particle.h"

#include <cmath>
#include <cstring>

#include "world/bond.h"
#include "world/cdquad.h"
#include "world/materials.h"
#include "world/simulation.h"
#include "world/vehicle.h"

particlestruct particle[MAXPARTICLES];
int numofparticles;

int createparticle(int type, const vector3 *position, const vector3 *velocity,
	int objectnum, int timetolive, float mass)
{
	if (numofparticles >= PARTICLELIMIT)
		return -1;
	// The type indexes the type table; anything outside it moves like a joint
	// would without its constants: not at all.
	if (type < 0 || type >= MAXPARTICLETYPES)
		return -1;

	int index = numofparticles;
	particlestruct *p = &particle[index];
	memset(p, 0, sizeof(*p));
	p->type = type;
	p->position = *position;
	p->prevposition = *position;
	if (velocity)
		p->velocity = *velocity;
	p->savedvelocity = p->velocity;
	p->mass = mass > 0.0f ? mass : 0.001f;
	p->bondcount = 0;
	p->objectnum = objectnum;
	p->timetolive = timetolive;

	const particletypestruct *t = &particletype[type];
	p->retention = t->retention;
	p->gravity = t->gravity;
	p->bounce = t->bounce;
	p->friction = t->friction;
	p->collidelevel = t->collidelevel;

	numofparticles++;
	return index;
}

// The particle at index from now lives at index to: every bond, deck quad and
// vehicle that named it is told.
static void renumberparticle(int from, int to)
{
	// A particle without bonds is named by none.
	for (int i = 0; i < numofbonds && particle[to].bondcount > 0; i++) {
		if (bond[i].particle1 == from)
			bond[i].particle1 = to;
		if (bond[i].particle2 == from)
			bond[i].particle2 = to;
	}
	for (int i = 0; i < numofcdquads; i++) {
		for (int k = 0; k < 4; k++) {
			if (cdquad[i].particlenum[k] == from)
				cdquad[i].particlenum[k] = to;
		}
	}
	int n = particle[to].objectnum;
	if (n >= 0 && n < numofobjects) {
		for (int k = 0; k < object[n].numofparticles && k < OBJECTPARTICLES; k++) {
			if (object[n].particlelist[k] == from)
				object[n].particlelist[k] = to;
		}
	}
}

void deleteparticle(int index)
{
	if (index < 0 || index >= numofparticles)
		return;

	numofparticles--;
	for (int i = 0; i < numofbonds && particle[index].bondcount > 0;) {
		if (bond[i].particle1 == index || bond[i].particle2 == index)
			deletebond(i);
		else
			i++;
	}
	// A quad that lost a corner can no longer carry traffic. Its own bonds
	// have gone with the particle, so this only matters for a quad whose
	// corner held none of them.
	for (int i = 0; i < numofcdquads; i++) {
		for (int k = 0; k < 4; k++) {
			if (cdquad[i].particlenum[k] == index)
				cdquad[i].active = 0;
		}
	}

	int last = numofparticles;
	if (index != last) {
		particle[index] = particle[last];
		renumberparticle(last, index);
	}
}

void particlesimulation()
{
	int gravity = sim.gravity;
	for (int i = 0; i < numofparticles; i++) {
		particlestruct *p = &particle[i];
		if (gravity)
			p->velocity.y -= p->gravity;
		p->velocity.x *= p->retention;
		p->velocity.y *= p->retention;
		p->velocity.z *= p->retention;
		p->savedvelocity = p->velocity;
	}
	for (int i = 0; i < numofparticles; i++) {
		particlestruct *p = &particle[i];
		p->prevposition = p->position;
		p->position.x += p->velocity.x;
		p->position.y += p->velocity.y;
		p->position.z += p->velocity.z;
		if (p->collidelevel && !clearofground(&p->prevposition, &p->position))
			particlecollisionlevel(i);
	}
}

// One countdown step for the particle at index, unless it never expires.
static void agetimetolive(int index)
{
	if (particle[index].timetolive <= NEVERDIES - 1)
		particle[index].timetolive--;
}

void particletimetolive()
{
	for (int i = 0; i < numofparticles; i++) {
		if (particle[i].bondcount < 1)
			particle[i].timetolive = -1;
	}
	for (int i = 0; i < numofparticles; i++) {
		agetimetolive(i);
		while (i < numofparticles && particle[i].timetolive < 0) {
			deleteparticle(i);
			if (i < numofparticles)
				agetimetolive(i);
		}
	}
}

void applyforceparticle(int index, const vector3 *force)
{
	if (index < 0 || index >= numofparticles)
		return;
	particlestruct *p = &particle[index];
	p->velocity.x += force->x / p->mass;
	p->velocity.y += force->y / p->mass;
	p->velocity.z += force->z / p->mass;
}

void getforceparticle(int index, vector3 *out)
{
	if (index < 0 || index >= numofparticles) {
		zerovector(out);
		return;
	}
	scalevector(out, &particle[index].savedvelocity, particle[index].mass);
}
