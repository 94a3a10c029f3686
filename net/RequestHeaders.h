#pragma once

#include "HttpRequestSettings.h"

#include <string>
#include <vector>

// The header lines of one request, in the order they are added to it. The cookie line is always
// there, even with no pairs; "Accept-Language:zh-cn" and "Host: " are always there too.
std::vector<std::wstring> BuildRequestHeaders(const HttpRequestSettings& settings, bool post,
                                              const std::wstring& cookiePairs,
                                              const std::wstring& host);
