#include "LayoutArithmetic.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "LayoutGeometry.h"
#include "VxDefines.h"

namespace {

using namespace VXM::layout;

LayoutChild Sized(int width, int height)
{
    LayoutChild child;
    child.estimate = SIZE{width, height};
    return child;
}

LayoutArea Area(int width, int height, int childPadding = 0)
{
    LayoutArea area;
    area.inner = area.available = SIZE{width, height};
    area.childPadding = childPadding;
    return area;
}

std::vector<RECT> Vertical(const LayoutArea& area, const std::vector<LayoutChild>& children, SIZE* needed = nullptr)
{
    std::vector<RECT> rects(children.size());
    const SIZE size = FlowVertical(area, children, rects);
    if (needed)
        *needed = size;
    return rects;
}

std::vector<RECT> Horizontal(const LayoutArea& area, const std::vector<LayoutChild>& children,
                             SIZE* needed = nullptr)
{
    std::vector<RECT> rects(children.size());
    const SIZE size = FlowHorizontal(area, children, rects);
    if (needed)
        *needed = size;
    return rects;
}

void ExpectRect(const RECT& actual, int left, int top, int right, int bottom)
{
    EXPECT_EQ(actual.left, left);
    EXPECT_EQ(actual.top, top);
    EXPECT_EQ(actual.right, right);
    EXPECT_EQ(actual.bottom, bottom);
}

TEST(LayoutArithmetic, VerticalSharesTheFreeHeightAndGivesTheRemainderToTheLast)
{
    SIZE needed = {};
    const auto even = Vertical(Area(200, 300, 10), {Sized(0, 0), Sized(0, 50), Sized(0, 0)}, &needed);
    ExpectRect(even[0], 0, 0, 200, 115);
    ExpectRect(even[1], 0, 125, 200, 175);
    ExpectRect(even[2], 0, 185, 200, 300);
    EXPECT_EQ(needed.cy, 300);

    const auto odd = Vertical(Area(200, 301, 10), {Sized(0, 0), Sized(0, 50), Sized(0, 0)});
    EXPECT_EQ(odd[0].bottom - odd[0].top, 115);
    EXPECT_EQ(odd[2].bottom - odd[2].top, 116);
    EXPECT_EQ(odd[2].bottom, 301);

    // Three sharing children of 100 pixels: 33, 33 and the rest.
    const auto thirds = Vertical(Area(10, 100), {Sized(0, 0), Sized(0, 0), Sized(0, 0)});
    EXPECT_EQ(thirds[1].bottom - thirds[1].top, 33);
    EXPECT_EQ(thirds[2].bottom - thirds[2].top, 34);
}

TEST(LayoutArithmetic, MinimumAndMaximumHeights)
{
    LayoutChild tall = Sized(0, 0);
    tall.minSize.cy = 200;
    SIZE needed = {};
    const auto overflow = Vertical(Area(50, 100), {tall}, &needed);
    EXPECT_EQ(overflow[0].bottom, 200) << "the minimum wins over the container's height";
    EXPECT_EQ(needed.cy, 200);

    // The child after a raised one gets only what is left.
    const auto rest = Vertical(Area(50, 300, 10), {tall, Sized(0, 50), Sized(0, 0)});
    EXPECT_EQ(rest[0].bottom, 200);
    ExpectRect(rest[2], 0, 270, 50, 300);

    LayoutChild capped = Sized(0, 0);
    capped.maxSize.cy = 40;
    const auto limited = Vertical(Area(50, 300), {capped, Sized(0, 0)});
    EXPECT_EQ(limited[0].bottom, 40);
    EXPECT_EQ(limited[1].bottom, 300);

    // A maximum of 0 means none: the child fills its share.
    LayoutChild unlimited = Sized(0, 0);
    unlimited.maxSize.cy = 0;
    EXPECT_EQ(Vertical(Area(50, 300), {unlimited})[0].bottom, 300);

    // A minimum above the maximum: the maximum is applied last.
    LayoutChild contradictory = Sized(0, 30);
    contradictory.minSize.cy = 80;
    contradictory.maxSize.cy = 60;
    EXPECT_EQ(Vertical(Area(50, 300), {contradictory})[0].bottom, 60);
}

TEST(LayoutArithmetic, ClampedFixedChildrenStillLeaveTheLastSharingChildExactlyTheRest)
{
    LayoutChild raised = Sized(0, 30);
    raised.minSize.cy = 50;
    const auto gapless = Vertical(Area(50, 300), {raised, Sized(0, 0)});
    EXPECT_EQ(gapless[0].bottom, 50);
    EXPECT_EQ(gapless[1].bottom, 300) << "no gap below the last child";

    LayoutChild lowered = Sized(0, 100);
    lowered.maxSize.cy = 60;
    const auto fitting = Vertical(Area(50, 300), {lowered, Sized(0, 0)});
    EXPECT_EQ(fitting[0].bottom, 60);
    EXPECT_EQ(fitting[1].bottom, 300) << "no overflow past the container";
}

TEST(LayoutArithmetic, VerticalWidthsFillTheAvailableWidthInsideThePadding)
{
    LayoutChild padded = Sized(0, 20);
    padded.padding = RECT{10, 0, 10, 0};
    LayoutChild fixed = Sized(70, 20);
    fixed.padding = RECT{5, 3, 0, 4};
    LayoutChild limited = Sized(0, 20);
    limited.minSize.cx = 250;
    SIZE needed = {};
    LayoutArea area = Area(200, 300);
    area.origin = POINT{100, 1000};
    const auto rects = Vertical(area, {padded, fixed, limited}, &needed);
    ExpectRect(rects[0], 110, 1000, 290, 1020);
    ExpectRect(rects[1], 105, 1023, 175, 1043);
    ExpectRect(rects[2], 100, 1047, 350, 1067);
    EXPECT_EQ(needed.cx, 70) << "the largest estimated width";
    EXPECT_EQ(needed.cy, 20 + 27 + 20);
}

TEST(LayoutArithmetic, HorizontalIsTheVerticalFlowAcross)
{
    SIZE needed = {};
    LayoutChild padded = Sized(0, 0);
    padded.padding = RECT{0, 10, 0, 10};
    const auto rects = Horizontal(Area(301, 80, 10), {padded, Sized(50, 30), Sized(0, 0)}, &needed);
    ExpectRect(rects[0], 0, 10, 115, 70);
    ExpectRect(rects[1], 125, 0, 175, 30);
    ExpectRect(rects[2], 185, 0, 301, 80);
    EXPECT_EQ(needed.cx, 301);
    EXPECT_EQ(needed.cy, 30) << "the largest estimated height";

    LayoutChild narrow = Sized(0, 0);
    narrow.maxSize.cx = 20;
    narrow.minSize.cy = 100;
    const auto limited = Horizontal(Area(300, 80), {narrow});
    ExpectRect(limited[0], 0, 0, 20, 100);
}

TEST(LayoutArithmetic, AreasFollowTheScrollPositionsTheLayoutCounts)
{
    const RECT inner = {10, 20, 210, 320};
    const BarExtent horizontal = {true, 100, 30};
    const BarExtent vertical = {true, 500, 40};

    const LayoutArea stacked = AreaFor(kVertical, inner, horizontal, vertical, 4);
    EXPECT_EQ(stacked.available.cx, 300) << "the width includes the horizontal range";
    EXPECT_EQ(stacked.available.cy, 300) << "the height does not include the vertical range";
    EXPECT_EQ(stacked.origin.x, -20);
    EXPECT_EQ(stacked.origin.y, -20);
    EXPECT_EQ(stacked.childPadding, 4);

    const LayoutArea row = AreaFor(kHorizontal, inner, horizontal, vertical, 0);
    EXPECT_EQ(row.available.cx, 300);
    EXPECT_EQ(row.available.cy, 300);
    EXPECT_EQ(row.origin.x, -20);
    EXPECT_EQ(row.origin.y, 20) << "a row does not follow the vertical position";

    const LayoutArea overlaid = AreaFor(kOverlaid, inner, horizontal, vertical, 0);
    EXPECT_EQ(overlaid.available.cy, 800);
    EXPECT_EQ(overlaid.origin.y, -20);
    EXPECT_EQ(overlaid.inner.cx, 200);

    const LayoutArea hidden = AreaFor(kOverlaid, inner, BarExtent{false, 100, 30}, BarExtent{false, 500, 40}, 0);
    EXPECT_EQ(hidden.available.cx, 200);
    EXPECT_EQ(hidden.available.cy, 300);
    EXPECT_EQ(hidden.origin.x, 10);
    EXPECT_EQ(hidden.origin.y, 20);
}

TEST(LayoutArithmetic, OverlaidChildrenShareTheOriginAndCentreInTheInnerSize)
{
    LayoutArea area = Area(200, 100);
    area.available = SIZE{260, 100};
    area.origin = POINT{5, 5};
    LayoutChild filling = Sized(0, 0);
    filling.padding = RECT{1, 2, 3, 4};
    LayoutChild centred = Sized(50, 20);
    centred.format = VXM::kFormatCenter | VXM::kFormatVCenter;
    LayoutChild wide = Sized(251, 10);
    wide.format = VXM::kFormatCenter;
    std::vector<LayoutChild> children = {filling, centred, wide};
    std::vector<RECT> rects(children.size());
    const SIZE needed = Overlay(area, children, rects);
    ExpectRect(rects[0], 6, 7, 262, 101);
    ExpectRect(rects[1], 80, 45, 130, 65);
    // (200 - 251) / 2 truncates toward zero: -25.
    ExpectRect(rects[2], -20, 5, 231, 15);
    EXPECT_EQ(needed.cx, 256);
    EXPECT_EQ(needed.cy, 94);
}

TEST(LayoutArithmetic, FloatingChildrenArePlacedByTheirFixedPosition)
{
    const RECT item = {100, 100, 400, 300};
    const RECT inner = {110, 105, 390, 295};
    FloatPlacement box;
    box.fixedXY = SIZE{10, 10};
    box.fixedSize = SIZE{50, 20};
    // pos="10,10,60,30": from the outer corner in a vertical layout, the inset corner elsewhere.
    ExpectRect(FloatRect(box, FloatReference(kVertical, item, inner)), 110, 110, 160, 130);
    ExpectRect(FloatRect(box, FloatReference(kHorizontal, item, inner)), 120, 115, 170, 135);
    ExpectRect(FloatRect(box, FloatReference(kOverlaid, item, inner)), 120, 115, 170, 135);

    FloatPlacement open = box;
    open.fixedSize = SIZE{};
    // Float moves the far edges with the position.
    ExpectRect(FloatRect(open, item), 110, 110, 410, 310);
    open.kind = FloatKind::kRelative;
    ExpectRect(FloatRect(open, item), 110, 110, 400, 300);
    open.kind = FloatKind::kAbsolute;
    ExpectRect(FloatRect(open, item), 10, 10, 400, 300);
    box.kind = FloatKind::kAbsolute;
    ExpectRect(FloatRect(box, item), 10, 10, 60, 30);

    box.kind = FloatKind::kFloat;
    box.padding = RECT{1, 2, 3, 4};
    ExpectRect(FloatRect(box, item), 111, 112, 157, 126);
    box.padding = RECT{40, 40, 40, 40};
    const RECT swallowed = FloatRect(box, item);
    EXPECT_GE(swallowed.right, swallowed.left);
    EXPECT_GE(swallowed.bottom, swallowed.top);
}

TEST(LayoutArithmetic, HostileSizesNeitherOverflowNorTurnRectanglesInsideOut)
{
    LayoutChild huge = Sized(INT_MAX, INT_MAX);
    huge.padding = RECT{INT_MAX, INT_MAX, INT_MAX, INT_MAX};
    LayoutChild negative = Sized(0, 0);
    negative.padding = RECT{INT_MIN, INT_MIN, INT_MIN, INT_MIN};
    LayoutChild sharing = Sized(0, 0);
    const std::vector<LayoutChild> children = {huge, negative, sharing, huge};
    for (int childPadding : {0, INT_MAX, INT_MIN}) {
        SIZE needed = {};
        const auto rects = Vertical(Area(INT_MAX, INT_MAX, childPadding), children, &needed);
        for (const RECT& rect : rects) {
            EXPECT_LE(rect.left, rect.right);
            EXPECT_LE(rect.top, rect.bottom);
            EXPECT_LE(rect.bottom, kMaxCoordinate);
            EXPECT_GE(rect.top, -kMaxCoordinate);
        }
        EXPECT_GE(needed.cx, 0);
        EXPECT_GE(needed.cy, 0);
        EXPECT_LE(needed.cy, kMaxCoordinate);
        Horizontal(Area(-5, -5, childPadding), children, &needed);
        EXPECT_GE(needed.cx, 0);
    }

    // Free space below zero gives shares of 0, never negative heights.
    const auto squeezed = Vertical(Area(100, 100), {Sized(0, 500), Sized(0, 0), Sized(0, 0)});
    EXPECT_EQ(squeezed[1].bottom - squeezed[1].top, 0);
    EXPECT_EQ(squeezed[2].bottom - squeezed[2].top, 0);
}

TEST(LayoutArithmetic, AHundredThousandRowsStackWithoutDrift)
{
    std::vector<LayoutChild> rows(100000, Sized(0, 30));
    rows.back() = Sized(0, 0);
    SIZE needed = {};
    const auto rects = Vertical(Area(500, 1000, 2), rows, &needed);
    EXPECT_EQ(rects[99998].top, 99998 * 32);
    EXPECT_EQ(rects[99999].top, 99999 * 32);
    EXPECT_EQ(rects[99999].bottom, 99999 * 32) << "no room left for the sharing row";
    EXPECT_EQ(needed.cy, 99999 * 30 + 99999 * 2);

    // Rows so tall that their sum passes the int range pile up at the coordinate bound.
    std::vector<LayoutChild> giants(5000, Sized(0, 1000000));
    const auto piled = Vertical(Area(500, 1000), giants, &needed);
    EXPECT_EQ(piled.back().top, kMaxCoordinate);
    EXPECT_EQ(needed.cy, kMaxCoordinate);
}

}  // namespace
