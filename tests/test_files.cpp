#include "platform/files.h"

#include <gtest/gtest.h>

TEST(Files, CheckFileSpec)
{
	EXPECT_EQ(checkfilespec("*.tvb", "span.tvb"), 1);
	EXPECT_EQ(checkfilespec("*.tvb", "span.tvl"), 0);
	EXPECT_EQ(checkfilespec("*.tvb", "span"), 1);
	EXPECT_EQ(checkfilespec("*.*", "profile"), 1);
	EXPECT_EQ(checkfilespec("*.tvb", "a.b.tvb"), 0);
}
