// Mono 16-bit PCM WAV output for the synthesised sounds.
#pragma once

constexpr int SOUNDRATE = 22050;
constexpr int MAXSOUNDSAMPLES = SOUNDRATE * 4;

// The sound being built, -1..1, and its length in samples.
extern float soundsample[MAXSOUNDSAMPLES];
extern int soundlength;

// Writes the sound, scaled so its loudest sample reaches peak (0..1), as a
// mono 16-bit WAV file. Returns 1 on success.
int writesoundwav(const char *path, float peak);
