// The sixteen sound effects, synthesised. Engine and hydraulic sounds loop:
// every tone in them completes a whole number of cycles over the loop and
// their noise is filtered around the loop, so the last sample runs on into
// the first without a click.
#include <cmath>
#include <cstdio>

#include "tools/gen/gendata.h"
#include "tools/gen/picture.h"
#include "tools/gen/wavfile.h"

static const float TWOPI = 6.28318531f;

static void beginsound(float seconds)
{
	soundlength = (int)(seconds * SOUNDRATE);
	if (soundlength > MAXSOUNDSAMPLES)
		soundlength = MAXSOUNDSAMPLES;
	for (int i = 0; i < soundlength; i++)
		soundsample[i] = 0.0f;
}

// White noise in -1..1 from a hash, so it repeats exactly with the sample index.
static float noiseat(int i, int seed)
{
	return (hashpoint(i, 0, seed) & 0xffff) / 32767.5f - 1.0f;
}

static float timeat(int i)
{
	return (float)i / SOUNDRATE;
}

// A tone whose frequency is rounded to a whole number of cycles per loop.
static float looptone(int i, float frequency)
{
	float cycles = roundf(frequency * soundlength / SOUNDRATE);
	return sinf(TWOPI * cycles * (float)i / soundlength);
}

// One-pole low-pass of noise into out[], run twice around the loop so the
// filter's state at the start equals its state at the end.
static float loopfilter[MAXSOUNDSAMPLES];
static void loopnoise(float cutoff, int seed)
{
	float k = 1.0f - expf(-TWOPI * cutoff / SOUNDRATE);
	float state = 0.0f;
	for (int pass = 0; pass < 2; pass++) {
		for (int i = 0; i < soundlength; i++) {
			state += k * (noiseat(i, seed) - state);
			loopfilter[i] = state;
		}
	}
}

// Low-passed noise for one-shot sounds.
static float shotstate;
static float shotnoise(int i, float cutoff, int seed)
{
	float k = 1.0f - expf(-TWOPI * cutoff / SOUNDRATE);
	shotstate += k * (noiseat(i, seed) - shotstate);
	return shotstate;
}

static float envelope(float t, float attack, float decay)
{
	float a = attack > 0.0f ? clampunit(t / attack) : 1.0f;
	return a * expf(-t / decay);
}

// Puffs of a steam engine: four chuffs to the loop.
static void makesteam()
{
	beginsound(1.0f);
	loopnoise(900.0f, 101);
	for (int i = 0; i < soundlength; i++) {
		float phase = fmodf(4.0f * i / soundlength, 1.0f);
		// A short rise keeps each puff from starting with a step.
		float chuff = clampunit(phase * 40.0f) * expf(-phase * 9.0f);
		soundsample[i] = loopfilter[i] * chuff + 0.15f * looptone(i, 55.0f) * chuff;
	}
}

// Engine hum: a harmonic stack on a fundamental with a slow throb.
static void makeengine(float fundamental, float seconds, int throbs, float roughness, int seed)
{
	beginsound(seconds);
	loopnoise(400.0f, seed);
	for (int i = 0; i < soundlength; i++) {
		float throb = 0.75f + 0.25f * sinf(TWOPI * throbs * (float)i / soundlength);
		float v = 0.0f;
		for (int h = 1; h <= 6; h++)
			v += looptone(i, fundamental * h) / h;
		soundsample[i] = throb * (v + roughness * loopfilter[i] * 4.0f);
	}
}

// The hydraulic whine: a steady tone over a hiss.
static void makehydraulic()
{
	beginsound(1.0f);
	loopnoise(2500.0f, 107);
	for (int i = 0; i < soundlength; i++)
		soundsample[i] = 0.5f * looptone(i, 120.0f) + 0.25f * looptone(i, 240.0f)
			+ 0.3f * looptone(i, 363.0f) + 0.6f * loopfilter[i];
}

static void makehorn(float f1, float f2, float seconds)
{
	beginsound(seconds);
	for (int i = 0; i < soundlength; i++) {
		float t = timeat(i);
		float gate = clampunit(t / 0.05f) * clampunit((seconds - t) / 0.15f);
		float v = 0.0f;
		for (int h = 1; h <= 5; h++)
			v += (sinf(TWOPI * f1 * h * t) + sinf(TWOPI * f2 * h * t)) / (h * h);
		soundsample[i] = gate * v;
	}
}

// Metal giving way: inharmonic ringing partials over a noisy crack.
static void makebreak(float pitch, float seconds, int seed)
{
	beginsound(seconds);
	shotstate = 0.0f;
	static const float partial[4] = {1.0f, 2.76f, 5.4f, 8.93f};
	for (int i = 0; i < soundlength; i++) {
		float t = timeat(i);
		float v = 0.0f;
		for (int p = 0; p < 4; p++)
			v += sinf(TWOPI * pitch * partial[p] * t) * expf(-t * (3.0f + p * 2.0f)) / (p + 1);
		v += 1.5f * shotnoise(i, 3000.0f, seed) * expf(-t * 25.0f);
		soundsample[i] = v;
	}
}

