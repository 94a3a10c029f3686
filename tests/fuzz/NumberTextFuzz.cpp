#include <algorithm>
#include <cerrno>
#include <climits>
#include <cwchar>
#include <cwctype>
#include <string>

#include "FuzzSupport.h"
#include "NumberText.h"

namespace {

size_t LeadingBlanks(const std::wstring& text)
{
    size_t at = 0;
    while (at < text.size() && std::iswspace(text[at]))
        ++at;
    return at;
}

// strtol of a 32-bit long, as on Windows.
void CheckInt(const std::wstring& text, std::wstring_view view)
{
    wchar_t* end = nullptr;
    const long long reference = std::wcstoll(text.c_str(), &end, 10);
    const auto expected = static_cast<int32_t>(std::clamp<long long>(reference, INT32_MIN, INT32_MAX));
    size_t consumed = 1;
    FUZZ_CHECK(VXM::ParseInt(view, &consumed) == expected);
    FUZZ_CHECK(consumed == static_cast<size_t>(end - text.c_str()));
}

// strtoul of a 32-bit unsigned long: out of range gives ULONG_MAX, a sign negates.
void CheckHex(const std::wstring& text, std::wstring_view view)
{
    wchar_t* end = nullptr;
    errno = 0;
    const unsigned long long reference = std::wcstoull(text.c_str(), &end, 16);
    const size_t at = LeadingBlanks(text);
    const bool negative = at < text.size() && text[at] == L'-';
    const unsigned long long magnitude = negative ? 0ull - reference : reference;
    uint32_t expected = UINT32_MAX;
    if (errno != ERANGE && magnitude <= UINT32_MAX)
        expected = negative ? 0u - static_cast<uint32_t>(magnitude) : static_cast<uint32_t>(magnitude);
    size_t consumed = 1;
    FUZZ_CHECK(VXM::ParseHex(view, &consumed) == expected);
    FUZZ_CHECK(consumed == static_cast<size_t>(end - text.c_str()));
}

}  // namespace

// The number readers agree with the C library on the text up to its first zero, and never read
// past the view: a view of a longer text stops where the view does.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    std::wstring text = RemainingWide(input);
    text = text.substr(0, text.find(L'\0'));
    const std::wstring longer = text + L"123abc";
    CheckInt(text, std::wstring_view(longer).substr(0, text.size()));
    CheckHex(text, std::wstring_view(longer).substr(0, text.size()));
    int32_t list[4] = {};
    VXM::ParseIntList(text, list, 4);
    VXM::ParseReal(text);
    return 0;
}
