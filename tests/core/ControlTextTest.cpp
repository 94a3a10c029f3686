// The control base's text through the text functions: mark-up with the html-text flag, the row
// height as line spacing, translucent colours.

#include "ControlText.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "TestCanvas.h"
#include "TextInk.h"
#include "VxControl.h"
#include "VxPaintManager.h"

using namespace VXM;

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;

struct ControlTextFixture : ::testing::Test {
    ControlTextFixture()
    {
        manager.AddFont(L"normal20", L"微软雅黑", 20, false, false, false);
        control.SetManager(&manager);
        control.SetPos(RECT{0, 0, 300, 80});
        control.SetAttribute(L"normalfont", L"normal20");
    }
    void Paint()
    {
        canvas.Fill(kWhite);
        control.DoPaint(canvas.Dc(), canvas.Bounds());
    }
    int StrongRed() const
    {
        int count = 0;
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 300; ++x)
                count += canvas.Channel(x, y, 2) > 200 && canvas.Channel(x, y, 1) < 60 && canvas.Channel(x, y, 0) < 60;
        return count;
    }

    VxPaintManager manager;
    VxControl control;
    TestCanvas canvas{300, 80, kWhite};
};

}  // namespace

TEST_F(ControlTextFixture, HtmlTextFlagDrawsTheMarkup)
{
    control.SetText(L"修复<c #FF0000>完成</c>");
    Paint();
    const RECT literal = InkBounds(canvas, kWhite, canvas.Bounds());
    EXPECT_EQ(StrongRed(), 0) << "without the flag the tags are text";
    control.SetAttribute(L"htmltext", L"true");
    Paint();
    const RECT markup = InkBounds(canvas, kWhite, canvas.Bounds());
    EXPECT_GT(StrongRed(), 20);
    EXPECT_LT(markup.right - markup.left, literal.right - literal.left) << "the tags are not drawn";
}

TEST_F(ControlTextFixture, RowHeightSpacesWrappedLines)
{
    const int lineHeight = manager.FindFont(L"normal20")->metrics.tmHeight;
    control.SetAttribute(L"align", L"wordbreak");
    control.SetText(L"一\n二");
    Paint();
    const RECT tight = InkBounds(canvas, kWhite, canvas.Bounds());
    control.SetAttribute(L"rowheight", L"12");
    Paint();
    const RECT spaced = InkBounds(canvas, kWhite, canvas.Bounds());
    EXPECT_EQ(spaced.top, tight.top);
    EXPECT_EQ(spaced.bottom - tight.bottom, 12);
    EXPECT_GT(tight.bottom, lineHeight) << "two lines";
}

TEST_F(ControlTextFixture, TranslucentTextColourDrawsAtItsAlpha)
{
    control.SetText(L"■■");
    control.SetAttribute(L"normaltextcolor", L"#FF000000");
    Paint();
    TestCanvas opaque(300, 80, kWhite);
    BitBlt(opaque.Dc(), 0, 0, 300, 80, canvas.Dc(), 0, 0, SRCCOPY);
    control.SetAttribute(L"normaltextcolor", L"#80000000");
    Paint();
    int cores = 0;
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 300; ++x) {
            if (opaque.Pixel(x, y) != 0xFF000000)
                continue;
            ++cores;
            ASSERT_NEAR(canvas.Channel(x, y, 1), 127, 2) << x << "," << y;
        }
    }
    EXPECT_GT(cores, 50);
}

TEST(ControlText, MeasuresInTheNamedFont)
{
    VxPaintManager manager;
    manager.AddFont(L"big", L"微软雅黑", 40, false, false, false);
    const SIZE big = MeasureControlText(nullptr, &manager, L"修复", L"big");
    const SIZE normal = MeasureControlText(nullptr, &manager, L"修复", L"");
    EXPECT_GE(big.cx, 64);
    EXPECT_LT(normal.cx, big.cx);
    EXPECT_EQ(big.cy, manager.FindFont(L"big")->metrics.tmHeight);
    EXPECT_EQ(MeasureControlText(nullptr, &manager, L"", L"big").cx, 0);
}
