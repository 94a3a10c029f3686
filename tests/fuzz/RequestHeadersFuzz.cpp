#include <algorithm>
#include <string>

#include "FuzzSupport.h"
#include "RequestHeaders.h"

namespace {

bool HasLineBreak(const std::wstring& text)
{
    return text.find_first_of(L"\r\n") != std::wstring::npos;
}

}  // namespace

// Inputs without line breaks make header lines without them; the cookie, language and host
// lines are always there, the content type first for a POST.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    HttpRequestSettings settings;
    for (std::wstring* field : {&settings.referer, &settings.userAgent, &settings.accept, &settings.connection,
                                &settings.acceptEncoding, &settings.authorization, &settings.formBoundary})
        *field = ConsumeWide(input, input.ConsumeIntegralInRange<size_t>(0, 16));
    const bool post = input.ConsumeBool();
    const std::wstring cookies = ConsumeWide(input, input.ConsumeIntegralInRange<size_t>(0, 32));
    const std::wstring host = RemainingWide(input);
    const std::vector<std::wstring> lines = BuildRequestHeaders(settings, post, cookies, host);
    bool clean = !HasLineBreak(cookies) && !HasLineBreak(host);
    for (const std::wstring* field : {&settings.referer, &settings.accept, &settings.connection,
                                      &settings.acceptEncoding, &settings.authorization, &settings.formBoundary})
        clean = clean && !HasLineBreak(*field);
    for (const std::wstring& line : lines)
        FUZZ_CHECK(!clean || !HasLineBreak(line));
    FUZZ_CHECK(!post || lines.front().starts_with(L"Content-Type: "));
    const auto has = [&lines](const std::wstring& line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    FUZZ_CHECK(has(L"Cookie: " + cookies) && has(L"Accept-Language:zh-cn") && has(L"Host: " + host));
    return 0;
}
