#include "NonClientHitTest.h"

#include <gtest/gtest.h>

using namespace VXM;

namespace {

const RECT kClient = {0, 0, 400, 300};
const RECT kBox = {4, 4, 6, 6};

}  // namespace

TEST(NonClientHitTest, EdgesAndCornersOfTheSizeBox)
{
    EXPECT_EQ(SizeBoxHitTest(kClient, kBox, 0, {200, 2}), HTTOP);
    EXPECT_EQ(SizeBoxHitTest(kClient, kBox, 0, {200, 297}), HTBOTTOM);
    EXPECT_EQ(SizeBoxHitTest(kClient, kBox, 0, {1, 150}), HTLEFT);
    EXPECT_EQ(SizeBoxHitTest(kClient, kBox, 0, {397, 150}), HTRIGHT);
    EXPECT_EQ(SizeBoxHitTest(kClient, kBox, 0, {1, 1}), HTTOPLEFT);
    EXPECT_EQ(SizeBoxHitTest(kClient, kBox, 0, {398, 1}), HTTOPRIGHT);
    EXPECT_EQ(SizeBoxHitTest(kClient, kBox, 0, {1, 298}), HTBOTTOMLEFT);
    EXPECT_EQ(SizeBoxHitTest(kClient, kBox, 0, {398, 298}), HTBOTTOMRIGHT);
    EXPECT_EQ(SizeBoxHitTest(kClient, kBox, 0, {200, 150}), HTNOWHERE);
}

TEST(NonClientHitTest, BoundariesAreExclusiveOfTheInnerArea)
{
    // y == top + box.top is inside; y == bottom - box.bottom is inside too.
    EXPECT_EQ(SizeBoxHitTest(kClient, kBox, 0, {200, 3}), HTTOP);
    EXPECT_EQ(SizeBoxHitTest(kClient, kBox, 0, {200, 4}), HTNOWHERE);
    EXPECT_EQ(SizeBoxHitTest(kClient, kBox, 0, {200, 294}), HTNOWHERE);
    EXPECT_EQ(SizeBoxHitTest(kClient, kBox, 0, {200, 295}), HTBOTTOM);
    EXPECT_EQ(SizeBoxHitTest(kClient, kBox, 0, {394, 150}), HTNOWHERE);
    EXPECT_EQ(SizeBoxHitTest(kClient, kBox, 0, {395, 150}), HTRIGHT);
}

TEST(NonClientHitTest, RounderWidensTheCornerZones)
{
    // 20 pixels along the top edge: a plain top border without rounder, a corner with it.
    EXPECT_EQ(SizeBoxHitTest(kClient, kBox, 0, {20, 1}), HTTOP);
    EXPECT_EQ(SizeBoxHitTest(kClient, kBox, 20, {20, 1}), HTTOPLEFT);
    EXPECT_EQ(SizeBoxHitTest(kClient, kBox, 20, {380, 1}), HTTOPRIGHT);
    EXPECT_EQ(SizeBoxHitTest(kClient, kBox, 20, {1, 20}), HTTOPLEFT);
    EXPECT_EQ(SizeBoxHitTest(kClient, kBox, 20, {1, 280}), HTBOTTOMLEFT);
    EXPECT_EQ(SizeBoxHitTest(kClient, kBox, 20, {398, 280}), HTBOTTOMRIGHT);
    EXPECT_EQ(SizeBoxHitTest(kClient, kBox, 20, {1, 150}), HTLEFT);
}

TEST(NonClientHitTest, AllZeroSizeBoxGivesNoBorderEvenOutsideTheClient)
{
    EXPECT_EQ(SizeBoxHitTest(kClient, {}, 5, {-3, -3}), HTNOWHERE);
    EXPECT_EQ(SizeBoxHitTest(kClient, {}, 0, {500, 150}), HTNOWHERE);
    // A box with only one side still works on that side.
    EXPECT_EQ(SizeBoxHitTest(kClient, {0, 0, 0, 5}, 0, {200, 297}), HTBOTTOM);
    EXPECT_EQ(SizeBoxHitTest(kClient, {0, 0, 0, 5}, 0, {200, 2}), HTNOWHERE);
}

TEST(NonClientHitTest, CaptionBandUsesMarginsFromTheSidesAndDistancesFromTheTop)
{
    const RECT caption = {10, 5, 30, 70};
    EXPECT_TRUE(InCaptionBand(kClient, caption, {10, 5}));
    EXPECT_TRUE(InCaptionBand(kClient, caption, {369, 69}));
    EXPECT_FALSE(InCaptionBand(kClient, caption, {9, 20}));
    EXPECT_FALSE(InCaptionBand(kClient, caption, {370, 20}));
    EXPECT_FALSE(InCaptionBand(kClient, caption, {100, 4}));
    EXPECT_FALSE(InCaptionBand(kClient, caption, {100, 70}));
    EXPECT_FALSE(InCaptionBand(kClient, {}, {100, 0}));
}
