#include "TextAntialias.h"

#include <algorithm>

namespace VXM {

namespace {

// A DIB pixel 0x??RRGGBB read in GDI's 0x00BBGGRR order.
uint32_t AsColorRef(uint32_t pixel)
{
    return (pixel & 0xFF) << 16 | (pixel & 0xFF00) | (pixel >> 16 & 0xFF);
}

uint32_t Scaled(double factor, uint32_t channel)
{
    return static_cast<uint32_t>(std::min(factor * channel, 255.0));
}

}  // namespace

void TextCoverageToAlpha(uint32_t* pixels, size_t count, COLORREF color)
{
    if (!pixels || color == 0)
        return;
    const uint32_t red = GetRValue(color), green = GetGValue(color), blue = GetBValue(color);
    for (size_t i = 0; i < count; ++i) {
        const uint32_t pixel = pixels[i];
        if ((pixel >> 24) == 0)
            continue;
        const uint32_t value = AsColorRef(pixel & 0x00FFFFFF);
        if (value == color)
            continue;
        const double factor = static_cast<double>(value) / static_cast<double>(color);
        pixels[i] = Scaled(factor, 255) << 24 | Scaled(factor, red) << 16 | Scaled(factor, green) << 8 |
                    Scaled(factor, blue);
    }
}

}  // namespace VXM
