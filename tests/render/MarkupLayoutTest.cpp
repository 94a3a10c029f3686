#include "MarkupLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GdiHandles.h"
#include "TestFonts.h"
#include "TextSamples.h"

namespace {

using namespace VXM;

class MarkupLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fonts_.Add(L"normal16", kSkinFace, 16);
        fonts_.Add(L"big30", kSkinFace, 30);
        fonts_.Add(L"bold16", kSkinFace, 16, true);
    }

    MarkupFrame Frame(int width, UINT style, const wchar_t* font = L"normal16", int height = 1000)
    {
        MarkupFrame frame;
        frame.area = RECT{10, 0, 10 + width, height};
        frame.style = style;
        frame.defaultFont = fonts_.FindFont(font);
        frame.defaultColor = RGB(0, 0, 0);
        frame.drawing = true;
        return frame;
    }

    std::vector<MarkupLine> Lines(const std::wstring& text, const MarkupFrame& frame)
    {
        MarkupLayout layout(dc_.Get(), fonts_, text, frame);
        std::vector<MarkupLine> lines;
        int top = frame.area.top;
        while (!layout.AtEnd() && lines.size() < 10000) {
            lines.push_back(layout.NextLine(top));
            top += lines.back().height;
        }
        return lines;
    }

    // Each line as the characters of its pieces, "..." marking an ellipsis.
    std::vector<std::wstring> Texts(const std::wstring& text, const MarkupFrame& frame)
    {
        std::vector<std::wstring> texts;
        for (const MarkupLine& line : Lines(text, frame)) {
            std::wstring joined;
            for (const MarkupPiece& piece : line.pieces)
                joined += text.substr(piece.begin, piece.length) + (piece.ellipsis ? L"..." : L"");
            texts.push_back(joined);
        }
        return texts;
    }

    int Width(const wchar_t* text, const wchar_t* font = L"normal16")
    {
        SelectGuard select(dc_.Get(), fonts_.FindFont(font)->font.Get());
        SIZE size = {};
        GetTextExtentPoint32W(dc_.Get(), text, static_cast<int>(wcslen(text)), &size);
        return size.cx;
    }

    int Height(const wchar_t* font) { return MarkupLayout::FontHeight(fonts_.FindFont(font)); }

    TestFonts fonts_;
    MemoryDC dc_{CreateCompatibleDC(nullptr)};
};

using LineTexts = std::vector<std::wstring>;

TEST_F(MarkupLayoutTest, RunsBreakBetweenCharactersOrAfterTheLastNonLetter)
{
    const int width = Width(L"Hello wonderful wo");
    EXPECT_EQ(Texts(L"Hello wonderful world", Frame(width, 0)), (LineTexts{L"Hello wonderful wo", L"rld"}));
    EXPECT_EQ(Texts(L"Hello wonderful world", Frame(width, DT_WORDBREAK)), (LineTexts{L"Hello wonderful ", L"world"}));
    // A word with no break in it that does not start the line moves to the next line whole.
    EXPECT_EQ(Texts(L"Hi <c #ff0000>wonderful</c>", Frame(Width(L"Hi wonder"), DT_WORDBREAK)),
              (LineTexts{L"Hi ", L"wonderful"}));
    const LineTexts longWord = Texts(L"Incomprehensibilities", Frame(Width(L"Incompre"), DT_WORDBREAK));
    ASSERT_GE(longWord.size(), 3u);
    EXPECT_EQ(longWord[0], L"Incompre") << "a word longer than the line is cut where it must be";
}

TEST_F(MarkupLayoutTest, ChineseLinesHoldWholeGlyphsInsideTheArea)
{
    const std::wstring text = ChineseParagraph(200);
    for (int width : {17, 50, 131, 300}) {
        const MarkupFrame frame = Frame(width, DT_WORDBREAK);
        std::wstring all;
        for (const MarkupLine& line : Lines(text, frame)) {
            ASSERT_FALSE(line.pieces.empty());
            for (const MarkupPiece& piece : line.pieces) {
                all += text.substr(piece.begin, piece.length);
                if (line.pieces.size() > 1 || piece.length > 1) {
                    EXPECT_LE(piece.x + piece.width, frame.area.right) << "width " << width;
                }
            }
        }
        EXPECT_EQ(all, text) << "every character once, in order";
    }
}

TEST_F(MarkupLayoutTest, ACharacterTooWideForTheLineGoesAloneAndWhole)
{
    const std::wstring text = L"\xD840\xDC00\xD840\xDC00字";
    EXPECT_EQ(Texts(text, Frame(3, 0)), (LineTexts{L"\xD840\xDC00", L"\xD840\xDC00", L"字"}));
}

