#include "PngChunks.h"

#include <cstring>

namespace VXM {

namespace {

constexpr uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kChunkOverhead = 12;  // length, type and CRC

bool IsEmptyIdat(const uint8_t* chunk)
{
    return chunk[0] == 0 && chunk[1] == 0 && chunk[2] == 0 && chunk[3] == 0 && std::memcmp(chunk + 4, "IDAT", 4) == 0;
}

uint64_t ChunkSize(const uint8_t* chunk)
{
    const uint32_t length = uint32_t{chunk[0]} << 24 | uint32_t{chunk[1]} << 16 | uint32_t{chunk[2]} << 8 | chunk[3];
    return kChunkOverhead + uint64_t{length};
}

// Calls visit(offset, chunk size) for each whole chunk after the signature; returns where the
// walk stopped. A chunk cut short by the end of the bytes stops it.
template <typename Visit>
size_t WalkChunks(const uint8_t* data, size_t size, Visit visit)
{
    size_t at = sizeof(kSignature);
    while (size - at >= kChunkOverhead && ChunkSize(data + at) <= size - at) {
        const auto chunkSize = static_cast<size_t>(ChunkSize(data + at));
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
    // The rest is kept as it is: the decoder refuses a cut chunk itself.
    kept.insert(kept.end(), data + end, data + size);
    return kept;
}

}  // namespace VXM
