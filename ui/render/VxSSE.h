#pragma once

#include <cstddef>
#include <cstdint>

namespace VXM {

// Per-pixel loops of the translucent shapes. The SSE2 forms give exactly the bytes of the
// plain forms, which are the reference.
class VxSSE {
public:
    static bool IsSupportSSE();

    // Every pixel |= value.
    static void DoOr(uint32_t* pixels, size_t count, uint32_t value);
    // A pixel with alpha byte 0 (drawn by GDI) becomes pixel | 0xFF000000, every other one 0.
    static void OpenAlpha(uint32_t* pixels, size_t count);

    static void DoOrPlain(uint32_t* pixels, size_t count, uint32_t value);
    static void OpenAlphaPlain(uint32_t* pixels, size_t count);
    static void DoOrSSE(uint32_t* pixels, size_t count, uint32_t value);
    static void OpenAlphaSSE(uint32_t* pixels, size_t count);
};

}  // namespace VXM
