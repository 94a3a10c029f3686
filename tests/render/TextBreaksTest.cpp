#include "TextBreaks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace VXM;

// A character outside the Basic Multilingual Plane (U+20000) as its surrogate pair.
const std::wstring kPair = L"\xD840\xDC00";

TEST(SplitParagraphs, RunsOfLineBreaksAreOneBreakAndEmptyParagraphsVanish)
{
    const std::vector<std::wstring_view> expected = {L"one", L"two", L"three"};
    EXPECT_EQ(SplitParagraphs(L"\r\none\r\n\r\ntwo\rthree\n\n"), expected);
    EXPECT_TRUE(SplitParagraphs(L"").empty());
    EXPECT_TRUE(SplitParagraphs(L"\n\r\n").empty());
    EXPECT_EQ(SplitParagraphs(L"中文 段落"), std::vector<std::wstring_view>{L"中文 段落"});
}

TEST(CharBoundaries, ASurrogatePairIsOneCharacter)
{
    const std::wstring text = L"a" + kPair + L"b";
    EXPECT_EQ(NextCharEnd(text, 0), 1u);
    EXPECT_EQ(NextCharEnd(text, 1), 3u);
    EXPECT_EQ(NextCharEnd(text, 3), 4u);
    EXPECT_EQ(NextCharEnd(text, 4), 4u);
    EXPECT_EQ(PreviousCharStart(text, 4), 3u);
    EXPECT_EQ(PreviousCharStart(text, 3), 1u);
    EXPECT_EQ(PreviousCharStart(text, 1), 0u);
    EXPECT_EQ(PreviousCharStart(text, 0), 0u);
    EXPECT_EQ(CharBoundaryAtOrBefore(text, 2), 1u) << "inside the pair";
    EXPECT_EQ(CharBoundaryAtOrBefore(text, 3), 3u);
    EXPECT_EQ(CharBoundaryAtOrBefore(text, 9), 4u);
    // A lone surrogate is a character of its own.
    const std::wstring lone = L"\xDC00\xD840";
    EXPECT_EQ(NextCharEnd(lone, 0), 1u);
    EXPECT_EQ(NextCharEnd(lone, 1), 2u);
    EXPECT_EQ(PreviousCharStart(lone, 2), 1u);
}

// Widths by character: a = 3, W = 11, the pair = 16 (on its high half), others 8. The guess is
// off by a set number of code units, as a fit count may be for prefix characters and tabs.
class ScriptedMeasure : public ITextMeasure {
public:
    explicit ScriptedMeasure(int guessError = 0) : guessError_(guessError) {}

    SIZE Measure(std::wstring_view text) override
    {
        ++measurements;
        return SIZE{WidthOf(text), 20};
    }
    size_t GuessFit(std::wstring_view text, int width) override
    {
        size_t count = 0;
        while (count < text.size() && WidthOf(text.substr(0, count + 1)) <= width)
            ++count;
        const long long guess = static_cast<long long>(count) + guessError_;
        return static_cast<size_t>(std::clamp<long long>(guess, 0, static_cast<long long>(text.size())));
    }

    int measurements = 0;

private:
    static int WidthOf(std::wstring_view text)
    {
        int width = 0;
        for (wchar_t c : text)
            width += c == L'a' ? 3 : c == L'W' ? 11 : c == 0xD840 ? 16 : c == 0xDC00 ? 0 : 8;
        return width;
    }

    int guessError_ = 0;
};

// The breaking by definition: from the whole text, one character at a time off the end until
// it fits; one character when none does.
size_t ReferencePrefix(ITextMeasure& measure, std::wstring_view text, int width)
{
    size_t length = text.size();
    while (length > 0 && measure.Measure(text.substr(0, length)).cx > width)
        length = PreviousCharStart(text, length);
    return length > 0 ? length : NextCharEnd(text, 0);
}

TEST(LongestFittingPrefix, AnyGuessEndsAtTheBreakOfTheDefinition)
{
    const std::wstring text = L"aWWa" + kPair + L"xaaWxx" + kPair + kPair + L"aWa";
    for (int guessError : {-20, -3, -1, 0, 1, 2, 5, 40}) {
        for (int width = 0; width <= 130; ++width) {
            ScriptedMeasure measure(guessError);
            const LineFit fit = LongestFittingPrefix(measure, text, width);
            EXPECT_EQ(fit.length, ReferencePrefix(measure, text, width)) << "width " << width << " error " << guessError;
            EXPECT_EQ(fit.size.cx, measure.Measure(std::wstring_view(text).substr(0, fit.length)).cx);
        }
    }
}

TEST(LongestFittingPrefix, NeverEndsInsideASurrogatePair)
{
    const std::wstring text = kPair + kPair + kPair;
    for (int guessError : {-1, 0, 1}) {
        for (int width = 0; width < 60; ++width) {
            ScriptedMeasure measure(guessError);
            const size_t length = LongestFittingPrefix(measure, text, width).length;
            EXPECT_EQ(length % 2, 0u) << "width " << width;
            EXPECT_GE(length, 2u) << "a character that does not fit still goes alone, whole";
        }
    }
}

TEST(LongestFittingPrefix, AGoodGuessCostsTwoExactMeasurements)
{
    ScriptedMeasure measure;
    const std::wstring text(500, L'x');
    const LineFit fit = LongestFittingPrefix(measure, text, 100);
    EXPECT_EQ(fit.length, 12u);
    EXPECT_EQ(measure.measurements, 2);

    ScriptedMeasure whole;
    EXPECT_EQ(LongestFittingPrefix(whole, L"xxx", 100).length, 3u);
    EXPECT_EQ(whole.measurements, 1) << "all of it fits: nothing longer to try";
    ScriptedMeasure none;
    EXPECT_EQ(LongestFittingPrefix(none, L"", 100).length, 0u);
    EXPECT_EQ(none.measurements, 0);
}

}  // namespace
