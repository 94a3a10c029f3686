#pragma once

#include <BodyDecoder.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The reference the bulk decoder must match byte for byte: zlib fed one input byte and given one
// output byte per step; after a data error on the first step the zlib header 78 01 is fed and
// inflation goes on. Steps continue after the last input byte while output is still pending.
std::optional<std::vector<uint8_t>> InflateBytePerStep(std::span<const uint8_t> body,
                                                       BodyEncoding encoding);
