#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include <windows.h>

// Where wrapped text may break, as functions of the text and of a width measure, so that the
// breaking is tested without GDI.
namespace VXM {

// Paragraphs between carriage returns and line feeds; a run of them is one break and empty
// paragraphs vanish.
std::vector<std::wstring_view> SplitParagraphs(std::wstring_view text);

// Character (code point) boundaries: a surrogate pair is one character.
size_t NextCharEnd(std::wstring_view text, size_t at);
size_t PreviousCharStart(std::wstring_view text, size_t at);
// The largest boundary at or before `at`.
size_t CharBoundaryAtOrBefore(std::wstring_view text, size_t at);

class ITextMeasure {
public:
    virtual ~ITextMeasure() = default;
    // The exact size of a one-line text, the measure the breaks are defined by.
    virtual SIZE Measure(std::wstring_view text) = 0;
    // A cheap guess of how many leading code units fit into `width`.
    virtual size_t GuessFit(std::wstring_view text, int width) = 0;
};

struct LineFit {
    size_t length = 0;  // code units
    SIZE size = {};     // the exact measure of those units
};

// The longest prefix whose exact width is at most `width`, never splitting a surrogate pair and
// never empty for a non-empty text (one character goes alone when nothing fits). Starts from
// the guess and corrects it against the exact measure at the boundary, so a good guess costs
// two exact measurements.
LineFit LongestFittingPrefix(ITextMeasure& measure, std::wstring_view text, int width);

}  // namespace VXM
