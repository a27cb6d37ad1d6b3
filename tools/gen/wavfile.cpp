#include "tools/gen/wavfile.h"

#include <cmath>
#include <cstdint>

#include "platform/files.h"

float soundsample[MAXSOUNDSAMPLES];
int soundlength;

static int writeword(uint32_t v)
{
	return fwrite2(&v, 4, 1, fp) == 1;
}

static int writehalf(uint16_t v)
{
	return fwrite2(&v, 2, 1, fp) == 1;
}

int writesoundwav(const char *path, float peak)
{
	float loudest = 0.0f;
	for (int i = 0; i < soundlength; i++)
		if (fabsf(soundsample[i]) > loudest)
			loudest = fabsf(soundsample[i]);
	float scale = loudest > 0.0f ? peak * 32767.0f / loudest : 0.0f;
	if (!opensavefile(path))
		return 0;
	uint32_t databytes = (uint32_t)soundlength * 2;
	int ok = fwrite2("RIFF", 1, 4, fp) == 4 && writeword(36 + databytes)
		&& fwrite2("WAVEfmt ", 1, 8, fp) == 8 && writeword(16)
		&& writehalf(1)  // PCM
		&& writehalf(1)  // one channel
		&& writeword(SOUNDRATE) && writeword(SOUNDRATE * 2)
		&& writehalf(2) && writehalf(16)
		&& fwrite2("data", 1, 4, fp) == 4 && writeword(databytes);
	for (int i = 0; ok && i < soundlength; i++) {
		float v = soundsample[i] * scale;
		if (v > 32767.0f)
			v = 32767.0f;
		if (v < -32767.0f)
			v = -32767.0f;
		int16_t s = (int16_t)lrintf(v);
		ok = fwrite2(&s, 2, 1, fp) == 1;
	}
	int saved = closesavefile(path);
	return ok && saved;
}
