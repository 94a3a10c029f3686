#include "VxProgress.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "CoreTestSupport.h"
#include "TestBitmaps.h"
#include "TestCanvas.h"
#include "VxLoadResource.h"
#include "VxPaintManager.h"

using namespace VXM;

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;

// A 350 x 25 bar, its status colour red.
struct ProgressFixture : ::testing::Test {
    ProgressFixture()
    {
        progress.SetPos(RECT{0, 0, 350, 25});
        progress.SetAttribute(L"statuscolor", L"#FFFF0000");
    }
    void Paint()
    {
        canvas.Fill(kWhite);
        progress.DoPaint(canvas.Dc(), canvas.Bounds());
    }

    TestCanvas canvas{360, 30, kWhite};
    VxProgress progress;
};

}  // namespace

TEST(VxProgress, ClassCodes)
{
    VxProgress progress;
    EXPECT_EQ(progress.GetClass(), UINT{kClassProgress});
    EXPECT_EQ(progress.GetInterface(kClassProgress), &progress);
    EXPECT_EQ(progress.GetInterface(kClassControl), &progress);
    EXPECT_EQ(progress.GetInterface(kClassContainer), nullptr);
    EXPECT_EQ(progress.GetInterface(kClassLabel), nullptr);
}

TEST_F(ProgressFixture, HalfFillsTheBarInsideTheForeInsetOrTheWholeHeight)
{
    progress.SetPos(50);
    progress.SetAttribute(L"foreinset", L"2,2,2,2");
    Paint();
    EXPECT_TRUE(canvas.Covers(RECT{2, 2, 2 + 173, 23}, kRed)) << "(350 - 4) / 100 x 50 = 173";
    progress.SetAttribute(L"foreinset", L"0,0,0,0");
    Paint();
    EXPECT_TRUE(canvas.Covers(RECT{0, 0, 175, 25}, kRed));
}

TEST_F(ProgressFixture, RangeBoundsAreNeverNegativeAndComeInOrder)
{
    int minimum = -1, maximum = -1;
    progress.SetRange(100, 10);
    progress.GetRange(minimum, maximum);
    EXPECT_EQ(minimum, 10);
    EXPECT_EQ(maximum, 100);
    progress.SetRange(-5, 50);
    progress.GetRange(minimum, maximum);
    EXPECT_EQ(minimum, 1);
    EXPECT_EQ(maximum, 50);
    progress.SetRange(-5, -9);
    progress.GetRange(minimum, maximum);
    EXPECT_EQ(minimum, 1);
    EXPECT_EQ(maximum, 1);
}

TEST_F(ProgressFixture, PositionIsClampedToTheRange)
{
    progress.SetRange(10, 100);
    EXPECT_EQ(progress.SetPos(500), 100);
    EXPECT_EQ(progress.GetValue(), 100);
    EXPECT_EQ(progress.SetPos(3), 10);
    EXPECT_EQ(progress.SetPos(42), 42);
    Paint();
    EXPECT_TRUE(canvas.Covers(RECT{0, 0, 147, 25}, kRed)) << "the minimum does not enter the fill";
}

TEST(VxProgress, OnlyAChangedValueRepaints)
{
    TestWindow window;
    ShowWindow(window.Get(), SW_SHOWNOACTIVATE);
    VxPaintManager manager;
    manager.Init(window.Get());
    VxProgress progress;
    progress.SetManager(&manager);
    progress.SetPos(RECT{10, 10, 110, 30});
    PumpMessages(50);
    RECT update = {};

    ValidateRect(window.Get(), nullptr);
    progress.SetPos(40);
    ASSERT_TRUE(GetUpdateRect(window.Get(), &update, FALSE));
    EXPECT_TRUE(EqualRect(&update, &progress.GetPos()));
    ValidateRect(window.Get(), nullptr);
    progress.SetPos(40);
    EXPECT_FALSE(GetUpdateRect(window.Get(), &update, FALSE)) << "a repeated value";
    progress.SetPos(400);
    ValidateRect(window.Get(), nullptr);
    progress.SetPos(100);
    EXPECT_FALSE(GetUpdateRect(window.Get(), &update, FALSE)) << "clamped to the value it has";
    progress.SetRange(0, 50);
    EXPECT_FALSE(GetUpdateRect(window.Get(), &update, FALSE)) << "a new range does not repaint";
    progress.SetStep(5);
    EXPECT_TRUE(GetUpdateRect(window.Get(), &update, FALSE));
    ValidateRect(window.Get(), nullptr);
    progress.SetAttribute(L"step", L"5");
    EXPECT_FALSE(GetUpdateRect(window.Get(), &update, FALSE));
}

