// The wrapped-text line breaks found by fit count and boundary check, against the two
// procedures they replace: dropping one character at a time from the end of the paragraph
// (the measuring pass), and first halving while the text is more than twice too wide (the
// drawing pass). Real fonts, Chinese and Latin paragraphs, several widths.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GdiHandles.h"
#include "GdiLineMeasure.h"
#include "TestFonts.h"
#include "TextBreaks.h"
#include "TextSamples.h"

namespace {

using namespace VXM;

class CountingMeasure : public ITextMeasure {
public:
    explicit CountingMeasure(HDC dc) : gdi_(dc, 0) {}
    SIZE Measure(std::wstring_view text) override
    {
        ++measurements;
        return gdi_.Measure(text);
    }
    size_t GuessFit(std::wstring_view text, int width) override { return gdi_.GuessFit(text, width); }

    int measurements = 0;

private:
    GdiLineMeasure gdi_;
};

size_t OneAtATime(ITextMeasure& measure, std::wstring_view text, int width)
{
    size_t length = text.size();
    while (length > 0 && measure.Measure(text.substr(0, length)).cx > width)
        length = PreviousCharStart(text, length);
    return length > 0 ? length : NextCharEnd(text, 0);
}

size_t HalvingThenOneAtATime(ITextMeasure& measure, std::wstring_view text, int width)
{
    size_t length = text.size();
    while (length > 1 && measure.Measure(text.substr(0, length)).cx > 2 * width)
        length = CharBoundaryAtOrBefore(text, length - length / 2);
    return OneAtATime(measure, text.substr(0, length), width);
}

using Search = size_t (*)(ITextMeasure&, std::wstring_view, int);

std::vector<size_t> Breaks(ITextMeasure& measure, std::wstring_view paragraph, int width, Search search)
{
    std::vector<size_t> lengths;
    while (!paragraph.empty()) {
        const size_t length = search(measure, paragraph, width);
        lengths.push_back(length);
        paragraph.remove_prefix(length);
    }
    return lengths;
}

size_t FastSearch(ITextMeasure& measure, std::wstring_view text, int width)
{
    return LongestFittingPrefix(measure, text, width).length;
}

class LineBreakReference : public ::testing::Test {
protected:
    void SetUp() override
    {
        fonts_.Add(L"normal16", kSkinFace, 16);
        fonts_.Add(L"bold20", kSkinFace, 20, true);
    }

    void ExpectSameBreaks(const std::wstring& paragraph, const wchar_t* font)
    {
        SelectGuard select(dc_.Get(), fonts_.FindFont(font)->font.Get());
        for (int width : {37, 97, 150, 233, 401}) {
            CountingMeasure fast(dc_.Get()), slow(dc_.Get()), halving(dc_.Get());
            const std::vector<size_t> found = Breaks(fast, paragraph, width, FastSearch);
            EXPECT_EQ(found, Breaks(slow, paragraph, width, OneAtATime)) << "width " << width;
            EXPECT_EQ(found, Breaks(halving, paragraph, width, HalvingThenOneAtATime)) << "width " << width;
            EXPECT_LE(fast.measurements, 3 * static_cast<int>(found.size())) << "width " << width;
        }
    }

    TestFonts fonts_;
    MemoryDC dc_{CreateCompatibleDC(nullptr)};
};

TEST_F(LineBreakReference, ChineseParagraphs)
{
    ExpectSameBreaks(ChineseParagraph(300), L"normal16");
    ExpectSameBreaks(ChineseParagraph(300), L"bold20");
}

TEST_F(LineBreakReference, LatinParagraphs)
{
    ExpectSameBreaks(LatinParagraph(400), L"normal16");
    ExpectSameBreaks(LatinParagraph(400), L"bold20");
}

// Characters outside the Basic Multilingual Plane stay whole in every line.
TEST_F(LineBreakReference, SupplementaryCharactersAreNotSplit)
{
    std::wstring paragraph;
    for (int i = 0; i < 60; ++i)
        paragraph += i % 3 == 0 ? L"\xD840\xDC00" : i % 3 == 1 ? L"字" : L"\xD83D\xDE00";
    SelectGuard select(dc_.Get(), fonts_.FindFont(L"normal16")->font.Get());
    for (int width : {1, 20, 37, 97}) {
        CountingMeasure fast(dc_.Get()), slow(dc_.Get());
        const std::vector<size_t> found = Breaks(fast, paragraph, width, FastSearch);
        EXPECT_EQ(found, Breaks(slow, paragraph, width, OneAtATime)) << "width " << width;
        size_t at = 0;
        for (size_t length : found) {
            at += length;
            ASSERT_EQ(CharBoundaryAtOrBefore(paragraph, at), at) << "a line ends inside a pair at width " << width;
        }
    }
}

}  // namespace
