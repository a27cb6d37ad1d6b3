// Sound instances on the OpenAL sources: starting, stopping and the
// per-frame update of the listener and of the instances bound to vehicles.
#include "sound/audio.h"

#include <AL/al.h>
#include <cstdlib>

#include "sound/soundrecords.h"
#include "world/level.h"
#include "world/soundevents.h"
#include "world/vehicle.h"

constexpr float REFERENCEDISTANCE = 10.0f;

// A source may still be sounding a click or a reaped one-shot; OpenAL
// refuses a new buffer on a playing source.
static void bindsource(unsigned source, int id, int looping)
{
	alSourceStop(source);
	alSourcei(source, AL_BUFFER, (ALint)soundbuffer[id]);
	alSourcei(source, AL_LOOPING, looping ? AL_TRUE : AL_FALSE);
	alSourcef(source, AL_REFERENCE_DISTANCE, REFERENCEDISTANCE);
}

// Velocities are kept per step; OpenAL wants them per second.
static void setsourcemotion(unsigned source, const vector3 *position, const vector3 *velocity)
{
	vector3 persecond = {0.0f, 0.0f, 0.0f};
	if (velocity)
		scalevector(&persecond, velocity, 50.0f);
	alSourcefv(source, AL_POSITION, &position->x);
	alSourcefv(source, AL_VELOCITY, &persecond.x);
}

int createsound(int id, int objectnum, int looping, int pitchfollows)
{
	if (!soundslotplayable(id) || objectnum < 0 || objectnum >= numofobjects)
		return -1;
	int n = numofsounds;
	soundstruct *s = &sound[n];
	s->id = id;
	s->object = objectnum;
	s->looping = looping;
	s->pitchfollows = pitchfollows;
	bindsource(s->source, id, looping);
	setsourcemotion(s->source, &object[objectnum].position, &object[objectnum].velocity);
	alSourcef(s->source, AL_PITCH, pitchfollows ? 0.5f : 1.0f);
	// Full gain: the source may last have played a quiet splash.
	alSourcef(s->source, AL_GAIN, 1.0f);
	alSourcePlay(s->source);
	numofsounds++;
	return n;
}

void playsound(int id, const vector3 *position, const vector3 *velocity, int looping,
	float gain, float pitch)
{
	if (!soundslotplayable(id) || countalikesounds(id) >= MAXALIKESOUNDS)
		return;
	soundstruct *s = &sound[numofsounds];
	s->id = id;
	s->object = -1;
	s->looping = looping;
	s->pitchfollows = 0;
	bindsource(s->source, id, looping);
	setsourcemotion(s->source, position, velocity);
	alSourcef(s->source, AL_PITCH, clampunit(pitch));
	alSourcef(s->source, AL_GAIN, clampunit(gain));
	alSourcePlay(s->source);
	numofsounds++;
}

void deletesound(int index)
{
	if (!soundenabled || index < 0 || index >= numofsounds)
		return;
	alSourceStop(sound[index].source);
	removesoundrecord(index);
}

void stopsounds(int id)
{
	if (!soundenabled)
		return;
	for (int n = 0; n < numofsounds; n++)
		if (sound[n].id == id) {
			sound[n].looping = 0;
			alSourceStop(sound[n].source);
		}
}

void stopallsounds()
{
	if (!soundenabled)
		return;
	for (int n = 0; n < numofsounds; n++)
		alSourceStop(sound[n].source);
	numofsounds = 0;
	// Vehicles that outlive the run must not keep indices of instances
	// that are gone: a later deletion would stop someone else's sound.
	for (int n = 0; n < numofobjects; n++)
		for (int k = 0; k < OBJECTSOUNDS; k++)
			object[n].soundnum[k] = -1;
}

void rebindsounds(int from, int to)
{
	if (soundenabled)
		rebindsoundrecords(from, to);
}

static void updatelistener(const vector3 *position, const orientation *axes)
{
	vector3 still = {0.0f, 0.0f, 0.0f};
	float facing[6] = {-axes->v[2].x, -axes->v[2].y, -axes->v[2].z,
		axes->v[1].x, axes->v[1].y, axes->v[1].z};
	alListenerfv(AL_POSITION, &position->x);
	alListenerfv(AL_VELOCITY, &still.x);
	alListenerfv(AL_ORIENTATION, facing);
}

// Vehicles above the water now and then start their engine and sound their
// horn; a refused engine tries again on a later frame.
static void startvehiclesounds()
{
	for (int n = 0; n < numofobjects; n++) {
		objectstruct *o = &object[n];
		if (!(o->position.y > level.waterlevel))
			continue;
		if (o->soundnum[0] == -1 && (rand() & 31) == 0) {
			int engine = enginesound(o->type);
			if (engine != -1)
				o->soundnum[0] = createsound(engine, n, 1, 1);
		}
		if ((rand() & 511) == 0) {
			int horn = hornsound(o->type);
			if (horn != -1)
				createsound(horn, n, 0, 0);
		}
	}
}

static int sourceplaying(unsigned source)
{
	ALint state = AL_STOPPED;
	alGetSourcei(source, AL_SOURCE_STATE, &state);
	return state == AL_PLAYING;
}

static void reapsounds()
{
	for (int n = 0; n < numofsounds; n++)
		while (n < numofsounds && !sound[n].looping && !sourceplaying(sound[n].source))
			deletesound(n);
}

static void followvehicles()
{
	for (int n = 0; n < numofsounds; n++) {
		soundstruct *s = &sound[n];
		if (s->object == -1)
			continue;
		// A horn of a vehicle deleted from the last slot: nothing to follow
		// any more, it plays out where it is.
		if (s->object < 0 || s->object >= numofobjects) {
			s->object = -1;
			continue;
		}
		const objectstruct *o = &object[s->object];
		setsourcemotion(s->source, &o->position, &o->velocity);
		if (s->pitchfollows)
			alSourcef(s->source, AL_PITCH, enginepitch(vectorlength(&o->velocity), o->maxspeed));
	}
}

void soundsimulation(const vector3 *position, const orientation *axes)
{
	if (!soundenabled)
		return;
	updatelistener(position, axes);
	startvehiclesounds();
	reapsounds();
	followvehicles();
}

void resetlistener()
{
	if (!soundenabled)
		return;
	vector3 zero = {0.0f, 0.0f, 0.0f};
	alListenerfv(AL_POSITION, &zero.x);
	alListenerfv(AL_VELOCITY, &zero.x);
}

// The editor plays outside the instance records, on record 0's source.
void playeditorsound(int id)
{
	if (!soundenabled || id < 0 || id >= SOUNDSLOTS || !bufferloaded[id])
		return;
	vector3 origin = {0.0f, 0.0f, 0.0f};
	unsigned source = sound[0].source;
	bindsource(source, id, 0);
	setsourcemotion(source, &origin, nullptr);
	alSourcef(source, AL_PITCH, 1.0f);
	alSourcef(source, AL_GAIN, 1.0f);
	alSourcePlay(source);
}
