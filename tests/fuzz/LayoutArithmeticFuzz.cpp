#include <climits>
#include <vector>

#include "FuzzSupport.h"
#include "LayoutArithmetic.h"
#include "LayoutGeometry.h"
#include "VxDefines.h"

namespace {

using namespace VXM::layout;

constexpr size_t kMaxChildren = 12;

RECT ConsumeRect(FuzzedDataProvider& input, int low, int high)
{
    RECT rect;
    for (LONG* side : {&rect.left, &rect.top, &rect.right, &rect.bottom})
        *side = input.ConsumeIntegralInRange<int>(low, high);
    return rect;
}

// Sizes as the controls hold them (never negative); paddings as the skin gives them.
LayoutChild ConsumeChild(FuzzedDataProvider& input, bool plainPadding)
{
    LayoutChild child;
    for (SIZE* size : {&child.estimate, &child.minSize, &child.maxSize}) {
        size->cx = input.ConsumeBool() ? 0 : input.ConsumeIntegralInRange<int>(0, INT_MAX);
        size->cy = input.ConsumeBool() ? 0 : input.ConsumeIntegralInRange<int>(0, INT_MAX);
    }
    child.padding = ConsumeRect(input, plainPadding ? 0 : INT_MIN, INT_MAX);
    child.format = input.ConsumeIntegral<UINT>();
    return child;
}

bool InsideOut(const RECT& rect)
{
    return rect.right < rect.left || rect.bottom < rect.top;
}

// With paddings of 0 or more, content that fits the area along the flow stays inside it there,
// and children that fill the area across, paddings included, stay inside it across.
void CheckFlowInside(const LayoutArea& area, const std::vector<LayoutChild>& children, const std::vector<RECT>& rects,
                     SIZE needed, bool vertical)
{
    const int64_t mainStart = vertical ? area.origin.y : area.origin.x;
    const int64_t mainEnd = mainStart + (vertical ? area.available.cy : area.available.cx);
    const int64_t crossStart = vertical ? area.origin.x : area.origin.y;
    const int64_t crossEnd = crossStart + (vertical ? area.available.cx : area.available.cy);
    const int neededMain = vertical ? needed.cy : needed.cx;
    // A needed size at the bound is clamped: the content may be far larger.
    const bool fits = neededMain < kMaxCoordinate && neededMain <= (vertical ? area.available.cy : area.available.cx);
    for (size_t i = 0; i < rects.size(); ++i) {
        const RECT& r = rects[i];
        if (fits)
            FUZZ_CHECK((vertical ? r.top : r.left) >= mainStart && (vertical ? r.bottom : r.right) <= mainEnd);
        const LayoutChild& child = children[i];
        const int64_t crossPaddings = vertical ? int64_t{child.padding.left} + child.padding.right
                                               : int64_t{child.padding.top} + child.padding.bottom;
        const bool fills = (vertical ? child.estimate.cx == 0 && child.minSize.cx == 0
                                     : child.estimate.cy == 0 && child.minSize.cy == 0) &&
                           crossPaddings <= crossEnd - crossStart;
        if (fills)
            FUZZ_CHECK((vertical ? r.left : r.top) >= crossStart && (vertical ? r.right : r.bottom) <= crossEnd);
    }
}

}  // namespace

// No child rectangle or floating rectangle is inside out; a flow whose content fits keeps its
// children inside the area it offers, and children that fill it across with their paddings too.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const auto kind = static_cast<LayoutKind>(input.ConsumeIntegralInRange<int>(0, 2));
    const RECT inner = ConsumeRect(input, -kMaxCoordinate, kMaxCoordinate);
    BarExtent bars[2];
    for (BarExtent& bar : bars) {
        bar.visible = input.ConsumeBool();
        bar.range = input.ConsumeIntegralInRange<int>(0, INT_MAX);
        bar.position = input.ConsumeIntegralInRange<int>(0, bar.range);
    }
    const bool plainPadding = input.ConsumeBool();
    const int childPadding = input.ConsumeIntegralInRange<int>(plainPadding ? 0 : INT_MIN, INT_MAX);
    const LayoutArea area = AreaFor(kind, inner, bars[0], bars[1], childPadding);
    FUZZ_CHECK(area.inner.cx >= 0 && area.inner.cy >= 0 && area.available.cx >= area.inner.cx &&
               area.available.cy >= area.inner.cy);

    std::vector<LayoutChild> children(input.ConsumeIntegralInRange<size_t>(0, kMaxChildren));
    for (LayoutChild& child : children)
        child = ConsumeChild(input, plainPadding);
    std::vector<RECT> rects(children.size());
    SIZE needed = {};
    if (kind == kOverlaid)
        needed = Overlay(area, children, rects);
    else if (kind == kVertical)
        needed = FlowVertical(area, children, rects);
    else
        needed = FlowHorizontal(area, children, rects);
    FUZZ_CHECK(needed.cx >= 0 && needed.cy >= 0);
    for (const RECT& rect : rects)
        FUZZ_CHECK(!InsideOut(rect));
    if (plainPadding && kind != kOverlaid)
        CheckFlowInside(area, children, rects, needed, kind == kVertical);

    FloatPlacement placement;
    placement.kind = static_cast<FloatKind>(input.ConsumeIntegralInRange<int>(0, 2));
    placement.fixedXY = SIZE{input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>()};
    placement.fixedSize = SIZE{input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>()};
    placement.padding = ConsumeRect(input, INT_MIN, INT_MAX);
    FUZZ_CHECK(!InsideOut(FloatRect(placement, FloatReference(kind, inner, inner))));
    return 0;
}
