#include <gtest/gtest.h>

#include <cstdint>

#include "ProbeControl.h"
#include "TestCanvas.h"
#include "VxContainer.h"
#include "VxScrollbar.h"
#include "VxVerticalLayout.h"

namespace {

using namespace VXM;

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kBlue = 0xFF0000FF;

ProbeControl* Coloured(int width, int height, uint32_t colour)
{
    ProbeControl* control = NewSized(width, height);
    control->SetNormalBkColor(colour);
    return control;
}

TEST(VxContainerPaint, TopmostChildrenArePaintedAfterTheirLaterSiblings)
{
    TestCanvas canvas(100, 100, kWhite);
    VxContainer root;
    ProbeControl* topmost = Coloured(0, 0, kRed);
    topmost->SetAttribute(L"format", L"topmost");
    root.Add(topmost);
    root.Add(Coloured(0, 0, kBlue));
    root.SetPos(RECT{0, 0, 100, 100});
    root.DoPaint(canvas.Dc(), canvas.Bounds());
    EXPECT_EQ(canvas.Pixel(50, 50), kRed);

    VxContainer plain;
    plain.Add(Coloured(0, 0, kRed));
    plain.Add(Coloured(0, 0, kBlue));
    plain.SetPos(RECT{0, 0, 100, 100});
    plain.DoPaint(canvas.Dc(), canvas.Bounds());
    EXPECT_EQ(canvas.Pixel(50, 50), kBlue);
}

TEST(VxContainerPaint, OnlyChildrenMeetingThePaintRectangleArePainted)
{
    TestCanvas canvas(100, 200, kWhite);
    VxVerticalLayout list;
    for (int i = 0; i < 10; ++i)
        list.Add(Coloured(0, 20, kRed));
    ProbeControl* hidden = Coloured(0, 20, kBlue);
    hidden->SetVisible(false);
    list.Add(hidden);
    list.SetPos(RECT{0, 0, 100, 200});

    list.DoPaint(canvas.Dc(), RECT{0, 45, 100, 65});
    for (int i = 0; i < 10; ++i) {
        const int expected = i == 2 || i == 3 ? 1 : 0;
        EXPECT_EQ(static_cast<ProbeControl*>(list.GetItemAt(i))->paints, expected) << i;
    }
    EXPECT_EQ(hidden->paints, 0);

    list.DoPaint(canvas.Dc(), RECT{200, 0, 300, 100});
    EXPECT_EQ(static_cast<ProbeControl*>(list.GetItemAt(0))->paints, 0) << "the container itself is not met";
}

TEST(VxContainerPaint, ChildrenAreClippedToTheChildArea)
{
    TestCanvas canvas(100, 100, kWhite);
    VxContainer root;
    root.SetNormalBkColor(kGreen);
    root.SetInset(RECT{10, 10, 10, 10});
    root.Add(Coloured(200, 200, kRed));  // overflows the child area everywhere
    root.SetPos(RECT{0, 0, 100, 100});
    root.DoPaint(canvas.Dc(), canvas.Bounds());
    EXPECT_EQ(canvas.Pixel(50, 50), kRed);
    EXPECT_EQ(canvas.Pixel(5, 50), kGreen);
    EXPECT_EQ(canvas.Pixel(95, 50), kGreen);
    EXPECT_EQ(canvas.Pixel(50, 95), kGreen);
    EXPECT_TRUE(canvas.Covers(RECT{10, 10, 90, 90}, kRed));
}

TEST(VxContainerPaint, FloatingChildrenMayCoverTheInsetButNotLeaveTheContainer)
{
    TestCanvas canvas(120, 120, kWhite);
    VxContainer root;
    root.SetNormalBkColor(kGreen);
    root.SetInset(RECT{10, 10, 10, 10});
    ProbeControl* flowing = Coloured(0, 0, kBlue);
    ProbeControl* badge = Coloured(0, 0, kRed);
    badge->SetAttribute(L"absfloat", L"true");
    badge->SetAttribute(L"pos", L"0,0,150,5");
    root.Add(flowing);
    root.Add(badge);
    root.SetPos(RECT{0, 0, 100, 100});
    root.DoPaint(canvas.Dc(), canvas.Bounds());
    EXPECT_EQ(canvas.Pixel(50, 2), kRed) << "over the inset";
    EXPECT_EQ(canvas.Pixel(110, 2), kWhite) << "clipped to the container";
    EXPECT_EQ(canvas.Pixel(50, 50), kBlue);

    // A paint rectangle inside the inset paints only the floating children.
    flowing->paints = badge->paints = 0;
    root.DoPaint(canvas.Dc(), RECT{0, 0, 100, 8});
    EXPECT_EQ(flowing->paints, 0);
    EXPECT_EQ(badge->paints, 1);
}

TEST(VxContainerPaint, AHundredThousandRowsPaintOnlyTheVisibleOnes)
{
    TestCanvas canvas(200, 300, kWhite);
    VxVerticalLayout list;
    list.EnableScrollBar(true, false);
    constexpr int kRows = 100000;
    for (int i = 0; i < kRows; ++i)
        list.Add(Coloured(0, 30, i % 2 ? kRed : kBlue));
    list.SetPos(RECT{0, 0, 200, 300});
    list.SetScrollPos(SIZE{0, 30 * 5000 + 15});
    list.DoPaint(canvas.Dc(), canvas.Bounds());
    int painted = 0;
    for (int i = 0; i < kRows; ++i)
        painted += static_cast<ProbeControl*>(list.GetItemAt(i))->paints;
    EXPECT_EQ(painted, 11);
    EXPECT_EQ(static_cast<ProbeControl*>(list.GetItemAt(5000))->paints, 1);
    EXPECT_EQ(canvas.Pixel(50, 5), kBlue);   // row 5000, half scrolled out
    EXPECT_EQ(canvas.Pixel(50, 20), kRed);   // row 5001
    const int barLeft = list.GetVerticalScrollbar()->GetPos().left;
    EXPECT_EQ(barLeft, 200 - list.GetVerticalScrollbar()->GetFixedWidth());
    EXPECT_EQ(canvas.Pixel(barLeft - 1, 20), kRed) << "rows end at the bar";
}

}  // namespace
