// The sound instance records and their bookkeeping, apart from OpenAL so the
// rules (limits, renumbering, which vehicle sounds what) are testable without
// a device. Only the game built with sound has these.
#pragma once

constexpr int MAXSOUNDS = 64;
constexpr int SOUNDSLOTS = 16;       // buffers loaded from the WAV files
constexpr int SOUNDSOURCES = 16;     // sources exist for records 0 to 15 only
constexpr int MAXLIVESOUNDS = 15;
constexpr int MAXALIKESOUNDS = 7;    // free instances of one kind playing at once
constexpr int FIRSTSPLASHSOUND = 13; // 13 to 15 count together
constexpr int SOUNDCLICK = 11;
constexpr int SOUNDUNCLICK = 12;

struct soundstruct {
	int id;            // buffer slot 0 to 15
	int object;        // vehicle followed, -1 free
	int looping;       // a looping instance is never reaped
	int pitchfollows;  // pitch follows the vehicle's speed
	unsigned source;   // OpenAL source name
};
static_assert(sizeof(soundstruct) == 20, "five 32-bit fields");

extern soundstruct sound[MAXSOUNDS];
extern int numofsounds;
extern int soundenabled;                // 1 while the device is up
extern unsigned soundbuffer[MAXSOUNDS]; // OpenAL buffer names, 0 to 15 used
extern int bufferloaded[MAXSOUNDS];     // 1 once the slot holds sound data

// Whether a new instance of slot id may start at all: sound is up, there is
// room, and the slot's file loaded.
int soundslotplayable(int id);
// Live instances that count against a new free instance of id: the same
// id, or any splash when id is a splash.
int countalikesounds(int id);
// Takes instance i out of the records (the source is the caller's to stop):
// the last record moves into i, i's source name goes to the vacated record
// so every source stays owned by one record, and vehicle indices follow.
void removesoundrecord(int i);
// Instances following vehicle from follow vehicle to (-1: none) instead;
// those still following to, or from when both are the same, follow none.
void rebindsoundrecords(int from, int to);
// Engine loop and horn slot of a vehicle type, -1 for none.
int enginesound(int type);
int hornsound(int type);
// Engine pitch for a speed per step against a top speed per second: 0.5 at
// rest rising to 1 at a third of the top speed.
float enginepitch(float speedperstep, float maxspeed);
// Gain and pitch of a free instance, held to 0..1 (a non-number gives 0).
float clampunit(float value);
