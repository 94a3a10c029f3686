#include "TextEncoding.h"

#include <algorithm>
#include <climits>

std::wstring Utf8ToWide(std::string_view text)
{
    if (text.empty() || text.size() > INT_MAX)
        return {};
    const int inputLength = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), inputLength, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), inputLength, wide.data(), length);
    return wide;
}

std::string WideToCodePage(std::wstring_view text, UINT codePage)
{
    if (text.empty() || text.size() > INT_MAX)
        return {};
    const int inputLength = static_cast<int>(text.size());
    // UTF-8 rejects a default character; every other code page takes one.
    const char* unmapped = codePage == CP_UTF8 ? nullptr : "_";
    const int length =
        WideCharToMultiByte(codePage, 0, text.data(), inputLength, nullptr, 0, unmapped, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), inputLength, narrow.data(), length, unmapped,
                        nullptr);
    return narrow;
}

namespace {

wchar_t AsciiLowerChar(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

}  // namespace

std::wstring AsciiLower(std::wstring_view text)
{
    std::wstring lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLowerChar);
    return lower;
}

bool ContainsIgnoringAsciiCase(std::wstring_view text, std::wstring_view word)
{
    const auto same = [](wchar_t a, wchar_t b) { return AsciiLowerChar(a) == AsciiLowerChar(b); };
    return std::search(text.begin(), text.end(), word.begin(), word.end(), same) != text.end();
}
