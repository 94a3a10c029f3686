#pragma once

#include <string>
#include <string_view>
#include <vector>

struct Cookie {
    std::wstring name;
    std::wstring value;
    std::wstring domain;  // empty: sent to every host
};

// Cookie text as InternetGetCookieW or a Set-Cookie header gives it: pieces split at ';', leading
// blanks, tabs, CR and LF dropped. A piece holding "domain=" names the domain of every cookie of
// the text; every other non-empty piece is a cookie, "name=value" (no '=': the name alone).
std::vector<Cookie> ParseCookieText(std::wstring_view text);

class CookieJar {
public:
    // A cookie of the same name and domain replaces the one held.
    void Store(std::wstring_view cookieText);
    // "name=value" pairs joined by "; " for the cookies whose domain is empty, or contains the host,
    // or is contained in it (case ignored).
    std::wstring HeaderValueFor(std::wstring_view host) const;
    const std::vector<Cookie>& Cookies() const { return cookies_; }
    void Clear() { cookies_.clear(); }

private:
    std::vector<Cookie> cookies_;
};