TEST_F(ProgressFixture, StepIsAtLeastOneAndAtMostTheMaximum)
{
    progress.SetAttribute(L"step", L"0");
    EXPECT_EQ(progress.GetStep(), 1);
    progress.SetAttribute(L"step", L"500");
    EXPECT_EQ(progress.GetStep(), 100);
    EXPECT_EQ(progress.SetStep(-2), 1);
    EXPECT_EQ(progress.SetStep(20), 20);
    progress.SetPos(2);
    Paint();
    EXPECT_TRUE(canvas.Covers(RECT{0, 0, 140, 25}, kRed)) << "2 of the 5 steps of 20";
}

TEST_F(ProgressFixture, MaximumBelowTheStepFillsTheBarWithoutDividingByZero)
{
    progress.SetStep(50);
    progress.SetRange(0, 10);
    progress.SetPos(5);
    Paint();
    EXPECT_TRUE(canvas.Covers(RECT{0, 0, 350, 25}, kRed));
    progress.SetRange(0, 0);
    progress.SetAttribute(L"step", L"3");
    progress.SetPos(0);
    Paint();
    EXPECT_EQ(canvas.CountOther(kWhite), 0);
}

TEST_F(ProgressFixture, StatusImageIsSqueezedIntoTheFillOrCroppedWithSource)
{
    ResetLoader();
    const std::wstring file = WriteTwoColourBitmap(L"zentarium-progress.bmp", 350, 25, 175);
    progress.SetAttribute(L"statuscolor", L"#00000000");
    progress.SetAttribute(L"normalimage", file);
    progress.SetPos(50);
    Paint();
    EXPECT_EQ(canvas.Pixel(10, 12), kGreen);
    EXPECT_EQ(canvas.Pixel(170, 12), kBlue) << "the whole image squeezed into the filled half";
    EXPECT_EQ(canvas.Pixel(180, 12), kWhite);

    progress.SetAttribute(L"source", L"true");
    Paint();
    EXPECT_TRUE(canvas.Covers(RECT{0, 0, 175, 25}, kGreen)) << "the image's left half, unscaled";

    progress.SetAttribute(L"foreinset", L"5,3,5,3");
    Paint();
    EXPECT_EQ(canvas.Pixel(4, 12), kWhite);
    EXPECT_EQ(canvas.Pixel(6, 2), kWhite);
    EXPECT_EQ(canvas.Pixel(6, 12), kGreen);
    EXPECT_EQ(canvas.Pixel(5 + 170 - 1, 12), kGreen) << "(350 - 10) / 2 = 170 pixels from the inset";
    EXPECT_EQ(canvas.Pixel(5 + 170, 12), kWhite);
    std::filesystem::remove(std::filesystem::path(file));
}

TEST_F(ProgressFixture, StatusImageKeepsItsCornersAndDrawsNothingForNoProgress)
{
    ResetLoader();
    const std::wstring file = WriteTwoColourBitmap(L"zentarium-progress-corners.bmp", 40, 25, 20);
    progress.SetAttribute(L"statuscolor", L"#00000000");
    progress.SetAttribute(L"normalimage", file);
    progress.SetPos(0);
    Paint();
    EXPECT_EQ(canvas.CountOther(kWhite), 0) << "an empty bar, not the image over the whole control";
    progress.SetAttribute(L"normalimage", L"file='" + file + L"' corner='10,0,10,0'");
    Paint();
    EXPECT_EQ(canvas.Pixel(0, 12), kGreen);
    EXPECT_EQ(canvas.Pixel(9, 12), kGreen);
    EXPECT_EQ(canvas.Pixel(10, 12), kBlue);
    EXPECT_EQ(canvas.Pixel(19, 12), kBlue) << "both 10-pixel corners, unscaled";
    EXPECT_EQ(canvas.Pixel(20, 12), kWhite);
    std::filesystem::remove(std::filesystem::path(file));
}

TEST_F(ProgressFixture, AnImageThatFailsIsDroppedForGood)
{
    ResetLoader();
    progress.SetAttribute(L"normalimage", L"no-such-progress-image.png");
    progress.SetPos(50);
    Paint();
    EXPECT_TRUE(progress.GetNormalImage().empty());
    EXPECT_TRUE(canvas.Covers(RECT{0, 0, 175, 25}, kRed)) << "the colour still fills";
}
