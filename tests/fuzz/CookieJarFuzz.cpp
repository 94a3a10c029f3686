#include <string>

#include "CookieJar.h"
#include "FuzzSupport.h"

// Cookies never hold a ";" nor start with a blank; storing the same text twice changes nothing,
// and every cookie without a domain goes to any host.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::wstring host = ConsumeWide(input, input.ConsumeIntegralInRange<size_t>(0, 32));
    const std::wstring text = RemainingWide(input);
    const std::vector<Cookie> cookies = ParseCookieText(text);
    for (const Cookie& cookie : cookies) {
        FUZZ_CHECK(cookie.name.find(L';') == std::wstring::npos && cookie.value.find(L';') == std::wstring::npos);
        FUZZ_CHECK(cookie.name.empty() || std::wstring_view(L" \t\r\n").find(cookie.name.front()) == std::wstring_view::npos);
        FUZZ_CHECK(cookie.domain == cookies.front().domain);
    }
    CookieJar jar;
    jar.Store(text);
    const std::vector<Cookie> once = jar.Cookies();
    jar.Store(text);
    FUZZ_CHECK(jar.Cookies().size() == once.size());
    for (size_t i = 0; i < once.size(); ++i)
        FUZZ_CHECK(jar.Cookies()[i].name == once[i].name && jar.Cookies()[i].value == once[i].value);
    const std::wstring header = jar.HeaderValueFor(host);
    for (const Cookie& cookie : once) {
        if (cookie.domain.empty())
            FUZZ_CHECK(header.find(cookie.name + L"=" + cookie.value) != std::wstring::npos);
    }
    return 0;
}
