#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "TestCanvas.h"
#include "TestFonts.h"
#include "TextInk.h"
#include "VxRenderUtils.h"

namespace {

using VXM::VxRenderUtils;

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kRed = 0xFFFF0000;

class HtmlTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fonts_.Add(L"normal20", kSkinFace, 20);
        fonts_.Add(L"bold20", kSkinFace, 20, true);
        fonts_.Add(L"big40", kSkinFace, 40);
    }

    void Draw(TestCanvas& canvas, const std::wstring& text, RECT rect, UINT style = 0, DWORD color = 0xFF000000)
    {
        VxRenderUtils::DrawHtmlText(canvas.Dc(), &fonts_, rect, text, color, L"normal20", style);
    }

    RECT Measure(const std::wstring& text, RECT rect, UINT style = 0)
    {
        TestCanvas canvas(10, 10, kWhite);
        VxRenderUtils::DrawHtmlText(canvas.Dc(), &fonts_, rect, text, 0xFF000000, L"normal20", style | DT_CALCRECT);
        return rect;
    }

    TestFonts fonts_;
};

// Columns holding ink of a colour.
std::vector<bool> ColumnsWith(const TestCanvas& canvas, uint32_t color)
{
    const RECT bounds = canvas.Bounds();
    std::vector<bool> columns(bounds.right, false);
    for (int x = 0; x < bounds.right; ++x)
        for (int y = 0; y < bounds.bottom; ++y)
            columns[x] = columns[x] || canvas.Pixel(x, y) == color;
    return columns;
}

TEST_F(HtmlTextTest, ColourTagDrawsOneWordRedThenTheDefaultColour)
{
    TestCanvas canvas(300, 40, kWhite);
    Draw(canvas, L"AB <c #FF0000>CD</c> EF", RECT{0, 0, 300, 40});
    const std::vector<bool> red = ColumnsWith(canvas, kRed), black = ColumnsWith(canvas, kBlack);
    int firstRed = -1, lastRed = -1, firstBlack = -1, lastBlack = -1;
    for (int x = 0; x < 300; ++x) {
        if (red[x]) {
            firstRed = firstRed < 0 ? x : firstRed;
            lastRed = x;
        }
        if (black[x]) {
            firstBlack = firstBlack < 0 ? x : firstBlack;
            lastBlack = x;
        }
    }
    ASSERT_GE(firstRed, 0);
    ASSERT_GE(firstBlack, 0);
    EXPECT_LT(firstBlack, firstRed) << "AB before";
    EXPECT_GT(lastBlack, lastRed) << "EF after, in the default colour again";
    for (int x = firstRed; x <= lastRed; ++x)
        EXPECT_FALSE(black[x]) << "no black inside the red word, column " << x;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 300; ++x)
            ASSERT_TRUE(canvas.Pixel(x, y) == kWhite || canvas.Pixel(x, y) == kBlack || canvas.Pixel(x, y) == kRed);
}

TEST_F(HtmlTextTest, UnknownFontInABoldTagChangesNothing)
{
    TestCanvas plain(300, 40, kWhite), unknown(300, 40, kWhite), known(300, 40, kWhite);
    Draw(plain, L"修复 Repair", RECT{0, 0, 300, 40});
    Draw(unknown, L"<b nosuchfont>修复 Repair</b>", RECT{0, 0, 300, 40});
    Draw(known, L"<b bold20>修复 Repair</b>", RECT{0, 0, 300, 40});
    EXPECT_TRUE(HasInk(plain, kWhite, plain.Bounds()));
    EXPECT_TRUE(SamePixels(plain, unknown));
    EXPECT_FALSE(SamePixels(plain, known)) << "a known font does change the drawing";
}

TEST_F(HtmlTextTest, BoldTagInsideRawModeIsDrawnLiterally)
{
    TestCanvas raw(400, 40, kWhite), literal(400, 40, kWhite);
    Draw(raw, L"<r><b bold20>x</b></r>", RECT{0, 0, 400, 40});
    SelectObject(literal.Dc(), fonts_.FindFont(L"normal20")->font.Get());
    SetBkMode(literal.Dc(), TRANSPARENT);
    TextOutW(literal.Dc(), 0, 0, L"<b bold20>x</b>", 15);
    EXPECT_TRUE(HasInk(raw, kWhite, raw.Bounds()));
    EXPECT_TRUE(SamePixels(raw, literal));
}

