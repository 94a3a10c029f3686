#pragma once

#include <string>

// The cookies the system holds for the URL ("a=1; b=2"), empty when it has none.
std::wstring SystemCookiesFor(const std::wstring& url);
