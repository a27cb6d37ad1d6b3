// Builds WAV files in memory for the sound tests.
#pragma once

#include <cstdint>
#include <string>

inline void putu32(std::string *s, uint32_t v)
{
	for (int k = 0; k < 4; k++)
		s->push_back((char)(v >> (8 * k)));
}

inline void putu16(std::string *s, uint16_t v)
{
	s->push_back((char)v);
	s->push_back((char)(v >> 8));
}

// A PCM WAV with the given header fields around samples (raw bytes);
// extra is put as a chunk of its own between "fmt " and "data". A nonzero
// samplesperblock ends the format as an IMA ADPCM one does.
inline std::string makewav(const std::string &samples, int channels = 1, int bits = 16,
	int rate = 22050, int tag = 1, const std::string &extra = "", int samplesperblock = 0)
{
	std::string body = "WAVEfmt ";
	putu32(&body, samplesperblock ? 20 : 16);
	putu16(&body, (uint16_t)tag);
	putu16(&body, (uint16_t)channels);
	putu32(&body, (uint32_t)rate);
	putu32(&body, (uint32_t)(rate * channels * bits / 8));
	putu16(&body, (uint16_t)(channels * bits / 8));
	putu16(&body, (uint16_t)bits);
	if (samplesperblock) {
		putu16(&body, 2);
		putu16(&body, (uint16_t)samplesperblock);
	}
	if (!extra.empty()) {
		body += "LIST";
		putu32(&body, (uint32_t)extra.size());
		body += extra;
		if (extra.size() & 1)
			body.push_back(0);
	}
	body += "data";
	putu32(&body, (uint32_t)samples.size());
	body += samples;
	std::string file = "RIFF";
	putu32(&file, (uint32_t)body.size());
	return file + body;
}

// count 16-bit samples of a ramp, little-endian.
inline std::string ramp16(int count)
{
	std::string s;
	for (int n = 0; n < count; n++)
		putu16(&s, (uint16_t)(n * 37 - 1000));
	return s;
}
