#include "UrlEscape.h"

#include "TextEncoding.h"

namespace {

size_t PathStart(std::wstring_view url)
{
    const size_t scheme = url.find(L"://");
    const size_t authority = scheme == std::wstring_view::npos ? 0 : scheme + 3;
    const size_t path = url.find_first_of(L"/?#", authority);
    return path == std::wstring_view::npos ? url.size() : path;
}

bool NeedsEscape(unsigned char value)
{
    return value <= 0x20 || value >= 0x7F;
}

}  // namespace

std::wstring EscapeUrlAsUtf8(std::wstring_view url)
{
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    const size_t start = PathStart(url);
    std::wstring escaped(url.substr(0, start));
    for (unsigned char value : WideToCodePage(url.substr(start), CP_UTF8)) {
        if (NeedsEscape(value)) {
            escaped += L'%';
            escaped += kHex[value >> 4];
            escaped += kHex[value & 0x0F];
        } else {
            escaped += static_cast<wchar_t>(value);
        }
    }
    return escaped;
}
