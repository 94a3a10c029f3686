#include "ScrollbarGeometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using namespace VXM::scrollbar;

bool HasThumb(const BarMetrics& metrics)
{
    const RECT thumb = Layout(metrics).thumb;
    return !IsRectEmpty(&thumb);
}

void ExpectRect(const RECT& actual, LONG left, LONG top, LONG right, LONG bottom)
{
    EXPECT_EQ(actual.left, left);
    EXPECT_EQ(actual.top, top);
    EXPECT_EQ(actual.right, right);
    EXPECT_EQ(actual.bottom, bottom);
}

// A vertical bar at (100, 50), 16 wide and `height` high, both buttons, T = 16.
BarMetrics VerticalBar(int height, int range, int position)
{
    BarMetrics metrics;
    metrics.bar = RECT{100, 50, 116, 50 + height};
    metrics.thickness = 16;
    metrics.range = range;
    metrics.position = position;
    return metrics;
}

TEST(ScrollbarGeometry, VerticalBarOf200WithRange100)
{
    const BarParts start = Layout(VerticalBar(200, 100, 0));
    ExpectRect(start.button1, 100, 50, 116, 66);
    ExpectRect(start.button2, 100, 234, 116, 250);
    // Thumb area A = 168; length 200 x 168 / 300 = 112, first at button 1's bottom.
    ExpectRect(start.thumb, 100, 66, 116, 178);
    EXPECT_EQ(FreeTravel(start, false), 56);

    const BarParts end = Layout(VerticalBar(200, 100, 100));
    ExpectRect(end.thumb, 100, 122, 116, 234);
    EXPECT_EQ(end.thumb.bottom, end.button2.top);

    // Half way: (168 - 112) x 50 / 100 = 28 below button 1.
    EXPECT_EQ(Layout(VerticalBar(200, 100, 50)).thumb.top, 66 + 28);
}

TEST(ScrollbarGeometry, ThumbLengthFollowsTheVisibleShare)
{
    // 200 x 168 / (200 + range), never below the thickness without a fixed length.
    EXPECT_EQ(Layout(VerticalBar(200, 200, 0)).thumb.bottom - 66, 84);
    EXPECT_EQ(Layout(VerticalBar(200, 1000, 0)).thumb.bottom - 66, 28);
    EXPECT_EQ(Layout(VerticalBar(200, 1, 0)).thumb.bottom - 66, 167);
    EXPECT_EQ(Layout(VerticalBar(200, 100000, 0)).thumb.bottom - 66, 16);

    BarMetrics fixed = VerticalBar(200, 1000, 0);
    fixed.fixedLength = 40;
    EXPECT_EQ(Layout(fixed).thumb.bottom - 66, 40) << "fixed length is the minimum";
    fixed.fixedLength = 10;
    EXPECT_EQ(Layout(fixed).thumb.bottom - 66, 28) << "a smaller fixed length does not shrink it";
    fixed.range = 100000;
    EXPECT_EQ(Layout(fixed).thumb.bottom - 66, 10) << "a fixed length replaces the thickness floor";

    // A fixed length longer than the gap: the thumb ends at button 2 and there is no travel.
    fixed.fixedLength = 500;
    const BarParts overfull = Layout(fixed);
    EXPECT_EQ(overfull.thumb.bottom, overfull.button2.top);
    EXPECT_LT(FreeTravel(overfull, false), 0);
}

TEST(ScrollbarGeometry, PositionOutsideTheRangeIsClamped)
{
    EXPECT_EQ(Layout(VerticalBar(200, 100, -40)).thumb.top, 66);
    EXPECT_EQ(Layout(VerticalBar(200, 100, 900)).thumb.bottom, 234);
}

TEST(ScrollbarGeometry, NoRangeNoThumb)
{
    for (int range : {0, -5}) {
        const BarParts parts = Layout(VerticalBar(200, range, 0));
        EXPECT_TRUE(IsRectEmpty(&parts.thumb)) << range;
        EXPECT_EQ(FreeTravel(parts, false), 0);
        ExpectRect(parts.button1, 100, 50, 116, 66);
        ExpectRect(parts.button2, 100, 234, 116, 250);
    }
}

