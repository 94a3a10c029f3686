#include "RoundCornerRegion.h"

#include <gtest/gtest.h>

using namespace VXM;

namespace {

const RECT kClient = {0, 0, 200, 100};

struct Corners {
    bool topLeft, topRight, bottomLeft, bottomRight;
};

Corners CornersIn(const GdiRegion& region)
{
    return {PtInRegion(region.Get(), 0, 0) != FALSE, PtInRegion(region.Get(), 199, 0) != FALSE,
            PtInRegion(region.Get(), 0, 99) != FALSE, PtInRegion(region.Get(), 199, 99) != FALSE};
}

}  // namespace

TEST(RoundCornerRegion, NoShapeWithoutACornerSize)
{
    EXPECT_FALSE(RoundCornerShapeOf(kClient, {0, 0}));
    EXPECT_FALSE(RoundCornerShapeOf(kClient, {-4, -1}));
}

TEST(RoundCornerRegion, BothSizesRoundEveryCornerWithTheLargerOne)
{
    const auto shape = RoundCornerShapeOf(kClient, {2, 6});
    ASSERT_TRUE(shape);
    EXPECT_EQ(shape->ellipse, 6);
    EXPECT_EQ(shape->roundRect.right, 201);
    EXPECT_EQ(shape->roundRect.bottom, 101);
    EXPECT_FALSE(shape->squareOff);

    const GdiRegion region = MakeRegion(*shape);
    ASSERT_TRUE(region);
    const Corners corners = CornersIn(region);
    EXPECT_FALSE(corners.topLeft);
    EXPECT_FALSE(corners.topRight);
    EXPECT_FALSE(corners.bottomLeft);
    EXPECT_FALSE(corners.bottomRight);
    // The edges themselves stay in the window.
    EXPECT_TRUE(PtInRegion(region.Get(), 100, 0));
    EXPECT_TRUE(PtInRegion(region.Get(), 199, 50));
    EXPECT_TRUE(PtInRegion(region.Get(), 100, 99));
    EXPECT_FALSE(PtInRegion(region.Get(), 200, 50));
}

TEST(RoundCornerRegion, OnlyWidthKeepsTheTopCornersRound)
{
    const auto shape = RoundCornerShapeOf(kClient, {5, 0});
    ASSERT_TRUE(shape);
    ASSERT_TRUE(shape->squareOff);
    EXPECT_EQ(shape->squareOff->top, 5);
    EXPECT_EQ(shape->squareOff->bottom, 100);

    const Corners corners = CornersIn(MakeRegion(*shape));
    EXPECT_FALSE(corners.topLeft);
    EXPECT_FALSE(corners.topRight);
    EXPECT_TRUE(corners.bottomLeft);
    EXPECT_TRUE(corners.bottomRight);
}

TEST(RoundCornerRegion, OnlyHeightKeepsTheBottomCornersRound)
{
    const auto shape = RoundCornerShapeOf(kClient, {0, 5});
    ASSERT_TRUE(shape);
    ASSERT_TRUE(shape->squareOff);
    EXPECT_EQ(shape->squareOff->top, 0);
    EXPECT_EQ(shape->squareOff->bottom, 96);

    const Corners corners = CornersIn(MakeRegion(*shape));
    EXPECT_TRUE(corners.topLeft);
    EXPECT_TRUE(corners.topRight);
    EXPECT_FALSE(corners.bottomLeft);
    EXPECT_FALSE(corners.bottomRight);
}
