#include <stb_image.h>

#include <climits>
#include <vector>

#include "FuzzSupport.h"
#include "JpegSegments.h"
#include "PngChunks.h"
#include "RgbaDecode.h"

namespace {

// The decoder allows far larger images; the fuzzer's memory does not.
constexpr uint64_t kFuzzPixelLimit = 1 << 22;
constexpr int kDimensionLimit = 1 << 14;

}  // namespace

// A decoded image has the size its header gives, within the dimension limit; the PNG
// screen's copy is shorter and needs no second screening.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::optional<std::vector<uint8_t>> screened = VXM::PngWithoutEmptyIdat(data, size);
    if (screened) {
        FUZZ_CHECK(screened->size() < size);
        FUZZ_CHECK(!VXM::PngWithoutEmptyIdat(screened->data(), screened->size()));
    }
    const std::vector<uint8_t> bytes = screened.value_or(std::vector<uint8_t>(data, data + size));
    // Like the decoder, the header is read only from bytes that pass the screens.
    int width = 0, height = 0, channels = 0;
    if (bytes.empty() || !VXM::JpegDecodesSafely(bytes.data(), bytes.size()) || !stbi_info_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels))
        return 0;
    if (uint64_t(width) * uint64_t(height) > kFuzzPixelLimit)
        return 0;
    const VXM::RgbaImage image = VXM::DecodeRgba(data, size);
    if (!image.samples)
        return 0;
    FUZZ_CHECK(image.width == width && image.height == height);
    FUZZ_CHECK(image.width > 0 && image.height > 0 && image.width <= kDimensionLimit && image.height <= kDimensionLimit);
    return 0;
}