TEST(ScrollbarGeometry, ShortBarGetsHalfButtonsAndNoThumb)
{
    // 30 <= 3 x 16: each button min(16, 30 / 2) = 15 long.
    const BarParts shortBar = Layout(VerticalBar(30, 100, 0));
    ExpectRect(shortBar.button1, 100, 50, 116, 65);
    ExpectRect(shortBar.button2, 100, 65, 116, 80);
    EXPECT_TRUE(IsRectEmpty(&shortBar.thumb));

    // Exactly three thicknesses: A = 16 is not more than T, so still no thumb; buttons keep T.
    const BarParts three = Layout(VerticalBar(48, 100, 0));
    EXPECT_TRUE(IsRectEmpty(&three.thumb));
    EXPECT_EQ(three.button1.bottom - three.button1.top, 16);
    EXPECT_EQ(three.button2.top, 82);

    // One pixel more and the thumb appears.
    EXPECT_TRUE(HasThumb(VerticalBar(49, 100, 0)));

    const BarParts empty = Layout(VerticalBar(0, 100, 0));
    EXPECT_TRUE(IsRectEmpty(&empty.button1));
    EXPECT_TRUE(IsRectEmpty(&empty.button2));
}

TEST(ScrollbarGeometry, HorizontalBarExchangesTheAxes)
{
    BarMetrics metrics;
    metrics.horizontal = true;
    metrics.bar = RECT{10, 300, 210, 316};
    metrics.thickness = 16;
    metrics.range = 100;
    metrics.position = 100;
    const BarParts parts = Layout(metrics);
    ExpectRect(parts.button1, 10, 300, 26, 316);
    ExpectRect(parts.button2, 194, 300, 210, 316);
    ExpectRect(parts.thumb, 82, 300, 194, 316);
}

TEST(ScrollbarGeometry, HiddenButtonsLeaveTheirSpaceToTheThumb)
{
    BarMetrics metrics = VerticalBar(200, 100, 0);
    metrics.showButton1 = false;
    BarParts parts = Layout(metrics);
    EXPECT_TRUE(IsRectEmpty(&parts.button1));
    EXPECT_EQ(parts.button1.top, 50);
    // A = 184; length 200 x 184 / 300 = 122, starting at the bar's top.
    ExpectRect(parts.thumb, 100, 50, 116, 172);

    metrics.showButton2 = false;
    metrics.position = 100;
    parts = Layout(metrics);
    EXPECT_TRUE(IsRectEmpty(&parts.button2));
    EXPECT_EQ(parts.button2.top, 250);
    EXPECT_EQ(parts.thumb.bottom, 250);
    EXPECT_EQ(parts.thumb.bottom - parts.thumb.top, 133);  // 200 x 200 / 300

    // Without buttons a bar of one thickness still has no thumb.
    metrics.bar.bottom = metrics.bar.top + 16;
    EXPECT_FALSE(HasThumb(metrics));
}

TEST(ScrollbarGeometry, InsetShrinksTheBarButNotTheThickness)
{
    BarMetrics metrics = VerticalBar(200, 100, 0);
    metrics.inset = RECT{2, 4, 0, 6};
    const BarParts parts = Layout(metrics);
    // Inner 102..116 wide, 54..244 high: L = 190, A = 158.
    ExpectRect(parts.button1, 102, 54, 118, 70);
    ExpectRect(parts.button2, 102, 228, 118, 244);
    EXPECT_EQ(parts.thumb.top, 70);
    EXPECT_EQ(parts.thumb.bottom - parts.thumb.top, 190 * 158 / 290);

    // An inset larger than the bar leaves nothing, without inverted rectangles.
    metrics.inset = RECT{0, 150, 0, 150};
    const BarParts squeezed = Layout(metrics);
    EXPECT_TRUE(IsRectEmpty(&squeezed.thumb));
    EXPECT_GE(squeezed.button2.bottom, squeezed.button1.top);
}

TEST(ScrollbarGeometry, InvertedBarRectangleIsRaisedToItsTopLeft)
{
    BarMetrics metrics = VerticalBar(200, 100, 0);
    metrics.bar = RECT{100, 50, 90, 20};
    const BarParts parts = Layout(metrics);
    EXPECT_TRUE(IsRectEmpty(&parts.thumb));
    EXPECT_EQ(parts.button1.top, 50);
    EXPECT_EQ(parts.button2.bottom, 50);
}

