#include <string>

#include "FuzzSupport.h"
#include "TextEncoding.h"
#include "UrlEscape.h"

namespace {

int HexValue(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    return -1;
}

// Every well-formed %XX to its byte, the rest as it is.
std::string PercentDecoded(std::string_view text)
{
    std::string bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            bytes.push_back(static_cast<char>(HexValue(text[i + 1]) << 4 | HexValue(text[i + 2])));
            i += 2;
        } else {
            bytes.push_back(text[i]);
        }
    }
    return bytes;
}

}  // namespace

// The escaped URL keeps its scheme and host, holds nothing but printable ASCII after them,
// escapes to itself again and percent-decodes to the same bytes as the UTF-8 of the original.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::wstring url = RemainingWide(input);
    const std::wstring escaped = EscapeUrlAsUtf8(url);
    FUZZ_CHECK(EscapeUrlAsUtf8(escaped) == escaped);
    size_t kept = 0;
    while (kept < url.size() && kept < escaped.size() && url[kept] == escaped[kept])
        ++kept;
    const std::wstring_view tail = std::wstring_view(escaped).substr(kept);
    for (wchar_t c : tail)
        FUZZ_CHECK(c > 0x20 && c < 0x7F);
    const std::string narrowTail(tail.begin(), tail.end());
    FUZZ_CHECK(PercentDecoded(narrowTail) == PercentDecoded(WideToCodePage(std::wstring_view(url).substr(kept), CP_UTF8)));
    return 0;
}
