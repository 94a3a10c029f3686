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

PixelImage ReadPixels(HBITMAP bitmap)
{
    BITMAP header = {};
    if (!bitmap || GetObjectW(bitmap, sizeof(header), &header) != sizeof(header) || header.bmWidth <= 0 ||
        header.bmHeight <= 0)
        return PixelImage();
    PixelImage image(header.bmWidth, header.bmHeight);
    if (header.bmBitsPixel == 32 && header.bmBits) {
        DIBSECTION section = {};
        GetObjectW(bitmap, sizeof(section), &section);
        const auto* rows = static_cast<const uint32_t*>(header.bmBits);
        bool bottomUp = section.dsBmih.biHeight > 0;
        for (int y = 0; y < image.height; ++y) {
            const uint32_t* row = rows + static_cast<size_t>(bottomUp ? image.height - 1 - y : y) * image.width;
            std::copy(row, row + image.width, &image.At(0, y));
        }
        return image;
    }
    BITMAPINFO info = TopDownHeader(image.width, image.height);
    HDC screen = GetDC(nullptr);
    int rows = GetDIBits(screen, bitmap, 0, image.height, image.pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return rows == image.height ? image : PixelImage();
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