TEST(ScrollbarGeometry, AbsurdValuesDoNotOverflow)
{
    BarMetrics metrics = VerticalBar(200, INT_MAX, INT_MAX);
    BarParts parts = Layout(metrics);
    EXPECT_EQ(parts.thumb.bottom, 234) << "the last position ends at button 2";
    EXPECT_EQ(parts.thumb.bottom - parts.thumb.top, 16);
    metrics.position = INT_MAX / 2;
    parts = Layout(metrics);
    EXPECT_GT(parts.thumb.top, 66);
    EXPECT_LT(parts.thumb.bottom, 234);

    // A bar spanning the whole coordinate space.
    metrics.bar = RECT{0, INT_MIN, 16, INT_MAX};
    metrics.position = INT_MAX;
    parts = Layout(metrics);
    EXPECT_LE(parts.thumb.top, parts.thumb.bottom);
    EXPECT_LE(parts.button1.bottom, parts.thumb.top);
    EXPECT_LE(parts.thumb.bottom, parts.button2.top);

    metrics = VerticalBar(200, 100, 0);
    metrics.thickness = INT_MAX;
    metrics.fixedLength = INT_MAX;
    parts = Layout(metrics);
    EXPECT_TRUE(IsRectEmpty(&parts.thumb));
    EXPECT_EQ(parts.button1.bottom - parts.button1.top, 100);
    EXPECT_EQ(parts.button1.right, INT_MAX) << "the thickness is clamped, not wrapped";

    // A negative thickness counts as 0: nothing has any width.
    metrics.thickness = -16;
    parts = Layout(metrics);
    EXPECT_EQ(parts.button1.right, parts.button1.left);
    EXPECT_EQ(parts.thumb.right, parts.thumb.left);
}

TEST(ScrollbarDrag, FullFreeTravelMovesByTheFullRange)
{
    const BarParts parts = Layout(VerticalBar(200, 100, 0));
    const int64_t travel = FreeTravel(parts, false);
    EXPECT_EQ(DragOffset(travel, 100, travel), 100);
    EXPECT_EQ(DragOffset(-travel, 100, travel), -100);
    EXPECT_EQ(DragOffset(28, 100, travel), 50);
    EXPECT_EQ(DragOffset(1, 100, travel), 1);  // 100 / 56 truncated
    EXPECT_EQ(DragOffset(-1, 100, travel), -1);
    EXPECT_EQ(DragOffset(0, 100, travel), 0);

    // A thumb dragged by some pixels lands where the layout puts that position.
    for (int delta : {7, 19, 33, 56}) {
        const int position = DragOffset(delta, 100, travel);
        const int top = Layout(VerticalBar(200, 100, position)).thumb.top;
        EXPECT_NEAR(top, 66 + delta, 1) << delta;
    }
}

TEST(ScrollbarDrag, NoTravelOrNoRangeGivesNoOffset)
{
    EXPECT_EQ(DragOffset(30, 100, 0), 0);
    EXPECT_EQ(DragOffset(30, 100, -12), 0);
    EXPECT_EQ(DragOffset(30, 0, 56), 0);
}

TEST(ScrollbarDrag, AbsurdDeltasAndRangesSaturate)
{
    EXPECT_EQ(DragOffset(INT_MAX, INT_MAX, 56), INT_MAX);
    EXPECT_EQ(DragOffset(-int64_t{INT_MAX} * 4, INT_MAX, 56), -INT_MAX);
    EXPECT_EQ(DragOffset(28, INT_MAX, 56), INT_MAX / 2);
    EXPECT_EQ(DragOffset(INT64_MAX, 100, INT64_MAX), 100);
    EXPECT_NEAR(DragOffset(INT64_MAX / 2, 100, INT64_MAX), 50, 1);
}

TEST(ScrollbarRail, CentredOnTheThumbWithTheThickness)
{
    // Horizontal: thumb 20..60 -> centre 40, rail 32..48, thumb's height.
    const RECT horizontal = RailRect(RECT{20, 0, 60, 16}, 16, RECT{}, true);
    ExpectRect(horizontal, 32, 0, 48, 16);

    const RECT vertical = RailRect(RECT{0, 16, 16, 128}, 16, RECT{}, false);
    ExpectRect(vertical, 0, 64, 16, 80);

    // The vertical rail's offset takes the left inset off the thickness.
    const RECT inset = RailRect(RECT{0, 16, 16, 128}, 16, RECT{4, 0, 0, 0}, false);
    ExpectRect(inset, 0, 66, 16, 82);
}

TEST(ScrollbarSteps, StepsSaturateAndBarLengthIsNeverNegative)
{
    EXPECT_EQ(StepPosition(10, -8), 2);
    EXPECT_EQ(StepPosition(INT_MAX, 8), INT_MAX);
    EXPECT_EQ(StepPosition(INT_MIN + 2, -8), INT_MIN);
    EXPECT_EQ(StepPosition(5, int64_t{INT_MAX} * 3), INT_MAX);

    EXPECT_EQ(BarLength(RECT{0, 10, 16, 210}, false), 200);
    EXPECT_EQ(BarLength(RECT{0, 10, 16, 210}, true), 16);
    EXPECT_EQ(BarLength(RECT{0, 210, 16, 10}, false), 0);
    EXPECT_EQ(BarLength(RECT{0, INT_MIN, 16, INT_MAX}, false), INT_MAX);
}

}  // namespace
