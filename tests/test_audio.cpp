// The sound device, buffers and instances on OpenAL Soft's null backend.
#include "sound/audio.h"
#include "sound/soundrecords.h"
#include "world/level.h"
#include "world/soundevents.h"
#include "world/vehicle.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/files.h"
#include "tests/tempfolder.h"
#include "tests/wavdata.h"

// The game's "Loading..." frame. Defined here so the do-nothing sound
// routines beside the headless one are never linked over the real ones.
void drawloadingframe()
{
}

static const char *const names[SOUNDSLOTS] = {
	"steameng.wav", "horndsl.wav", "careng.wav", "lnkbrkst.wav",
	"horncrg.wav", "cargoeng.wav", "dbjnt.wav", "dblnk.wav",
	"crash.wav", "diesleng.wav", "cablebrk.wav", "click.wav",
	"unclick.wav", "splash.wav", "splash2.wav", "splash3.wav",
};

static const vector3 origin = {0.0f, 0.0f, 0.0f};

// Two seconds of 16-bit sound: long enough to still play during a test.
static std::string longsound()
{
	return makewav(ramp16(44100));
}

class Audio : public ::testing::Test {
protected:
	tempfolder folder;
	void SetUp() override
	{
		setenv("ALSOFT_DRIVERS", "null", 0);
		checkbigendian();
		entertempfolder(&folder);
		mkdir("sound", 0777);
		for (int n = 0; n < SOUNDSLOTS; n++)
			writefile((std::string("sound/") + names[n]).c_str(), longsound());
		numofobjects = 0;
		level.waterlevel = 0.0f;
	}
	void TearDown() override
	{
		shutdownaudio();
		numofobjects = 0;
		leavetempfolder(&folder);
	}

	int addvehicle(int type, float y)
	{
		objectstruct *o = &object[numofobjects];
		*o = objectstruct{};
		o->type = type;
		for (int k = 0; k < OBJECTSOUNDS; k++)
			o->soundnum[k] = -1;
		o->position = {10.0f, y, 5.0f};
		o->maxspeed = 30.0f;
		return numofobjects++;
	}

	// Frames until vehicle n has an engine, at most 2000.
	int startengine(int n)
	{
		orientation axes;
		resetorientation(&axes);
		for (int frame = 0; frame < 2000 && object[n].soundnum[0] == -1; frame++)
			soundsimulation(&origin, &axes);
		return object[n].soundnum[0];
	}

	float pitch(int n)
	{
		float value = 0.0f;
		alGetSourcef(sound[n].source, AL_PITCH, &value);
		return value;
	}
};

TEST_F(Audio, StartsAndStopsCleanly)
{
	setupaudio();
	EXPECT_EQ(soundenabled, 1);
	EXPECT_NE(alcGetCurrentContext(), nullptr);
	for (int n = 0; n < SOUNDSLOTS; n++)
		EXPECT_EQ(bufferloaded[n], 1) << names[n];
	shutdownaudio();
	EXPECT_EQ(soundenabled, 0);
	EXPECT_EQ(alcGetCurrentContext(), nullptr);
	shutdownaudio();  // stopping twice, or without a start, does nothing
	EXPECT_EQ(soundenabled, 0);
	EXPECT_EQ(createsound(0, 0, 1, 1), -1);  // everything refuses while off
	playsound(3, &origin, nullptr, 0, 1.0f, 1.0f);
	EXPECT_EQ(numofsounds, 0);
}

TEST_F(Audio, ABadFileSilencesOnlyItsOwnSlot)
{
	writefile("sound/crash.wav", makewav(ramp16(100), 2));
	writefile("sound/splash2.wav", longsound().substr(0, 60));
	setupaudio();
	for (int n = 0; n < SOUNDSLOTS; n++)
		EXPECT_EQ(bufferloaded[n], n != 8 && n != 14) << names[n];
	playsound(8, &origin, nullptr, 0, 1.0f, 1.0f);
	EXPECT_EQ(numofsounds, 0);
	playsound(3, &origin, nullptr, 0, 1.0f, 1.0f);
	EXPECT_EQ(numofsounds, 1);
	// Loading went back out of the folder each time.
	EXPECT_EQ(access("sound", F_OK), 0);
}

TEST_F(Audio, WithoutTheFolderFilesComeFromHere)
{
	system("mv sound/* . && rmdir sound");
	setupaudio();
	EXPECT_EQ(bufferloaded[0], 1);
	EXPECT_EQ(bufferloaded[15], 1);
}

TEST_F(Audio, LimitsLiveAndAlikeInstances)
{
	setupaudio();
	// Six splashes of the three kinds allow a seventh, then no splash at all.
	for (int n = 0; n < 7; n++)
		playsound(13 + n % 3, &origin, nullptr, 0, 0.5f, 1.0f);
	EXPECT_EQ(numofsounds, 7);
	playsound(14, &origin, nullptr, 0, 0.5f, 1.0f);
	EXPECT_EQ(numofsounds, 7);
	// Other ids up to fifteen live, then nothing.
	for (int n = 0; n < 8; n++)
		playsound(n, &origin, nullptr, 0, 2.0f, -1.0f);
	EXPECT_EQ(numofsounds, 15);
	float gain = 0.0f;
	alGetSourcef(sound[7].source, AL_GAIN, &gain);
	EXPECT_EQ(gain, 1.0f);  // held to 0..1
	playsound(9, &origin, nullptr, 0, 1.0f, 1.0f);
	addvehicle(0, 5.0f);
	EXPECT_EQ(createsound(0, 0, 1, 1), -1);
	EXPECT_EQ(numofsounds, 15);
	for (int n = 0; n < numofsounds; n++)
		for (int m = n + 1; m < numofsounds; m++)
			EXPECT_NE(sound[n].source, sound[m].source);
}

