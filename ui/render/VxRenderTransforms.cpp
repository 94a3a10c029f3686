// Image transforms, icon conversion and window shapes of VxRenderUtils.

#include <algorithm>
#include <vector>

#include "DibSection.h"
#include "ImageAttributes.h"
#include "NumberText.h"
#include "PixelTransforms.h"
#include "VxLoadResource.h"
#include "VxRenderUtils.h"

namespace VXM {

namespace {

constexpr uint32_t kOpaque = 0xFF000000;
constexpr uint32_t kColorBits = 0x00FFFFFF;
constexpr int kMaxIconSize = 1024;  // icons are at most 256 pixels; scaling one beyond this is bad input

bool WithinTransformLimit(int64_t width, int64_t height)
{
    return width > 0 && height > 0 && width * height <= VxRenderUtils::kMaxTransformPixels;
}

// Empty for an image too large to transform: its pixels are not even copied.
PixelImage PixelsOf(const VxImageInfo* image)
{
    if (!image || !WithinTransformLimit(image->width, image->height))
        return PixelImage();
    return ReadImagePixels(image);
}

VxImageInfo* LoadShapeImage(const VxImageAttributes& a)
{
    VxLoadResource& loader = VxLoadResource::Instance();
    if (a.resourceType.empty())
        return loader.LoadImageW(a.name, a.mask, a.encrypt);
    return loader.LoadImageW(static_cast<uint32_t>(ParseInt(a.name)), a.mask, a.resourceType);
}

// Removes the runs of fully transparent pixels of one corner area, moved by (dx, dy).
void CutTransparentCorner(HRGN region, const PixelImage& pixels, const RECT& area, int dx, int dy)
{
    const int left = std::max(0L, area.left), right = std::min<LONG>(pixels.width, area.right);
    const int top = std::max(0L, area.top), bottom = std::min<LONG>(pixels.height, area.bottom);
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right;) {
            if (pixels.At(x, y) != 0) {
                ++x;
                continue;
            }
            const int runStart = x;
            while (x < right && pixels.At(x, y) == 0)
                ++x;
            GdiRegion run(CreateRectRgn(runStart + dx, y + dy, x + dx, y + dy + 1));
            if (run)
                CombineRgn(region, region, run.Get(), RGN_DIFF);
        }
    }
}

}  // namespace

GdiBitmap VxRenderUtils::GetZoom(const VxImageInfo* image, int width, int height)
{
    if (!image || !WithinTransformLimit(width, height) || image->width <= 0 || image->height <= 0)
        return GdiBitmap();
    return BitmapFromPixels(ZoomPixels(PixelsOf(image), width, height, image->alpha));
}

GdiBitmap VxRenderUtils::GetRotate(const VxImageInfo* image, RECT& dest, double angle)
{
    PixelImage pixels = PixelsOf(image);
    if (pixels.Empty())
        return GdiBitmap();
    const SIZE rotated = RotatedSize(pixels.width, pixels.height, angle);
    if (!WithinTransformLimit(rotated.cx, rotated.cy))
        return GdiBitmap();
    GdiBitmap bitmap = BitmapFromPixels(RotatePixels(pixels, angle, rotated));
    if (bitmap)
        WidenForRotation(dest, pixels.width, pixels.height, rotated);
    return bitmap;
}

GdiBitmap VxRenderUtils::GetReverse(const VxImageInfo* image, const RECT& dest)
{
    return BitmapFromPixels(ReflectPixels(PixelsOf(image), dest.bottom - dest.top));
}

GdiBitmap VxRenderUtils::GetRgnBitmap(const VxImageInfo* image, const VxImageInfo* stencil, const RECT& dest,
                                      DWORD keyColor)
{
    if (!image || !stencil)
        return GdiBitmap();
    return BitmapFromPixels(StencilPixels(PixelsOf(image), image->alpha, PixelsOf(stencil), dest, keyColor));
}

std::unique_ptr<VxImageInfo> VxRenderUtils::ConvertIconToInfo(HDC dc, HICON icon, int size)
{
    uint32_t* bits = nullptr;
    GdiBitmap bitmap = icon && size <= kMaxIconSize ? CreateTopDownDib(size, size, &bits) : GdiBitmap();
    MemoryDC memory(bitmap ? CreateCompatibleDC(dc) : nullptr);
    if (!memory)
        return nullptr;
    const size_t count = static_cast<size_t>(size) * size;
    std::vector<uint32_t> mask(count);
    {
        SelectGuard select(memory.Get(), bitmap.Get());
        DrawIconEx(memory.Get(), 0, 0, icon, size, size, 0, nullptr, DI_MASK);
        GdiFlush();
        std::copy(bits, bits + count, mask.begin());
        std::fill(bits, bits + count, 0u);
        DrawIconEx(memory.Get(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        GdiFlush();
    }
    // Icons without an alpha channel leave the alpha bytes 0: their visible pixels are opaque.
    const bool hasAlpha = std::any_of(bits, bits + count, [](uint32_t pixel) { return (pixel & kOpaque) != 0; });
    for (size_t i = 0; i < count; ++i) {
        if ((mask[i] & kColorBits) == kColorBits)
            bits[i] = 0;
        else if (!hasAlpha)
            bits[i] |= kOpaque;
    }
    return std::make_unique<VxImageInfo>(bitmap.Detach(), size, size, true);
}

GdiRegion VxRenderUtils::GetRoundCornerRgn(std::wstring_view image, int width, int height)
{
    const VxImageAttributes a = ParseImageAttributes(image);
    const RECT& c = a.corner;
    if (c.left == 0 && c.top == 0 && c.right == 0 && c.bottom == 0)
        return GdiRegion();
    const PixelImage pixels = PixelsOf(LoadShapeImage(a));
    if (pixels.Empty())
        return GdiRegion();
    GdiRegion region(CreateRectRgn(0, 0, width, height));
    if (!region)
        return region;
    // Right-hand and bottom corners follow the window's size, not the image's.
    const int dx = width - pixels.width, dy = height - pixels.height;
    const int w = pixels.width, h = pixels.height;
    CutTransparentCorner(region.Get(), pixels, RECT{0, 0, c.left, c.top}, 0, 0);
    CutTransparentCorner(region.Get(), pixels, RECT{w - c.right, 0, w, c.top}, dx, 0);
    CutTransparentCorner(region.Get(), pixels, RECT{0, h - c.bottom, c.left, h}, 0, dy);
    CutTransparentCorner(region.Get(), pixels, RECT{w - c.right, h - c.bottom, w, h}, dx, dy);
    return region;
}

std::unique_ptr<VxImageInfo> VxRenderUtils::GenerationBGMapInfo(const VxImageInfo* image, int width, int height,
                                                                 DWORD& color)
{
    PixelImage pixels = PixelsOf(image);
    if (pixels.Empty() || !WithinTransformLimit(width, height))
        return nullptr;
    const SIZE fitted = ShrinkToFit(pixels.width, pixels.height, width, height);
    if (fitted.cx != pixels.width || fitted.cy != pixels.height)
        pixels = ZoomPixels(pixels, fitted.cx, fitted.cy, image->alpha);
    const uint32_t average = AverageColor(pixels);
    GdiBitmap bitmap = BitmapFromPixels(ComposeBackground(pixels, image->alpha, width, height, average));
    if (!bitmap)
        return nullptr;
    color = average;
    return std::make_unique<VxImageInfo>(bitmap.Detach(), width, height, false);
}

}  // namespace VXM
