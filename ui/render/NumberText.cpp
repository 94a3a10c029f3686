#include "NumberText.h"

#include <cwchar>
#include <cwctype>
#include <string>

namespace VXM {

namespace {

int DigitValue(wchar_t c, int base)
{
    int value = base;
    if (c >= L'0' && c <= L'9')
        value = c - L'0';
    else if (c >= L'a' && c <= L'z')
        value = c - L'a' + 10;
    else if (c >= L'A' && c <= L'Z')
        value = c - L'A' + 10;
    return value < base ? value : -1;
}

struct Parsed {
    uint64_t magnitude = 0;
    bool negative = false;
    bool overflow = false;
    size_t consumed = 0;
};

Parsed ParseUnsigned(std::wstring_view text, int base, uint64_t limit)
{
    Parsed result;
    size_t pos = 0;
    while (pos < text.size() && std::iswspace(text[pos]))
        ++pos;
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-'))
        result.negative = text[pos++] == L'-';
    if (base == 16 && pos + 2 < text.size() && text[pos] == L'0' && (text[pos + 1] == L'x' || text[pos + 1] == L'X') &&
        DigitValue(text[pos + 2], 16) >= 0)
        pos += 2;
    size_t digitsStart = pos;
    for (int digit; pos < text.size() && (digit = DigitValue(text[pos], base)) >= 0; ++pos) {
        result.magnitude = result.magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (result.magnitude > limit) {
            result.overflow = true;
            result.magnitude = limit;
        }
    }
    result.consumed = pos > digitsStart ? pos : 0;
    return result;
}

}  // namespace

int32_t ParseInt(std::wstring_view text, size_t* consumed)
{
    Parsed parsed = ParseUnsigned(text, 10, uint64_t(INT32_MAX) + 1);
    if (consumed)
        *consumed = parsed.consumed;
    if (parsed.negative)
        return static_cast<int32_t>(-static_cast<int64_t>(parsed.magnitude));
    return parsed.magnitude > INT32_MAX ? INT32_MAX : static_cast<int32_t>(parsed.magnitude);
}

uint32_t ParseHex(std::wstring_view text, size_t* consumed)
{
    Parsed parsed = ParseUnsigned(text, 16, UINT32_MAX);
    if (consumed)
        *consumed = parsed.consumed;
    if (parsed.overflow)
        return UINT32_MAX;
    uint32_t value = static_cast<uint32_t>(parsed.magnitude);
    return parsed.negative ? 0u - value : value;
}

void ParseIntList(std::wstring_view text, int32_t* values, size_t count)
{
    size_t pos = 0;
    for (size_t i = 0; i < count; ++i) {
        size_t used = 0;
        values[i] = pos < text.size() ? ParseInt(text.substr(pos), &used) : 0;
        pos += used + 1;
    }
}

uint32_t ParseColor(std::wstring_view text)
{
    if (!text.empty() && text.front() == L'#')
        text.remove_prefix(1);
    return ParseHex(text);
}

double ParseReal(std::wstring_view text)
{
    std::wstring copy(text);
    return std::wcstod(copy.c_str(), nullptr);
}

}  // namespace VXM
