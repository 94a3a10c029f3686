#include "ScanJob.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ModelResultList.h"
#include "SharedDllsValues.h"
#include "WorkerMessages.h"
#include "WorkerThread.h"

namespace {

using scan_testing::ModelCategoryEntry;
using scan_testing::ModelResultList;

constexpr UINT kCheckStarted = WM_APP + 1;  // wParam: index of the check in scan order

// A message-only window on the test thread stands in for the main window.
class MessageWindow {
public:
    MessageWindow()
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"ScanJobTestWindow";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, L"ScanJobTestWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    }
    ~MessageWindow() { DestroyWindow(window_); }
    HWND Get() const { return window_; }

private:
    HWND window_ = nullptr;
};

class TestHost : public scan::IScanHost {
public:
    explicit TestHost(HWND window, bool withControls = true) : window_(window), withControls_(withControls) {}

    HWND ScanWindow() override { return window_; }
    scan::IResultList* FindList(int listId) override
    {
        return withControls_ && listId >= 121 && listId <= 124 ? &lists[listId - 121] : nullptr;
    }
    scan::ICategoryEntry* FindEntry(int entryId) override
    {
        return withControls_ && entryId >= 117 && entryId <= 120 ? &entries[entryId - 117] : nullptr;
    }
    scan::UpdateQueue& Updates() override { return queue; }
    const std::atomic<uint32_t>& LastRepairTime() override { return lastRepairTime; }

    std::array<ModelResultList, 4> lists;
    std::array<ModelCategoryEntry, 4> entries;
    scan::UpdateQueue queue;
    std::atomic<uint32_t> lastRepairTime{0};

private:
    HWND window_;
    bool withControls_;
};

struct ScanRun {
    bool started = false;
    std::vector<std::wstring> seen;  // the messages, in order
    std::optional<DWORD> exit;       // the worker's exit code
};

// Runs the job on a worker and handles what the main window would: drains on every message it
// gets, like the timer does, until the worker has ended and the queue is empty.
ScanRun RunScan(TestHost& host, scan::ScanJob& job)
{
    ScanRun run;
    base::WorkerThread worker;
    run.started = worker.Start([&job] { job.Run(); });
    if (!run.started)
        return run;
    DWORD deadline = GetTickCount() + 60000;
    bool ended = false;
    while (!ended && GetTickCount() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLPOSTMESSAGE);
        ended = !worker.Running();
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == kCheckStarted)
                run.seen.push_back(L"check " + std::to_wstring(message.wParam));
            else if (message.message == workers::kShowCategoryRequest)
                run.seen.push_back(L"show " + std::to_wstring(message.wParam));
            else if (message.message == workers::kScanFinished)
                run.seen.push_back(L"finished");
            host.queue.Drain();
        }
    }
    run.exit = worker.Wait();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == workers::kScanFinished)
            run.seen.push_back(L"finished");
    }
    host.queue.Drain();
    return run;
}

// The texts are views of the arguments, which live until the post that takes them.
scan::ScanUpdate Finding(const scan::CheckTarget& target, int kind, std::wstring_view group, std::wstring_view detail,
                         bool withEntry = true)
{
    return {target.list, withEntry ? target.entry : nullptr, kind, group, {}, detail};
}

// Checks that announce themselves to the window and post recognisable updates.
struct RecordingChecks {
    HWND window = nullptr;
    std::array<uint32_t, 4> thresholds{};
    bool junkThrows = false;

    scan::ScanChecks Make()
    {
        scan::ScanChecks checks;
        checks.eventLog = [this](const wchar_t* log, const scan::CheckTarget& target, uint32_t threshold,
                                 scan::UpdateQueue& queue) {
            int index = std::wstring(log) == L"Application" ? 0 : 1;
            PostMessageW(window, kCheckStarted, index, 0);
            thresholds[index] = threshold;
            queue.Post(Finding(target, scan::kEventFinding, log, L"first\n"));
            queue.Post(Finding(target, scan::kEventFinding, log, L"second\n"));
        };
        checks.junkFiles = [this](const scan::CheckTarget& target, uint32_t threshold, scan::UpdateQueue& queue) {
            PostMessageW(window, kCheckStarted, 2, 0);
            thresholds[2] = threshold;
            queue.Post(Finding(target, scan::kJunkFile, L"C:\\Temp\\", L"C:\\Temp\\a.log"));
            if (junkThrows)
                throw std::runtime_error("walk failed");
            queue.Post(Finding(target, scan::kJunkFile, L"C:\\Temp\\", L"C:\\Temp\\b.log"));
        };
        checks.systemDlls = [this](const scan::CheckTarget& target, uint32_t threshold, scan::UpdateQueue& queue) {
            PostMessageW(window, kCheckStarted, 3, 0);
            thresholds[3] = threshold;
            queue.Post(Finding(target, scan::kDllEntry, L"kernel32.dll", L"", false));
            queue.Post(Finding(target, scan::kDllEntry, L"msvcp140.dll", L""));
        };
        return checks;
    }
};

