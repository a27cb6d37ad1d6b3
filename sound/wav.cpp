// The WAV reader. Files come from the game data, but a damaged or foreign
// file must only leave its own sound silent, never read out of bounds.
#include "sound/wav.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/files.h"

static int readtag(char tag[4])
{
	return fread2(tag, 1, 4, fp) == 4;
}

static int readu32(uint32_t *v)
{
	return fread2(v, 4, 1, fp) == 1;
}

static int readu16(uint16_t *v)
{
	return fread2(v, 2, 1, fp) == 1;
}

struct wavformat {
	uint16_t tag, channels, blockalign, bits;
	uint32_t rate, byterate;
};

// The "fmt " chunk: only plain PCM, one channel, 8 or 16 bits, with the
// block size those imply.
static int readformat(uint32_t size, wavformat *f)
{
	if (size < 16)
		return 0;
	if (!readu16(&f->tag) || !readu16(&f->channels) || !readu32(&f->rate)
		|| !readu32(&f->byterate) || !readu16(&f->blockalign) || !readu16(&f->bits))
		return 0;
	if (f->tag != 1 || f->channels != 1 || (f->bits != 8 && f->bits != 16))
		return 0;
	if (f->rate == 0 || f->rate > 192000 || f->blockalign != f->bits / 8)
		return 0;
	return fseek(fp, (long)(size - 16 + (size & 1)), SEEK_CUR) == 0;
}

static long filesize()
{
	if (fseek(fp, 0, SEEK_END) != 0)
		return -1;
	long size = ftell(fp);
	if (fseek(fp, 0, SEEK_SET) != 0)
		return -1;
	return size;
}

// Walks the chunks after the RIFF header; stops at the data chunk with fp at
// its first sample.
static int findchunks(long end, wavformat *f, uint32_t *datasize)
{
	int haveformat = 0;
	for (;;) {
		char tag[4];
		uint32_t size;
		long here = ftell(fp);
		if (here < 0 || here > end - 8 || !readtag(tag) || !readu32(&size))
			return 0;
		if ((uint64_t)size > (uint64_t)(end - here - 8))
			return 0;  // the chunk runs past the end: a cut file
		if (!memcmp(tag, "fmt ", 4)) {
			if (haveformat || !readformat(size, f))
				return 0;
			haveformat = 1;
		} else if (!memcmp(tag, "data", 4)) {
			if (!haveformat)
				return 0;
			*datasize = size;
			return 1;
		} else if (fseek(fp, (long)size + (size & 1), SEEK_CUR) != 0) {
			return 0;
		}
	}
}

static int readsamples(const wavformat *f, uint32_t size, wavstruct *wav)
{
	uint32_t samples = size / f->blockalign;  // a stray odd byte is dropped
	if (samples == 0 || samples * f->blockalign > (uint32_t)MAXWAVBYTES)
		return 0;
	int bytes = (int)(samples * f->blockalign);
	unsigned char *data = (unsigned char *)malloc(bytes);
	if (!data)
		return 0;
	// Through fread2 with the sample width, so 16-bit samples arrive in host order.
	if (fread2(data, f->blockalign, samples, fp) != samples) {
		free(data);
		return 0;
	}
	wav->bits = f->bits;
	wav->rate = (int)f->rate;
	wav->length = bytes;
	wav->data = data;
	return 1;
}

int readwav(const char *name, wavstruct *wav)
{
	memset(wav, 0, sizeof *wav);
	fp = fopen(name, "rb");
	if (!fp)
		return 0;
	int ok = 0;
	long end = filesize();
	char riff[4], wave[4];
	uint32_t riffsize;
	wavformat format = {};
	uint32_t datasize = 0;
	if (end >= 12 && readtag(riff) && readu32(&riffsize) && readtag(wave)
		&& !memcmp(riff, "RIFF", 4) && !memcmp(wave, "WAVE", 4) && riffsize >= 4) {
		// A RIFF size beyond the file means the file was cut short.
		if ((uint64_t)riffsize + 8 <= (uint64_t)end)
			end = (long)riffsize + 8;
		else
			end = -1;
		ok = end > 0 && findchunks(end, &format, &datasize)
			&& readsamples(&format, datasize, wav);
	}
	fclose(fp);
	fp = nullptr;
	return ok;
}

void freewav(wavstruct *wav)
{
	free(wav->data);
	memset(wav, 0, sizeof *wav);
}
