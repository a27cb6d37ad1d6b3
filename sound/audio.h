// Sound for the game's screens. Start-up calls setupaudio when the settings
// enable sound and shutdownaudio at exit. These exist in both builds; built
// without sound they do nothing and createsound refuses. The simulation's own
// sound calls are in world/soundevents.h; the test screen ends a run with
// stopallsounds from there.
#pragma once

#include "platform/vector.h"

// Opens the default device and context, loads the sixteen buffers from the
// folder "sound" and makes the sources. No device: sound stays off, silently.
void setupaudio();
void shutdownaudio();
// Loads one WAV file from the folder "sound" into buffer slot 0 to 15; a
// missing, damaged or multi-channel file leaves the slot silent.
void loadwav(int slot, const char *name);

// A looping or one-shot instance that follows vehicle object; returns its
// index or -1 when refused (sound off, 15 playing, slot not loaded).
int createsound(int id, int object, int looping, int pitchfollows);
// Once per rendered frame of the test screen: the listener follows the
// camera, vehicles start engines and horns, finished instances go, bound
// instances follow their vehicles.
void soundsimulation(const vector3 *position, const orientation *axes);

// The bridge editor's feedback: "click.wav" (11) or "unclick.wav" (12) at
// the origin, where resetlistener puts the listener.
void playeditorsound(int id);
void resetlistener();