TEST_F(MarkupLayoutTest, LineBreaksParagraphsAndLineHeights)
{
    const int normal = Height(L"normal16");
    const std::vector<MarkupLine> lines = Lines(L"a<n>b\nc<p 10>d</p>e{y 50}f", Frame(500, 0));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].height, normal);
    EXPECT_EQ(lines[2].height, normal) << "c, then p starts a new line";
    EXPECT_EQ(lines[3].height, normal + 10) << "d: the paragraph's spacing";
    EXPECT_EQ(lines[4].height, 50) << "e and f: y sets the height";
    EXPECT_EQ(Texts(L"a<n>b\nc", Frame(500, DT_SINGLELINE)), (LineTexts{L"abc"})) << "one line only";
    EXPECT_EQ(Texts(L"<p 5>x", Frame(500, 0)).size(), 1u) << "no empty line before a paragraph at the start";
}

TEST_F(MarkupLayoutTest, FontTagsChangeTheFontAndGrowTheLine)
{
    const std::vector<MarkupLine> lines = Lines(L"a<f big30>B</f>c<b bold16>d</b><f nosuch>e", Frame(500, 0));
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].pieces.size(), 5u);
    EXPECT_EQ(lines[0].height, Height(L"big30"));
    EXPECT_EQ(lines[0].pieces[1].font, fonts_.FindFont(L"big30"));
    EXPECT_EQ(lines[0].pieces[2].font, fonts_.FindFont(L"normal16"));
    EXPECT_EQ(lines[0].pieces[3].font, fonts_.FindFont(L"bold16"));
    EXPECT_EQ(lines[0].pieces[4].font, fonts_.FindFont(L"normal16")) << "unknown font: no change";
    const std::vector<MarkupLine> bold = Lines(L"<b big30>x", Frame(500, 0, L"bold16"));
    EXPECT_EQ(bold[0].pieces[0].font, fonts_.FindFont(L"bold16")) << "b does nothing when the default is bold";
}

TEST_F(MarkupLayoutTest, ColourSelectionPenAndEscapes)
{
    const std::vector<MarkupLine> lines = Lines(L"a<c #FF0000>b</c>c<s>d</s>e<x 30>f<{>", Frame(500, 0));
    ASSERT_EQ(lines.size(), 1u);
    const std::vector<MarkupPiece>& pieces = lines[0].pieces;
    ASSERT_EQ(pieces.size(), 7u);
    EXPECT_EQ(pieces[1].color, RGB(255, 0, 0));
    EXPECT_EQ(pieces[2].color, RGB(0, 0, 0));
    EXPECT_TRUE(pieces[3].selected);
    EXPECT_FALSE(pieces[4].selected);
    EXPECT_EQ(pieces[5].x, pieces[4].x + pieces[4].width + 30);
    EXPECT_EQ(pieces[6].length, 1u);
}

TEST_F(MarkupLayoutTest, HugeAndNegativeNumbersStayInsideTheArea)
{
    const MarkupFrame frame = Frame(200, 0);
    const std::vector<MarkupLine> lines = Lines(L"a<x 99999999>b<x -99999999>c<y -5>d<y 99999999>", frame);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].right, frame.area.right) << "the pen stops at the edge and the line ends";
    ASSERT_EQ(lines[1].pieces.size(), 3u);
    EXPECT_EQ(lines[1].pieces[1].x, frame.area.left) << "c: a negative move stops at the left edge";
    EXPECT_GE(lines[1].height, 0);
    EXPECT_LE(lines[1].height, 0x7FFF);
}

TEST_F(MarkupLayoutTest, EllipsisEndsTheLastLineWithRoomForTheDots)
{
    const std::wstring text = L"异常扫描中，请稍候，正在检查系统文件";
    const int width = Width(L"异常扫描中，请");
    const int dots = Width(L"...");
    const std::vector<MarkupLine> single = Lines(text, Frame(width, DT_SINGLELINE | DT_END_ELLIPSIS));
    const MarkupPiece& last = single[0].pieces.back();
    EXPECT_TRUE(last.ellipsis);
    EXPECT_LE(last.x + last.width + dots, 10 + width);
    EXPECT_LT(last.length, 7u) << "one or two characters made room";

    // Multi-line: only the last line that fits gets the dots.
    const int height = 2 * Height(L"normal16");
    const LineTexts two = Texts(text, Frame(width, DT_END_ELLIPSIS, L"normal16", height));
    ASSERT_GE(two.size(), 2u);
    EXPECT_EQ(two[0].find(L"..."), std::wstring::npos);
    EXPECT_NE(two[1].find(L"..."), std::wstring::npos);
}

}  // namespace
