#include "VxScrollbar.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "ScrollbarTestEvents.h"
#include "TestCanvas.h"

namespace {

using namespace VXM;
using scrollbar_events::Send;

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kButtonFallback = 0xFF85E4FF;
constexpr uint32_t kThumbFallback = 0xFFB8E0FF;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr uint32_t kMagenta = 0xFFFF00FF;
constexpr uint32_t kYellow = 0xFFFFFF00;
constexpr uint32_t kGrey = 0xFF808080;

// The image string of a 2 x 2 BMP file of one colour, written on first use.
std::wstring SolidImage(uint32_t color)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / L"zentarium-scrollbar-images";
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / (L"solid-" + std::to_wstring(color & 0xFFFFFF) + L".bmp");
    if (!std::filesystem::exists(file)) {
        const unsigned char b = color & 0xFF;
        const unsigned char g = color >> 8 & 0xFF;
        const unsigned char r = color >> 16 & 0xFF;
        // 14-byte file header and 40-byte info header of a 2 x 2, 24-bit, bottom-up DIB; rows padded to 8 bytes.
        const unsigned char header[54] = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0,
                                          2,   0,   0,  0, 1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0};
        const unsigned char row[8] = {b, g, r, b, g, r, 0, 0};
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(header), sizeof header);
        out.write(reinterpret_cast<const char*>(row), sizeof row);
        out.write(reinterpret_cast<const char*>(row), sizeof row);
    }
    return L"file='" + file.wstring() + L"'";
}

const wchar_t kMissingImage[] = L"file='no-such-scrollbar-image.png'";

// A vertical bar at (10, 10), 16 x 200 on a white 40 x 230 canvas: button 1 (10, 10)-(26, 26),
// button 2 (10, 194)-(26, 210), thumb (10, 26)-(26, 138) at position 0, rail (10, 74)-(26, 90).
class ScrollbarPaint : public testing::Test {
protected:
    void SetUp() override
    {
        ResetLoader();
        bar_.SetPos(RECT{10, 10, 26, 210});
    }

    void Paint()
    {
        canvas_.Fill(kWhite);
        bar_.DoPaint(canvas_.Dc(), canvas_.Bounds());
    }

    VxScrollbar bar_;
    TestCanvas canvas_{40, 230, kWhite};
};

TEST_F(ScrollbarPaint, WithoutImagesButtonsAreOutlinedAndTheThumbFilled)
{
    Paint();
    // Pen width 2 inside each button's rectangle.
    EXPECT_EQ(canvas_.Pixel(10, 10), kButtonFallback);
    EXPECT_EQ(canvas_.Pixel(11, 18), kButtonFallback);
    EXPECT_EQ(canvas_.Pixel(25, 25), kButtonFallback);
    EXPECT_EQ(canvas_.Pixel(18, 18), kWhite) << "outline only";
    EXPECT_EQ(canvas_.Pixel(12, 18), kWhite);
    EXPECT_EQ(canvas_.Pixel(10, 209), kButtonFallback);
    EXPECT_EQ(canvas_.Pixel(18, 200), kWhite);

    EXPECT_EQ(canvas_.Pixel(18, 26), kThumbFallback);
    EXPECT_EQ(canvas_.Pixel(10, 80), kThumbFallback);
    EXPECT_EQ(canvas_.Pixel(25, 137), kThumbFallback);
    EXPECT_EQ(canvas_.Pixel(18, 138), kWhite) << "track after the thumb: no background image, nothing";
    EXPECT_EQ(canvas_.Pixel(5, 80), kWhite);
    EXPECT_EQ(canvas_.Pixel(30, 80), kWhite);
    EXPECT_EQ(canvas_.Pixel(18, 215), kWhite);
}

TEST_F(ScrollbarPaint, NoRangeDrawsNoThumbAndHiddenButtonsNothing)
{
    bar_.SetScrollRange(0);
    Paint();
    EXPECT_EQ(canvas_.Pixel(18, 80), kWhite);
    EXPECT_EQ(canvas_.Pixel(10, 10), kButtonFallback);

    bar_.SetShowButton1(false);
    bar_.SetShowButton2(false);
    bar_.SetRailNormalImage(SolidImage(kMagenta));
    Paint();
    EXPECT_EQ(canvas_.CountOther(kWhite), 0) << "no thumb, so no rail either";
}

TEST_F(ScrollbarPaint, ElementsDrawTheirImagesInPlaceInOrder)
{
    bar_.SetBkNormalImage(SolidImage(kGrey));
    bar_.SetButton1NormalImage(SolidImage(kRed));
    bar_.SetButton2NormalImage(SolidImage(kYellow));
    bar_.SetThumbNormalImage(SolidImage(kGreen));
    bar_.SetRailNormalImage(SolidImage(kMagenta));
    Paint();
    EXPECT_EQ(canvas_.Pixel(10, 10), kRed);
    EXPECT_EQ(canvas_.Pixel(25, 25), kRed);
    EXPECT_EQ(canvas_.Pixel(18, 26), kGreen);
    EXPECT_EQ(canvas_.Pixel(18, 73), kGreen);
    EXPECT_EQ(canvas_.Pixel(10, 74), kMagenta) << "rail over the thumb, centred";
    EXPECT_EQ(canvas_.Pixel(25, 89), kMagenta);
    EXPECT_EQ(canvas_.Pixel(18, 90), kGreen);
    EXPECT_EQ(canvas_.Pixel(18, 137), kGreen);
    EXPECT_EQ(canvas_.Pixel(18, 138), kGrey) << "background under the track";
    EXPECT_EQ(canvas_.Pixel(18, 193), kGrey);
    EXPECT_EQ(canvas_.Pixel(18, 194), kYellow);
    EXPECT_EQ(canvas_.Pixel(25, 209), kYellow);
    EXPECT_EQ(canvas_.Pixel(9, 100), kWhite);
    EXPECT_EQ(canvas_.Pixel(26, 100), kWhite);
    EXPECT_EQ(canvas_.Pixel(18, 210), kWhite);

    bar_.SetScrollPos(100);
    Paint();
    EXPECT_EQ(canvas_.Pixel(18, 81), kGrey);
    EXPECT_EQ(canvas_.Pixel(18, 82), kGreen) << "the thumb ends at button 2";
    EXPECT_EQ(canvas_.Pixel(18, 193), kGreen);
}

