// Reading mono PCM WAV files for the sound buffers. The parser trusts no
// field of the file: every chunk must lie inside it, and only a complete,
// well-formed mono 8- or 16-bit file is accepted.
#pragma once

constexpr int MAXWAVBYTES = 16 << 20;  // far beyond any effect; refuses absurd sizes

struct wavstruct {
	int bits;             // 8 (unsigned samples, as WAV stores them) or 16
	int rate;             // samples per second
	int length;           // bytes of sample data
	unsigned char *data;  // heap, host-order samples; freewav releases it
};

// Reads the file name in the current folder. Returns 1 with wav filled when
// the file is a usable mono PCM file, else 0 with wav cleared.
int readwav(const char *name, wavstruct *wav);
void freewav(wavstruct *wav);
