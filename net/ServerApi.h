#pragma once

#include "RuntimeLibEntry.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// Where the server calls go. The product always uses CompiledEndpoint(); tests point a call at
// the local vendor server they started.
struct ServerEndpoint {
    std::wstring base;     // "http://host[:port]", no trailing slash
    std::wstring channel;
    std::wstring version;
};

ServerEndpoint CompiledEndpoint();

// Each "%s" of the pattern replaced by the next value, inserted as it is (no URL encoding).
std::wstring FillTemplate(std::wstring_view pattern, std::initializer_list<std::wstring_view> values);

std::wstring RuntimeLibUrl(const ServerEndpoint& endpoint);
std::wstring UsageActionUrl(const ServerEndpoint& endpoint, std::wstring_view main,
                            std::wstring_view sub);
std::wstring UsageBackhaulUrl(const ServerEndpoint& endpoint, std::wstring_view action,
                              std::wstring_view key1);

// Usage reports: the reply is not read and a failure changes nothing. Each ends within PingUrl's
// time-outs.
void ReportUsageAction(std::wstring_view main, std::wstring_view sub,
                       const ServerEndpoint& endpoint = CompiledEndpoint());
void ReportUsageBackhaul(std::wstring_view action, std::wstring_view key1,
                         const ServerEndpoint& endpoint = CompiledEndpoint());

// Appends the server's runtime-library list; leaves the list as it was when the server cannot
// be reached, its reply is not a success reply or memory runs out. Ends within NqWinHttp's
// default time-outs.
void FetchRuntimeLibList(std::vector<RuntimeLibEntry>& list,
                         const ServerEndpoint& endpoint = CompiledEndpoint());
