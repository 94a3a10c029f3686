#include "ServerApi.h"

#include "FileDownload.h"
#include "NqWinHttp.h"
#include "RuntimeLibReply.h"
#include "VendorConfig.h"

#include <new>

namespace {

// Sent empty: the program identifies no machine.
constexpr std::wstring_view kMac = L"";
constexpr std::wstring_view kId = L"";

}  // namespace

ServerEndpoint CompiledEndpoint()
{
    return {vendor_config::kServerBase, vendor_config::kChannel, vendor_config::kClientVersion};
}

std::wstring FillTemplate(std::wstring_view pattern, std::initializer_list<std::wstring_view> values)
{
    std::wstring text;
    const std::wstring_view* next = values.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] == L's' &&
            next != values.end()) {
            text += *next++;
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

std::wstring RuntimeLibUrl(const ServerEndpoint& endpoint)
{
    return endpoint.base + FillTemplate(L"/zentarium/info/runtimelib?channel=%s&version=%s",
                                        {endpoint.channel, endpoint.version});
}

std::wstring UsageActionUrl(const ServerEndpoint& endpoint, std::wstring_view main,
                            std::wstring_view sub)
{
    return endpoint.base +
           FillTemplate(L"/zentarium/behavior/action?mac=%s&channel=%s&version=%s&main=%s&sub=%s",
                        {kMac, endpoint.channel, endpoint.version, main, sub});
}

std::wstring UsageBackhaulUrl(const ServerEndpoint& endpoint, std::wstring_view action,
                              std::wstring_view key1)
{
    return endpoint.base +
           FillTemplate(
               L"/zentarium/behavior/backhaul?id=%s&action=%s&channel=%s&version=%s&key1=%s",
               {kId, action, endpoint.channel, endpoint.version, key1});
}

void ReportUsageAction(std::wstring_view main, std::wstring_view sub,
                       const ServerEndpoint& endpoint)
{
    try {
        PingUrl(UsageActionUrl(endpoint, main, sub));
    } catch (const std::bad_alloc&) {
        // The report is lost, as when the server cannot be reached.
    }
}

void ReportUsageBackhaul(std::wstring_view action, std::wstring_view key1,
                         const ServerEndpoint& endpoint)
{
    try {
        PingUrl(UsageBackhaulUrl(endpoint, action, key1));
    } catch (const std::bad_alloc&) {
        // The report is lost, as when the server cannot be reached.
    }
}

void FetchRuntimeLibList(std::vector<RuntimeLibEntry>& list, const ServerEndpoint& endpoint)
{
    try {
        NqWinHttp client;
        if (!client.Request(client.StopEvent(), RuntimeLibUrl(endpoint), std::wstring()))
            return;
        ParseRuntimeLibReply(client.BodyAsNarrowString(), list);
    } catch (const std::bad_alloc&) {
        // The list stays as it was, as when the server cannot be reached.
    }
}
