#include "LayoutArithmetic.h"

#include <algorithm>
#include <cstdint>

#include "LayoutGeometry.h"
#include "VxDefines.h"

namespace VXM::layout {
namespace {

// The flow's axis: "main" is the direction children follow each other in, "cross" the other.
struct VerticalAxis {
    static int64_t Main(SIZE size) { return size.cy; }
    static int64_t Cross(SIZE size) { return size.cx; }
    static int64_t Main(POINT point) { return point.y; }
    static int64_t Cross(POINT point) { return point.x; }
    static int64_t MainBefore(const RECT& r) { return r.top; }
    static int64_t MainAfter(const RECT& r) { return r.bottom; }
    static int64_t CrossBefore(const RECT& r) { return r.left; }
    static int64_t CrossAfter(const RECT& r) { return r.right; }
    static RECT Place(int64_t main, int64_t cross, int64_t mainLength, int64_t crossLength)
    {
        return MakeRect(cross, main, cross + crossLength, main + mainLength);
    }
    static SIZE Needed(int64_t main, int64_t cross) { return SIZE{ClampLength(cross), ClampLength(main)}; }
};

struct HorizontalAxis {
    static int64_t Main(SIZE size) { return size.cx; }
    static int64_t Cross(SIZE size) { return size.cy; }
    static int64_t Main(POINT point) { return point.x; }
    static int64_t Cross(POINT point) { return point.y; }
    static int64_t MainBefore(const RECT& r) { return r.left; }
    static int64_t MainAfter(const RECT& r) { return r.right; }
    static int64_t CrossBefore(const RECT& r) { return r.top; }
    static int64_t CrossAfter(const RECT& r) { return r.bottom; }
    static RECT Place(int64_t main, int64_t cross, int64_t mainLength, int64_t crossLength)
    {
        return MakeRect(main, cross, main + mainLength, cross + crossLength);
    }
    static SIZE Needed(int64_t main, int64_t cross) { return SIZE{ClampLength(main), ClampLength(cross)}; }
};

// Raised to the minimum, then lowered to the maximum when one is set.
int64_t Limit(int64_t length, int64_t minimum, int64_t maximum)
{
    length = std::max(length, minimum);
    return maximum > 0 ? std::min(length, maximum) : length;
}

template <typename Axis>
int64_t MainPaddings(const LayoutChild& child)
{
    return Axis::MainBefore(child.padding) + Axis::MainAfter(child.padding);
}

template <typename Axis>
bool SharesFreeSpace(const LayoutChild& child)
{
    return Axis::Main(child.estimate) == 0;
}

template <typename Axis>
int64_t MainLimit(const LayoutChild& child, int64_t length)
{
    return Limit(length, Axis::Main(child.minSize), Axis::Main(child.maxSize));
}

// A fixed child's length along the flow; 0 for a child that shares the free space.
template <typename Axis>
int64_t FixedMainLength(const LayoutChild& child)
{
    return SharesFreeSpace<Axis>(child) ? 0 : MainLimit<Axis>(child, Axis::Main(child.estimate));
}

template <typename Axis>
int64_t CrossLength(const LayoutChild& child, int64_t available)
{
    int64_t length = Axis::Cross(child.estimate);
    if (length == 0)
        length = std::max<int64_t>(0, available - Axis::CrossBefore(child.padding) - Axis::CrossAfter(child.padding));
    return Limit(length, Axis::Cross(child.minSize), Axis::Cross(child.maxSize));
}

template <typename Axis>
SIZE Flow(const LayoutArea& area, std::span<const LayoutChild> children, std::span<RECT> rects)
{
    const int64_t count = static_cast<int64_t>(children.size());
    const int64_t gaps = int64_t{area.childPadding} * std::max<int64_t>(0, count - 1);
    int64_t fixedTotal = gaps;
    int64_t adjustable = 0;
    int64_t neededCross = 0;
    for (const LayoutChild& child : children) {
        adjustable += SharesFreeSpace<Axis>(child) ? 1 : 0;
        fixedTotal += MainPaddings<Axis>(child) + FixedMainLength<Axis>(child);
        neededCross = std::max(neededCross, Axis::Cross(child.estimate));
    }

    const int64_t availableMain = Axis::Main(area.available);
    // One sharing child, the common case, takes the rest below and needs no division.
    const int64_t share = adjustable > 1 ? std::max<int64_t>(0, (availableMain - fixedTotal) / adjustable) : 0;
    int64_t main = Axis::Main(area.origin);
    const int64_t cross = Axis::Cross(area.origin);
    int64_t remaining = availableMain;
    int64_t fixedRemaining = fixedTotal;
    int64_t adjustableSeen = 0;
    int64_t neededMain = gaps;
    for (size_t i = 0; i < children.size(); ++i) {
        const LayoutChild& child = children[i];
        const int64_t paddings = MainPaddings<Axis>(child);
        int64_t length = FixedMainLength<Axis>(child);
        remaining -= paddings;
        fixedRemaining -= length + paddings;
        if (SharesFreeSpace<Axis>(child)) {
            // The last sharing child takes exactly what is left, rounding remainder included.
            const bool last = ++adjustableSeen == adjustable;
            length = MainLimit<Axis>(child, last ? std::max<int64_t>(0, remaining - fixedRemaining) : share);
        }
        const int64_t crossLength = CrossLength<Axis>(child, Axis::Cross(area.available));
        rects[i] = Axis::Place(main + Axis::MainBefore(child.padding), cross + Axis::CrossBefore(child.padding),
                               length, crossLength);
        fixedRemaining -= area.childPadding;
        main += length + paddings + area.childPadding;
        remaining -= length + area.childPadding;
        neededMain += length + paddings;
    }
    return Axis::Needed(neededMain, neededCross);
}

}  // namespace

LayoutArea AreaFor(LayoutKind kind, const RECT& inner, const BarExtent& horizontal, const BarExtent& vertical,
                   int childPadding)
{
    const int64_t hRange = horizontal.visible ? horizontal.range : 0;
    const int64_t vRange = vertical.visible ? vertical.range : 0;
    const int64_t hPosition = horizontal.visible ? horizontal.position : 0;
    // A horizontal row does not follow the vertical position.
    const int64_t vPosition = vertical.visible && kind != kHorizontal ? vertical.position : 0;
    LayoutArea area;
    area.inner = SIZE{ClampLength(Width(inner)), ClampLength(Height(inner))};
    area.available.cx = ClampLength(area.inner.cx + hRange);
    area.available.cy = ClampLength(area.inner.cy + (kind == kOverlaid ? vRange : 0));
    area.origin = POINT{ClampCoordinate(inner.left - hPosition), ClampCoordinate(inner.top - vPosition)};
    area.childPadding = childPadding;
    return area;
}

SIZE FlowVertical(const LayoutArea& area, std::span<const LayoutChild> children, std::span<RECT> rects)
{
    return Flow<VerticalAxis>(area, children, rects);
}

SIZE FlowHorizontal(const LayoutArea& area, std::span<const LayoutChild> children, std::span<RECT> rects)
{
    return Flow<HorizontalAxis>(area, children, rects);
}

SIZE Overlay(const LayoutArea& area, std::span<const LayoutChild> children, std::span<RECT> rects)
{
    int64_t neededWidth = 0;
    int64_t neededHeight = 0;
    for (size_t i = 0; i < children.size(); ++i) {
        const LayoutChild& child = children[i];
        const RECT& pad = child.padding;
        int64_t width = child.estimate.cx;
        if (width == 0)
            width = std::max<int64_t>(0, int64_t{area.available.cx} - pad.left - pad.right);
        int64_t height = child.estimate.cy;
        if (height == 0)
            height = std::max<int64_t>(0, int64_t{area.available.cy} - pad.top - pad.bottom);
        int64_t x = area.origin.x;
        int64_t y = area.origin.y;
        if (child.format & kFormatCenter)
            x += (area.inner.cx - width) / 2;
        if (child.format & kFormatVCenter)
            y += (area.inner.cy - height) / 2;
        rects[i] = MakeRect(x + pad.left, y + pad.top, x + pad.left + width, y + pad.top + height);
        neededWidth = std::max(neededWidth, width);
        neededHeight = std::max(neededHeight, height);
    }
    return SIZE{ClampLength(neededWidth), ClampLength(neededHeight)};
}

RECT FloatRect(const FloatPlacement& placement, const RECT& reference)
{
    const int64_t x = placement.fixedXY.cx;
    const int64_t y = placement.fixedXY.cy;
    const int64_t w = placement.fixedSize.cx;
    const int64_t h = placement.fixedSize.cy;
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    switch (placement.kind) {
    case FloatKind::kFloat:
        left = reference.left + x;
        top = reference.top + y;
        right = w ? left + w : reference.right + x;
        bottom = h ? top + h : reference.bottom + y;
        break;
    case FloatKind::kRelative:
        left = reference.left + x;
        top = reference.top + y;
        right = w ? left + w : reference.right;
        bottom = h ? top + h : reference.bottom;
        break;
    case FloatKind::kAbsolute:
        left = x;
        top = y;
        right = w ? x + w : reference.right;
        bottom = h ? y + h : reference.bottom;
        break;
    }
    return Shrunk(MakeRect(left, top, right, bottom), placement.padding);
}

const RECT& FloatReference(LayoutKind kind, const RECT& item, const RECT& inner)
{
    return kind == kVertical ? item : inner;
}

}  // namespace VXM::layout
