#include "AttributeValues.h"

#include <climits>
#include <cstdint>

namespace VXM::attributes {
namespace {

bool IsBlank(wchar_t c)
{
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

// Reads one number at `at` and moves past it; `at` stays when there is no digit.
int ReadInt(std::wstring_view value, size_t& at)
{
    size_t i = at;
    while (i < value.size() && IsBlank(value[i]))
        ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == L'+' || value[i] == L'-'))
        negative = value[i++] == L'-';
    const size_t digits = i;
    int64_t magnitude = 0;
    for (; i < value.size() && value[i] >= L'0' && value[i] <= L'9'; ++i) {
        if (magnitude <= int64_t{INT_MAX} + 1)
            magnitude = magnitude * 10 + (value[i] - L'0');
    }
    if (i == digits)
        return 0;
    at = i;
    const int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT_MAX)
        return INT_MAX;
    if (signedValue < INT_MIN)
        return INT_MIN;
    return static_cast<int>(signedValue);
}

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

}  // namespace

bool ParseBool(std::wstring_view value)
{
    return value == L"true";
}

int ParseInt(std::wstring_view value)
{
    size_t at = 0;
    return ReadInt(value, at);
}

void ParseNumbers(std::wstring_view value, int* numbers, int count)
{
    size_t at = 0;
    for (int i = 0; i < count; ++i) {
        numbers[i] = at < value.size() ? ReadInt(value, at) : 0;
        ++at;  // the one separator character
    }
}

RECT ParseRect(std::wstring_view value)
{
    int numbers[4] = {};
    ParseNumbers(value, numbers, 4);
    return RECT{numbers[0], numbers[1], numbers[2], numbers[3]};
}

SIZE ParseSize(std::wstring_view value)
{
    int numbers[2] = {};
    ParseNumbers(value, numbers, 2);
    return SIZE{numbers[0], numbers[1]};
}

DWORD ParseColor(std::wstring_view value, bool skipBlanks)
{
    size_t i = 0;
    if (skipBlanks) {
        while (i < value.size() && value[i] <= L' ')
            ++i;
    }
    if (i < value.size() && value[i] == L'#')
        ++i;
    // Like strtoul: more digits than fit saturate.
    uint64_t color = 0;
    for (int digit; i < value.size() && (digit = HexDigit(value[i])) >= 0; ++i)
        color = color > 0xFFFFFFFFu ? color : color * 16 + digit;
    return color > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<DWORD>(color);
}

}  // namespace VXM::attributes
