#include "platform/vector.h"

#include <gtest/gtest.h>

TEST(Vector, CrossProductTakesSecondArgumentFirst)
{
	vector3 x = {1, 0, 0}, y = {0, 1, 0}, out;
	crossproduct(&out, &x, &y);
	EXPECT_EQ(out.x, 0.0f);
	EXPECT_EQ(out.y, 0.0f);
	EXPECT_EQ(out.z, -1.0f);
	vector3 o = {0, 0, 0};
	generatepolygonnormal(&out, &o, &x, &y);
	EXPECT_EQ(out.z, -1.0f);
}
