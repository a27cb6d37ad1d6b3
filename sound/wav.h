// Decoding the WAV files of the sound buffers. SDL decodes them (PCM and
// the ADPCM kinds it knows); only a mono result of a sane size and rate is
// handed on, so a damaged or foreign file leaves just its own sound silent.
#pragma once

constexpr int MAXWAVBYTES = 16 << 20;  // far beyond any effect; refuses absurd sizes
constexpr int MAXWAVRATE = 192000;     // samples per second

struct wavstruct {
	int bits;             // 8 (passed on as the file holds them) or 16
	int rate;             // samples per second
	int length;           // bytes of sample data, whole samples
	unsigned char *data;  // SDL's buffer, host-order samples; freewav releases it
};

// Decodes the file name in the current folder. Returns 1 with wav filled
// when it decodes to one channel, else 0 with wav cleared. Needs no SDL_Init.
int readwav(const char *name, wavstruct *wav);
void freewav(wavstruct *wav);
