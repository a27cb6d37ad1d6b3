// The WAV reader and the sound instance records, without a sound device.
#include "sound/soundrecords.h"
#include "sound/wav.h"
#include "platform/files.h"
#include "world/vehicle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "tests/tempfolder.h"
#include "tests/wavdata.h"

class Wav : public ::testing::Test {
protected:
	tempfolder folder;
	void SetUp() override
	{
		checkbigendian();
		entertempfolder(&folder);
	}
	void TearDown() override { leavetempfolder(&folder); }

	int read(const std::string &bytes, wavstruct *wav)
	{
		writefile("test.wav", bytes);
		return readwav("test.wav", wav);
	}
};

TEST_F(Wav, ReadsMonoFilesInHostOrder)
{
	wavstruct wav;
	std::string samples = ramp16(100);
	ASSERT_EQ(read(makewav(samples, 1, 16, 11025), &wav), 1);
	EXPECT_EQ(wav.bits, 16);
	EXPECT_EQ(wav.rate, 11025);
	ASSERT_EQ(wav.length, 200);
	const int16_t *s = (const int16_t *)wav.data;
	EXPECT_EQ(s[0], -1000);
	EXPECT_EQ(s[99], 99 * 37 - 1000);
	freewav(&wav);
	EXPECT_EQ(wav.data, nullptr);

	// 8-bit samples go through untouched; other chunks are stepped over.
	std::string bytes8("\x00\x7f\x80\xff\x01", 5);
	ASSERT_EQ(read(makewav(bytes8, 1, 8, 8000, 1, "meta"), &wav), 1);
	EXPECT_EQ(wav.bits, 8);
	ASSERT_EQ(wav.length, 5);
	EXPECT_EQ(memcmp(wav.data, bytes8.data(), 5), 0);
	freewav(&wav);

	// A stray byte after the last whole 16-bit sample is dropped.
	ASSERT_EQ(read(makewav(ramp16(3) + "x"), &wav), 1);
	EXPECT_EQ(wav.length, 6);
	freewav(&wav);
}

// Files that SDL plays: a RIFF size that is off or unset, 16-bit samples
// in blocks of 4, and IMA ADPCM, which decodes to 16 bits.
TEST_F(Wav, DecodesWhatSdlPlays)
{
	std::string whole = makewav(ramp16(40));
	wavstruct wav;
	for (uint32_t riffsize : {(uint32_t)whole.size(), 0u, 0xffffffffu}) {
		std::string file = whole;
		std::string field;
		putu32(&field, riffsize);
		file.replace(4, 4, field);
		ASSERT_EQ(read(file, &wav), 1) << "RIFF size " << riffsize;
		EXPECT_EQ(wav.length, 80);
		freewav(&wav);
	}
	std::string aligned4 = whole;
	aligned4[32] = 4;  // block alignment
	ASSERT_EQ(read(aligned4, &wav), 1);
	EXPECT_EQ(wav.bits, 16);
	freewav(&wav);
	// One block of 8 bytes: a 4-byte header (first sample 16) and 9 samples.
	std::string ima = makewav(std::string("\x10\x00\x05\x00" "abcd", 8), 1, 4, 8000, 0x11,
		"", 9);
	ima[32] = 8;  // block alignment
	ASSERT_EQ(read(ima, &wav), 1);
	EXPECT_EQ(wav.bits, 16);
	EXPECT_EQ(wav.length, 18);
	EXPECT_EQ(*(const int16_t *)wav.data, 16);
	freewav(&wav);
}

// Files on which SDL's decoder reads past a buffer or divides by zero.
TEST_F(Wav, RefusesWhatSdlCannotDecodeSafely)
{
	wavstruct wav;
	std::string shortformat = "RIFF";
	putu32(&shortformat, 4 + 10 + 8 + 16);
	shortformat += "WAVEfmt ";
	putu32(&shortformat, 2);
	putu16(&shortformat, 1);
	shortformat += "data";
	putu32(&shortformat, 16);
	shortformat += ramp16(8);
	EXPECT_EQ(read(shortformat, &wav), 0);
	// Block alignment 0 (makewav's for 4 bits).
	EXPECT_EQ(read(makewav(std::string(64, '\0'), 1, 4, 8000, 0x11, "", 57), &wav), 0);
}

TEST_F(Wav, RefusesWhatABufferCannotTake)
{
	wavstruct wav;
	EXPECT_EQ(readwav("missing.wav", &wav), 0);
	EXPECT_EQ(read(makewav(ramp16(10), 2), &wav), 0);          // stereo
	EXPECT_EQ(read(makewav(ramp16(10), 1, 24), &wav), 0);      // 24-bit
	EXPECT_EQ(read(makewav(ramp16(10), 1, 16, 22050, 2), &wav), 0);  // ADPCM
	EXPECT_EQ(read(makewav(ramp16(10), 1, 16, 0), &wav), 0);   // no rate
	EXPECT_EQ(read(makewav(""), &wav), 0);                     // no samples
	EXPECT_EQ(read("", &wav), 0);
	std::string notwave = makewav(ramp16(10));
	notwave[8] = 'X';
	EXPECT_EQ(read(notwave, &wav), 0);
	// Samples before any format.
	std::string nofmt = "RIFF";
	putu32(&nofmt, 4 + 8 + 4);
	nofmt += "WAVEdata";
	putu32(&nofmt, 4);
	nofmt += "abcd";
	EXPECT_EQ(read(nofmt, &wav), 0);
	EXPECT_EQ(wav.data, nullptr);
	EXPECT_EQ(wav.length, 0);
}

