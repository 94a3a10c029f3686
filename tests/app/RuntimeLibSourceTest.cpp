// The start-up calls off the UI thread and the list the repair works through, against the
// local vendor server.
#include <gtest/gtest.h>
#include <windows.h>

#include <future>
#include <memory>
#include <string>
#include <vector>

#include "RuntimeLibSource.h"
#include "ServerApi.h"
#include "VendorServer.h"
#include "WorkerMessages.h"

namespace {

using app::RuntimeLibSource;

constexpr DWORD kWaitMs = 30000;

constexpr char kThreeEntries[] = R"({"code":200,"data":{"runtimelib":[
    {"name":"VC 2010","type":1,"url":"{base}/packages/a.7z"},
    {"name":"VC 2015","type":7,"url":"{base}/packages/b.exe"},
    {"name":"DirectX","type":14,"url":"{base}/packages/c.7z"}]}})";
constexpr char kEmptyList[] = R"({"code":200,"data":{"runtimelib":[]}})";

ServerEndpoint LocalServer()
{
    ServerEndpoint endpoint = CompiledEndpoint();
    endpoint.base = vendor_server::HttpBase();
    return endpoint;
}

// Stands in for the main window: counts the list-ready messages posted to it.
class ReadyWindow {
public:
    ReadyWindow()
        : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr))
    {
    }
    ~ReadyWindow() { DestroyWindow(window_); }
    ReadyWindow(const ReadyWindow&) = delete;
    ReadyWindow& operator=(const ReadyWindow&) = delete;

    HWND Handle() const { return window_; }

    // Waits for the next list-ready message; false when none came in time.
    bool WaitForReady(DWORD timeoutMs = kWaitMs)
    {
        const ULONGLONG deadline = GetTickCount64() + timeoutMs;
        while (GetTickCount64() < deadline) {
            MSG message = {};
            if (PeekMessageW(&message, window_, workers::kRuntimeLibListReady, workers::kRuntimeLibListReady,
                             PM_REMOVE))
                return true;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_POSTMESSAGE);
        }
        return false;
    }
    bool AnyReady()
    {
        MSG message = {};
        return PeekMessageW(&message, window_, workers::kRuntimeLibListReady, workers::kRuntimeLibListReady,
                            PM_REMOVE) != FALSE;
    }

private:
    HWND window_;
};

size_t RuntimeLibRequests(const std::vector<std::string>& lines)
{
    size_t count = 0;
    for (const std::string& line : lines)
        count += line.find("/zentarium/info/runtimelib?") != std::string::npos ? 1 : 0;
    return count;
}

class RuntimeLibSourceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(vendor_server::Running()) << "vendor server not started"; }

    ReadyWindow window_;
};

TEST_F(RuntimeLibSourceTest, StartupCallsReportTheStartThenFetchTheListAndTellTheWindow)
{
    vendor_server::ScopedCatalogue catalogue(kThreeEntries);
    vendor_server::RequestLog log;
    auto source = std::make_shared<RuntimeLibSource>(LocalServer(), window_.Handle());
    ASSERT_TRUE(source->StartStartupCalls());
    ASSERT_TRUE(window_.WaitForReady());

    const std::vector<RuntimeLibEntry> list = source->Current();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].name, L"VC 2015");
    EXPECT_EQ(list[1].type, 7);
    EXPECT_EQ(list[2].url, vendor_server::HttpBase() + L"/packages/c.7z");

    const std::vector<std::string> lines = log.NewLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(lines[0].find("/zentarium/behavior/action?mac=&"), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find("&main=page&sub=start"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("/zentarium/behavior/backhaul?id=&action=appstart&"), std::string::npos) << lines[1];
    EXPECT_EQ(RuntimeLibRequests({lines[2]}), 1u) << lines[2];
}

TEST_F(RuntimeLibSourceTest, RepairWaitsForTheStartupFetchAndTakesItsListWithoutAnotherRequest)
{
    vendor_server::ScopedCatalogue catalogue(kThreeEntries);
    vendor_server::RequestLog log;
    auto source = std::make_shared<RuntimeLibSource>(LocalServer(), window_.Handle());
    std::future<std::vector<RuntimeLibEntry>> repairList =
        std::async(std::launch::async, [source] { return source->ForRepair(); });
    EXPECT_EQ(repairList.wait_for(std::chrono::milliseconds(500)), std::future_status::timeout)
        << "no list before the start-up fetch has ended";
    ASSERT_TRUE(source->StartStartupCalls());
    ASSERT_EQ(repairList.wait_for(std::chrono::milliseconds(kWaitMs)), std::future_status::ready);
    EXPECT_EQ(repairList.get().size(), 3u);
    EXPECT_TRUE(window_.WaitForReady());
    EXPECT_FALSE(window_.AnyReady());
    EXPECT_EQ(RuntimeLibRequests(log.NewLines()), 1u);
}

TEST_F(RuntimeLibSourceTest, EmptyStartupListIsFetchedOnceMoreForTheRepair)
{
    std::shared_ptr<RuntimeLibSource> source;
    {
        vendor_server::ScopedCatalogue empty(kEmptyList);
        source = std::make_shared<RuntimeLibSource>(LocalServer(), window_.Handle());
        ASSERT_TRUE(source->StartStartupCalls());
        ASSERT_TRUE(window_.WaitForReady());
        EXPECT_TRUE(source->Current().empty());
    }
    // The server has its list now, as after an outage at start.
    vendor_server::ScopedCatalogue catalogue(kThreeEntries);
    vendor_server::RequestLog log;
    EXPECT_EQ(source->ForRepair().size(), 3u);
    EXPECT_EQ(RuntimeLibRequests(log.NewLines()), 1u);
    EXPECT_TRUE(window_.WaitForReady()) << "the window gets the rows before the repair reports any";
    EXPECT_EQ(source->Current().size(), 3u);
}

TEST_F(RuntimeLibSourceTest, ServerAwayAtStartAndAtTheRepairGivesAnEmptyList)
{
    ServerEndpoint away = LocalServer();
    // Nothing listens there: every connection is refused.
    away.base = L"http://127.0.0.1:1";
    auto source = std::make_shared<RuntimeLibSource>(away, window_.Handle());
    ASSERT_TRUE(source->StartStartupCalls());
    ASSERT_TRUE(window_.WaitForReady());
    EXPECT_TRUE(source->ForRepair().empty());
    EXPECT_FALSE(window_.AnyReady()) << "nothing new to show";
}

}  // namespace
