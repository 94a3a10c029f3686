#include "VxRenderUtils.h"

#include <gtest/gtest.h>

#include "DibSection.h"
#include "TestCanvas.h"
#include "TestPaths.h"

namespace {

using namespace VXM;

std::unique_ptr<VxImageInfo> ImageOf(const PixelImage& pixels, bool alpha)
{
    return std::make_unique<VxImageInfo>(BitmapFromPixels(pixels).Detach(), pixels.width, pixels.height, alpha);
}

TEST(ConvertIconToInfo, MaskedPixelsBecomeTransparent)
{
    IconHandle icon(static_cast<HICON>(
        LoadImageW(nullptr, testing_paths::Fixture(L"render_icon.ico").c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE)));
    ASSERT_TRUE(icon.Valid());
    std::unique_ptr<VxImageInfo> image = VxRenderUtils::ConvertIconToInfo(nullptr, icon.Get(), 16);
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->alpha);
    PixelImage pixels = ReadPixels(image->hBitmap);
    EXPECT_EQ(pixels.At(0, 0), 0u);
    EXPECT_EQ(pixels.At(7, 15), 0u);
    EXPECT_EQ(pixels.At(8, 0), 0xFFFF0000u);
    EXPECT_EQ(pixels.At(15, 15), 0xFFFF0000u);
    EXPECT_EQ(VxRenderUtils::ConvertIconToInfo(nullptr, nullptr, 16), nullptr);
}

TEST(Transforms, NeitherImageNorResultMayPassTheLimit)
{
    std::unique_ptr<VxImageInfo> small = ImageOf(PixelImage(4, 4), false);
    EXPECT_FALSE(VxRenderUtils::GetZoom(small.get(), 4097, 4096).Valid());
    EXPECT_TRUE(VxRenderUtils::GetZoom(small.get(), 100, 65).Valid());
    DWORD average = 0;
    EXPECT_EQ(VxRenderUtils::GenerationBGMapInfo(small.get(), 8192, 4096, average), nullptr);
    // A 4096 x 4096 image is within the limit; turned by 45 degrees it would not be.
    std::unique_ptr<VxImageInfo> large = ImageOf(PixelImage(4096, 4096), false);
    RECT dest = {0, 0, 4096, 4096};
    EXPECT_FALSE(VxRenderUtils::GetRotate(large.get(), dest, 45.0).Valid());
    EXPECT_EQ(dest.right, 4096) << "dest is left alone when nothing is made";
    EXPECT_TRUE(VxRenderUtils::GetReverse(large.get(), RECT{0, 0, 10, 10}).Valid());
}

TEST(GetRoundCornerRgn, CornersFollowTheWindowSize)
{
    ResetLoader();
    const std::wstring image = L"file='" + testing_paths::Fixture(L"render_corners.png") + L"' corner='2,2,2,2'";
    GdiRegion region = VxRenderUtils::GetRoundCornerRgn(image, 100, 50);
    ASSERT_TRUE(region.Valid());
    for (POINT cut : {POINT{0, 0}, POINT{1, 0}, POINT{99, 0}, POINT{0, 49}, POINT{99, 49}})
        EXPECT_FALSE(PtInRegion(region.Get(), cut.x, cut.y)) << cut.x << "," << cut.y;
    for (POINT kept : {POINT{2, 0}, POINT{9, 0}, POINT{98, 0}, POINT{50, 25}, POINT{0, 1}})
        EXPECT_TRUE(PtInRegion(region.Get(), kept.x, kept.y)) << kept.x << "," << kept.y;
    EXPECT_FALSE(PtInRegion(region.Get(), 100, 10));

    EXPECT_FALSE(VxRenderUtils::GetRoundCornerRgn(L"file='" + testing_paths::Fixture(L"render_corners.png") + L"'",
                                                  100, 50)
                     .Valid());
    EXPECT_FALSE(VxRenderUtils::GetRoundCornerRgn(L"file='missing.png' corner='2,2,2,2'", 100, 50).Valid());
    ResetLoader();
}

TEST(GenerationBGMapInfo, FillsTheSizeWithTheImageAndItsAverage)
{
    PixelImage pixels(400, 800);
    for (int y = 0; y < 800; ++y)
        for (int x = 0; x < 400; ++x)
            pixels.At(x, y) = x < 200 ? 0xFFFF0000 : 0xFF0000FF;
    std::unique_ptr<VxImageInfo> source = ImageOf(pixels, false);
    DWORD average = 0;
    std::unique_ptr<VxImageInfo> background = VxRenderUtils::GenerationBGMapInfo(source.get(), 100, 400, average);
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(average, 0xFF800080u);
    EXPECT_EQ(background->width, 100);
    EXPECT_FALSE(background->alpha);
    PixelImage result = ReadPixels(background->hBitmap);
    EXPECT_EQ(result.At(10, 5), 0xFFFF0000u) << "the image, shrunk to 100 x 200";
    EXPECT_EQ(result.At(90, 5), 0xFF0000FFu);
    EXPECT_EQ(result.At(10, 160), 0xFFC00040u) << "half way through the 80-row band";
    EXPECT_EQ(result.At(50, 300), 0xFF800080u) << "below it the average";
    EXPECT_EQ(VxRenderUtils::GenerationBGMapInfo(nullptr, 10, 10, average), nullptr);
}

TEST(ImageTransforms, NullOrEmptyInputGivesNoBitmap)
{
    PixelImage pixels(4, 4);
    std::unique_ptr<VxImageInfo> image = ImageOf(pixels, true);
    RECT dest = {0, 0, 4, 4};
    EXPECT_FALSE(VxRenderUtils::GetZoom(nullptr, 10, 10).Valid());
    EXPECT_FALSE(VxRenderUtils::GetZoom(image.get(), 0, 10).Valid());
    EXPECT_FALSE(VxRenderUtils::GetRotate(nullptr, dest, 30).Valid());
    EXPECT_FALSE(VxRenderUtils::GetReverse(image.get(), RECT{0, 0, 4, 0}).Valid());
    EXPECT_FALSE(VxRenderUtils::GetRgnBitmap(image.get(), nullptr, dest, 0).Valid());

    BITMAP header = {};
    GdiBitmap zoomed = VxRenderUtils::GetZoom(image.get(), 100, 65);
    ASSERT_TRUE(zoomed.Valid());
    GetObjectW(zoomed.Get(), sizeof(header), &header);
    EXPECT_EQ(header.bmWidth, 100);
    EXPECT_EQ(header.bmHeight, 65);
}

}  // namespace
