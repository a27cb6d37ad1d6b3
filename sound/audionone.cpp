// The build without sound: nothing to start or stop.
#include "sound/audio.h"

void setupaudio()
{
}

void shutdownaudio()
{
}
