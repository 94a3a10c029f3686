// Memory that runs out inside the network engine: every allocation of a call fails in turn, and
// each time the call must end in its ordinary failure instead of letting std::bad_alloc out.
#include "VendorServer.h"

#include <AllocationFailure.h>
#include <BodyDecoder.h>
#include <FileDownload.h>
#include <NqWinHttp.h>
#include <RuntimeLibReply.h>
#include <ServerApi.h>
#include <TestPaths.h>

#include <gtest/gtest.h>

#include <optional>

namespace {

using allocation_failure::FailEachAllocationInTurn;
using allocation_failure::Threads;

const std::string kReply = R"({"code":200,"data":{"runtimelib":[
    {"name":"\u8fd0\u884c\u5e93 2008","type":1,"url":"http://h.test/packages/vc2008_x86.7z"},
    {"name":"VC 2010","type":13,"url":"http://h.test/packages/vc2010.7z"}]}})";

const auto kNothing = [] {};

TEST(AllocationFailure, ReplyParserFillsTheListWholeOrLeavesItAsItWas)
{
    const RuntimeLibEntry held{L"held", 3, L"http://h.test/held.exe", {}};
    std::vector<RuntimeLibEntry> list;
    bool parsed = false;
    const int runs = FailEachAllocationInTurn([&] { list = {held}; },
                                              [&] { parsed = ParseRuntimeLibReply(kReply, list); },
                                              [&] {
                                                  ASSERT_EQ(list.size(), parsed ? 3u : 1u);
                                                  EXPECT_EQ(list[0].url, held.url);
                                                  if (parsed) {
                                                      EXPECT_EQ(list[1].name, L"运行库 2008");
                                                      EXPECT_EQ(list[2].type, 13);
                                                  }
                                              });
    EXPECT_GT(runs, 10);
}

TEST(AllocationFailure, NarrowTextCopyGivesEmptyText)
{
    const std::string utf8(5000, 'a');
    const std::vector<uint8_t> body(utf8.begin(), utf8.end());
    std::string text;
    const int runs = FailEachAllocationInTurn(kNothing, [&] { text = NarrowTextUpToZero(body); },
                                              [&] { EXPECT_TRUE(text.empty() || text == utf8); });
    EXPECT_EQ(runs, 1);
}

class NetAllocationFailure : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(vendor_server::Running()) << "vendor server not started"; }
};

TEST_F(NetAllocationFailure, RequestAndBodyEndInFailureNotAnException)
{
    std::optional<NqWinHttp> client;
    std::wstring url;
    bool complete = false;
    std::string body;
    const int runs = FailEachAllocationInTurn(
        [&] {
            client.emplace();
            url = vendor_server::HttpBase() + L"/test/encoded?encoding=gzip&text=hello-&repeat=40";
        },
        [&] {
            complete = client->Request(client->StopEvent(), std::move(url), std::wstring());
            body = client->BodyAsNarrowString();
        },
        [&] {
            // Whatever failed, a body that came out is the whole decoded one.
            if (complete && !body.empty() && body[0] == 'h') {
                EXPECT_EQ(body.size(), 240u);
            }
        });
    EXPECT_GT(runs, 20);
}

TEST_F(NetAllocationFailure, FetchingTheListFillsItWholeOrNotAtAll)
{
    ServerEndpoint endpoint = CompiledEndpoint();
    endpoint.base = vendor_server::HttpBase();
    vendor_server::ScopedCatalogue catalogue(kReply);
    std::vector<RuntimeLibEntry> list;
    FailEachAllocationInTurn([&] { list.clear(); },
                             [&] {
                                 FetchRuntimeLibList(list, endpoint);
                                 ReportUsageAction(L"page", L"start", endpoint);
                             },
                             [&] { EXPECT_TRUE(list.empty() || list.size() == 2u); });
}

TEST_F(NetAllocationFailure, DownloadAndPingFailQuietlyOnEitherThread)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path = std::wstring(temp) + L"zentarium-download-allocation.bin";
    const std::wstring url = vendor_server::HttpBase() + L"/test/bytes?n=9000";
    bool complete = false;
    for (Threads threads : {Threads::Calling, Threads::Others}) {
        FailEachAllocationInTurn(
            [&] { DeleteFileW(path.c_str()); },
            [&] {
                complete = DownloadToFile(url, path);
                PingUrl(url);
            },
            [&] {
                if (complete) {
                    EXPECT_EQ(testing_paths::ReadFileBytes(path).size(), 9000u);
                }
            },
            threads);
    }
    DeleteFileW(path.c_str());
}

}  // namespace
