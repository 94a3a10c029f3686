#include "ProgressFill.h"

#include <gtest/gtest.h>

namespace {

using VXM::ProgressFill;

TEST(ProgressFill, HalfOfTheBarInsideAndWithoutTheForeInset)
{
    EXPECT_EQ(ProgressFill(350 - 2 - 2, 50, 100, 1), 173);
    EXPECT_EQ(ProgressFill(350, 50, 100, 1), 175);
}

TEST(ProgressFill, AFullBarIsNeverAPixelShort)
{
    for (int width = 1; width <= 2000; ++width) {
        ASSERT_EQ(ProgressFill(width, 100, 100, 1), width) << width;
        ASSERT_EQ(ProgressFill(width, 29, 29, 1), width) << width;
    }
}

TEST(ProgressFill, ValuesCountInStepsAndStayOnTheBar)
{
    EXPECT_EQ(ProgressFill(200, 5, 100, 10), 100) << "5 steps of the 10 the range holds";
    EXPECT_EQ(ProgressFill(200, 500, 100, 1), 200);
    EXPECT_EQ(ProgressFill(200, -5, 100, 1), 0);
    EXPECT_EQ(ProgressFill(0, 50, 100, 1), 0);
    EXPECT_EQ(ProgressFill(-4, 50, 100, 1), 0);
    EXPECT_EQ(ProgressFill(200, 50, 1000000000, 1), 0);
    EXPECT_EQ(ProgressFill(2000000000, 2000000000, 2000000000, 1), 2000000000) << "no overflow";
}

TEST(ProgressFill, AMaximumBelowTheStepDividesByNoZero)
{
    EXPECT_EQ(ProgressFill(200, 1, 5, 10), 200) << "one step fills the bar";
    EXPECT_EQ(ProgressFill(200, 0, 5, 10), 0);
    EXPECT_EQ(ProgressFill(200, 3, 0, 0), 200);
    EXPECT_EQ(ProgressFill(200, 0, 0, 1), 0);
}

}  // namespace
