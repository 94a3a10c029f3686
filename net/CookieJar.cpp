#include "CookieJar.h"

#include "TextEncoding.h"

#include <algorithm>

namespace {

std::vector<std::wstring_view> Pieces(std::wstring_view text)
{
    std::vector<std::wstring_view> pieces;
    for (size_t start = 0; start <= text.size();) {
        size_t end = text.find(L';', start);
        if (end == std::wstring_view::npos)
            end = text.size();
        std::wstring_view piece = text.substr(start, end - start);
        const size_t first = piece.find_first_not_of(L" \r\t\n");
        if (first != std::wstring_view::npos)
            pieces.push_back(piece.substr(first));
        start = end + 1;
    }
    return pieces;
}

bool IsDomainPiece(std::wstring_view piece)
{
    return ContainsIgnoringAsciiCase(piece, L"domain=");
}

}  // namespace

std::vector<Cookie> ParseCookieText(std::wstring_view text)
{
    const std::vector<std::wstring_view> pieces = Pieces(text);
    std::wstring domain;
    for (std::wstring_view piece : pieces) {
        if (IsDomainPiece(piece))
            domain = piece.substr(piece.find(L'=') + 1);
    }
    std::vector<Cookie> cookies;
    for (std::wstring_view piece : pieces) {
        if (IsDomainPiece(piece))
            continue;
        const size_t equals = piece.find(L'=');
        Cookie cookie;
        cookie.name = piece.substr(0, equals);
        if (equals != std::wstring_view::npos)
            cookie.value = piece.substr(equals + 1);
        cookie.domain = domain;
        cookies.push_back(std::move(cookie));
    }
    return cookies;
}

void CookieJar::Store(std::wstring_view cookieText)
{
    for (Cookie& cookie : ParseCookieText(cookieText)) {
        const std::wstring domain = AsciiLower(cookie.domain);
        auto held = std::find_if(cookies_.begin(), cookies_.end(), [&](const Cookie& other) {
            return other.name == cookie.name && AsciiLower(other.domain) == domain;
        });
        if (held != cookies_.end())
            held->value = std::move(cookie.value);
        else
            cookies_.push_back(std::move(cookie));
    }
}

std::wstring CookieJar::HeaderValueFor(std::wstring_view host) const
{
    const std::wstring lowerHost = AsciiLower(host);
    std::wstring header;
    for (const Cookie& cookie : cookies_) {
        const std::wstring domain = AsciiLower(cookie.domain);
        const bool matches = domain.empty() || domain.find(lowerHost) != std::wstring::npos ||
                             lowerHost.find(domain) != std::wstring::npos;
        if (!matches)
            continue;
        if (!header.empty())
            header += L"; ";
        header += cookie.name + L"=" + cookie.value;
    }
    return header;
}
