#include "ScrollArithmetic.h"

#include <algorithm>
#include <cstdint>

#include "LayoutGeometry.h"

namespace VXM::layout {
namespace {

// The bar showing content that overflows by `range`: a bar that was hidden starts at the top.
BarDecision Overflowing(const BarState& bar, int range)
{
    BarDecision decision{bar, false};
    BarState& state = decision.state;
    state.range = range;
    if (bar.visible) {
        state.position = std::min(bar.position, range);
        decision.changed = state.position != bar.position;
    } else {
        state.visible = true;
        state.enabled = true;
        state.position = 0;
        decision.changed = true;
    }
    return decision;
}

}  // namespace

BarDecision DecideVerticalBar(const BarState& bar, int needed, int inner, bool alwaysShow)
{
    if (needed > inner)
        return Overflowing(bar, ClampLength(int64_t{needed} - inner));
    BarDecision decision{bar, false};
    if (bar.range != 0) {
        if (!alwaysShow) {
            decision.state.visible = false;
            decision.state.enabled = false;
        }
        decision.state.range = 0;
        decision.state.position = 0;
        decision.changed = true;
    }
    return decision;
}

BarDecision DecideHorizontalBar(const BarState& bar, int needed, int inner)
{
    if (needed > inner)
        return Overflowing(bar, ClampLength(int64_t{needed} - inner));
    BarDecision decision{bar, false};
    if (bar.visible) {
        decision.state.visible = false;
        decision.state.range = 0;
        decision.state.position = 0;
        decision.changed = true;
    }
    return decision;
}

RECT VerticalBarRect(const RECT& inner, int width)
{
    return MakeRect(inner.right, inner.top, int64_t{inner.right} + width, inner.bottom);
}

RECT HorizontalBarRect(const RECT& inner, int height)
{
    return MakeRect(inner.left, inner.bottom, inner.right, int64_t{inner.bottom} + height);
}

RECT InnerRect(const RECT& item, const RECT& inset, int verticalBarWidth, int horizontalBarHeight)
{
    const RECT margins = {inset.left, inset.top, ClampCoordinate(int64_t{inset.right} + verticalBarWidth),
                          ClampCoordinate(int64_t{inset.bottom} + horizontalBarHeight)};
    return Shrunk(item, margins);
}

}  // namespace VXM::layout
