#include <climits>

#include "FuzzSupport.h"
#include "ScrollbarGeometry.h"

namespace {

using namespace VXM::scrollbar;

RECT ConsumeRect(FuzzedDataProvider& input)
{
    RECT rect;
    for (LONG* side : {&rect.left, &rect.top, &rect.right, &rect.bottom})
        *side = input.ConsumeIntegral<int>();
    return rect;
}

int64_t Start(const RECT& r, bool horizontal)
{
    return horizontal ? r.left : r.top;
}

int64_t End(const RECT& r, bool horizontal)
{
    return horizontal ? r.right : r.bottom;
}

}  // namespace

// Buttons and thumb follow each other along the bar, none inside out; a thumb that fits lies
// between the buttons; a drag never moves the position by more than the range.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    BarMetrics metrics;
    metrics.bar = ConsumeRect(input);
    metrics.inset = ConsumeRect(input);
    metrics.horizontal = input.ConsumeBool();
    metrics.thickness = input.ConsumeIntegral<int>();
    metrics.fixedLength = input.ConsumeIntegral<int>();
    metrics.showButton1 = input.ConsumeBool();
    metrics.showButton2 = input.ConsumeBool();
    metrics.range = input.ConsumeIntegral<int>();
    metrics.position = input.ConsumeIntegral<int>();
    const bool h = metrics.horizontal;
    const BarParts parts = Layout(metrics);
    for (const RECT& part : {parts.button1, parts.button2})
        FUZZ_CHECK(part.left <= part.right && part.top <= part.bottom);
    FUZZ_CHECK(End(parts.button1, h) <= Start(parts.button2, h));
    const int64_t travel = FreeTravel(parts, h);
    if (!IsRectEmpty(&parts.thumb) && travel >= 0) {
        FUZZ_CHECK(Start(parts.thumb, h) >= End(parts.button1, h));
        FUZZ_CHECK(End(parts.thumb, h) <= Start(parts.button2, h));
    }
    const int range = input.ConsumeIntegral<int>();
    const int offset = DragOffset(input.ConsumeIntegral<int64_t>(), range, travel);
    FUZZ_CHECK(offset == 0 || (range > 0 && offset >= -range && offset <= range));
    const int thickness = input.ConsumeIntegralInRange<int>(0, INT_MAX);
    const RECT rail = RailRect(parts.thumb, thickness, metrics.inset, h);
    if (!IsRectEmpty(&parts.thumb))
        FUZZ_CHECK(rail.left <= rail.right && rail.top <= rail.bottom);
    FUZZ_CHECK(BarLength(metrics.bar, h) >= 0);
    return 0;
}
