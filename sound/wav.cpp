// The WAV decoder for the sound buffers: SDL reads the file, and what it
// returns is checked before a buffer may take it.
#include "sound/wav.h"

#include <SDL/SDL.h>
#include <cstring>

#include "platform/files.h"

// SDL hands 16-bit samples over little-endian.
static void swapsamples(unsigned char *data, int length)
{
	for (int n = 0; n + 1 < length; n += 2) {
		unsigned char low = data[n];
		data[n] = data[n + 1];
		data[n + 1] = low;
	}
}

static Uint32 littleendian32(const unsigned char *p)
{
	return p[0] | (Uint32)p[1] << 8 | (Uint32)p[2] << 16 | (Uint32)p[3] << 24;
}

static Uint32 littleendian16(const unsigned char *p)
{
	return p[0] | (Uint32)p[1] << 8;
}

// Where SDL finds the format and the samples.
struct wavlayout {
	unsigned char format[20];  // the start of the "fmt " chunk, zero beyond it
	Uint32 formatsize;
	Uint32 datasize;
};

// SDL allocates each chunk it reads at the size the chunk claims before
// reading it, so a few damaged bytes ask for up to 4 GiB. Walks the chunks
// as SDL does (from the header, no pad bytes, "LIST" and "fact" before
// "fmt ", anything after it up to "data") and refuses a chunk that does not
// fit in the file: SDL's own read of it would fail. Returns 1 with the
// layout filled when the walk reaches "data", 1 with an empty layout when
// SDL will refuse the file for its first chunk, 0 when a chunk runs out.
static int walkchunks(SDL_RWops *file, wavlayout *layout)
{
	memset(layout, 0, sizeof *layout);
	long end = SDL_RWseek(file, 0, RW_SEEK_END);
	unsigned char header[8];
	if (end < 8 || SDL_RWseek(file, 0, RW_SEEK_SET) != 0 || SDL_RWread(file, header, 8, 1) != 1)
		return 0;
	// A file with "WAVE" after its first word has its chunks right after
	// that; SDL reads it so.
	long at = memcmp(header + 4, "WAVE", 4) == 0 ? 8 : 12;
	int seenformat = 0;
	for (;;) {
		if (at > end - 8 || SDL_RWseek(file, (int)at, RW_SEEK_SET) != at
			|| SDL_RWread(file, header, 8, 1) != 1)
			return 0;
		Uint32 size = littleendian32(header + 4);
		if (size > (Uint32)(end - at - 8))
			return 0;
		if (seenformat && !memcmp(header, "data", 4)) {
			layout->datasize = size;
			return 1;
		}
		if (!seenformat && (!memcmp(header, "LIST", 4) || !memcmp(header, "fact", 4))) {
			at += 8 + (long)size;
			continue;
		}
		if (!seenformat && memcmp(header, "fmt ", 4) != 0)
			return 1;  // SDL stops at this chunk and refuses the file itself
		if (!seenformat) {
			Uint32 keep = size < sizeof layout->format ? size : sizeof layout->format;
			if (keep > 0 && SDL_RWread(file, layout->format, keep, 1) != 1)
				return 0;
			layout->formatsize = size;
			seenformat = 1;
		}
		at += 8 + (long)size;
	}
}

// Faults of SDL 1.2's decoder that a file can reach: a PCM format chunk
// shorter than its 16 fixed bytes is read past its end; an ADPCM block size
// of 0 divides by zero; an ADPCM file sizes its decoded buffer by a product
// of header fields that overflows. Such files are refused here. A decoded
// size beyond MAXWAVBYTES would be refused after decoding anyway.
static int sdlcandecode(const wavlayout *layout)
{
	if (layout->formatsize == 0)
		return 1;  // no format reached: SDL refuses the file itself
	if (layout->formatsize < 16)
		return 0;
	Uint32 encoding = littleendian16(layout->format);
	if (encoding != 2 && encoding != 0x11)
		return 1;
	Uint32 blockalign = littleendian16(layout->format + 12);
	if (blockalign == 0)
		return 0;
	if (layout->formatsize < 20)
		return 1;  // no samples per block: SDL refuses it
	Uint64 decoded = (Uint64)(layout->datasize / blockalign) * littleendian16(layout->format + 18)
		* littleendian16(layout->format + 2) * 2;
	return decoded <= (Uint64)MAXWAVBYTES;
}

int readwav(const char *name, wavstruct *wav)
{
	memset(wav, 0, sizeof *wav);
	SDL_RWops *file = SDL_RWFromFile(name, "rb");
	if (!file)
		return 0;
	wavlayout layout;
	if (!walkchunks(file, &layout) || !sdlcandecode(&layout)
		|| SDL_RWseek(file, 0, RW_SEEK_SET) != 0) {
		SDL_RWclose(file);
		return 0;
	}
	SDL_AudioSpec sound;
	Uint8 *data = nullptr;
	Uint32 length = 0;
	// Closes the stream whatever it decides. An ADPCM file whose blocks do
	// not decode fails with the decoded buffer already handed out: free it.
	if (!SDL_LoadWAV_RW(file, 1, &sound, &data, &length)) {
		SDL_FreeWAV(data);
		return 0;
	}
	int bits = (sound.format & 0xff) == 8 ? 8 : 16;
	length -= length % (bits / 8);
	if (sound.channels != 1 || length == 0 || length > (Uint32)MAXWAVBYTES || sound.freq <= 0
		|| sound.freq > MAXWAVRATE) {
		SDL_FreeWAV(data);
		return 0;
	}
	if (bits == 16 && bigendian)
		swapsamples(data, (int)length);
	wav->bits = bits;
	wav->rate = sound.freq;
	wav->length = (int)length;
	wav->data = data;
	return 1;
}

void freewav(wavstruct *wav)
{
	SDL_FreeWAV(wav->data);
	memset(wav, 0, sizeof *wav);
}
