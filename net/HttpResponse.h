#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A reply body may be at most this long (16 MiB) as received; a longer or endless one fails the
// attempt instead of growing until memory runs out.
inline constexpr size_t kMaxReplyBody = size_t{16} << 20;

// The reply of the last attempt; reset when an attempt starts.
struct HttpResponse {
    int32_t statusCode = 0;
    std::vector<uint8_t> body;
    uint32_t contentLength = 0;  // 0 when the server sent none
    std::wstring contentType;
    std::wstring contentEncoding;
    std::wstring rawResponseHeaders;
    std::wstring rawRequestHeaders;
    std::wstring setCookie;  // every Set-Cookie header, one per line
    std::wstring location;   // of a 302 reply
    bool decoded = false;    // body already inflated as Content-Encoding says
};
