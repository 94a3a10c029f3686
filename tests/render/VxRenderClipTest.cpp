#include "VxRenderClip.h"

#include <gtest/gtest.h>

#include "DibSection.h"
#include "TestCanvas.h"

namespace {

using VXM::VxRenderClip;

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kRed = 0xFFFF0000;

void FillAll(const TestCanvas& canvas, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    const RECT all = canvas.Bounds();
    FillRect(canvas.Dc(), &all, brush);
    DeleteObject(brush);
}

TEST(VxRenderClip, RectangleClipIsIntersectedAndTheOldClipComesBack)
{
    TestCanvas canvas(40, 40, kWhite);
    HRGN outer = CreateRectRgn(0, 0, 15, 15);
    SelectClipRgn(canvas.Dc(), outer);
    DeleteObject(outer);
    {
        VxRenderClip clip;
        VxRenderClip::GenerateClip(canvas.Dc(), RECT{10, 10, 20, 20}, clip);
        FillAll(canvas, RGB(255, 0, 0));
        EXPECT_TRUE(canvas.Covers(RECT{10, 10, 15, 15}, kRed));

        VxRenderClip::UseOldClipBegin(canvas.Dc(), clip);
        FillAll(canvas, RGB(0, 0, 255));
        VxRenderClip::UseOldClipEnd(canvas.Dc(), clip);
        EXPECT_TRUE(canvas.Covers(RECT{0, 0, 15, 15}, 0xFF0000FF));
        FillAll(canvas, RGB(255, 0, 0));
        EXPECT_EQ(canvas.Pixel(5, 5), 0xFF0000FFu) << "back to the clip made here";
    }
    canvas.Fill(kWhite);
    FillAll(canvas, RGB(255, 0, 0));
    EXPECT_TRUE(canvas.Covers(RECT{0, 0, 15, 15}, kRed)) << "the previous clip, not a box of it";

    SelectClipRgn(canvas.Dc(), nullptr);
    {
        VxRenderClip clip;
        VxRenderClip::GenerateClip(canvas.Dc(), RECT{1, 1, 2, 2}, clip);
    }
    canvas.Fill(kWhite);
    FillAll(canvas, RGB(255, 0, 0));
    EXPECT_EQ(canvas.CountOther(kRed), 0) << "a DC without clip has none afterwards";
}

TEST(VxRenderClip, RoundedFormsRoundTheChosenCorners)
{
    struct Case {
        SIZE round;
        bool topLeftDrawn, bottomLeftDrawn;
    } cases[] = {  // cx = 0 leaves the bottom corners round, cy = 0 the top ones
        {{10, 10}, false, false},
        {{0, 10}, true, false},
        {{10, 0}, false, true},
    };
    for (const Case& c : cases) {
        TestCanvas canvas(40, 40, kWhite);
        VxRenderClip clip;
        VxRenderClip::GenerateClip(canvas.Dc(), RECT{0, 0, 40, 40}, c.round, clip);
        FillAll(canvas, RGB(255, 0, 0));
        EXPECT_EQ(canvas.Pixel(0, 0) == kRed, c.topLeftDrawn) << c.round.cx << "," << c.round.cy;
        EXPECT_EQ(canvas.Pixel(0, 39) == kRed, c.bottomLeftDrawn) << c.round.cx << "," << c.round.cy;
        EXPECT_EQ(canvas.Pixel(20, 20), kRed);
    }
    TestCanvas canvas(10, 10, kWhite);
    VxRenderClip clip;
    VxRenderClip::GenerateClip(canvas.Dc(), RECT{0, 0, 5, 5}, SIZE{0, 0}, clip);
    FillAll(canvas, RGB(255, 0, 0));
    EXPECT_EQ(canvas.CountOther(kRed), 0) << "no rounding, no clip";
}

TEST(VxRenderClip, KeyColourPixelsAreCutOut)
{
    VXM::PixelImage key(3, 1);
    key.pixels = {0xFF000000, 0xFFFF00FF, 0xFF000000};
    VXM::GdiBitmap bitmap = VXM::BitmapFromPixels(key);
    TestCanvas canvas(10, 10, kWhite);
    VxRenderClip clip;
    VxRenderClip::GenerateClip(canvas.Dc(), RECT{2, 2, 5, 3}, bitmap.Get(), 0xFFFF00FF, clip);
    FillAll(canvas, RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(2, 2), kRed);
    EXPECT_EQ(canvas.Pixel(3, 2), kWhite);
    EXPECT_EQ(canvas.Pixel(4, 2), kRed);
    EXPECT_EQ(canvas.CountOther(kWhite), 2);
}

}  // namespace
