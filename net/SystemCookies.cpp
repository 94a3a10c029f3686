#include "SystemCookies.h"

#include <windows.h>
#include <wininet.h>

std::wstring SystemCookiesFor(const std::wstring& url)
{
    DWORD size = 0;
    if (!InternetGetCookieW(url.c_str(), nullptr, nullptr, &size) &&
        GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return {};
    if (size == 0)
        return {};
    // The size is in bytes on some systems and in characters on others: room for either.
    std::wstring text(size, L'\0');
    DWORD length = size;
    if (!InternetGetCookieW(url.c_str(), nullptr, text.data(), &length))
        return {};
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}
