#include "WindowPlacement.h"

#include <gtest/gtest.h>

using namespace VXM;

namespace {

const RECT kWorkArea = {0, 0, 1280, 994};

}  // namespace

TEST(WindowPlacement, CentresOnTheReferenceWithIntegerHalves)
{
    // Reference centre (300 + 701) / 2 = 500; width 201 / 2 = 100.
    const POINT at = CenteredPosition({0, 0, 201, 101}, {300, 200, 701, 601}, kWorkArea);
    EXPECT_EQ(at.x, 400);
    EXPECT_EQ(at.y, 350);
}

TEST(WindowPlacement, StaysInsideTheWorkAreaWhenTheReferenceIsPartlyOffScreen)
{
    const POINT left = CenteredPosition({0, 0, 400, 300}, {-500, -400, 100, 100}, kWorkArea);
    EXPECT_EQ(left.x, 0);
    EXPECT_EQ(left.y, 0);
    const POINT right = CenteredPosition({0, 0, 400, 300}, {1100, 800, 1700, 1300}, kWorkArea);
    EXPECT_EQ(right.x, 1280 - 400);
    EXPECT_EQ(right.y, 994 - 300);
}

TEST(WindowPlacement, WindowLargerThanTheWorkAreaKeepsItsTopLeftInside)
{
    const POINT at = CenteredPosition({0, 0, 2000, 1200}, kWorkArea, {100, 50, 1380, 1044});
    EXPECT_EQ(at.x, 100);
    EXPECT_EQ(at.y, 50);
}

TEST(WindowPlacement, TrackingSizesFromTheSkinOrTheWorkArea)
{
    MINMAXINFO info = {};
    info.ptMinTrackSize = {112, 27};
    info.ptMaxPosition = {-4, -4};
    ApplyTrackingSizes(info, {1100, 824}, {0, 0}, {0, 30, 1280, 1024}, {4, 4});
    EXPECT_EQ(info.ptMinTrackSize.x, 1100);
    EXPECT_EQ(info.ptMinTrackSize.y, 824);
    EXPECT_EQ(info.ptMaxTrackSize.x, 1280 + 8);
    EXPECT_EQ(info.ptMaxTrackSize.y, 994 + 8);
    EXPECT_EQ(info.ptMaxPosition.x, -4);
    EXPECT_EQ(info.ptMaxPosition.y, 26);

    MINMAXINFO fixed = {};
    fixed.ptMinTrackSize = {112, 27};
    ApplyTrackingSizes(fixed, {0, -5}, {1500, 900}, {0, 0, 1280, 1024}, {4, 4});
    EXPECT_EQ(fixed.ptMinTrackSize.x, 112);
    EXPECT_EQ(fixed.ptMinTrackSize.y, 27);
    EXPECT_EQ(fixed.ptMaxTrackSize.x, 1500);
    EXPECT_EQ(fixed.ptMaxTrackSize.y, 900);
}

TEST(WindowPlacement, ShrinkRectTakesEachInsetFromItsSide)
{
    const RECT shrunk = ShrinkRect({10, 20, 110, 220}, {1, 2, 3, 4});
    EXPECT_EQ(shrunk.left, 11);
    EXPECT_EQ(shrunk.top, 22);
    EXPECT_EQ(shrunk.right, 107);
    EXPECT_EQ(shrunk.bottom, 216);
}
