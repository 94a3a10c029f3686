#include "VxSSE.h"

#include <emmintrin.h>

#if defined(_MSC_VER)
#include <intrin.h>
#else
#include <cpuid.h>
#endif

#if defined(__GNUC__)
#define VX_TARGET_SSE2 __attribute__((target("sse2")))
#else
#define VX_TARGET_SSE2
#endif

namespace VXM {

namespace {

constexpr uint32_t kAlphaMask = 0xFF000000;
constexpr int kSse2Bit = 1 << 26;  // CPUID leaf 1, EDX

bool DetectSse2()
{
#if defined(_M_X64) || defined(__x86_64__)
    return true;
#elif defined(_MSC_VER)
    int registers[4] = {};
    __cpuid(registers, 1);
    return (registers[3] & kSse2Bit) != 0;
#else
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    return __get_cpuid(1, &eax, &ebx, &ecx, &edx) && (edx & kSse2Bit) != 0;
#endif
}

}  // namespace

bool VxSSE::IsSupportSSE()
{
    static const bool supported = DetectSse2();
    return supported;
}

void VxSSE::DoOr(uint32_t* pixels, size_t count, uint32_t value)
{
    if (IsSupportSSE())
        DoOrSSE(pixels, count, value);
    else
        DoOrPlain(pixels, count, value);
}

void VxSSE::OpenAlpha(uint32_t* pixels, size_t count)
{
    if (IsSupportSSE())
        OpenAlphaSSE(pixels, count);
    else
        OpenAlphaPlain(pixels, count);
}

void VxSSE::DoOrPlain(uint32_t* pixels, size_t count, uint32_t value)
{
    for (size_t i = 0; i < count; ++i)
        pixels[i] |= value;
}

void VxSSE::OpenAlphaPlain(uint32_t* pixels, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        pixels[i] = (pixels[i] & kAlphaMask) == 0 ? pixels[i] | kAlphaMask : 0;
}

VX_TARGET_SSE2 void VxSSE::DoOrSSE(uint32_t* pixels, size_t count, uint32_t value)
{
    const __m128i or4 = _mm_set1_epi32(static_cast<int>(value));
    size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        auto* block = reinterpret_cast<__m128i*>(pixels + i);
        _mm_storeu_si128(block, _mm_or_si128(_mm_loadu_si128(block), or4));
    }
    DoOrPlain(pixels + i, count - i, value);
}

VX_TARGET_SSE2 void VxSSE::OpenAlphaSSE(uint32_t* pixels, size_t count)
{
    const __m128i alpha = _mm_set1_epi32(static_cast<int>(kAlphaMask));
    const __m128i zero = _mm_setzero_si128();
    size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        auto* block = reinterpret_cast<__m128i*>(pixels + i);
        __m128i value = _mm_loadu_si128(block);
        __m128i drawn = _mm_cmpeq_epi32(_mm_and_si128(value, alpha), zero);
        _mm_storeu_si128(block, _mm_and_si128(_mm_or_si128(value, alpha), drawn));
    }
    OpenAlphaPlain(pixels + i, count - i);
}

}  // namespace VXM
