// The OpenAL device and context, the sixteen buffers and the sources.
#include "sound/audio.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <unistd.h>

#include "sound/soundrecords.h"
#include "sound/wav.h"

ALCdevice *aldevice;
ALCcontext *alcontext;

static const char *const soundfiles[SOUNDSLOTS] = {
	"steameng.wav", "horndsl.wav", "careng.wav", "lnkbrkst.wav",
	"horncrg.wav", "cargoeng.wav", "dbjnt.wav", "dblnk.wav",
	"crash.wav", "diesleng.wav", "cablebrk.wav", "click.wav",
	"unclick.wav", "splash.wav", "splash2.wav", "splash3.wav",
};

void setupaudio()
{
	// No device or no context leaves sound off; nothing is reported.
	aldevice = alcOpenDevice(nullptr);
	if (!aldevice)
		return;
	alcontext = alcCreateContext(aldevice, nullptr);
	if (!alcontext) {
		alcCloseDevice(aldevice);
		aldevice = nullptr;
		return;
	}
	alcMakeContextCurrent(alcontext);
	soundenabled = 1;
	for (int n = 0; n < SOUNDSLOTS; n++)
		alGenBuffers(1, &soundbuffer[n]);
	for (int n = 0; n < SOUNDSLOTS; n++)
		loadwav(n, soundfiles[n]);
	for (int n = 0; n < SOUNDSOURCES; n++)
		alGenSources(1, &sound[n].source);
	numofsounds = 0;
}

void loadwav(int slot, const char *name)
{
	if (!soundenabled || slot < 0 || slot >= SOUNDSLOTS)
		return;
	// Without the folder the file is looked for right here.
	int infolder = chdir("sound") == 0;
	wavstruct wav;
	if (readwav(name, &wav)) {
		ALenum format = wav.bits == 8 ? AL_FORMAT_MONO8 : AL_FORMAT_MONO16;
		alGetError();
		alBufferData(soundbuffer[slot], format, wav.data, wav.length, wav.rate);
		bufferloaded[slot] = alGetError() == AL_NO_ERROR;
		freewav(&wav);
	}
	// Back out only when we went in; failing that, the next file is looked
	// for wherever we are, as for a missing folder.
	if (infolder && chdir("..") != 0)
		return;
}

void shutdownaudio()
{
	if (soundenabled) {
		for (int n = 0; n < SOUNDSOURCES; n++) {
			alSourceStop(sound[n].source);
			alDeleteSources(1, &sound[n].source);
			sound[n].source = 0;
		}
		for (int n = 0; n < SOUNDSLOTS; n++) {
			alDeleteBuffers(1, &soundbuffer[n]);
			soundbuffer[n] = 0;
			bufferloaded[n] = 0;
		}
	}
	ALCcontext *context = alcGetCurrentContext();
	if (context) {
		ALCdevice *device = alcGetContextsDevice(context);
		alcMakeContextCurrent(nullptr);
		alcDestroyContext(context);
		alcCloseDevice(device);
	}
	aldevice = nullptr;
	alcontext = nullptr;
	numofsounds = 0;
	soundenabled = 0;
}
