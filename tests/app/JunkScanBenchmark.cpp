// The real junk walk over a real folder tree, on a worker thread posting into the real update
// queue, drained by a real 50 ms timer into the skin's real junk list (123) and entry (119), as
// the main window does. Prints the UI thread's CPU time per file, the drains' own time per file
// and the bytes one queued finding costs (everything posted before any drain, private bytes).
// Goal: <= 1 us of UI-thread time per file.
//   JunkScanBenchmark.exe --tree Z:\path --files N [--profile]
// The tree holds folders of 1000 files each (tools/benchmark.sh junkscan makes it once); N files
// are the first N/1000 folders, each walked as the scan walks a listed folder, all under one
// group. --profile times the list's AddFinding and the entry's SetCount apart from the rest.

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "AppNotify.h"
#include "BenchmarkTiming.h"
#include "CheckResult.h"
#include "ExeModule.h"
#include "JunkScan.h"
#include "LeftOption.h"
#include "ScanPageWindow.h"
#include "WorkerMessages.h"
#include "ScanCategories.h"
#include "UpdateQueue.h"
#include "VxLoadResource.h"

using namespace VXM;

namespace {

constexpr int kFilesPerFolder = 1000;
constexpr double kGoalMicroseconds = 1.0;

double ThreadCpuSeconds()
{
    FILETIME created = {}, exited = {}, kernel = {}, user = {};
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto value = [](const FILETIME& time) {
        return static_cast<double>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    };
    return (value(kernel) + value(user)) / 1e7;
}

double PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<double>(counters.PagefileUsage);
}

// Time spent inside the list and the entry, when profiling.
struct Spent {
    double addFinding = 0;
    double setCount = 0;
};

class TimedList : public scan::IResultList {
public:
    TimedList(scan::IResultList& list, Spent& spent) : list_(list), spent_(spent) {}
    void AddFinding(std::wstring_view group, std::wstring_view description, int rowStyle, std::wstring_view detail,
                    std::wstring_view extra) override
    {
        const double start = benchmark_timing::Now();
        list_.AddFinding(group, description, rowStyle, detail, extra);
        spent_.addFinding += benchmark_timing::Now() - start;
    }
    void AddNote(std::wstring_view text) override { list_.AddNote(text); }
    int TotalCount() override { return list_.TotalCount(); }

private:
    scan::IResultList& list_;  // not owned
    Spent& spent_;             // not owned
};

class TimedEntry : public scan::ICategoryEntry {
public:
    TimedEntry(scan::ICategoryEntry& entry, Spent& spent) : entry_(entry), spent_(spent) {}
    void SetCount(int count) override
    {
        const double start = benchmark_timing::Now();
        entry_.SetCount(count);
        spent_.setCount += benchmark_timing::Now() - start;
    }

private:
    scan::ICategoryEntry& entry_;  // not owned
    Spent& spent_;                 // not owned
};

// Index of the junk files in scan::kScanOrder.
constexpr int kJunk = 2;
static_assert(scan::kScanOrder[kJunk].list == scan::kJunkFiles.list);

// The scan page with the junk list shown and the drains' time summed.
class JunkWindow : public ScanPageWindow {
public:
    const wchar_t* GetWindowClassName() const override { return L"ZentariumJunkScanBenchmark_WND_CLASS"; }

    void Notify(VxNotify& notify) override
    {
        if (notify.type == kNotifyWindowInit)
            ShowScanPage(kJunk);
    }

    double drainSeconds = 0;
    int ticks = 0;

private:
    bool Drain(bool all) override
    {
        const double start = benchmark_timing::Now();
        const bool done = ScanPageWindow::Drain(all);
        drainSeconds += benchmark_timing::Now() - start;
        ++ticks;
        return done;
    }
};

void WalkFolders(const std::wstring& tree, int folders, const scan::CheckTarget& target, scan::UpdateQueue& queue)
{
    for (int i = 0; i < folders; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"\\folder%04d", i);
        scan::WalkJunkFolder(tree + name, tree, target, 0, queue);
    }
}

struct QueuedBytes {
    double privateBytes = 0;  // the process's growth, allocator included
    double queue = 0;         // the queue's own records and texts
};

