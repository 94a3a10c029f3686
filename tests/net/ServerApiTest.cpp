#include "VendorServer.h"

#include <FileDownload.h>
#include <HttpRequestSettings.h>
#include <ServerApi.h>
#include <VendorConfig.h>

#include <gtest/gtest.h>

#include <windows.h>

namespace {

using vendor_server::RequestLog;
using vendor_server::ScopedCatalogue;

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

ServerEndpoint LocalServer()
{
    ServerEndpoint endpoint = CompiledEndpoint();
    endpoint.base = vendor_server::HttpBase();
    return endpoint;
}

std::vector<RuntimeLibEntry> FetchFrom(const ServerEndpoint& endpoint)
{
    std::vector<RuntimeLibEntry> list;
    FetchRuntimeLibList(list, endpoint);
    return list;
}

class ServerApiTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(vendor_server::Running()) << "vendor server not started"; }
};

}  // namespace

TEST(ServerUrls, TemplatesAreFilledInOrderWithoutEncoding)
{
    EXPECT_EQ(FillTemplate(L"a=%s&b=%s", {L"1 2", L"&"}), L"a=1 2&b=&");
    EXPECT_EQ(FillTemplate(L"%s%s%s", {L"x"}), L"x%s%s");
    EXPECT_EQ(FillTemplate(L"100%", {L"x"}), L"100%");
    const ServerEndpoint endpoint{L"http://h.test", L"ch", L"9.9"};
    EXPECT_EQ(RuntimeLibUrl(endpoint), L"http://h.test/zentarium/info/runtimelib?channel=ch&version=9.9");
    EXPECT_EQ(UsageBackhaulUrl(endpoint, L"appstart", L""),
              L"http://h.test/zentarium/behavior/backhaul?id=&action=appstart&channel=ch&version=9.9&key1=");
}

TEST(ServerUrls, CompiledEndpointIsThePlainHttpBaseAndTheFixedVersion)
{
    const ServerEndpoint endpoint = CompiledEndpoint();
    EXPECT_TRUE(endpoint.base.starts_with(L"http://"));
    EXPECT_FALSE(endpoint.base.ends_with(L"/"));
    EXPECT_EQ(endpoint.version, L"1.0.0.2");
}

TEST_F(ServerApiTest, StartReportsArriveAsBareGetsInOrder)
{
    RequestLog log;
    ReportUsageAction(L"page", L"start", LocalServer());
    ReportUsageBackhaul(L"appstart", L"", LocalServer());
    const std::string channel = Narrow(vendor_config::kChannel);
    EXPECT_EQ(log.NewLines(),
              (std::vector<std::string>{
                  "GET /zentarium/behavior/action?mac=&channel=" + channel + "&version=1.0.0.2&main=page&sub=start",
                  "GET /zentarium/behavior/backhaul?id=&action=appstart&channel=" + channel + "&version=1.0.0.2&key1="}));
}

TEST_F(ServerApiTest, FetchedListComesFromTheGzippedCatalogue)
{
    ScopedCatalogue catalogue(R"({"code":200,"data":{"runtimelib":[
        {"name":"VC 2008 x86","type":1,"url":"{base}/packages/vc2008_x86.7z"},
        {"name":"no type","url":"{base}/packages/none.bin"}]}})");
    RequestLog log;
    const auto list = FetchFrom(LocalServer());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].name, L"VC 2008 x86");
    EXPECT_EQ(list[0].type, 1);
    EXPECT_EQ(list[0].url, vendor_server::HttpBase() + L"/packages/vc2008_x86.7z");
    EXPECT_EQ(list[1].type, 0);
    EXPECT_EQ(log.NewLines(), std::vector<std::string>{"GET /zentarium/info/runtimelib?channel=" +
                                                      Narrow(vendor_config::kChannel) + "&version=1.0.0.2"});
}

TEST_F(ServerApiTest, BadRepliesAndAnUnreachableServerLeaveTheListEmpty)
{
    for (const char* reply : {R"({"code":500,"data":{"runtimelib":[{"name":"a","type":1,"url":"u"}]}})",
                              "{\"code\":200,\"data\":", R"({"code":200,"data":{"runtimelib":[]}})"}) {
        ScopedCatalogue catalogue(reply);
        EXPECT_TRUE(FetchFrom(LocalServer()).empty()) << reply;
    }
    ServerEndpoint unreachable = LocalServer();
    unreachable.base = L"http://127.0.0.1:1";
    RequestLog log;
    ULONGLONG start = GetTickCount64();
    EXPECT_TRUE(FetchFrom(unreachable).empty());
    EXPECT_LT(GetTickCount64() - start, static_cast<ULONGLONG>(HttpRequestSettings().overallTimeoutMs));
    start = GetTickCount64();
    ReportUsageAction(L"page", L"start", unreachable);
    ReportUsageBackhaul(L"appstart", L"", unreachable);
    EXPECT_LT(GetTickCount64() - start, 2ull * InternetTimeouts().OpeningLimitMs());
    EXPECT_TRUE(log.NewLines().empty()) << "nothing went to another server instead";
}
