// The OpenAL device and context, on OpenAL Soft's null backend.
#include "sound/audio.h"

#include <AL/alc.h>
#include <gtest/gtest.h>

extern int soundenabled;

TEST(Audio, StartsAndStopsCleanly)
{
	setupaudio();
	EXPECT_EQ(soundenabled, 1);
	EXPECT_NE(alcGetCurrentContext(), nullptr);
	shutdownaudio();
	EXPECT_EQ(soundenabled, 0);
	EXPECT_EQ(alcGetCurrentContext(), nullptr);
	shutdownaudio();  // stopping twice, or without a start, does nothing
	EXPECT_EQ(soundenabled, 0);
}
