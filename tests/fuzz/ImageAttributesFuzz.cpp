#include <string>

#include "FuzzSupport.h"
#include "ImageAttributes.h"
#include "NinePartLayout.h"

namespace {

// The layouts keep control rectangles within this bound.
constexpr int32_t kControlLimit = 0x3FFFFFFF;

RECT ConsumeRect(FuzzedDataProvider& input)
{
    RECT rect;
    for (LONG* side : {&rect.left, &rect.top, &rect.right, &rect.bottom})
        *side = input.ConsumeIntegralInRange<int32_t>(-kControlLimit, kControlLimit);
    return rect;
}

bool Inside(const RECT& part, const RECT& area)
{
    return part.left >= area.left && part.top >= area.top && part.right <= area.right && part.bottom <= area.bottom &&
           part.left <= part.right && part.top <= part.bottom;
}

}  // namespace

// Any image string and any control rectangle give a destination without overflow; the nine
// parts of an image whose fixed borders fit lie inside that destination, none inside out.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const RECT control = ConsumeRect(input);
    const std::wstring modifier = ConsumeWide(input, input.ConsumeIntegralInRange<size_t>(0, 128));
    const std::wstring image = RemainingWide(input);
    const VXM::VxImageAttributes attributes = VXM::ParseImageAttributes(image, modifier);
    const RECT dest = VXM::ComputeImageDestination(control, attributes.dest, attributes.layout);
    for (LONG side : {dest.left, dest.top, dest.right, dest.bottom})
        FUZZ_CHECK(side >= -kControlLimit && side <= kControlLimit);
    const VXM::NineParts parts = VXM::LayoutNineParts(dest, attributes.source, attributes.corner, attributes.hole);
    FUZZ_CHECK(parts.count <= parts.parts.size());
    const RECT& c = attributes.corner;
    const bool bordersFit = c.left >= 0 && c.top >= 0 && c.right >= 0 && c.bottom >= 0 &&
                            int64_t{c.left} + c.right <= int64_t{dest.right} - dest.left &&
                            int64_t{c.top} + c.bottom <= int64_t{dest.bottom} - dest.top;
    for (size_t i = 0; bordersFit && i < parts.count; ++i)
        FUZZ_CHECK(Inside(parts.parts[i].dest, dest));
    return 0;
}
