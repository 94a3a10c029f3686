#include "VxRenderUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <vector>

#include "TestCanvas.h"

namespace {

using VXM::VxRenderUtils;

constexpr uint32_t kWhite = 0xFFFFFFFF;

TEST(DrawColor, AlphaDecidesBetweenNothingFillAndBlend)
{
    TestCanvas canvas(20, 20, kWhite);
    VxRenderUtils::DrawColor(canvas.Dc(), RECT{2, 2, 8, 8}, 0x00FF0000);
    EXPECT_EQ(canvas.CountOther(kWhite), 0);

    VxRenderUtils::DrawColor(canvas.Dc(), RECT{2, 2, 8, 8}, 0xFFFF0000);
    EXPECT_TRUE(canvas.Covers(RECT{2, 2, 8, 8}, 0xFFFF0000));
    canvas.Fill(kWhite);
    VxRenderUtils::DrawColor(canvas.Dc(), RECT{2, 2, 8, 8}, 0xFF0000FF, true);
    EXPECT_TRUE(canvas.Covers(RECT{2, 2, 8, 8}, 0xFF0000FF)) << "forced blend of an opaque colour";

    canvas.Fill(0xFF000000);
    VxRenderUtils::DrawColor(canvas.Dc(), RECT{0, 0, 10, 20}, 0x80FF0000);
    EXPECT_NEAR(canvas.Channel(5, 5, 2), 128, 1);
    EXPECT_EQ(canvas.Pixel(15, 5), 0xFF000000u);
}

TEST(DrawGradient, OpaqueAndTranslucentRunFromOneColourToTheOther)
{
    TestCanvas canvas(30, 20, 0xFF000000);
    VxRenderUtils::DrawGradient(canvas.Dc(), RECT{0, 0, 30, 10}, 0xFFFF0000, 0xFF0000FF, true);
    EXPECT_GT(canvas.Channel(5, 0, 2), 230);
    EXPECT_GT(canvas.Channel(5, 9, 0), 200);
    EXPECT_LT(canvas.Channel(5, 9, 2), 50);
    EXPECT_EQ(canvas.Pixel(5, 10), 0xFF000000u);

    canvas.Fill(0xFF000000);
    VxRenderUtils::DrawGradient(canvas.Dc(), RECT{0, 0, 10, 20}, 0xFFFF0000, 0x00FF0000, false);
    EXPECT_NEAR(canvas.Channel(0, 5, 2), 255, 1);
    EXPECT_NEAR(canvas.Channel(5, 5, 2), 128, 2) << "half way: half the alpha";
    EXPECT_NEAR(canvas.Channel(9, 5, 2), 26, 2);
    EXPECT_EQ(canvas.Pixel(12, 5), 0xFF000000u);

    canvas.Fill(0xFF000000);
    VxRenderUtils::DrawGradient(canvas.Dc(), RECT{0, 0, 10, 20}, 0x00FF0000, 0x0000FF00, false);
    EXPECT_EQ(canvas.CountOther(0xFF000000), 0);
}

// The pixels a shape changes, as a mask of the canvas.
std::vector<bool> Touched(const std::function<void(HDC)>& draw)
{
    TestCanvas canvas(60, 60, kWhite);
    draw(canvas.Dc());
    std::vector<bool> mask;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x)
            mask.push_back(canvas.Pixel(x, y) != kWhite);
    return mask;
}

TEST(TranslucentShapes, CoverExactlyThePixelsOfTheOpaqueShape)
{
    using Shape = std::function<void(HDC, DWORD)>;
    const Shape shapes[] = {
        [](HDC dc, DWORD c) { VxRenderUtils::DrawRect(dc, RECT{10, 10, 40, 30}, 1, c); },
        [](HDC dc, DWORD c) { VxRenderUtils::DrawRect(dc, RECT{10, 10, 40, 30}, 3, c); },
        [](HDC dc, DWORD c) { VxRenderUtils::DrawFrontRect(dc, RECT{10, 10, 40, 30}, 1, c); },
        [](HDC dc, DWORD c) { VxRenderUtils::DrawRoundRect(dc, RECT{10, 10, 40, 30}, 1, 8, 8, c); },
        [](HDC dc, DWORD c) { VxRenderUtils::DrawLine(dc, RECT{5, 5, 50, 40}, 1, c); },
        [](HDC dc, DWORD c) { VxRenderUtils::DrawLine(dc, RECT{10, 20, 40, 20}, 1, c); },
        [](HDC dc, DWORD c) { VxRenderUtils::DrawFront(dc, RECT{10, 20, 50, 20}, 1, c); },
    };
    for (size_t i = 0; i < std::size(shapes); ++i) {
        std::vector<bool> opaque = Touched([&](HDC dc) { shapes[i](dc, 0xFFFF0000); });
        EXPECT_GT(std::count(opaque.begin(), opaque.end(), true), 10) << i;
        EXPECT_EQ(Touched([&](HDC dc) { shapes[i](dc, 0x80FF0000); }), opaque) << i;
    }
}

TEST(TranslucentShapes, BlendOnlyTheOutline)
{
    TestCanvas canvas(60, 60, kWhite);
    VxRenderUtils::DrawRect(canvas.Dc(), RECT{10, 10, 40, 30}, 1, 0x80FF0000);
    EXPECT_EQ(canvas.Channel(10, 10, 2), 255);
    EXPECT_NEAR(canvas.Channel(10, 10, 1), 127, 1) << "half red over white";
    EXPECT_NEAR(canvas.Channel(39, 29, 0), 127, 1);
    EXPECT_EQ(canvas.Pixel(20, 20), kWhite) << "inside";
    EXPECT_EQ(canvas.Pixel(40, 30), kWhite) << "outside";

    VxRenderUtils::DrawRect(canvas.Dc(), RECT{10, 10, 40, 30}, 1, 0x00FF0000);
    EXPECT_NEAR(canvas.Channel(10, 10, 1), 127, 1) << "alpha 0 draws nothing";
}

}  // namespace
