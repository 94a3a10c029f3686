#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "ControlPaintInfo.h"
#include "CoreTestSupport.h"
#include "DibSection.h"
#include "TestCanvas.h"
#include "VxPaintManager.h"

using namespace VXM;

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr uint32_t kYellow = 0xFFFFFF00;
constexpr RECT kPlace = {10, 10, 50, 40};

void Paint(VxControl& control, const TestCanvas& canvas)
{
    control.DoPaint(canvas.Dc(), canvas.Bounds());
}

// The control's own pixels, inside the border.
uint32_t Inner(const TestCanvas& canvas)
{
    return canvas.Pixel(30, 25);
}

struct PaintFixture : ::testing::Test {
    PaintFixture() { control.SetPos(kPlace); }
    TestCanvas canvas{60, 50, kWhite};
    VxControl control;
};

}  // namespace

TEST_F(PaintFixture, BackgroundFillsExactlyTheItemRectangle)
{
    control.SetAttribute(L"normalbkcolor", L"#FFFF0000");
    Paint(control, canvas);
    EXPECT_TRUE(canvas.Covers(kPlace, kRed));
}

TEST_F(PaintFixture, NothingIsPaintedWhenHiddenOrOutsideThePaintRectangle)
{
    control.SetAttribute(L"normalbkcolor", L"#FFFF0000");
    control.DoPaint(canvas.Dc(), RECT{0, 0, 10, 10});
    EXPECT_EQ(canvas.CountOther(kWhite), 0);
    control.SetVisible(false);
    Paint(control, canvas);
    EXPECT_EQ(canvas.CountOther(kWhite), 0);
}

TEST_F(PaintFixture, StateColoursTakeTurnsByPrecedence)
{
    control.ApplyAttributeList(L"normalbkcolor=\"#FFFF0000\" hotbkcolor=\"#FF00FF00\" pushedbkcolor=\"#FF0000FF\" "
                               L"selectedbkcolor=\"#FFFFFF00\"");
    struct Case {
        UINT state;
        uint32_t color;
    } cases[] = {
        {0, kRed},
        {kStateHot, kGreen},
        {kStateHot | kStatePushed, kBlue},
        {kStateHot | kStatePushed | kStateSelected, kYellow},
        {kStateFocused, kRed},
    };
    for (const Case& c : cases) {
        control.SetMouseState(c.state);
        Paint(control, canvas);
        EXPECT_EQ(Inner(canvas), c.color) << "state " << c.state;
    }
}

TEST_F(PaintFixture, DisabledColourFallsBackThroughTheOtherStatesToNormal)
{
    control.ApplyAttributeList(L"normalbkcolor=\"#FFFF0000\" hotbkcolor=\"#FF00FF00\"");
    control.SetEnabled(false);
    control.SetMouseState(kStateHot);
    Paint(control, canvas);
    EXPECT_EQ(Inner(canvas), kGreen) << "no disabled colour: the hot one";
    EXPECT_EQ(control.GetMouseState() & kStateDisabled, UINT{kStateDisabled}) << "DoPaint sets the disabled bit";

    control.SetMouseState(0);
    Paint(control, canvas);
    EXPECT_EQ(Inner(canvas), kRed) << "ending at the normal one";

    control.SetAttribute(L"disabledbkcolor", L"#FF0000FF");
    Paint(control, canvas);
    EXPECT_EQ(Inner(canvas), kBlue);
}

TEST_F(PaintFixture, StatusColourNeedsTheNormalBackground)
{
    control.SetAttribute(L"statuscolor", L"#FF00FF00");
    Paint(control, canvas);
    EXPECT_EQ(canvas.CountOther(kWhite), 0);
    control.SetAttribute(L"normalbkcolor", L"#FFFF0000");
    Paint(control, canvas);
    EXPECT_TRUE(canvas.Covers(kPlace, kGreen)) << "drawn over the background";
}