// Everything posted before any drain: what the queue holds per finding at its peak.
QueuedBytes QueuedBytesPerFinding(const std::wstring& tree, int folders, const scan::CheckTarget& target)
{
    const double before = PrivateBytes();
    auto queue = std::make_unique<scan::UpdateQueue>();
    WalkFolders(tree, folders, target, *queue);
    const auto findings = static_cast<double>(queue->PendingCount());
    if (findings == 0)
        return {};
    return {(PrivateBytes() - before) / findings, static_cast<double>(queue->PendingBytes()) / findings};
}

struct Options {
    std::wstring tree;
    int files = 10000;
    bool profile = false;
};

int Run(const Options& options)
{
    ExeModule exe;
    if (!exe.Get()) {
        std::printf("Zentarium.exe not found beside the benchmark\n");
        return 1;
    }
    VxLoadResource::Instance().SetResourceInstance(exe.Get());
    auto window = std::make_unique<JunkWindow>();
    if (!window->VxCreate(nullptr, L"DLL错误修复工具", WS_POPUP | WS_VISIBLE, 0, 0, 0, 1100, 824))
        return 1;
    PumpFor(300);
    const int folders = std::max(1, options.files / kFilesPerFolder);
    Spent spent;
    TimedList timedList(*window->List(kJunk), spent);
    TimedEntry timedEntry(*window->Entry(kJunk), spent);
    const scan::CheckTarget target =
        options.profile ? scan::CheckTarget{&timedList, &timedEntry} : scan::CheckTarget{window->List(kJunk), window->Entry(kJunk)};

    const QueuedBytes queuedBytes = QueuedBytesPerFinding(options.tree, folders, target);
    const HWND handle = window->GetHWND();
    window->StartTimer();
    const double cpuStart = ThreadCpuSeconds();
    const double start = benchmark_timing::Now();
    std::thread worker([&] {
        WalkFolders(options.tree, folders, target, window->queue);
        PostMessageW(handle, workers::kScanFinished, 0, 0);
    });
    RunLoopUntil(window->finished);
    UpdateWindow(handle);
    const double cpu = ThreadCpuSeconds() - cpuStart;
    const double elapsed = benchmark_timing::Now() - start;
    worker.join();

    const int files = window->List(kJunk)->TotalCount();
    const double perFile = files ? cpu * 1e6 / files : 0.0;
    std::printf("junk scan of %d files (%d folders): %d in the list, %d ticks, scan %.0f ms\n", folders * kFilesPerFolder,
                folders, files, window->ticks, elapsed * 1000.0);
    std::printf("UI thread CPU        : %8.1f ms, %6.2f us per file   goal <= %.1f us\n", cpu * 1000.0, perFile,
                kGoalMicroseconds);
    std::printf("drains (wall)        : %8.1f ms, %6.2f us per file\n", window->drainSeconds * 1000.0,
                files ? window->drainSeconds * 1e6 / files : 0.0);
    std::printf("queued per finding   : %8.0f bytes private, %.0f in the queue's records and texts (all posted "
                "before a drain)\n",
                queuedBytes.privateBytes, queuedBytes.queue);
    if (options.profile && files)
        std::printf("of the drains: AddFinding %.2f us, SetCount %.2f us, the queue %.2f us per file\n",
                    spent.addFinding * 1e6 / files, spent.setCount * 1e6 / files,
                    (window->drainSeconds - spent.addFinding - spent.setCount) * 1e6 / files);
    std::fflush(stdout);
    DestroyWindow(handle);
    VxLoadResource::Instance().SetResourceInstance(nullptr);
    return files == folders * kFilesPerFolder ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (argument == L"--tree" && i + 1 < argc)
            options.tree = argv[++i];
        else if (argument == L"--files" && i + 1 < argc)
            options.files = std::max(1, _wtoi(argv[++i]));
        else if (argument == L"--profile")
            options.profile = true;
    }
    if (options.tree.empty()) {
        std::printf("usage: JunkScanBenchmark.exe --tree FOLDER --files N [--profile]\n");
        return 2;
    }
    return Run(options);
}
