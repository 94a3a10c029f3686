#include <algorithm>
#include <cerrno>
#include <climits>
#include <cwchar>
#include <string>

#include "AttributeValues.h"
#include "FuzzSupport.h"

namespace {

namespace attributes = VXM::attributes;

bool IsAscii(std::wstring_view text)
{
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c > 0 && c < 0x80; });
}

bool IsHexDigit(wchar_t c)
{
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

// strtoul of a 32-bit unsigned long over the digits after the "#".
void CheckColor(const std::wstring& text)
{
    const std::wstring digits = text.starts_with(L"#") ? text.substr(1) : text;
    const bool prefixed = digits.size() > 2 && digits[0] == L'0' && (digits[1] == L'x' || digits[1] == L'X') &&
                          IsHexDigit(digits[2]);
    if (digits.empty() || !IsHexDigit(digits[0]) || prefixed)
        return;
    errno = 0;
    const unsigned long long reference = std::wcstoull(digits.c_str(), nullptr, 16);
    const DWORD expected = errno == ERANGE || reference > UINT32_MAX ? UINT32_MAX : static_cast<DWORD>(reference);
    FUZZ_CHECK(attributes::ParseColor(text) == expected);
    FUZZ_CHECK(attributes::ParseColor(L"  \t" + text, true) == expected);
}

}  // namespace

// On ASCII text the value readers agree with strtol and strtoul as a 32-bit Windows has them; a
// rectangle and a size read the same numbers as the list they come from.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::wstring text = RemainingWide(input);
    int numbers[4] = {};
    attributes::ParseNumbers(text, numbers, 4);
    const RECT rect = attributes::ParseRect(text);
    const SIZE pair = attributes::ParseSize(text);
    FUZZ_CHECK(rect.left == numbers[0] && rect.top == numbers[1] && rect.right == numbers[2] && rect.bottom == numbers[3]);
    FUZZ_CHECK(pair.cx == numbers[0] && pair.cy == numbers[1]);
    FUZZ_CHECK(attributes::ParseBool(text) == (text == L"true"));
    if (!IsAscii(text))
        return 0;
    const long long reference = std::wcstoll(text.c_str(), nullptr, 10);
    FUZZ_CHECK(attributes::ParseInt(text) == std::clamp<long long>(reference, INT_MIN, INT_MAX));
    CheckColor(text);
    return 0;
}
