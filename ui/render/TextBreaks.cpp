#include "TextBreaks.h"

namespace VXM {

namespace {

bool IsLineBreak(wchar_t c)
{
    return c == L'\r' || c == L'\n';
}

bool IsHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

std::vector<std::wstring_view> SplitParagraphs(std::wstring_view text)
{
    std::vector<std::wstring_view> paragraphs;
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && IsLineBreak(text[at]))
            ++at;
        size_t end = at;
        while (end < text.size() && !IsLineBreak(text[end]))
            ++end;
        if (end > at)
            paragraphs.push_back(text.substr(at, end - at));
        at = end;
    }
    return paragraphs;
}

size_t NextCharEnd(std::wstring_view text, size_t at)
{
    if (at >= text.size())
        return text.size();
    if (IsHighSurrogate(text[at]) && at + 1 < text.size() && IsLowSurrogate(text[at + 1]))
        return at + 2;
    return at + 1;
}

size_t PreviousCharStart(std::wstring_view text, size_t at)
{
    at = at > text.size() ? text.size() : at;
    if (at == 0)
        return 0;
    if (at >= 2 && IsLowSurrogate(text[at - 1]) && IsHighSurrogate(text[at - 2]))
        return at - 2;
    return at - 1;
}

size_t CharBoundaryAtOrBefore(std::wstring_view text, size_t at)
{
    if (at >= text.size())
        return text.size();
    if (at > 0 && IsLowSurrogate(text[at]) && IsHighSurrogate(text[at - 1]))
        return at - 1;
    return at;
}

LineFit LongestFittingPrefix(ITextMeasure& measure, std::wstring_view text, int width)
{
    LineFit fit;
    if (text.empty())
        return fit;
    size_t length = CharBoundaryAtOrBefore(text, measure.GuessFit(text, width));
    SIZE size = {};
    // The guess may be long (prefix characters, tabs, overhang): step back to what fits.
    while (length > 0) {
        size = measure.Measure(text.substr(0, length));
        if (size.cx <= width)
            break;
        length = PreviousCharStart(text, length);
    }
    if (length == 0) {
        length = NextCharEnd(text, 0);
        size = measure.Measure(text.substr(0, length));
    }
    // Or short: take characters while the next still fits.
    while (length < text.size()) {
        const size_t longer = NextCharEnd(text, length);
        const SIZE longerSize = measure.Measure(text.substr(0, longer));
        if (longerSize.cx > width)
            break;
        length = longer;
        size = longerSize;
    }
    fit.length = length;
    fit.size = size;
    return fit;
}

}  // namespace VXM
