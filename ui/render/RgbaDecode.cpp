#include "RgbaDecode.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <optional>
#include <vector>

#include "JpegSegments.h"
#include "PngChunks.h"

namespace {

// The largest block one decoding may ask for; set for the decoding under way on this thread.
thread_local size_t t_decodeBlockLimit = SIZE_MAX;

void* LimitedMalloc(size_t size)
{
    return size <= t_decodeBlockLimit ? std::malloc(size) : nullptr;
}

void* LimitedRealloc(void* block, size_t size)
{
    return size <= t_decodeBlockLimit ? std::realloc(block, size) : nullptr;
}

}  // namespace

// Only the formats the skins use; the other decoders would be attack surface for nothing.
// The dimension limit keeps a tiny file from asking for gigabytes; the block limit keeps image
// data that inflates far beyond what the image needs from being inflated whole.
#define STBI_MALLOC(size) LimitedMalloc(size)
#define STBI_REALLOC(block, size) LimitedRealloc(block, size)
#define STBI_FREE(block) std::free(block)
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS (1 << 14)
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

namespace VXM {

namespace {

// No block of a proper decoding is larger than the image's 16-bit samples of four channels with
// a filter byte per row, doubled because the inflater's buffer grows by doubling, nor than the
// encoded bytes twice over (PNG data is gathered into one block); the floor covers tables.
constexpr uint64_t kBytesPerPixelLimit = 2 * 8;
constexpr uint64_t kBlockLimitFloor = 1 << 20;
// A decoding holds the RGBA samples and the bitmap at once, 8 bytes a pixel. A 32-bit process
// has no room for the 2 GB of the largest image the dimension limit lets through: it would try
// and fail on every paint, so such an image is refused before any decoding.
constexpr uint64_t kMaxPixels = sizeof(void*) == 8 ? uint64_t{1} << 28 : uint64_t{1} << 26;

size_t DecodeBlockLimit(int width, int height, size_t encodedSize)
{
    const uint64_t limit = kBlockLimitFloor + 2 * uint64_t{encodedSize} +
                           kBytesPerPixelLimit * uint64_t(width) * uint64_t(height) + 2 * uint64_t(height);
    return static_cast<size_t>(std::min<uint64_t>(limit, SIZE_MAX));
}

class ScopedDecodeLimit {
public:
    explicit ScopedDecodeLimit(size_t limit) { t_decodeBlockLimit = limit; }
    ~ScopedDecodeLimit() { t_decodeBlockLimit = SIZE_MAX; }
    ScopedDecodeLimit(const ScopedDecodeLimit&) = delete;
    ScopedDecodeLimit& operator=(const ScopedDecodeLimit&) = delete;
};

}  // namespace

void RgbaSamplesDeleter::operator()(uint8_t* samples) const
{
    stbi_image_free(samples);
}

RgbaImage DecodeRgba(const uint8_t* data, size_t size)
{
    RgbaImage image;
    if (!data || size == 0 || size > INT_MAX || !JpegDecodesSafely(data, size))
        return image;
    const std::optional<std::vector<uint8_t>> screened = PngWithoutEmptyIdat(data, size);
    if (screened) {
        data = screened->data();
        size = screened->size();
    }
    int width = 0, height = 0, channels = 0;
    // stb_image gives a BMP of height 0 as an image without pixels.
    if (!stbi_info_from_memory(data, static_cast<int>(size), &width, &height, &channels) || width <= 0 ||
        height <= 0 || uint64_t(width) * uint64_t(height) > kMaxPixels)
        return image;
    ScopedDecodeLimit limit(DecodeBlockLimit(width, height, size));
    image.samples.reset(stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &channels, 4));
    image.width = width;
    image.height = height;
    return image;
}

}  // namespace VXM
