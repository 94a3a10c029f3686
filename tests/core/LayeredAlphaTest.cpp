#include "LayeredAlpha.h"

#include <gtest/gtest.h>

using VXM::LayeredSourceAlpha;

TEST(LayeredAlpha, PercentTimesTwoPointFiveFiveTruncated)
{
    EXPECT_EQ(LayeredSourceAlpha(50), 127);
    EXPECT_EQ(LayeredSourceAlpha(0), 0);
    EXPECT_EQ(LayeredSourceAlpha(1), 2);
    EXPECT_EQ(LayeredSourceAlpha(99), 252);
    EXPECT_EQ(LayeredSourceAlpha(100), 255);
}

TEST(LayeredAlpha, OutOfRangeCountsAsOpaque)
{
    EXPECT_EQ(LayeredSourceAlpha(150), 255);
    EXPECT_EQ(LayeredSourceAlpha(255), 255);  // the default of a new manager
    EXPECT_EQ(LayeredSourceAlpha(101), 255);
    EXPECT_EQ(LayeredSourceAlpha(-1), 255);
}