TEST_F(Wav, RefusesEveryTruncation)
{
	std::string whole = makewav(ramp16(40), 1, 16, 22050, 1, "meta");
	wavstruct wav;
	for (size_t cut = 0; cut < whole.size(); cut++)
		EXPECT_EQ(read(whole.substr(0, cut), &wav), 0) << "cut at " << cut;
	EXPECT_EQ(read(whole, &wav), 1);
	freewav(&wav);
}

TEST_F(Wav, SurvivesCorruptSizesAndBytes)
{
	std::string whole = makewav(ramp16(40), 1, 16, 22050, 1, "meta");
	wavstruct wav;
	// Chunk sizes that point past the file or wrap around.
	const size_t sizefields[] = {16, 40, 52};  // fmt, LIST, data
	const uint32_t lies[] = {0xffffffffu, 0x80000000u, 0x7fffffffu, 0xfffffff8u};
	for (size_t at : sizefields)
		for (uint32_t lie : lies) {
			std::string bad = whole;
			std::string field;
			putu32(&field, lie);
			bad.replace(at, 4, field);
			EXPECT_EQ(read(bad, &wav), 0) << "size at " << at;
		}
	// Any header byte set to any of a few values: whatever is accepted
	// must fit in the file (the sanitizers watch the reads).
	const unsigned char values[] = {0x00, 0x01, 0x7f, 0x80, 0xff};
	for (size_t at = 0; at < 64; at++)
		for (unsigned char v : values) {
			std::string bad = whole;
			bad[at] = (char)v;
			if (read(bad, &wav)) {
				EXPECT_LE((size_t)wav.length, bad.size());
				EXPECT_TRUE(wav.bits == 8 || wav.bits == 16);
				freewav(&wav);
			}
		}
}

class Records : public ::testing::Test {
protected:
	void SetUp() override
	{
		memset(sound, 0, sizeof sound);
		for (int n = 0; n < SOUNDSOURCES; n++)
			sound[n].source = 100 + n;
		numofsounds = 0;
		soundenabled = 1;
		for (int n = 0; n < SOUNDSLOTS; n++)
			bufferloaded[n] = 1;
		numofobjects = 0;
	}
	void TearDown() override { soundenabled = 0; numofobjects = 0; }

	int add(int id, int objectnum = -1)
	{
		sound[numofsounds].id = id;
		sound[numofsounds].object = objectnum;
		return numofsounds++;
	}
	void addvehicle(int engine)
	{
		object[numofobjects] = objectstruct{};
		for (int k = 0; k < OBJECTSOUNDS; k++)
			object[numofobjects].soundnum[k] = -1;
		object[numofobjects].soundnum[0] = engine;
		numofobjects++;
	}
};

TEST_F(Records, RemovalMovesTheLastAndKeepsEverySource)
{
	addvehicle(0);
	addvehicle(3);
	add(0, 0);
	add(13);
	add(4);
	add(9, 1);
	removesoundrecord(0);
	EXPECT_EQ(numofsounds, 3);
	EXPECT_EQ(sound[0].id, 9);
	EXPECT_EQ(sound[0].source, 103u);
	EXPECT_EQ(sound[3].source, 100u);  // the stopped source waits in the vacated record
	EXPECT_EQ(object[0].soundnum[0], -1);  // its instance is gone
	EXPECT_EQ(object[1].soundnum[0], 0);   // followed its instance

	// The last one: nothing moves.
	removesoundrecord(2);
	EXPECT_EQ(numofsounds, 2);
	EXPECT_EQ(sound[2].source, 102u);
	EXPECT_EQ(object[1].soundnum[0], 0);
	removesoundrecord(5);  // out of range: ignored
	removesoundrecord(-1);
	EXPECT_EQ(numofsounds, 2);

	// Whatever the order of removals, the sixteen sources stay distinct.
	for (int n = 0; n < 13; n++)
		add(n);
	while (numofsounds)
		removesoundrecord(numofsounds / 2);
	int seen[SOUNDSOURCES] = {};
	for (int n = 0; n < SOUNDSOURCES; n++) {
		ASSERT_GE(sound[n].source, 100u);
		ASSERT_LT(sound[n].source, 116u);
		seen[sound[n].source - 100]++;
	}
	for (int n = 0; n < SOUNDSOURCES; n++)
		EXPECT_EQ(seen[n], 1);
}

TEST_F(Records, EnginePitchAndClamps)
{
	EXPECT_EQ(enginepitch(0.0f, 20.0f), 0.5f);
	EXPECT_EQ(enginepitch(0.5f, 0.0f), 0.5f);      // no top speed
	EXPECT_FLOAT_EQ(enginepitch(0.1f, 20.0f), 0.75f);  // a quarter of the top speed
	EXPECT_FLOAT_EQ(enginepitch(20.0f / 150.0f, 20.0f), 1.0f);
	EXPECT_EQ(enginepitch(5.0f, 20.0f), 1.0f);
	EXPECT_EQ(clampunit(-2.0f), 0.0f);
	EXPECT_EQ(clampunit(0.25f), 0.25f);
	EXPECT_EQ(clampunit(7.0f), 1.0f);
	EXPECT_EQ(clampunit(NAN), 0.0f);
}
