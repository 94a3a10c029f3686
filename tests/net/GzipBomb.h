#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// A gzip body of the given number of MiB of zero bytes, about 1 KB per MiB, made without
// compressing them all. claimedSize replaces the size field of its trailer.
std::vector<uint8_t> GzipOfZeroMebibytes(size_t mebibytes, std::optional<uint32_t> claimedSize = std::nullopt);