TEST(ScanJob, RunsTheChecksInOrderShowingEachCategoryFirstAndFinishesOnce)
{
    MessageWindow window;
    ASSERT_NE(window.Get(), nullptr);
    TestHost host(window.Get());
    host.lastRepairTime = 1234;
    RecordingChecks checks{window.Get()};
    scan::ScanJob job(host, checks.Make());
    const ScanRun run = RunScan(host, job);
    ASSERT_TRUE(run.started);

    std::vector<std::wstring> expected = {L"check 0", L"show 118", L"check 1", L"show 119",
                                          L"check 2", L"show 120", L"check 3", L"finished"};
    EXPECT_EQ(run.seen, expected);
    EXPECT_EQ(run.exit, std::optional<DWORD>(0));
    EXPECT_EQ(checks.thresholds, (std::array<uint32_t, 4>{1234, 1234, 1234, 1234}));

    EXPECT_EQ(host.lists[0].log, (std::vector<std::wstring>{L"finding|Application||0|first\n|",
                                                              L"finding|Application||0|second\n|"}));
    EXPECT_EQ(host.lists[1].log, (std::vector<std::wstring>{L"finding|System||0|first\n|",
                                                              L"finding|System||0|second\n|"}));
    EXPECT_EQ(host.lists[2].log, (std::vector<std::wstring>{L"finding|C:\\Temp\\||2|C:\\Temp\\a.log|",
                                                              L"finding|C:\\Temp\\||2|C:\\Temp\\b.log|"}));
    EXPECT_EQ(host.lists[3].log, (std::vector<std::wstring>{L"note|文件正常 kernel32.dll",
                                                              L"note|文件正常 msvcp140.dll",
                                                              L"finding|msvcp140.dll||3||"}));
    EXPECT_EQ((std::array<int, 4>{host.entries[0].count, host.entries[1].count, host.entries[2].count,
                                  host.entries[3].count}),
              (std::array<int, 4>{2, 2, 2, 1}));
    EXPECT_EQ(scan::TotalFindings(job.Targets()), 7);
}

TEST(ScanJob, EachCheckReadsTheRepairTimeAsItIsWhenTheCheckStarts)
{
    MessageWindow window;
    TestHost host(window.Get());
    RecordingChecks checks{window.Get()};
    scan::ScanChecks made = checks.Make();
    auto junk = made.junkFiles;
    made.junkFiles = [&host, junk](const scan::CheckTarget& target, uint32_t threshold, scan::UpdateQueue& queue) {
        junk(target, threshold, queue);
        host.lastRepairTime = 1700000000;  // a repair ended on the UI thread meanwhile
    };
    scan::ScanJob job(host, made);
    const ScanRun run = RunScan(host, job);
    ASSERT_TRUE(run.started);
    EXPECT_EQ(checks.thresholds, (std::array<uint32_t, 4>{0, 0, 0, 1700000000}));
}

TEST(ScanJob, ACheckThatThrowsEndsTheWorkerWithCodeOneAndNoScanFinished)
{
    MessageWindow window;
    TestHost host(window.Get());
    RecordingChecks checks{window.Get()};
    checks.junkThrows = true;
    scan::ScanJob job(host, checks.Make());
    const ScanRun run = RunScan(host, job);
    ASSERT_TRUE(run.started);

    EXPECT_EQ(run.exit, std::optional<DWORD>(1));
    EXPECT_EQ(run.seen, (std::vector<std::wstring>{L"check 0", L"show 118", L"check 1", L"show 119", L"check 2"}));
    // What was queued before the failure still reaches the list.
    EXPECT_EQ(host.lists[2].log.size(), 1u);
    EXPECT_TRUE(host.lists[3].log.empty());
}

TEST(ScanJob, WithoutControlsTheScanStillEndsAndChangesNothing)
{
    MessageWindow window;
    TestHost host(window.Get(), false);
    RecordingChecks checks{window.Get()};
    scan::ScanJob job(host, checks.Make());
    const ScanRun run = RunScan(host, job);
    ASSERT_TRUE(run.started);
    ASSERT_FALSE(run.seen.empty());
    EXPECT_EQ(run.seen.back(), L"finished");
    for (const ModelResultList& list : host.lists)
        EXPECT_TRUE(list.log.empty());
    EXPECT_EQ(scan::TotalFindings(job.Targets()), 0);
}

TEST(ScanJob, TheRealChecksRunToScanFinishedWithTheRegisteredDlls)
{
    scan_testing::SharedDllsValues values(KEY_WOW64_64KEY);
    ASSERT_TRUE(values.Add(L"C:\\Windows\\System32\\vcruntime140.dll"));
    MessageWindow window;
    TestHost host(window.Get());
    scan::ScanJob job(host);
    const ScanRun run = RunScan(host, job);
    ASSERT_TRUE(run.started);
    EXPECT_EQ(run.exit, std::optional<DWORD>(0));
    EXPECT_EQ(run.seen, (std::vector<std::wstring>{L"show 118", L"show 119", L"show 120", L"finished"}));
    const std::vector<std::wstring>& notes = host.lists[3].notes;
    EXPECT_NE(std::find(notes.begin(), notes.end(), L"文件正常 vcruntime140.dll"), notes.end());
    EXPECT_GE(host.entries[3].count, 1);
}

}  // namespace