TEST_F(HtmlTextTest, SelectionTagFillsBehindItsTextOnly)
{
    TestCanvas canvas(300, 40, kWhite);
    SetBkColor(canvas.Dc(), RGB(0, 255, 0));
    Draw(canvas, L"ab<s>cd</s>ef", RECT{0, 0, 300, 40});
    const std::vector<bool> green = ColumnsWith(canvas, 0xFF00FF00), black = ColumnsWith(canvas, kBlack);
    int firstGreen = -1, lastGreen = -1;
    for (int x = 0; x < 300; ++x) {
        if (green[x]) {
            firstGreen = firstGreen < 0 ? x : firstGreen;
            lastGreen = x;
        }
    }
    ASSERT_GT(firstGreen, 0);
    EXPECT_TRUE(black[firstGreen - 1] || black[firstGreen - 2] || black[firstGreen - 3]) << "ab before";
    EXPECT_LT(lastGreen, 150);
    EXPECT_EQ(GetBkMode(canvas.Dc()), OPAQUE) << "the DC's mode is put back";
}

TEST_F(HtmlTextTest, SingleLineIsCentredOnTheMeasuredBlock)
{
    TestCanvas canvas(400, 100, kWhite);
    const RECT area = {0, 0, 400, 100};
    Draw(canvas, L"共<c #FF0000>12</c>项<f big40>问题</f>", area, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    const RECT measured = Measure(L"共<c #FF0000>12</c>项<f big40>问题</f>", RECT{0, 0, 9999, 100}, DT_SINGLELINE);
    const RECT ink = InkBounds(canvas, kWhite, area);
    const int left = (400 - measured.right) / 2, top = (100 - measured.bottom) / 2;
    EXPECT_NEAR(ink.left, left, 4);
    EXPECT_NEAR(ink.right, left + measured.right, 4);
    EXPECT_GE(ink.top, top);
    EXPECT_LE(ink.bottom, top + measured.bottom);
    EXPECT_GT(ink.bottom, top + measured.bottom - 14) << "runs share the bottom line";
}

TEST_F(HtmlTextTest, MultiLineTextCentresEachLine)
{
    TestCanvas canvas(400, 100, kWhite);
    Draw(canvas, L"一二<n>一二三四五六", RECT{0, 0, 400, 100}, DT_CENTER);
    const int lineHeight = fonts_.FindFont(L"normal20")->metrics.tmHeight;
    const RECT first = InkBounds(canvas, kWhite, RECT{0, 0, 400, lineHeight});
    const RECT second = InkBounds(canvas, kWhite, RECT{0, lineHeight, 400, 2 * lineHeight});
    EXPECT_NEAR(first.left + first.right, 400, 6);
    EXPECT_NEAR(second.left + second.right, 400, 6);
    EXPECT_LT(second.left, first.left - 30);
}

TEST_F(HtmlTextTest, CalcRectGivesTheSizeOfTheLaidOutText)
{
    const int lineHeight = fonts_.FindFont(L"normal20")->metrics.tmHeight;
    const RECT one = Measure(L"修复<c #ff0000>完成</c>", RECT{0, 0, 9999, 100});
    EXPECT_EQ(one.bottom, lineHeight);
    EXPECT_EQ(one.right, VxRenderUtils::GetTextSize(nullptr, &fonts_, L"修复完成", L"normal20").right);
    const RECT two = Measure(L"修复<n>完成", RECT{5, 10, 9999, 100});
    EXPECT_EQ(two.bottom, 10 + 2 * lineHeight);
    const RECT narrow = Measure(L"修复完成修复完成", RECT{0, 0, 30, 100});
    EXPECT_EQ(narrow.right, VxRenderUtils::GetTextSize(nullptr, &fonts_, L"修", L"normal20").right);
    EXPECT_EQ(narrow.bottom, 8 * lineHeight) << "one character a line, all of them measured";
    EXPECT_EQ(Measure(L"<x 500>修复", RECT{0, 0, 30, 100}).right, 30) << "never more than the given right";
    const RECT nothing = Measure(L"", RECT{0, 0, 100, 100});
    EXPECT_EQ(nothing.right, 100) << "an empty text leaves the rectangle alone";
}

TEST_F(HtmlTextTest, DrawsNothingWithoutFontsOrRoom)
{
    TestCanvas canvas(100, 40, kWhite);
    RECT rect = {0, 0, 100, 40};
    VxRenderUtils::DrawHtmlText(canvas.Dc(), nullptr, rect, L"text", 0xFF000000, L"", 0);
    RECT empty = {50, 10, 50, 30};
    VxRenderUtils::DrawHtmlText(canvas.Dc(), &fonts_, empty, L"text", 0xFF000000, L"", 0);
    EXPECT_EQ(canvas.CountOther(kWhite), 0);
}

// Mark-up from anywhere: the text stays inside its rectangle, the DC's clip is put back, and
// measuring ends too.
TEST_F(HtmlTextTest, BadMarkupNeverLeavesTheRectangle)
{
    std::vector<std::wstring> inputs = {
        L"<b bold20 text without end",
        L"text with a tag at the very end<",
        L"text with a closer at the end</",
        L"<c #zzzzzz>colour that is no number</c>",
        L"<x 99999999>far right<x 99999999>",
        L"<x -99999999>far left",
        L"<y -5>negative line height<n>second<n>third",
        L"<y 99999999>very tall line<n>next",
        L"<p 99999999>tall paragraph</p><p -7>x",
        L"{c #ff0000>mixed</c}<f>no name</f>{r}raw to the end <b bold20>",
    };
    std::wstring nested;
    for (int i = 0; i < 10000; ++i)
        nested += i % 2 ? L"<b bold20>" : L"{c #00ff00}";
    nested += L"deep";
    inputs.push_back(nested);
    const std::wstring alphabet = L"<>{}/ bcfnprsuxy#0123456789-修复\r\n";
    std::mt19937 random(7);
    std::wstring noise;
    for (int i = 0; i < 100000; ++i)
        noise += alphabet[random() % alphabet.size()];
    inputs.push_back(noise);
    inputs.push_back(std::wstring(100000, L'修'));

    const RECT area = {40, 30, 160, 90};
    for (UINT style : {0u, UINT{DT_WORDBREAK}, UINT{DT_SINGLELINE | DT_END_ELLIPSIS},
                       UINT{DT_CENTER | DT_VCENTER | DT_SINGLELINE}, UINT{DT_RIGHT | DT_BOTTOM | DT_END_ELLIPSIS}}) {
        for (size_t i = 0; i < inputs.size(); ++i) {
            TestCanvas canvas(200, 120, kWhite);
            RECT before = {};
            GetClipBox(canvas.Dc(), &before);
            Draw(canvas, inputs[i], area, style);
            RECT after = {};
            GetClipBox(canvas.Dc(), &after);
            EXPECT_TRUE(EqualRect(&before, &after)) << "input " << i;
            EXPECT_FALSE(HasInk(canvas, kWhite, RECT{0, 0, 200, area.top})) << "input " << i << " style " << style;
            EXPECT_FALSE(HasInk(canvas, kWhite, RECT{0, area.bottom, 200, 120})) << "input " << i;
            EXPECT_FALSE(HasInk(canvas, kWhite, RECT{0, 0, area.left, 120})) << "input " << i;
            EXPECT_FALSE(HasInk(canvas, kWhite, RECT{area.right, 0, 200, 120})) << "input " << i;
            const RECT measured = Measure(inputs[i], area, style);
            EXPECT_LE(measured.right, area.right) << "input " << i;
            EXPECT_GE(measured.bottom, 0) << "input " << i;
        }
    }
}

}  // namespace
