#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GdiLineMeasure.h"
#include "TestCanvas.h"
#include "TestFonts.h"
#include "TextBreaks.h"
#include "TextInk.h"
#include "TextSamples.h"
#include "VxRenderUtils.h"

namespace {

using VXM::VxRenderUtils;

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;

class TextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fonts_.Add(L"normal16", kSkinFace, 16);
        fonts_.Add(L"big40", kSkinFace, 40);
        fonts_.Add(L"smooth20", kSkinFace, 20, false, false, false, true);
    }

    int LineHeight(const wchar_t* font) { return fonts_.FindFont(font)->metrics.tmHeight; }

    TestFonts fonts_;
};

TEST_F(TextTest, ChineseFaceResolvesToFullWidthGlyphs)
{
    const RECT one = VxRenderUtils::GetTextSize(nullptr, &fonts_, L"中", L"big40");
    EXPECT_GE(one.right, 32) << "an ideograph is about as wide as the font is high";
    EXPECT_LE(one.right, 48);
    EXPECT_EQ(one.bottom, LineHeight(L"big40"));
    const RECT five = VxRenderUtils::GetTextSize(nullptr, &fonts_, L"修复完成了", L"big40");
    EXPECT_EQ(five.right, 5 * one.right);
    const RECT latin = VxRenderUtils::GetTextSize(nullptr, &fonts_, L"iiiii", L"big40");
    EXPECT_LT(latin.right, five.right / 2) << "Latin letters are narrower";
}

// The measured width holds the whole last glyph: drawing into exactly that rectangle gives the
// pixels of drawing into a wide one.
TEST_F(TextTest, MeasuredChineseWidthDoesNotClipTheLastGlyph)
{
    for (const wchar_t* text : {L"修复完成。", L"DLL错误修复工具", L"（共12项）", L"运行库"}) {
        for (const wchar_t* font : {L"normal16", L"big40", L"smooth20"}) {
            const RECT size = VxRenderUtils::GetTextSize(nullptr, &fonts_, text, font);
            TestCanvas exact(400, 60, kWhite), wide(400, 60, kWhite);
            RECT tight = {5, 5, 5 + size.right, 5 + size.bottom};
            RECT roomy = {5, 5, 395, 55};
            VxRenderUtils::DrawTextW(exact.Dc(), &fonts_, tight, text, 0xFF000000, font, DT_SINGLELINE);
            VxRenderUtils::DrawTextW(wide.Dc(), &fonts_, roomy, text, 0xFF000000, font, DT_SINGLELINE);
            EXPECT_TRUE(HasInk(wide, kWhite, wide.Bounds()));
            EXPECT_TRUE(SamePixels(exact, wide)) << "font " << static_cast<const void*>(font);
        }
    }
}

TEST_F(TextTest, OpaqueTextDrawsInItsColourAndFontAndLeavesTheDcAsFound)
{
    TestCanvas canvas(200, 60, kWhite);
    HGDIOBJ oldFont = GetCurrentObject(canvas.Dc(), OBJ_FONT);
    SetTextColor(canvas.Dc(), RGB(1, 2, 3));
    SetBkMode(canvas.Dc(), OPAQUE);
    RECT rect = {0, 0, 200, 60};
    VxRenderUtils::DrawTextW(canvas.Dc(), &fonts_, rect, L"错误", 0xFFFF0000, L"big40", DT_SINGLELINE);
    const RECT ink = InkBounds(canvas, kWhite, canvas.Bounds());
    EXPECT_GT(ink.right - ink.left, 60) << "two ideographs in the 40-pixel font";
    for (int y = ink.top; y < ink.bottom; ++y)
        for (int x = ink.left; x < ink.right; ++x)
            ASSERT_TRUE(canvas.Pixel(x, y) == kWhite || canvas.Pixel(x, y) == 0xFFFF0000) << "plain glyphs, transparent";
    EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_FONT), oldFont);
    EXPECT_EQ(GetTextColor(canvas.Dc()), RGB(1, 2, 3));
    EXPECT_EQ(GetBkMode(canvas.Dc()), OPAQUE);
}

TEST_F(TextTest, AlphaOf128DrawsTheTextAtHalfOpacity)
{
    TestCanvas opaque(120, 60, kWhite), half(120, 60, kWhite);
    RECT place = {10, 5, 110, 55};
    RECT again = place;
    VxRenderUtils::DrawTextW(opaque.Dc(), &fonts_, place, L"■■", 0xFF000080, L"big40", DT_SINGLELINE);
    VxRenderUtils::DrawTextW(half.Dc(), &fonts_, again, L"■■", 0x80000080, L"big40", DT_SINGLELINE);
    int inked = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 120; ++x) {
            if (opaque.Pixel(x, y) == kWhite) {
                ASSERT_EQ(half.Pixel(x, y), kWhite) << x << "," << y;
                continue;
            }
            ++inked;
            ASSERT_NEAR(half.Channel(x, y, 2), 127, 2) << "red: white half covered";
            ASSERT_NEAR(half.Channel(x, y, 0), 191, 2) << "blue: half of 0x80, half of 0xFF";
        }
    }
    EXPECT_GT(inked, 300);
}

