#include "RequestHeaders.h"

std::vector<std::wstring> BuildRequestHeaders(const HttpRequestSettings& settings, bool post,
                                              const std::wstring& cookiePairs,
                                              const std::wstring& host)
{
    std::vector<std::wstring> lines;
    auto addIfSet = [&lines](const wchar_t* name, const std::wstring& value) {
        if (!value.empty())
            lines.push_back(name + value);
    };
    if (post) {
        lines.push_back(settings.formBoundary.empty()
                            ? L"Content-Type: application/x-www-form-urlencoded"
                            : L"Content-Type: multipart/form-data; boundary=" + settings.formBoundary);
    }
    lines.push_back(L"Cookie: " + cookiePairs);
    addIfSet(L"Accept:", settings.accept);
    addIfSet(L"Referer:", settings.referer);
    addIfSet(L"Accept-Encoding:", settings.acceptEncoding);
    addIfSet(L"Connection:", settings.connection);
    lines.push_back(L"Accept-Language:zh-cn");
    addIfSet(L"Authorization:", settings.authorization);
    lines.push_back(L"Host: " + host);
    addIfSet(L"", settings.extraHeaders);
    return lines;
}
