// Smoke rises and slows; spray falls. Both fade out by their time to live.
#include "world/sprite.h"

#include "world/particle.h"
#include "world/simrandom.h"

spritestruct sprite[MAXSPRITES];
int numofsprites;

int createsprite(int type, const vector3 *position, const vector3 *velocity, int timetolive)
{
	if (numofsprites >= MAXLIVESPRITES)
		return -1;

	spritestruct *s = &sprite[numofsprites];
	*s = spritestruct{};
	s->type = type;
	s->position = *position;
	if (velocity)
		s->velocity = *velocity;
	s->timetolive = timetolive;

	// Spray scatters so that a splash does not look like one drop.
	if (type == SPRITE_SPRAY) {
		s->velocity.x += (float)((simrandom() & 255) - 128) / 1280.0f;
		s->velocity.z += (float)((simrandom() & 255) - 128) / 1280.0f;
		s->timetolive += (simrandom() & 63) - 32;
	}
	return numofsprites++;
}

void deletesprite(int index)
{
	if (index < 0 || index >= numofsprites)
		return;
	numofsprites--;
	if (index != numofsprites)
		sprite[index] = sprite[numofsprites];
}

void spritesimulation()
{
	for (int i = 0; i < numofsprites; i++) {
		spritestruct *s = &sprite[i];
		addvectors(&s->position, &s->position, &s->velocity);
		if (s->type == SPRITE_SMOKE) {
			s->velocity.y += 0.0004f;
			scalevector(&s->velocity, &s->velocity, 0.95f);
		} else if (s->type == SPRITE_SPRAY) {
			s->velocity.y -= 0.00392f;
			scalevector(&s->velocity, &s->velocity, 0.95f);
		}
	}
}

static void countdownsprite(int i)
{
	if (sprite[i].timetolive < NEVERDIES)
		sprite[i].timetolive--;
}

void spritetimetolive()
{
	for (int i = 0; i < numofsprites; i++) {
		countdownsprite(i);
		// The sprite moved into this slot has not been counted down yet.
		while (i < numofsprites && sprite[i].timetolive < 0) {
			deletesprite(i);
			if (i < numofsprites)
				countdownsprite(i);
		}
	}
}