TEST_F(ScrollbarPaint, StateImagesWithTheFailedImageRule)
{
    bar_.SetThumbNormalImage(SolidImage(kGreen));
    bar_.SetThumbHotImage(kMissingImage);
    bar_.SetThumbPushedImage(SolidImage(kBlue));
    bar_.SetThumbDisabledImage(SolidImage(kYellow));
    bar_.SetButton1NormalImage(SolidImage(kRed));

    Send(bar_, kEventMouseMove, 18, 60);
    ASSERT_TRUE(bar_.GetThumbState() & kStateHot);
    Paint();
    EXPECT_EQ(canvas_.Pixel(18, 60), kGreen) << "a hot image that fails falls back to the normal one";
    EXPECT_TRUE(bar_.GetThumbHotImage().empty()) << "and is dropped for good";

    Send(bar_, kEventLButtonDown, 18, 60);
    Paint();
    EXPECT_EQ(canvas_.Pixel(18, 60), kBlue);
    Send(bar_, kEventLButtonUp, 18, 60);
    Paint();
    EXPECT_EQ(canvas_.Pixel(18, 60), kGreen);

    bar_.SetEnabled(false);
    Paint();
    EXPECT_EQ(canvas_.Pixel(18, 60), kYellow);
    EXPECT_EQ(canvas_.Pixel(18, 18), kRed) << "no disabled image: the normal one";
    bar_.SetEnabled(true);
    Paint();
    EXPECT_EQ(canvas_.Pixel(18, 60), kGreen) << "the disabled bit follows the bar";
}

TEST_F(ScrollbarPaint, NormalImagesThatFailAreDroppedAndTheFallbackShows)
{
    bar_.SetButton1NormalImage(kMissingImage);
    bar_.SetButton2PushedImage(kMissingImage);
    bar_.SetThumbNormalImage(kMissingImage);
    bar_.SetRailNormalImage(kMissingImage);
    bar_.SetBkNormalImage(kMissingImage);
    Send(bar_, kEventLButtonDown, 18, 200);
    Paint();
    EXPECT_EQ(canvas_.Pixel(10, 10), kButtonFallback);
    EXPECT_EQ(canvas_.Pixel(10, 209), kButtonFallback);
    EXPECT_EQ(canvas_.Pixel(18, 80), kThumbFallback);
    EXPECT_EQ(canvas_.Pixel(18, 150), kWhite);
    EXPECT_TRUE(bar_.GetButton1NormalImage().empty());
    EXPECT_TRUE(bar_.GetButton2PushedImage().empty());
    EXPECT_TRUE(bar_.GetThumbNormalImage().empty());
    EXPECT_TRUE(bar_.GetRailNormalImage().empty());
    EXPECT_TRUE(bar_.GetBkNormalImage().empty());
    Send(bar_, kEventLButtonUp, 18, 200);
}

TEST_F(ScrollbarPaint, NothingOutsideThePaintRectangleOrWhenHidden)
{
    canvas_.Fill(kWhite);
    bar_.DoPaint(canvas_.Dc(), RECT{30, 0, 40, 230});
    EXPECT_EQ(canvas_.CountOther(kWhite), 0);

    bar_.SetVisible(false);
    Paint();
    EXPECT_EQ(canvas_.CountOther(kWhite), 0);
}

TEST_F(ScrollbarPaint, HorizontalBarPlacesItsImagesAlongX)
{
    VxScrollbar bar;
    bar.SetHorizontal(true);
    bar.SetButton2NormalImage(SolidImage(kRed));
    bar.SetRailNormalImage(SolidImage(kMagenta));
    bar.SetScrollPos(100);
    bar.SetPos(RECT{0, 5, 40, 21});  // too short for a thumb: buttons 0..16 and 24..40
    canvas_.Fill(kWhite);
    bar.DoPaint(canvas_.Dc(), canvas_.Bounds());
    EXPECT_EQ(canvas_.Pixel(24, 5), kRed);
    EXPECT_EQ(canvas_.Pixel(39, 20), kRed);
    EXPECT_EQ(canvas_.Pixel(23, 12), kWhite);
    EXPECT_EQ(canvas_.Pixel(0, 5), kButtonFallback);
    EXPECT_EQ(canvas_.Pixel(24, 4), kWhite);

    bar.SetPos(RECT{0, 5, 200, 21});  // thumb 72..184: length 200 x 168 / 300 = 112
    TestCanvas wide(210, 30, kWhite);
    bar.DoPaint(wide.Dc(), wide.Bounds());
    EXPECT_EQ(wide.Pixel(72, 10), kThumbFallback);
    EXPECT_EQ(wide.Pixel(71, 10), kWhite);
    EXPECT_EQ(wide.Pixel(120, 10), kMagenta) << "rail at the thumb's centre 128, 16 wide";
    EXPECT_EQ(wide.Pixel(135, 10), kMagenta);
    EXPECT_EQ(wide.Pixel(119, 10), kThumbFallback);
    EXPECT_EQ(wide.Pixel(136, 10), kThumbFallback);
}

}  // namespace