TEST_F(PaintFixture, BorderFollowsTheState)
{
    control.ApplyAttributeList(L"normalbkcolor=\"#FFFF0000\" normalbordercolor=\"#FF0000FF\" "
                               L"hotbordercolor=\"#FF00FF00\" selectedbordercolor=\"#FFFFFF00\" "
                               L"selectedbordersize=\"0\"");
    Paint(control, canvas);
    EXPECT_EQ(canvas.Pixel(10, 10), kBlue);
    EXPECT_EQ(canvas.Pixel(49, 39), kBlue);
    EXPECT_EQ(canvas.Pixel(11, 11), kRed) << "one pixel wide by default";

    control.SetMouseState(kStateHot);
    Paint(control, canvas);
    EXPECT_EQ(canvas.Pixel(10, 25), kGreen);

    control.SetMouseState(kStateHot | kStateSelected);
    Paint(control, canvas);
    EXPECT_EQ(canvas.Pixel(10, 25), kGreen) << "a selected border of size 0 gives way";

    control.SetAttribute(L"hotbordersize", L"3");
    Paint(control, canvas);
    EXPECT_EQ(canvas.Pixel(12, 25), kGreen);
    EXPECT_EQ(canvas.Pixel(13, 25), kRed);
}

TEST_F(PaintFixture, FocusBorderNeedsTheManagersTabFocusFlag)
{
    control.ApplyAttributeList(L"normalbkcolor=\"#FFFF0000\" normalbordercolor=\"#FF0000FF\"");
    VxEventUI focus = MakeEvent(kEventSetFocus, POINT{}, &control);
    control.Event(focus);

    Paint(control, canvas);
    EXPECT_EQ(canvas.Pixel(10, 25), kBlue) << "no focus colour: the normal border";

    control.SetAttribute(L"focusbordercolor", L"#FF00FF00");
    Paint(control, canvas);
    EXPECT_EQ(canvas.Pixel(10, 25), kGreen) << "without a manager the focus colour is enough";

    VxPaintManager manager;
    control.SetManager(&manager);
    Paint(control, canvas);
    EXPECT_EQ(canvas.Pixel(10, 25), kBlue) << "focus not reached by Tab: the normal border stays";
    manager.SetDrawTabFocusBorder(true);
    Paint(control, canvas);
    EXPECT_EQ(canvas.Pixel(10, 25), kGreen);

    control.SetAttribute(L"focusbordercolor", L"#00000000");
    manager.SetUseDefaultFocusBorder(true);
    Paint(control, canvas);
    EXPECT_EQ(canvas.Pixel(10, 25), 0xFF2EC9F2u) << "the manager's default focus colour";
    control.SetManager(nullptr);
}

TEST_F(PaintFixture, RoundCornersClipTheBackgroundAndTheClipIsRestored)
{
    control.ApplyAttributeList(L"normalbkcolor=\"#FFFF0000\" roundcorner=\"12,12\"");
    Paint(control, canvas);
    EXPECT_EQ(canvas.Pixel(10, 10), kWhite);
    EXPECT_EQ(canvas.Pixel(49, 39), kWhite);
    EXPECT_EQ(canvas.Pixel(30, 10), kRed);
    EXPECT_EQ(canvas.Pixel(10, 25), kRed);

    VxControl after;
    after.SetPos(RECT{0, 0, 60, 50});
    after.SetAttribute(L"normalbkcolor", L"#FF0000FF");
    Paint(after, canvas);
    EXPECT_EQ(canvas.CountOther(kBlue), 0) << "the next control is not clipped";

    VxControl topOnly;
    topOnly.SetPos(kPlace);
    topOnly.ApplyAttributeList(L"normalbkcolor=\"#FFFF0000\" roundcorner=\"12,0\"");
    Paint(topOnly, canvas);
    EXPECT_EQ(canvas.Pixel(10, 10), kBlue) << "top corner round";
    EXPECT_EQ(canvas.Pixel(10, 39), kRed) << "bottom corner square";
}