// A cable snapping: a falling twang and a sharp snap.
static void makecablebreak()
{
	beginsound(1.2f);
	shotstate = 0.0f;
	float phase = 0.0f;
	for (int i = 0; i < soundlength; i++) {
		float t = timeat(i);
		float f = 180.0f + 500.0f * expf(-t * 6.0f);
		phase += TWOPI * f / SOUNDRATE;
		soundsample[i] = sinf(phase) * expf(-t * 3.5f) + 2.0f * shotnoise(i, 5000.0f, 110) * expf(-t * 60.0f);
	}
}

static void makecrash()
{
	beginsound(1.0f);
	shotstate = 0.0f;
	for (int i = 0; i < soundlength; i++) {
		float t = timeat(i);
		float crunch = (hashpoint(i / 400, 1, 108) & 255) / 255.0f;
		soundsample[i] = shotnoise(i, 1800.0f, 108) * envelope(t, 0.005f, 0.25f) * (0.5f + crunch)
			+ 0.5f * sinf(TWOPI * 70.0f * t) * envelope(t, 0.0f, 0.12f);
	}
}

// A heavy joint meeting its other half.
static void makeclunk()
{
	beginsound(0.5f);
	shotstate = 0.0f;
	for (int i = 0; i < soundlength; i++) {
		float t = timeat(i);
		soundsample[i] = sinf(TWOPI * 95.0f * t) * envelope(t, 0.002f, 0.08f)
			+ 0.6f * sinf(TWOPI * 410.0f * t) * envelope(t, 0.0f, 0.03f)
			+ 0.8f * shotnoise(i, 2000.0f, 106) * envelope(t, 0.0f, 0.015f);
	}
}

static void maketick(float frequency, float seconds)
{
	beginsound(seconds);
	for (int i = 0; i < soundlength; i++) {
		float t = timeat(i);
		soundsample[i] = sinf(TWOPI * frequency * t) * envelope(t, 0.001f, seconds / 5.0f);
	}
}

static void makesplash(float seconds, float cutoff, int seed)
{
	beginsound(seconds);
	shotstate = 0.0f;
	for (int i = 0; i < soundlength; i++) {
		float t = timeat(i);
		float bubbles = 0.3f * sinf(TWOPI * (600.0f + 300.0f * noiseat(i / 2000, seed)) * t)
			* envelope(t - 0.1f, 0.05f, 0.2f) * (t > 0.1f);
		soundsample[i] = shotnoise(i, cutoff, seed) * envelope(t, 0.01f, seconds / 4.0f) + bubbles;
	}
}

int generatesounds()
{
	makefolder("sound");
	int failed = 0;
	makesteam();
	failed += !writesoundwav("sound/steameng.wav", 0.8f);
	makehorn(311.0f, 370.0f, 1.4f);
	failed += !writesoundwav("sound/horndsl.wav", 0.8f);
	makeengine(40.0f, 0.5f, 4, 0.3f, 102);
	failed += !writesoundwav("sound/careng.wav", 0.7f);
	makebreak(220.0f, 1.2f, 103);
	failed += !writesoundwav("sound/lnkbrkst.wav", 0.9f);
	makehorn(87.0f, 110.0f, 2.5f);
	failed += !writesoundwav("sound/horncrg.wav", 0.85f);
	makeengine(22.0f, 1.0f, 3, 0.5f, 105);
	failed += !writesoundwav("sound/cargoeng.wav", 0.7f);
	makeclunk();
	failed += !writesoundwav("sound/dbjnt.wav", 0.9f);
	makehydraulic();
	failed += !writesoundwav("sound/dblnk.wav", 0.6f);
	makecrash();
	failed += !writesoundwav("sound/crash.wav", 0.9f);
	makeengine(30.0f, 1.0f, 6, 0.8f, 109);
	failed += !writesoundwav("sound/diesleng.wav", 0.7f);
	makecablebreak();
	failed += !writesoundwav("sound/cablebrk.wav", 0.9f);
	maketick(1800.0f, 0.03f);
	failed += !writesoundwav("sound/click.wav", 0.6f);
	maketick(900.0f, 0.04f);
	failed += !writesoundwav("sound/unclick.wav", 0.6f);
	makesplash(0.8f, 1500.0f, 113);
	failed += !writesoundwav("sound/splash.wav", 0.8f);
	makesplash(1.1f, 900.0f, 114);
	failed += !writesoundwav("sound/splash2.wav", 0.8f);
	makesplash(0.6f, 2500.0f, 115);
	failed += !writesoundwav("sound/splash3.wav", 0.8f);
	return failed;
}
