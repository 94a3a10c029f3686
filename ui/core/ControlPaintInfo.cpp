#include "ControlPaintInfo.h"

#include <cstdint>

#include "DibSection.h"
#include "GdiHandles.h"
#include "VxControl.h"

namespace VXM {
namespace {

// GDI writes colour with alpha 0; untouched pixels keep this mark, so both can be told apart.
constexpr uint32_t kUntouched = 0x01000000;

// GDI-drawn pixels become opaque, untouched ones transparent; blended ones keep their alpha.
void OpenAlpha(uint32_t* bits, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (bits[i] == kUntouched)
            bits[i] = 0;
        else if ((bits[i] >> 24) == 0)
            bits[i] |= 0xFF000000;
    }
}

}  // namespace

std::unique_ptr<VxImageInfo> GetControlPaintInfo(HDC dc, VxControl* control, int width, int height)
{
    if (!control)
        return nullptr;
    if (width == 0)
        width = control->GetWidth();
    if (height == 0)
        height = control->GetHeight();
    uint32_t* bits = nullptr;
    GdiBitmap bitmap = CreateTopDownDib(width, height, &bits);
    MemoryDC memory(CreateCompatibleDC(dc));
    if (!bitmap || !memory)
        return nullptr;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    std::fill(bits, bits + count, kUntouched);
    {
        SelectGuard selection(memory.Get(), bitmap.Get());
        const RECT place = control->GetPos();
        const UINT state = control->GetMouseState();
        const RECT origin = {0, 0, width, height};
        control->SetPos(origin);
        control->SetMouseState(0);
        control->DoPaint(memory.Get(), origin);
        control->SetMouseState(state);
        control->SetPos(place);
        GdiFlush();
    }
    OpenAlpha(bits, count);
    return std::make_unique<VxImageInfo>(bitmap.Detach(), width, height, true);
}

}  // namespace VXM
