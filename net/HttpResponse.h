#pragma once

#include <cstdint>
#include <string>
#include <vector>

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
