#pragma once

#include <string>

// What a request sends; an empty text leaves its header out.
struct HttpRequestSettings {
    std::wstring referer;
    std::wstring extraHeaders;  // added as given, to the next call only
    std::wstring userAgent =
        L"Mozilla/5.0 (Windows NT 5.1) AppleWebKit/537.31 (KHTML, like Gecko) "
        L"Chrome/26.0.1410.64 Safari/537.31";
    std::wstring accept = L"text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";
    std::wstring connection = L"Keep-Alive";
    std::wstring acceptEncoding = L"gzip,deflate";
    std::wstring authorization;
    std::wstring formBoundary;  // empty: the POST body is form-urlencoded
    bool followRedirects = true;
    bool headersOnly = false;
    // Milliseconds; 0 or below keeps WinHTTP's own value. The receive time-out bounds the wait
    // for the reply's headers and for each piece of its body.
    int connectTimeoutMs = 10000;
    int receiveTimeoutMs = 10000;
    int sendTimeoutMs = 10000;
    // The whole call, retries and follow-ups included; 0 or below: no limit. A call ends at the
    // latest one receive time-out after it: a read under way is not cut short.
    int overallTimeoutMs = 30000;
};