TEST_F(TextTest, ForcedBlendOfAnOpaqueColourMatchesTheDirectDrawing)
{
    TestCanvas direct(200, 40, kWhite), blended(200, 40, kWhite);
    RECT a = {0, 0, 200, 40}, b = a;
    VxRenderUtils::DrawTextW(direct.Dc(), &fonts_, a, L"立即修复 Repair", 0xFF0D3AFF, L"normal16", DT_SINGLELINE);
    VxRenderUtils::DrawTextW(blended.Dc(), &fonts_, b, L"立即修复 Repair", 0xFF0D3AFF, L"normal16", DT_SINGLELINE, 0,
                             true);
    EXPECT_TRUE(HasInk(direct, kWhite, direct.Bounds()));
    EXPECT_TRUE(SamePixels(direct, blended));
}

TEST_F(TextTest, NoAlphaDrawsNothingAndCalcRectMeasuresWithoutDrawing)
{
    TestCanvas canvas(200, 60, kWhite);
    RECT rect = {0, 0, 200, 60};
    VxRenderUtils::DrawTextW(canvas.Dc(), &fonts_, rect, L"错误", 0x00FF0000, L"big40", DT_SINGLELINE);
    EXPECT_EQ(canvas.CountOther(kWhite), 0);
    RECT measured = {0, 0, 0, 0};
    VxRenderUtils::DrawTextW(canvas.Dc(), &fonts_, measured, L"错误", 0x80FF0000, L"big40", DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(canvas.CountOther(kWhite), 0);
    const RECT size = VxRenderUtils::GetTextSize(canvas.Dc(), &fonts_, L"错误", L"big40");
    EXPECT_EQ(measured.right, size.right);
    EXPECT_EQ(measured.bottom, size.bottom);
}

// Win32 draws a text up to its terminator.
TEST_F(TextTest, TextEndsAtAnEmbeddedTerminator)
{
    const std::wstring withTerminator(L"修复\0工具", 5);
    const RECT cut = VxRenderUtils::GetTextSize(nullptr, &fonts_, withTerminator, L"normal16");
    const RECT plain = VxRenderUtils::GetTextSize(nullptr, &fonts_, L"修复", L"normal16");
    EXPECT_EQ(cut.right, plain.right);
}

// --- Wrapped text ---

// The lines DrawMultLineText gives a paragraph, found with the same search in the same font.
std::vector<std::wstring> LinesOf(HDC dc, std::wstring_view paragraph, int width)
{
    VXM::GdiLineMeasure measure(dc, 0);
    std::vector<std::wstring> lines;
    while (!paragraph.empty()) {
        const size_t length = VXM::LongestFittingPrefix(measure, paragraph, width).length;
        lines.emplace_back(paragraph.substr(0, length));
        paragraph.remove_prefix(length);
    }
    return lines;
}

TEST_F(TextTest, WrappedTextEndsItsLastVisibleLineWithAnEllipsis)
{
    const std::wstring text = ChineseParagraph(120);
    const int lineHeight = LineHeight(L"normal16");
    const RECT area = {10, 10, 230, 10 + 3 * lineHeight + lineHeight / 2};  // three and a half lines
    TestCanvas wrapped(240, 100, kWhite), expected(240, 100, kWhite);
    RECT rect = area;
    VxRenderUtils::DrawTextW(wrapped.Dc(), &fonts_, rect, text, 0xFF000000, L"normal16", DT_WORDBREAK);

    // By hand: two full lines, then the rest on the third with "..." at its end.
    SelectObject(expected.Dc(), fonts_.FindFont(L"normal16")->font.Get());
    SetBkMode(expected.Dc(), TRANSPARENT);
    const std::vector<std::wstring> lines = LinesOf(expected.Dc(), text, area.right - area.left);
    ASSERT_GT(lines.size(), 4u);
    RECT line = area;
    for (int i = 0; i < 2; ++i) {
        DrawTextW(expected.Dc(), lines[i].c_str(), -1, &line, DT_SINGLELINE);
        line.top += lineHeight;
    }
    const std::wstring rest = text.substr(lines[0].size() + lines[1].size());
    DrawTextW(expected.Dc(), rest.c_str(), -1, &line, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_TRUE(SamePixels(wrapped, expected));

    TestCanvas withoutEllipsis(240, 100, kWhite);
    SelectObject(withoutEllipsis.Dc(), fonts_.FindFont(L"normal16")->font.Get());
    SetBkMode(withoutEllipsis.Dc(), TRANSPARENT);
    RECT plain = area;
    for (int i = 0; i < 3; ++i) {
        DrawTextW(withoutEllipsis.Dc(), lines[i].c_str(), -1, &plain, DT_SINGLELINE);
        plain.top += lineHeight;
    }
    EXPECT_FALSE(SamePixels(expected, withoutEllipsis)) << "the third line is not just the next line";
    EXPECT_FALSE(HasInk(wrapped, kWhite, RECT{0, area.top + 3 * lineHeight, 240, 100})) << "nothing below";
}

TEST_F(TextTest, WrappedLinesFollowTheBreakSearchAndTheLineSpacing)
{
    const std::wstring text = L"第一段文字比较长，需要换行显示出来。\r\n\r\n第二段";
    const int lineHeight = LineHeight(L"normal16");
    TestCanvas canvas(200, 300, kWhite);
    RECT rect = {0, 0, 100, 300};
    VxRenderUtils::DrawTextW(canvas.Dc(), &fonts_, rect, text, 0xFF000000, L"normal16", DT_WORDBREAK, 7);
    SelectObject(canvas.Dc(), fonts_.FindFont(L"normal16")->font.Get());
    const size_t firstLines = LinesOf(canvas.Dc(), L"第一段文字比较长，需要换行显示出来。", 100).size();
    ASSERT_GE(firstLines, 2u);
    const int lines = static_cast<int>(firstLines) + 1;
    EXPECT_EQ(rect.top, lines * (lineHeight + 7)) << "the rectangle's top moves down line by line";
    const RECT ink = InkBounds(canvas, kWhite, canvas.Bounds());
    EXPECT_LE(ink.right, 100);
    EXPECT_GT(ink.bottom, (lines - 1) * (lineHeight + 7));
    EXPECT_LE(ink.bottom, lines * (lineHeight + 7));

    RECT measured = {0, 0, 100, 0};
    VxRenderUtils::DrawTextW(canvas.Dc(), &fonts_, measured, text, 0xFF000000, L"normal16", DT_WORDBREAK | DT_CALCRECT, 7);
    EXPECT_EQ(measured.bottom, lines * (lineHeight + 7));
    EXPECT_LE(measured.right, 100);
    EXPECT_GT(measured.right, 80);
    RECT unbounded = {0, 0, 0, 0};
    VxRenderUtils::DrawTextW(canvas.Dc(), &fonts_, unbounded, text, 0xFF000000, L"normal16", DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(unbounded.bottom, 2 * lineHeight) << "without a width every paragraph is one line";
    EXPECT_EQ(unbounded.right, VxRenderUtils::GetTextSize(nullptr, &fonts_, L"第一段文字比较长，需要换行显示出来。", L"normal16").right);
}

TEST_F(TextTest, CentredWrappedTextCentresTheBlock)
{
    TestCanvas canvas(300, 200, kWhite);
    const RECT area = {0, 0, 300, 200};
    RECT rect = area;
    const std::wstring text = L"修复完成\n请重新启动";
    VxRenderUtils::DrawTextW(canvas.Dc(), &fonts_, rect, text, 0xFF000000, L"big40", DT_WORDBREAK | DT_CENTER | DT_VCENTER);
    const RECT ink = InkBounds(canvas, kWhite, area);
    const RECT block = VxRenderUtils::GetTextSize(nullptr, &fonts_, L"请重新启动", L"big40");
    const int left = (300 - block.right) / 2;
    const int top = (200 - 2 * LineHeight(L"big40")) / 2;
    EXPECT_NEAR(ink.left, left, 6);
    EXPECT_NEAR(ink.top, top, 12);
    EXPECT_NEAR(300 - ink.right, left, 6) << "the widest line is centred";
}

// A rectangle narrower than one character still takes a character per line and ends.
TEST_F(TextTest, ARectangleNarrowerThanOneCharacterStillEnds)
{
    TestCanvas canvas(100, 400, kWhite);
    RECT rect = {10, 0, 14, 400};
    VxRenderUtils::DrawTextW(canvas.Dc(), &fonts_, rect, ChineseParagraph(2000), 0xFF000000, L"normal16", DT_WORDBREAK);
    EXPECT_FALSE(HasInk(canvas, kWhite, RECT{0, 0, 10, 400}));
    EXPECT_FALSE(HasInk(canvas, kWhite, RECT{14, 0, 100, 400}));
    RECT measured = {0, 0, 4, 0};
    VxRenderUtils::DrawTextW(canvas.Dc(), &fonts_, measured, L"修复工具", 0xFF000000, L"normal16", DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(measured.bottom, 4 * LineHeight(L"normal16")) << "one character per line";
}

}  // namespace
