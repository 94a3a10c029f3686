#include "PngChunks.h"

#include <algorithm>
#include <cstring>

namespace VXM {

namespace {

constexpr uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kChunkHeader = 8;     // length and type
constexpr size_t kChunkOverhead = 12;  // and the CRC

bool IsEmptyIdat(const uint8_t* chunk)
{
    return chunk[0] == 0 && chunk[1] == 0 && chunk[2] == 0 && chunk[3] == 0 && std::memcmp(chunk + 4, "IDAT", 4) == 0;
}

uint64_t ChunkSize(const uint8_t* chunk)
{
    const uint32_t length = uint32_t{chunk[0]} << 24 | uint32_t{chunk[1]} << 16 | uint32_t{chunk[2]} << 8 | chunk[3];
    return kChunkOverhead + uint64_t{length};
}

// Calls visit(offset, chunk size) for each chunk after the signature whose length and type are
// there (stb_image copies a chunk's data before it reads the CRC, so a chunk cut short counts,
// with the bytes it has); returns where the walk stopped.
template <typename Visit>
size_t WalkChunks(const uint8_t* data, size_t size, Visit visit)
{
    size_t at = sizeof(kSignature);
    while (size - at >= kChunkHeader) {
        const auto chunkSize = static_cast<size_t>(std::min<uint64_t>(ChunkSize(data + at), size - at));
        visit(at, chunkSize);
        at += chunkSize;
    }
    return at;
}

}  // namespace

std::optional<std::vector<uint8_t>> PngWithoutEmptyIdat(const uint8_t* data, size_t size)
{
    if (size < sizeof(kSignature) || std::memcmp(data, kSignature, sizeof(kSignature)) != 0)
        return std::nullopt;
    bool any = false;
    WalkChunks(data, size, [&](size_t at, size_t) { any = any || IsEmptyIdat(data + at); });
    if (!any)
        return std::nullopt;
    std::vector<uint8_t> kept(data, data + sizeof(kSignature));
    const size_t end = WalkChunks(data, size, [&](size_t at, size_t chunkSize) {
        if (!IsEmptyIdat(data + at))
            kept.insert(kept.end(), data + at, data + at + chunkSize);
    });
    kept.insert(kept.end(), data + end, data + size);  // less than a chunk header
    return kept;
}

}  // namespace VXM
