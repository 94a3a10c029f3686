#pragma once

#include <cstdint>
#include <string>

// How long the WinINet operations may wait. Each call ends within its limits, whoever is on the
// other end: opening a URL (every connection attempt, sending, every redirect and the reply's
// headers) within OpeningLimitMs, and every piece of a download within receiveMs of the last.
struct InternetTimeouts {
    uint32_t connectMs = 2000;
    uint32_t connectRetries = 3;
    uint32_t sendMs = 10000;
    uint32_t receiveMs = 10000;

    uint32_t OpeningLimitMs() const { return connectMs * (connectRetries + 1) + sendMs + receiveMs; }
};

// At most this many redirects are followed; the next one fails the call.
inline constexpr int kMaxRedirects = 10;

// Fetches the URL into the file (created with its folder, overwritten if present) over WinINet,
// without a copy in WinINet's cache. True only when the whole reply arrived with status 200; a
// failed download leaves what it wrote. A slow download succeeds as long as data keeps coming.
bool DownloadToFile(const std::wstring& url, const std::wstring& localPath, const InternetTimeouts& timeouts = {});

// Opens the URL and closes it without reading the reply; true when it could be opened in time.
bool PingUrl(const std::wstring& url, const InternetTimeouts& timeouts = {});
