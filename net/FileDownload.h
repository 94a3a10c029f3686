#pragma once

#include <string>

// Fetches the URL into the file (created with its folder, overwritten if present) over WinINet.
// True only when the whole reply arrived with status 200; a failed download leaves what it wrote.
bool DownloadToFile(const std::wstring& url, const std::wstring& localPath);

// Opens the URL and closes it without reading the reply; true when it could be opened.
bool PingUrl(const std::wstring& url);
