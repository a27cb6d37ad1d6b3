// The title sprites' set-up and motion.
#include "render/titlesprite.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

class TitleSprites : public ::testing::Test {
protected:
	vector3 shipped[TITLEPATTERNSIZE];
	void SetUp() override
	{
		memcpy(shipped, finalposition, sizeof shipped);
		srand(7);
	}
	void TearDown() override { memcpy(finalposition, shipped, sizeof shipped); }
};

TEST_F(TitleSprites, TheShippedPatternSettlesAndTheDarkeningFadesIn)
{
	setuptitlescreen();
	ASSERT_EQ(numoftitlesprites, 96);
	// The pattern keeps to its frame, and the sprites settle above it.
	for (int i = 0; i < numoftitlesprites; i++) {
		EXPECT_GE(finalposition[i].x, -16.0f);
		EXPECT_LE(finalposition[i].x, 14.0f);
		EXPECT_GE(finalposition[i].y, -8.0f);
		EXPECT_LE(finalposition[i].y, 2.0f);
		EXPECT_EQ(finalposition[i].z, -20.0f);
		EXPECT_EQ(titlesprite[i].target.y, finalposition[i].y + 8.0f);
	}
	EXPECT_EQ(titleset, 0);
	EXPECT_EQ(titlesetalpha, 0.0f);

	// The sprites fly in as a damped spring; the fade starts only when
	// every one of them is within 0.1 of its target.
	int steps = 0;
	while (titleset == 0 && steps < 2000) {
		titlescreensimulation();
		steps++;
		if (titleset == 0) {
			EXPECT_EQ(titlesetalpha, 0.0f);
		}
	}
	ASSERT_EQ(titleset, 1);
	EXPECT_GT(steps, 10);
	for (int i = 0; i < numoftitlesprites; i++) {
		vector3 d;
		subtractvectors(&d, &titlesprite[i].target, &titlesprite[i].position);
		EXPECT_LT(vectorlength(&d), 0.2f);
	}
	EXPECT_FLOAT_EQ(titlesetalpha, 0.05f);
}

TEST_F(TitleSprites, AnEmptyPatternFadesAtOnceAndStopsAtFull)
{
	finalposition[0].x = TITLEPATTERNEND;
	setuptitlescreen();
	EXPECT_EQ(numoftitlesprites, 0);
	titlescreensimulation();
	EXPECT_EQ(titleset, 1);
	EXPECT_FLOAT_EQ(titlesetalpha, 0.05f);
	for (int n = 0; n < 40; n++)
		titlescreensimulation();
	EXPECT_GE(titlesetalpha, 1.0f);
	EXPECT_LE(titlesetalpha, 1.05f);
	float full = titlesetalpha;
	titlescreensimulation();
	EXPECT_EQ(titlesetalpha, full);

	// A new set-up starts the fade again.
	setuptitlescreen();
	EXPECT_EQ(titleset, 0);
	EXPECT_EQ(titlesetalpha, 0.0f);
}

TEST_F(TitleSprites, APatternWithoutAnEndMarkGivesAtMost256Sprites)
{
	for (int i = 0; i < TITLEPATTERNSIZE; i++)
		finalposition[i] = {static_cast<float>(i % 31 - 16), 0.0f, -20.0f};
	setuptitlescreen();
	EXPECT_EQ(numoftitlesprites, TITLEPATTERNSIZE);
	EXPECT_EQ(titlesprite[255].target.x, finalposition[255].x + 1.0f);
}
