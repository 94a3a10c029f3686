#include <climits>

#include "FuzzSupport.h"
#include "LayoutGeometry.h"
#include "ScrollArithmetic.h"

namespace {

using namespace VXM::layout;

RECT ConsumeRect(FuzzedDataProvider& input, int low, int high)
{
    RECT rect;
    for (LONG* side : {&rect.left, &rect.top, &rect.right, &rect.bottom})
        *side = input.ConsumeIntegralInRange<int>(low, high);
    return rect;
}

void CheckDecision(const BarState& before, const BarDecision& decision, int needed, int inner)
{
    const BarState& state = decision.state;
    FUZZ_CHECK(state.range >= 0);
    if (needed > inner) {
        FUZZ_CHECK(state.visible && state.range == ClampLength(int64_t{needed} - inner));
        FUZZ_CHECK(state.position >= 0 && state.position <= state.range);
        FUZZ_CHECK(decision.changed == (!before.visible || state.position != before.position));
    }
}

}  // namespace

// Overflowing content shows the bar with the overflow as its range and the position inside it;
// the inner rectangle left beside the bars is never inside out and stays in the item.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    BarState bar;
    bar.visible = input.ConsumeBool();
    bar.enabled = input.ConsumeBool();
    bar.range = input.ConsumeIntegralInRange<int>(0, INT_MAX);
    bar.position = input.ConsumeIntegralInRange<int>(0, bar.range);
    const int needed = input.ConsumeIntegralInRange<int>(0, INT_MAX);
    const int innerLength = input.ConsumeIntegralInRange<int>(0, INT_MAX);
    CheckDecision(bar, DecideVerticalBar(bar, needed, innerLength, input.ConsumeBool()), needed, innerLength);
    CheckDecision(bar, DecideHorizontalBar(bar, needed, innerLength), needed, innerLength);
    if (needed <= innerLength) {
        const BarDecision vertical = DecideVerticalBar(bar, needed, innerLength, false);
        FUZZ_CHECK(vertical.state.range == 0 && (bar.range == 0 || !vertical.state.visible));
    }

    RECT item = ConsumeRect(input, -kMaxCoordinate, kMaxCoordinate);
    item = Normalized(item);
    const RECT inset = ConsumeRect(input, 0, INT_MAX);
    const int barWidth = input.ConsumeIntegralInRange<int>(0, INT_MAX);
    const int barHeight = input.ConsumeIntegralInRange<int>(0, INT_MAX);
    const RECT inner = InnerRect(item, inset, barWidth, barHeight);
    FUZZ_CHECK(inner.left <= inner.right && inner.top <= inner.bottom);
    FUZZ_CHECK(inner.left >= item.left && inner.top >= item.top);
    for (const RECT& rect : {VerticalBarRect(inner, barWidth), HorizontalBarRect(inner, barHeight)})
        FUZZ_CHECK(rect.left <= rect.right && rect.top <= rect.bottom);
    return 0;
}