TEST_F(PaintFixture, TextIsDrawnInsideItsPaddingInTheStateColour)
{
    control.ApplyAttributeList(L"text=\"WWWWWWWW\" normaltextcolor=\"#FF0000FF\" hottextcolor=\"#FFFF0000\" "
                               L"normaltextpadding=\"15,0,0,0\"");
    Paint(control, canvas);
    const int blue = canvas.CountOther(kWhite);
    EXPECT_GT(blue, 0);
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 60; ++x) {
            if (canvas.Pixel(x, y) != kWhite) {
                EXPECT_TRUE(x >= 25 && x < 50 && y >= 10 && y < 40) << x << "," << y;
            }
        }
    }
    canvas.Fill(kWhite);
    control.SetMouseState(kStateHot);
    Paint(control, canvas);
    EXPECT_GT(canvas.CountOther(kWhite), 0);
    int red = 0;
    for (int y = 10; y < 40; ++y) {
        for (int x = 10; x < 50; ++x)
            red += canvas.Pixel(x, y) == kRed ? 1 : 0;
    }
    EXPECT_GT(red, 0) << "hot text colour";
}

TEST_F(PaintFixture, RollingTextIsShiftedByTheOffset)
{
    control.ApplyAttributeList(L"text=\"MWMWMWMWMWMWMWMWMW\" normaltextcolor=\"#FF000000\" flags=\"enterrolltext\"");
    control.GetImageAttribute().SetTextRoll(1);
    Paint(control, canvas);
    TestCanvas shifted(60, 50, kWhite);
    control.GetImageAttribute().SetTextRoll(6);
    Paint(control, shifted);
    int dark = 0;
    for (int y = 10; y < 40; ++y) {
        for (int x = 10; x < 44; ++x) {
            EXPECT_EQ(shifted.Pixel(x, y), canvas.Pixel(x + 5, y)) << x << "," << y;
            dark += shifted.Pixel(x, y) != kWhite ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 0);
    EXPECT_EQ(canvas.Pixel(5, 20), kWhite) << "clipped to the text rectangle";
}

TEST_F(PaintFixture, AbsurdSizesPaintWithoutHarm)
{
    control.ApplyAttributeList(
        L"text=\"abc\" normalbkcolor=\"#FFFF0000\" normaltextpadding=\"2147483647,-2147483648,2147483647,5\" "
        L"normalbordercolor=\"#FF0000FF\" normalbordersize=\"2147483647\" roundcorner=\"2147483647,2147483647\"");
    control.SetPos(RECT{-1000000000, -1000000000, 1000000000, 1000000000});
    Paint(control, canvas);
    EXPECT_EQ(canvas.Pixel(0, 0), kRed) << "a control larger than the canvas covers it";
    canvas.Fill(kWhite);
    control.SetPos(kPlace);
    Paint(control, canvas);
    EXPECT_EQ(canvas.Pixel(0, 0), kWhite);
    EXPECT_NE(Inner(canvas), kWhite);
}

TEST(ControlPaintInfo, SnapshotIsPaintedAtTheOriginWithAlpha)
{
    VxControl control;
    control.SetPos(RECT{100, 100, 120, 110});
    control.ApplyAttributeList(L"normalbkcolor=\"#FFFF0000\" hotbkcolor=\"#FF00FF00\" roundcorner=\"8,8\"");
    control.SetMouseState(kStateHot);
    std::unique_ptr<VxImageInfo> snapshot = GetControlPaintInfo(nullptr, &control);
    ASSERT_TRUE(snapshot);
    EXPECT_EQ(snapshot->width, 20);
    EXPECT_EQ(snapshot->height, 10);
    EXPECT_TRUE(snapshot->alpha);
    const PixelImage pixels = ReadImagePixels(snapshot.get());
    ASSERT_FALSE(pixels.Empty());
    EXPECT_EQ(pixels.At(10, 5), 0xFFFF0000u) << "painted with its state cleared, opaque";
    EXPECT_EQ(pixels.At(0, 0), 0u) << "outside the round corner stays transparent";
    EXPECT_EQ(control.GetPos().left, 100) << "the place is restored";
    EXPECT_EQ(control.GetMouseState(), UINT{kStateHot}) << "the state is restored";

    EXPECT_FALSE(GetControlPaintInfo(nullptr, &control, -1, 5));
    EXPECT_FALSE(GetControlPaintInfo(nullptr, nullptr, 5, 5));
    std::unique_ptr<VxImageInfo> sized = GetControlPaintInfo(nullptr, &control, 7, 3);
    ASSERT_TRUE(sized);
    EXPECT_EQ(sized->width, 7);
}