TEST_F(Audio, LoopingStaysUntilStoppedAndOneShotsAreReaped)
{
	writefile("sound/click.wav", makewav(ramp16(20)));  // about a millisecond
	setupaudio();
	orientation axes;
	resetorientation(&axes);
	playsound(SOUND_HYDRAULIC, &origin, nullptr, 1, 1.0f, 1.0f);
	playsound(11, &origin, nullptr, 0, 1.0f, 1.0f);
	for (int frame = 0; frame < 200 && numofsounds > 1; frame++) {
		soundsimulation(&origin, &axes);
		usleep(5000);
	}
	ASSERT_EQ(numofsounds, 1);
	EXPECT_EQ(sound[0].id, SOUND_HYDRAULIC);
	stopsounds(SOUND_HYDRAULIC);
	soundsimulation(&origin, &axes);
	EXPECT_EQ(numofsounds, 0);
}

TEST_F(Audio, EnginesFollowTheirVehicles)
{
	setupaudio();
	srand(1);
	int v = addvehicle(0, 5.0f);
	int e = startengine(v);
	ASSERT_NE(e, -1);
	EXPECT_EQ(sound[e].id, 0);
	EXPECT_EQ(sound[e].object, v);
	EXPECT_EQ(pitch(e), 0.5f);  // at rest
	orientation axes;
	resetorientation(&axes);
	object[v].velocity = {30.0f / 150.0f, 0.0f, 0.0f};  // a third of the top speed
	object[v].position.y = -3.0f;  // under water: keeps following
	soundsimulation(&origin, &axes);
	EXPECT_FLOAT_EQ(pitch(e), 1.0f);
	float at[3];
	alGetSourcefv(sound[e].source, AL_POSITION, at);
	EXPECT_EQ(at[1], -3.0f);
	float velocity[3];
	alGetSourcefv(sound[e].source, AL_VELOCITY, velocity);
	EXPECT_FLOAT_EQ(velocity[0], 10.0f);  // per second

	// Under the water nothing new starts.
	int w = addvehicle(32, -1.0f);
	for (int frame = 0; frame < 2000; frame++)
		soundsimulation(&origin, &axes);
	EXPECT_EQ(object[w].soundnum[0], -1);
	for (int n = 0; n < numofsounds; n++)
		EXPECT_NE(sound[n].object, w);
}

TEST_F(Audio, DeletingAVehicleRenumbersItsSounds)
{
	setupaudio();
	srand(2);
	int a = addvehicle(16, 5.0f);
	addvehicle(0, 5.0f);
	int c = addvehicle(32, 5.0f);
	ASSERT_NE(startengine(a), -1);
	ASSERT_NE(startengine(c), -1);
	int horn = createsound(1, a, 0, 0);  // a horn bound to vehicle a only
	ASSERT_NE(horn, -1);
	deleteobject(a);  // the ship moves into slot 0
	ASSERT_EQ(numofobjects, 2);
	int e = object[0].soundnum[0];
	ASSERT_NE(e, -1);
	EXPECT_EQ(sound[e].id, 5);
	EXPECT_EQ(sound[e].object, 0);
	for (int n = 0; n < numofsounds; n++) {
		if (sound[n].id == 1) {
			EXPECT_EQ(sound[n].object, -1);  // the horn plays out in place
		}
	}
	// Deleting the last vehicle leaves nothing pointing past the array,
	// at once: the next vehicle made takes that slot.
	createsound(1, 1, 0, 0);
	deleteobject(1);
	for (int n = 0; n < numofsounds; n++)
		EXPECT_LT(sound[n].object, numofobjects);
	orientation axes;
	resetorientation(&axes);
	soundsimulation(&origin, &axes);
	for (int n = 0; n < numofsounds; n++)
		EXPECT_LT(sound[n].object, numofobjects);
	// The end of a run forgets every instance, also on the vehicles left.
	stopallsounds();
	EXPECT_EQ(numofsounds, 0);
	EXPECT_EQ(object[0].soundnum[0], -1);
}

TEST_F(Audio, EditorClicksUseTheFirstSource)
{
	setupaudio();
	resetlistener();
	playeditorsound(11);
	ALint state = 0, buffer = 0;
	alGetSourcei(sound[0].source, AL_SOURCE_STATE, &state);
	alGetSourcei(sound[0].source, AL_BUFFER, &buffer);
	EXPECT_EQ(state, AL_PLAYING);
	EXPECT_EQ((unsigned)buffer, soundbuffer[11]);
	EXPECT_EQ(numofsounds, 0);
	// A new instance takes the source over even while the click still plays.
	playsound(3, &origin, nullptr, 0, 1.0f, 1.0f);
	alGetSourcei(sound[0].source, AL_BUFFER, &buffer);
	EXPECT_EQ((unsigned)buffer, soundbuffer[3]);
}
