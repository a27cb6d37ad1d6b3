// The sound device and context. Start-up calls setupaudio when the settings
// enable sound and shutdownaudio at exit; in the build without sound both
// do nothing.
#pragma once

void setupaudio();
void shutdownaudio();
