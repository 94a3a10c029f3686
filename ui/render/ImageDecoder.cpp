#include "ImageDecoder.h"

#include "DibSection.h"
#include "PixelConvert.h"
#include "RgbaDecode.h"

namespace VXM {

std::unique_ptr<VxImageInfo> DecodeImage(const uint8_t* data, size_t size, DWORD mask)
{
    const RgbaImage decoded = DecodeRgba(data, size);
    if (!decoded.samples)
        return nullptr;
    uint32_t* bits = nullptr;
    GdiBitmap bitmap = CreateTopDownDib(decoded.width, decoded.height, &bits);
    if (!bitmap)
        return nullptr;
    bool alpha = ConvertDecodedPixels(decoded.samples.get(), static_cast<size_t>(decoded.width) * decoded.height,
                                      mask, bits);
    return std::make_unique<VxImageInfo>(bitmap.Detach(), decoded.width, decoded.height, alpha);
}

}  // namespace VXM
