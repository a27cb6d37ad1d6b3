// The OpenAL device and context.
#include "sound/audio.h"

#include <AL/al.h>
#include <AL/alc.h>

ALCdevice *aldevice;
ALCcontext *alcontext;
int soundenabled;

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
}

void shutdownaudio()
{
	ALCcontext *context = alcGetCurrentContext();
	if (context) {
		ALCdevice *device = alcGetContextsDevice(context);
		alcMakeContextCurrent(nullptr);
		alcDestroyContext(context);
		alcCloseDevice(device);
	}
	aldevice = nullptr;
	alcontext = nullptr;
	soundenabled = 0;
}
