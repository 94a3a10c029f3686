#include "ScrollArithmetic.h"

#include <gtest/gtest.h>

#include <climits>

#include "LayoutGeometry.h"

namespace {

using namespace VXM::layout;

TEST(ScrollArithmetic, AVerticalBarAppearsAtTheTopWhenTheContentOverflows)
{
    const BarDecision shown = DecideVerticalBar(BarState{false, false, 0, 7}, 500, 300, false);
    EXPECT_TRUE(shown.changed);
    EXPECT_TRUE(shown.state.visible);
    EXPECT_TRUE(shown.state.enabled);
    EXPECT_EQ(shown.state.range, 200);
    EXPECT_EQ(shown.state.position, 0);

    // Already visible: the range follows the content, a position inside it stays.
    const BarDecision grown = DecideVerticalBar(BarState{true, true, 200, 150}, 800, 300, false);
    EXPECT_FALSE(grown.changed);
    EXPECT_EQ(grown.state.range, 500);
    EXPECT_EQ(grown.state.position, 150);

    // A position past the new range is pulled back, and the children must follow.
    const BarDecision shrunk = DecideVerticalBar(BarState{true, true, 500, 450}, 400, 300, false);
    EXPECT_TRUE(shrunk.changed);
    EXPECT_EQ(shrunk.state.range, 100);
    EXPECT_EQ(shrunk.state.position, 100);
}

TEST(ScrollArithmetic, AVerticalBarHidesWhenTheContentFitsUnlessAlwaysShown)
{
    const BarDecision hidden = DecideVerticalBar(BarState{true, true, 200, 120}, 300, 300, false);
    EXPECT_TRUE(hidden.changed);
    EXPECT_FALSE(hidden.state.visible);
    EXPECT_FALSE(hidden.state.enabled);
    EXPECT_EQ(hidden.state.range, 0);
    EXPECT_EQ(hidden.state.position, 0);

    const BarDecision kept = DecideVerticalBar(BarState{true, true, 200, 120}, 10, 300, true);
    EXPECT_TRUE(kept.changed);
    EXPECT_TRUE(kept.state.visible);
    EXPECT_TRUE(kept.state.enabled);
    EXPECT_EQ(kept.state.range, 0);
    EXPECT_EQ(kept.state.position, 0);

    // Range 0 already: nothing to do, so the layout is not repeated.
    EXPECT_FALSE(DecideVerticalBar(BarState{true, true, 0, 0}, 10, 300, true).changed);
    EXPECT_FALSE(DecideVerticalBar(BarState{false, false, 0, 0}, 10, 300, false).changed);
}

TEST(ScrollArithmetic, AHorizontalBarHidesOnlyWhenVisible)
{
    const BarDecision shown = DecideHorizontalBar(BarState{false, false, 0, 0}, 900, 600);
    EXPECT_TRUE(shown.changed);
    EXPECT_TRUE(shown.state.visible);
    EXPECT_EQ(shown.state.range, 300);

    const BarDecision hidden = DecideHorizontalBar(BarState{true, true, 300, 20}, 600, 600);
    EXPECT_TRUE(hidden.changed);
    EXPECT_FALSE(hidden.state.visible);
    EXPECT_EQ(hidden.state.range, 0);
    EXPECT_EQ(hidden.state.position, 0);

    EXPECT_FALSE(DecideHorizontalBar(BarState{false, false, 40, 0}, 100, 600).changed);
}

TEST(ScrollArithmetic, HugeContentGivesAClampedRange)
{
    const BarDecision decision = DecideVerticalBar(BarState{}, INT_MAX, 0, false);
    EXPECT_EQ(decision.state.range, kMaxCoordinate);
    EXPECT_EQ(DecideHorizontalBar(BarState{}, kMaxCoordinate, -kMaxCoordinate).state.range, kMaxCoordinate);
}

TEST(ScrollArithmetic, TheBarsStandBesideTheInnerRectangle)
{
    const RECT item = {0, 0, 200, 300};
    const RECT inset = {5, 6, 7, 8};
    const RECT inner = InnerRect(item, inset, 16, 12);
    EXPECT_EQ(inner.left, 5);
    EXPECT_EQ(inner.top, 6);
    EXPECT_EQ(inner.right, 200 - 7 - 16);
    EXPECT_EQ(inner.bottom, 300 - 8 - 12);

    const RECT vertical = VerticalBarRect(inner, 16);
    EXPECT_EQ(vertical.left, inner.right);
    EXPECT_EQ(vertical.right, inner.right + 16);
    EXPECT_EQ(vertical.top, inner.top);
    EXPECT_EQ(vertical.bottom, inner.bottom);
    const RECT horizontal = HorizontalBarRect(inner, 12);
    EXPECT_EQ(horizontal.left, inner.left);
    EXPECT_EQ(horizontal.right, inner.right);
    EXPECT_EQ(horizontal.top, inner.bottom);
    EXPECT_EQ(horizontal.bottom, inner.bottom + 12);
}

TEST(ScrollArithmetic, InsetsLargerThanTheRectangleLeaveAnEmptyInnerRectangle)
{
    const RECT inner = InnerRect(RECT{10, 10, 50, 50}, RECT{30, 30, 30, 30}, 16, 16);
    EXPECT_EQ(inner.left, 40);
    EXPECT_EQ(inner.right, 40);
    EXPECT_EQ(inner.bottom, 40);

    const RECT huge = InnerRect(RECT{0, 0, 100, 100}, RECT{INT_MAX, INT_MIN, INT_MAX, INT_MIN}, INT_MAX, INT_MAX);
    EXPECT_LE(huge.left, huge.right);
    EXPECT_LE(huge.top, huge.bottom);
    EXPECT_LE(Width(huge), kMaxCoordinate);
}

}  // namespace
