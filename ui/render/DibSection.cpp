#include "DibSection.h"

#include <algorithm>
#include <climits>

namespace VXM {

namespace {

BITMAPINFO TopDownHeader(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
    return info;
}

}  // namespace

GdiBitmap CreateTopDownDib(int width, int height, uint32_t** bits)
{
    *bits = nullptr;
    if (width <= 0 || height <= 0 || width > INT_MAX / 4 / height)
        return GdiBitmap();
    BITMAPINFO info = TopDownHeader(width, height);
    void* pixels = nullptr;
    GdiBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!bitmap || !pixels)
        return GdiBitmap();
    *bits = static_cast<uint32_t*>(pixels);
    return bitmap;
}

// GetDIBits rather than the section's own bits: GetObjectW does not tell reliably whether a
// section runs top-down (Wine reports a positive height for both), GetDIBits orders the rows.
PixelImage ReadPixels(HBITMAP bitmap)
{
    BITMAP header = {};
    if (!bitmap || GetObjectW(bitmap, sizeof(header), &header) == 0 || header.bmWidth <= 0 || header.bmHeight <= 0 ||
        header.bmWidth > INT_MAX / 4 / header.bmHeight)
        return PixelImage();
    PixelImage image(header.bmWidth, header.bmHeight);
    BITMAPINFO info = TopDownHeader(image.width, image.height);
    HDC screen = GetDC(nullptr);
    int rows = GetDIBits(screen, bitmap, 0, image.height, image.pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return rows == image.height ? image : PixelImage();
}

PixelImage ReadImagePixels(const VxImageInfo* image)
{
    if (!image)
        return PixelImage();
    DIBSECTION section = {};
    if (GetObjectW(image->hBitmap, sizeof(section), &section) != sizeof(section) || !section.dsBm.bmBits ||
        section.dsBm.bmBitsPixel != 32 || section.dsBm.bmWidth <= 0 || section.dsBm.bmHeight <= 0)
        return ReadPixels(image->hBitmap);
    PixelImage pixels(section.dsBm.bmWidth, section.dsBm.bmHeight);
    const auto* bits = static_cast<const uint32_t*>(section.dsBm.bmBits);
    std::copy(bits, bits + pixels.pixels.size(), pixels.pixels.begin());
    return pixels;
}

GdiBitmap BitmapFromPixels(const PixelImage& image)
{
    uint32_t* bits = nullptr;
    GdiBitmap bitmap = CreateTopDownDib(image.width, image.height, &bits);
    if (bitmap)
        std::copy(image.pixels.begin(), image.pixels.end(), bits);
    return bitmap;
}

}  // namespace VXM
