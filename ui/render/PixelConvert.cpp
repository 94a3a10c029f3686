#include "PixelConvert.h"

namespace VXM {

namespace {

constexpr uint32_t kOpaque = 0xFF000000;

uint32_t Premultiply(const uint8_t* rgba)
{
    uint32_t alpha = rgba[3];
    uint32_t red = rgba[0], green = rgba[1], blue = rgba[2];
    if (alpha != 255) {
        red = red * alpha / 255;
        green = green * alpha / 255;
        blue = blue * alpha / 255;
    }
    return alpha << 24 | red << 16 | green << 8 | blue;
}

}  // namespace

bool ConvertDecodedPixels(const uint8_t* rgba, size_t pixelCount, DWORD mask, uint32_t* bgra)
{
    bool alpha = false;
    for (size_t i = 0; i < pixelCount; ++i, rgba += 4) {
        uint32_t pixel = Premultiply(rgba);
        if (pixel == mask)
            pixel = 0;
        alpha |= (pixel & kOpaque) != kOpaque;
        bgra[i] = pixel;
    }
    return alpha;
}

bool MakeOpaqueAndMask(uint32_t* pixels, size_t pixelCount, DWORD mask)
{
    bool masked = false;
    for (size_t i = 0; i < pixelCount; ++i) {
        uint32_t pixel = pixels[i] | kOpaque;
        if (pixel == mask) {
            pixel = 0;
            masked = true;
        }
        pixels[i] = pixel;
    }
    return masked;
}

}  // namespace VXM
