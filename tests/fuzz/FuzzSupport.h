#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// A broken invariant is a finding like a crash: libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                     \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (0)

// Wide text as Windows holds it: UTF-16 unit values, two bytes each, little-endian, taken from
// the front of the input (FuzzedDataProvider takes numbers from the back), so a corpus file shows
// its text as UTF-16LE.
inline std::wstring WideFromBytes(const std::vector<uint8_t>& bytes)
{
    std::wstring text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<wchar_t>(bytes[i] | bytes[i + 1] << 8));
    return text;
}

inline std::wstring ConsumeWide(FuzzedDataProvider& input, size_t maxUnits)
{
    return WideFromBytes(input.ConsumeBytes<uint8_t>(maxUnits * 2));
}

inline std::wstring RemainingWide(FuzzedDataProvider& input)
{
    return WideFromBytes(input.ConsumeRemainingBytes<uint8_t>());
}
