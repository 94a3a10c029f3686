#include "PixelTransforms.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace VXM;

PixelImage Row(std::initializer_list<uint32_t> pixels)
{
    PixelImage image(static_cast<int>(pixels.size()), 1);
    image.pixels.assign(pixels);
    return image;
}

TEST(ReflectPixels, MirrorsTheBottomRowsAndFadesThemOut)
{
    PixelImage column(1, 10);
    for (int y = 0; y < 10; ++y)
        column.At(0, y) = 0xFF000000 | (y + 1) * 20;  // blue tells the source row
    PixelImage full = ReflectPixels(column, 10);
    ASSERT_EQ(full.height, 10);
    // Row 0 is source row 9 at factor int(0.9 * int(8 * 229.5 / 9)) = 183.
    EXPECT_EQ(full.At(0, 0), (183u << 24) | (200 * 183 / 255));
    EXPECT_EQ(full.At(0, 8), 0u);
    EXPECT_EQ(full.At(0, 9), 0u);

    PixelImage shorter = ReflectPixels(column, 4);
    ASSERT_EQ(shorter.height, 4);
    EXPECT_EQ(shorter.At(0, 0), (148u << 24) | (200 * 148 / 255));

    PixelImage tall(1, 1000);
    std::fill(tall.pixels.begin(), tall.pixels.end(), 0xFFFFFFFF);
    EXPECT_EQ(ReflectPixels(tall, 1000).At(0, 0) >> 24, 206u) << "about 81 % at the top";
    EXPECT_TRUE(ReflectPixels(column, 0).Empty());
}

TEST(ZoomPixels, BilinearWithTheEdgesTakenAsTransparent)
{
    const PixelImage blackWhite = Row({0xFF000000, 0xFFFFFFFF});
    PixelImage opaque = ZoomPixels(blackWhite, 4, 1, false);
    EXPECT_EQ(opaque.At(0, 0), 0xBF000000u);
    EXPECT_EQ(opaque.At(1, 0), 0xFF404040u);
    EXPECT_EQ(opaque.At(2, 0), 0xFFBFBFBFu);
    EXPECT_EQ(opaque.At(3, 0), 0xBFFFFFFFu) << "edge colour kept for opaque images";
    EXPECT_EQ(ZoomPixels(blackWhite, 4, 1, true).At(3, 0), 0xBFBFBFBFu) << "premultiplied stays valid";

    std::mt19937 random(3);
    PixelImage noise(7, 5);
    for (auto& pixel : noise.pixels)
        pixel = random() | 0xFF000000;
    EXPECT_EQ(ZoomPixels(noise, 7, 5, false).pixels, noise.pixels) << "same size is the identity";
    EXPECT_TRUE(ZoomPixels(noise, 0, 5, false).Empty());
}

TEST(RotatePixels, TurnsCounterClockwiseInsideTheWidenedBox)
{
    EXPECT_EQ(RotatedSize(20, 10, 0).cx, 20);
    SIZE quarter = RotatedSize(20, 10, 90);
    EXPECT_EQ(quarter.cx, 10);
    EXPECT_EQ(quarter.cy, 20);
    EXPECT_EQ(RotatedSize(10, 10, 45).cx, 14);

    PixelImage turned = RotatePixels(Row({0xFFFF0000, 0xFF0000FF}), 90, RotatedSize(2, 1, 90));
    ASSERT_EQ(turned.width, 1);
    ASSERT_EQ(turned.height, 2);
    EXPECT_EQ(turned.At(0, 0), 0xFF0000FFu) << "the right end goes to the top";
    EXPECT_EQ(turned.At(0, 1), 0xFFFF0000u);

    PixelImage square(10, 10);
    std::fill(square.pixels.begin(), square.pixels.end(), 0xFF00FF00);
    PixelImage diamond = RotatePixels(square, 45, RotatedSize(10, 10, 45));
    EXPECT_EQ(diamond.At(0, 0), 0u);
    EXPECT_EQ(diamond.At(7, 7), 0xFF00FF00u);

    RECT dest = {10, 10, 30, 20};
    WidenForRotation(dest, 20, 10, quarter);
    const RECT widened = {15, 5, 25, 25};
    EXPECT_TRUE(EqualRect(&dest, &widened));
}

TEST(StencilPixels, CopiesWhereTheStencilDiffersFromTheKey)
{
    PixelImage image(4, 4);
    for (int i = 0; i < 16; ++i)
        image.pixels[i] = 0x00000010u + i;  // alpha 0: opaque images get it forced to 255
    PixelImage stencil(2, 2);
    stencil.pixels = {0xFFFF0000, 0xFF00FF00, 0xFF00FF00, 0xFFFF0000};
    // The key is compared with the stencil read as 0xAABBGGRR: red is 0xFF0000FF.
    PixelImage result = StencilPixels(image, false, stencil, RECT{1, 1, 3, 3}, 0xFF0000FF);
    ASSERT_EQ(result.width, 2);
    EXPECT_EQ(result.pixels, (std::vector<uint32_t>{0, 0xFF000016, 0xFF000019, 0}));
    EXPECT_TRUE(StencilPixels(image, false, stencil, RECT{3, 3, 5, 5}, 0).Empty()) << "image too small";
    EXPECT_TRUE(StencilPixels(image, false, stencil, RECT{-1, 0, 1, 2}, 0).Empty());
    EXPECT_TRUE(StencilPixels(image, false, stencil, RECT{0, 0, 3, 3}, 0).Empty()) << "stencil size differs";
}

TEST(Background, ShrinksAveragesAndFadesIntoTheAverage)
{
    EXPECT_EQ(AverageColor(Row({0xFFFF0000, 0xFF0000FF})), 0xFF800080u);
    SIZE shrunk = ShrinkToFit(400, 200, 100, 100);
    EXPECT_EQ(shrunk.cx, 100);
    EXPECT_EQ(shrunk.cy, 50);
    EXPECT_EQ(ShrinkToFit(40, 20, 100, 100).cx, 40);

    PixelImage red(100, 10);
    std::fill(red.pixels.begin(), red.pixels.end(), 0xFFFF0000);
    PixelImage background = ComposeBackground(red, false, 200, 10, 0xFF0000FF);
    EXPECT_EQ(background.At(19, 5), 0xFFFF0000u) << "before the band";
    EXPECT_EQ(background.At(60, 5), 0xFF800080u) << "half way through the band";
    EXPECT_EQ(background.At(150, 5), 0xFF0000FFu) << "beyond the image";
}

TEST(GradientPixel, RoundsEveryChannelAndPremultiplies)
{
    EXPECT_EQ(GradientPixel(0xFF000000, 0xFFFFFFFF, 1, 2), 0xFF808080u);
    EXPECT_EQ(GradientPixel(0x00FF0000, 0xFFFF0000, 1, 2), 0x80800000u);
    EXPECT_EQ(GradientPixel(0x80FF0000, 0x00000000, 0, 10), 0x80800000u);
}

}  // namespace
