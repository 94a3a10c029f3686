#include "PixelTransforms.h"

#include <algorithm>
#include <cmath>

namespace VXM {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kBackgroundBand = 80;
constexpr uint32_t kOpaque = 0xFF000000;

uint32_t Channel(uint32_t pixel, int index)
{
    return (pixel >> (8 * index)) & 0xFF;
}

uint32_t Pack(const double channels[4])
{
    uint32_t pixel = 0;
    for (int i = 0; i < 4; ++i) {
        double value = std::clamp(channels[i] + 0.5, 0.0, 255.0);
        pixel |= static_cast<uint32_t>(value) << (8 * i);
    }
    return pixel;
}

// Bilinear sample at (sx, sy) in pixel-centre coordinates.
uint32_t Sample(const PixelImage& image, double sx, double sy, bool transparentOutside)
{
    const int x0 = static_cast<int>(std::floor(sx)), y0 = static_cast<int>(std::floor(sy));
    const double fx = sx - x0, fy = sy - y0;
    double sum[4] = {};
    for (int dy = 0; dy < 2; ++dy) {
        for (int dx = 0; dx < 2; ++dx) {
            const double weight = (dx ? fx : 1.0 - fx) * (dy ? fy : 1.0 - fy);
            const int x = x0 + dx, y = y0 + dy;
            const bool inside = x >= 0 && x < image.width && y >= 0 && y < image.height;
            if (!inside && transparentOutside)
                continue;
            const uint32_t pixel = image.At(std::clamp(x, 0, image.width - 1), std::clamp(y, 0, image.height - 1));
            for (int c = 0; c < 3; ++c)
                sum[c] += weight * Channel(pixel, c);
            if (inside)
                sum[3] += weight * Channel(pixel, 3);
        }
    }
    return Pack(sum);
}

uint32_t Scale(uint32_t pixel, uint32_t factor)
{
    uint32_t result = 0;
    for (int c = 0; c < 4; ++c)
        result |= Channel(pixel, c) * factor / 255 << (8 * c);
    return result;
}

// Premultiplied source over an opaque colour.
uint32_t Over(uint32_t pixel, uint32_t background)
{
    const uint32_t remaining = 255 - Channel(pixel, 3);
    uint32_t result = kOpaque;
    for (int c = 0; c < 3; ++c)
        result |= std::min(255u, Channel(pixel, c) + Channel(background, c) * remaining / 255) << (8 * c);
    return result;
}

uint32_t Mix(uint32_t from, uint32_t to, double t)
{
    double channels[4];
    for (int c = 0; c < 4; ++c)
        channels[c] = Channel(from, c) + (double(Channel(to, c)) - Channel(from, c)) * t;
    channels[3] = 255.0;
    return Pack(channels);
}

double BandWeight(int position, int imageExtent)
{
    int bandStart = imageExtent - kBackgroundBand;
    return position < bandStart ? 0.0 : double(position - bandStart) / kBackgroundBand;
}

}  // namespace

PixelImage ReflectPixels(const PixelImage& image, int destHeight)
{
    const int rows = std::min(destHeight, image.height);
    if (rows <= 0 || image.width <= 0)
        return PixelImage();
    PixelImage result(image.width, rows);
    for (int k = 0; k < rows; ++k) {
        const int j = rows - 1 - k;
        int fade = 0;
        if (j >= 0.1 * rows)
            fade = static_cast<int>((j - 0.1 * rows) * 229.5 / (0.9 * rows));
        const uint32_t factor = static_cast<uint32_t>(0.9 * fade);
        for (int x = 0; x < image.width; ++x)
            result.At(x, k) = Scale(image.At(x, image.height - 1 - k), factor);
    }
    return result;
}

PixelImage ZoomPixels(const PixelImage& image, int width, int height, bool premultiplied)
{
    if (width <= 0 || height <= 0 || image.Empty())
        return PixelImage();
    PixelImage result(width, height);
    const double xScale = double(image.width) / width, yScale = double(image.height) / height;
    for (int y = 0; y < height; ++y) {
        const double sy = (y + 0.4999999) * yScale - 0.5;
        for (int x = 0; x < width; ++x)
            result.At(x, y) = Sample(image, (x + 0.4999999) * xScale - 0.5, sy, premultiplied);
    }
    return result;
}

SIZE RotatedSize(int width, int height, double angle)
{
    if (!std::isfinite(angle) || width <= 0 || height <= 0)
        return SIZE{};
    const double theta = -angle * kPi / 180.0, c = std::cos(theta), s = std::sin(theta);
    const double xs[2] = {-0.5, width - 0.5}, ys[2] = {-0.5, height - 0.5};
    double minX = INFINITY, maxX = -INFINITY, minY = INFINITY, maxY = -INFINITY;
    for (double x : xs) {
        for (double y : ys) {
            const double rx = x * c - y * s, ry = x * s + y * c;
            minX = std::min(minX, rx), maxX = std::max(maxX, rx);
            minY = std::min(minY, ry), maxY = std::max(maxY, ry);
        }
    }
    return SIZE{static_cast<LONG>(std::floor(maxX - minX + 0.5)), static_cast<LONG>(std::floor(maxY - minY + 0.5))};
}

