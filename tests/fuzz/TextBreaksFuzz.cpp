#include <algorithm>
#include <string>

#include "FuzzSupport.h"
#include "TextBreaks.h"

namespace {

bool IsLow(wchar_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

bool IsHigh(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool SplitsPair(std::wstring_view text, size_t at)
{
    return at > 0 && at < text.size() && IsLow(text[at]) && IsHigh(text[at - 1]);
}

// Width = the sum of per-unit widths taken from the input; the guess is off by a fuzzed amount.
class FakeMeasure : public VXM::ITextMeasure {
public:
    FakeMeasure(int unitWidth, int guessError) : unitWidth_(unitWidth), guessError_(guessError) {}
    SIZE Measure(std::wstring_view text) override
    {
        return SIZE{static_cast<LONG>(text.size() * unitWidth_ + (text.empty() ? 0 : text.front() % 7)), 16};
    }
    size_t GuessFit(std::wstring_view text, int width) override
    {
        const int64_t guess = int64_t{width} / unitWidth_ + guessError_;
        return guess < 0 ? 0 : std::min<size_t>(static_cast<size_t>(guess), text.size() + 3);
    }

private:
    int unitWidth_;
    int guessError_;
};

}  // namespace

// Boundaries stay inside the text and never split a surrogate pair; the fitting prefix is never
// empty for a non-empty text and fits unless it is the one character that has to go alone.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const int width = input.ConsumeIntegralInRange<int>(-10, 2000);
    FakeMeasure measure(input.ConsumeIntegralInRange<int>(1, 40), input.ConsumeIntegralInRange<int>(-50, 50));
    const size_t at = input.ConsumeIntegralInRange<size_t>(0, 300);
    const std::wstring text = RemainingWide(input);
    for (size_t boundary : {VXM::NextCharEnd(text, at), VXM::PreviousCharStart(text, at),
                            VXM::CharBoundaryAtOrBefore(text, at)}) {
        FUZZ_CHECK(boundary <= text.size());
        FUZZ_CHECK(!SplitsPair(text, boundary));
    }
    if (at > 0 && at <= text.size() && !SplitsPair(text, at))
        FUZZ_CHECK(VXM::PreviousCharStart(text, at) < at);
    for (std::wstring_view paragraph : VXM::SplitParagraphs(text)) {
        FUZZ_CHECK(!paragraph.empty());
        FUZZ_CHECK(paragraph.find_first_of(L"\r\n") == std::wstring_view::npos);
    }
    const VXM::LineFit fit = VXM::LongestFittingPrefix(measure, text, width);
    FUZZ_CHECK(fit.length <= text.size() && !SplitsPair(text, fit.length));
    FUZZ_CHECK(text.empty() == (fit.length == 0));
    FUZZ_CHECK(fit.size.cx == measure.Measure(std::wstring_view(text).substr(0, fit.length)).cx);
    if (fit.length > VXM::NextCharEnd(text, 0))
        FUZZ_CHECK(fit.size.cx <= width);
    return 0;
}
