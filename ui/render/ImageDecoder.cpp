#include "ImageDecoder.h"

#include <climits>

#include "DibSection.h"
#include "PixelConvert.h"

// Only the formats the skins use; the other decoders would be attack surface for nothing.
// The dimension limit keeps a tiny file from asking for gigabytes.
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS (1 << 14)
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

namespace VXM {

namespace {

struct StbPixelsDeleter {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

}  // namespace

std::unique_ptr<VxImageInfo> DecodeImage(const uint8_t* data, size_t size, DWORD mask)
{
    if (!data || size == 0 || size > INT_MAX)
        return nullptr;
    int width = 0, height = 0, channels = 0;
    std::unique_ptr<stbi_uc, StbPixelsDeleter> decoded(
        stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &channels, 4));
    if (!decoded)
        return nullptr;
    uint32_t* bits = nullptr;
    GdiBitmap bitmap = CreateTopDownDib(width, height, &bits);
    if (!bitmap)
        return nullptr;
    bool alpha = ConvertDecodedPixels(decoded.get(), static_cast<size_t>(width) * height, mask, bits);
    return std::make_unique<VxImageInfo>(bitmap.Detach(), width, height, alpha);
}

}  // namespace VXM