void WidenForRotation(RECT& dest, int width, int height, SIZE rotated)
{
    dest.left -= (rotated.cx - width) / 2;
    dest.right = dest.left + rotated.cx;
    dest.top -= (rotated.cy - height) / 2;
    dest.bottom = dest.top + rotated.cy;
}

PixelImage RotatePixels(const PixelImage& image, double angle, SIZE rotated)
{
    if (image.Empty() || rotated.cx <= 0 || rotated.cy <= 0)
        return PixelImage();
    PixelImage result(rotated.cx, rotated.cy);
    const double theta = -angle * kPi / 180.0, c = std::cos(theta), s = std::sin(theta);
    for (int y = 0; y < rotated.cy; ++y) {
        const double py = y + 0.5 - rotated.cy / 2.0;
        for (int x = 0; x < rotated.cx; ++x) {
            const double px = x + 0.5 - rotated.cx / 2.0;
            const double sx = px * c + py * s + image.width / 2.0 - 0.5;
            const double sy = -px * s + py * c + image.height / 2.0 - 0.5;
            const bool outside = sx < -0.5 || sy < -0.5 || sx > image.width - 0.5 || sy > image.height - 0.5;
            result.At(x, y) = outside ? 0 : Sample(image, sx, sy, true);
        }
    }
    return result;
}

PixelImage StencilPixels(const PixelImage& image, bool imageAlpha, const PixelImage& stencil, const RECT& dest,
                         DWORD keyColor)
{
    const int width = dest.right - dest.left, height = dest.bottom - dest.top;
    if (width <= 0 || height <= 0 || dest.left < 0 || dest.top < 0 || stencil.width != width ||
        stencil.height != height || image.width < dest.right || image.height < dest.bottom)
        return PixelImage();
    PixelImage result(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t s = stencil.At(x, y);
            const uint32_t asBgr = (s & 0xFF00FF00) | (s >> 16 & 0xFF) | (s & 0xFF) << 16;
            if (asBgr == keyColor)
                continue;
            const uint32_t pixel = image.At(dest.left + x, dest.top + y);
            result.At(x, y) = imageAlpha ? pixel : pixel | kOpaque;
        }
    }
    return result;
}

uint32_t AverageColor(const PixelImage& image)
{
    if (image.pixels.empty())
        return kOpaque;
    uint64_t sums[3] = {};
    for (uint32_t pixel : image.pixels) {
        for (int c = 0; c < 3; ++c)
            sums[c] += Channel(pixel, c);
    }
    const uint64_t count = image.pixels.size();
    uint32_t color = kOpaque;
    for (int c = 0; c < 3; ++c)
        color |= static_cast<uint32_t>((sums[c] + count / 2) / count) << (8 * c);
    return color;
}

SIZE ShrinkToFit(int imageWidth, int imageHeight, int width, int height)
{
    if (width <= 0 || height <= 0 || (imageWidth <= width && imageHeight <= height))
        return SIZE{imageWidth, imageHeight};
    const double ratio = std::max(double(imageWidth) / width, double(imageHeight) / height);
    return SIZE{std::max(1L, std::lround(imageWidth / ratio)), std::max(1L, std::lround(imageHeight / ratio))};
}

PixelImage ComposeBackground(const PixelImage& image, bool imageAlpha, int width, int height, uint32_t average)
{
    if (width <= 0 || height <= 0)
        return PixelImage();
    PixelImage result(width, height);
    std::fill(result.pixels.begin(), result.pixels.end(), average | kOpaque);
    const int imageWidth = std::min(image.width, width), imageHeight = std::min(image.height, height);
    for (int y = 0; y < imageHeight; ++y) {
        const double down = image.height < height ? BandWeight(y, image.height) : 0.0;
        for (int x = 0; x < imageWidth; ++x) {
            const uint32_t pixel = image.At(x, y);
            uint32_t value = imageAlpha ? Over(pixel, average) : pixel | kOpaque;
            const double across = image.width < width ? BandWeight(x, image.width) : 0.0;
            if (across > 0.0)
                value = Mix(value, average, across);
            if (down > 0.0)
                value = Mix(value, average, down);
            result.At(x, y) = value;
        }
    }
    return result;
}

uint32_t GradientPixel(uint32_t from, uint32_t to, int step, int steps)
{
    const double t = steps > 0 ? double(step) / steps : 0.0;
    uint32_t channels[4];
    for (int c = 0; c < 4; ++c) {
        const double value = Channel(from, c) + (double(Channel(to, c)) - Channel(from, c)) * t;
        channels[c] = static_cast<uint32_t>(value + 0.5);
    }
    const uint32_t alpha = channels[3];
    uint32_t pixel = alpha << 24;
    for (int c = 0; c < 3; ++c)
        pixel |= channels[c] * alpha / 255 << (8 * c);
    return pixel;
}

}  // namespace VXM
