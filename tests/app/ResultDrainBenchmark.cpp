// Findings drained into the real result lists of the embedded skin's "Main" window: a real
// window and paint manager, a real 50 ms timer (id 1001) whose every tick drains the engine's
// update queue as the main window does, and a worker thread that posts the findings category by
// category, asking for each category to be shown first, and ends with ScanFinished.
// Prints the total drain time, the longest tick (its drain plus the paint that follows it), the
// working set afterwards, the private bytes each group (row) costs and the row controls alive.
// Goals: total drain <= 200 ms, longest tick <= 50 ms, working set <= 150 MB.
//   ResultDrainBenchmark.exe                 distinct at 10k/100k/200k, realistic at 10k/100k/1M,
//                                            each in a process of its own
//   ResultDrainBenchmark.exe --mix realistic|distinct [--findings N] [--burst] [--hold S]
// realistic: most findings are junk files under a few dozen folders and crash events under a
// few hundred applications; distinct: every finding its own group (the worst case). --burst
// queues everything before the first tick; --hold keeps the window up S seconds at the end.

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "AppNotify.h"
#include "BenchmarkTiming.h"
#include "CheckResult.h"
#include "CheckResultItem.h"
#include "ExeModule.h"
#include "FindingMix.h"
#include "FindingRow.h"
#include "LeftOption.h"
#include "ScanPageWindow.h"
#include "ScanCategories.h"
#include "UpdateQueue.h"
#include "VxLoadResource.h"
#include "WorkerMessages.h"

using namespace VXM;
using finding_mix::Finding;

namespace {

constexpr double kDrainGoal = 200.0;
constexpr double kTickGoal = 50.0;
constexpr double kMemoryGoal = 150.0;

double Milliseconds()
{
    return 1000.0 * benchmark_timing::Now();
}

struct Memory {
    double workingSet = 0;  // MB
    double privateBytes = 0;
};

Memory MemoryNow()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    constexpr double kMegabyte = 1024.0 * 1024.0;
    return {static_cast<double>(counters.WorkingSetSize) / kMegabyte,
            static_cast<double>(counters.PagefileUsage) / kMegabyte};
}

struct Tick {
    double drain = 0;
    double paint = 0;  // of the paint that followed the drain
    size_t pending = 0;
    bool last = false;  // the drain on ScanFinished
};

// The scan page, with each drain and the paint that follows it timed.
class DrainWindow : public ScanPageWindow {
public:
    const wchar_t* GetWindowClassName() const override { return L"ZentariumDrainBenchmark_WND_CLASS"; }

    void Notify(VxNotify& notify) override
    {
        if (notify.type != kNotifyWindowInit)
            return;
        ShowScanPage(0);
        for (int i = 0; i < scan::kCategoryCount; ++i)
            Entry(i)->SetTitle(L"分类" + std::to_wstring(i + 1));
    }

    LRESULT VxHandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_PAINT: {
            const double start = Milliseconds();
            const LRESULT result = ScanPageWindow::VxHandleMessage(message, wParam, lParam);
            if (!ticks.empty() && !painted_) {
                ticks.back().paint = Milliseconds() - start;
                painted_ = true;
            }
            return result;
        }
        case workers::kShowCategoryRequest:
            ShowCategory(static_cast<int>(wParam));
            return 0;
        default:
            return ScanPageWindow::VxHandleMessage(message, wParam, lParam);
        }
    }

    std::vector<Tick> ticks;

private:
    bool Drain(bool all) override
    {
        const size_t pending = queue.PendingCount();
        const double start = Milliseconds();
        const bool hadLeft = left_;
        left_ = !ScanPageWindow::Drain(all);
        if (pending != 0 || hadLeft) {
            ticks.push_back({Milliseconds() - start, 0, pending, all});
            painted_ = false;
        }
        return !left_;
    }

    void ShowCategory(int entryId)
    {
        for (int i = 0; i < scan::kCategoryCount; ++i) {
            List(i)->SetVisible(scan::kScanOrder[i].entry == entryId);
            Entry(i)->SetSelected(scan::kScanOrder[i].entry == entryId);
        }
        paintManager_.NeedUpdate();
        paintManager_.Invalidate();
    }

    bool painted_ = true;
    bool left_ = false;  // the last tick left findings for the next
};

using Targets = std::array<scan::CheckTarget, scan::kCategoryCount>;

// Looked up on the UI thread before the worker starts, as the scan job does.
Targets TargetsOf(const DrainWindow& window)
{
    Targets targets;
    for (int i = 0; i < scan::kCategoryCount; ++i)
        targets[i] = {window.List(i), window.Entry(i)};
    return targets;
}

// Posts the findings as the scan worker does; with a pace, `perMillisecond` of them per
// millisecond.
void PostFindings(HWND window, scan::UpdateQueue& queue, const Targets& targets, const std::vector<Finding>& findings,
                  int perMillisecond)
{
    int category = 0;
    int sincePause = 0;
    for (const Finding& finding : findings) {
        while (category < finding.category)
            PostMessageW(window, workers::kShowCategoryRequest, scan::kScanOrder[++category].entry, 0);
        queue.Post(finding_mix::ToUpdate(finding, targets[finding.category]));
        if (perMillisecond > 0 && ++sincePause == perMillisecond) {
            sincePause = 0;
            Sleep(1);
        }
    }
}

struct Options {
    std::wstring mix;
    int findings = 50000;
    bool burst = false;
    int holdSeconds = 0;
};

VxControl* FindNothing(VxControl*, void*)
{
    return nullptr;
}

// Where a tick's time goes with the lists as they are now: the relayout of the longest list
// (adding a row asks for it), the manager's walk for controls awaiting layout, the painting of
// the window, and the making of one row.
void PrintTickCosts(DrainWindow& window)
{
    app::CheckResult* longest = window.List(0);
    for (int i = 1; i < scan::kCategoryCount; ++i)
        longest = window.List(i)->RowCount() > longest->RowCount() ? window.List(i) : longest;
    VxControl* rows = longest->RowList();
    const bool shown = longest->IsVisible();
    longest->SetVisible(true);
    window.GetPaintManager().GetRootControl()->SetPos(window.GetPaintManager().GetRootControl()->GetPos());

    double start = Milliseconds();
    rows->SetPos(rows->GetPos());
    const double layout = Milliseconds() - start;
    start = Milliseconds();
    window.GetPaintManager().GetRootControl()->FindControl(FindNothing, nullptr, kFindVisible | kFindMeFirst);
    const double walk = Milliseconds() - start;
    RECT client = {};
    GetClientRect(window.GetHWND(), &client);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    start = Milliseconds();
    SendMessageW(window.GetHWND(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    const double paint = Milliseconds() - start;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    constexpr int kRows = 1000;
    start = Milliseconds();
    for (int i = 0; i < kRows; ++i) {
        auto row = std::make_unique<app::CheckResultItem>(scan::kEventRow);
        row->SetManager(&window.GetPaintManager());
        row->Init();
    }
    const double make = (Milliseconds() - start) / kRows;
    longest->SetVisible(shown);
    std::printf("with %d rows in one list: its layout %.1f ms, walk for pending layouts %.1f ms, paint of the "
                "window %.1f ms; one row made and freed %.1f us\n",
                longest->RowCount(), layout, walk, paint, make * 1000.0);
}

void PrintRowCost(const DrainWindow& window, const Memory& before, const Memory& after)
{
    int rows = 0;
    int notes = 0;
    int controls = 0;
    double detailBytes = 0;
    double lookupBytes = 0;
    for (int i = 0; i < scan::kCategoryCount; ++i) {
        const app::CheckResult& list = *window.List(i);
        rows += list.RowCount();
        notes += list.NoteBox()->GetCount();
        controls += list.RowList()->GetCount();
        lookupBytes += static_cast<double>(list.LookupBytesKept());
        for (int row = 0; row < list.RowCount(); ++row)
            detailBytes += static_cast<double>(list.RecordAt(row)->details.BytesKept());
    }
    std::printf("groups (rows): %d, notes: %d; row controls alive: %d; sizeof CheckResultItem %zu, FindingRow %zu "
                "bytes\n",
                rows, notes, controls, sizeof(app::CheckResultItem), sizeof(app::FindingRow));
    if (rows > 0)
        std::printf("bytes per group (private-bytes growth / groups): %.0f   goal <= 400 at 200k distinct groups\n",
                    (after.privateBytes - before.privateBytes) * 1048576.0 / rows);
    if (rows > 0)
        std::printf("  of which: the record %zu, the details' heap (their own count) %.0f, the group lookup %.0f\n",
                    sizeof(app::FindingRow), detailBytes / rows, lookupBytes / rows);
}

int RunMix(const Options& options)
{
    ExeModule exe;
    if (!exe.Get()) {
        std::printf("Zentarium.exe not found beside the benchmark\n");
        return 1;
    }
    VxLoadResource::Instance().SetResourceInstance(exe.Get());
    const std::vector<Finding> findings =
        options.mix == L"distinct" ? finding_mix::DistinctMix(options.findings)
                                    : finding_mix::RealisticMix(options.findings);

    auto window = std::make_unique<DrainWindow>();
    if (!window->VxCreate(nullptr, L"DLL错误修复工具", WS_POPUP | WS_VISIBLE, 0, 0, 0, 1100, 824))
        return 1;
    PumpFor(300);
    const Memory before = MemoryNow();

    // Some tens of findings per millisecond, about the junk check's pace; a burst queues all at
    // once.
    constexpr int kPace = 40;
    const Targets targets = TargetsOf(*window);
    const HWND handle = window->GetHWND();
    if (options.burst)
        PostFindings(handle, window->queue, targets, findings, 0);
    window->StartTimer();
    const double start = Milliseconds();
    std::thread worker;
    if (!options.burst)
        worker = std::thread([&] { PostFindings(handle, window->queue, targets, findings, kPace); });
    // The UI thread runs its loop meanwhile, as it does during a scan.
    std::thread finisher([&] {
        if (worker.joinable())
            worker.join();
        PostMessageW(handle, workers::kScanFinished, 0, 0);
    });
    RunLoopUntil(window->finished);
    finisher.join();
    UpdateWindow(window->GetHWND());
    const double elapsed = Milliseconds() - start;
    PumpFor(200);
    const Memory after = MemoryNow();

    double drainTotal = 0;
    double paintTotal = 0;
    double longest = 0;
    size_t longestPending = 0;
    double longestTimerTick = 0;
    double lastDrain = 0;
    for (const Tick& tick : window->ticks) {
        drainTotal += tick.drain;
        paintTotal += tick.paint;
        if (tick.last)
            lastDrain = tick.drain + tick.paint;
        else
            longestTimerTick = std::max(longestTimerTick, tick.drain + tick.paint);
        if (tick.drain + tick.paint > longest) {
            longest = tick.drain + tick.paint;
            longestPending = tick.pending;
        }
    }
    int total = 0;
    for (int i = 0; i < scan::kCategoryCount; ++i)
        total += window->List(i)->TotalCount();

    std::printf("\n== %ls mix: %zu findings%ls ==\n", options.mix.c_str(), findings.size(),
                options.burst ? L", all queued before the first tick" : L", posted by a worker thread");
    std::printf("detail lines in the lists: %d; ticks that drained: %zu; scan to last paint %.0f ms\n", total,
                window->ticks.size(), elapsed);
    std::printf("total drain time              : %8.1f ms   goal <= %.0f ms\n", drainTotal, kDrainGoal);
    std::printf("paints after the drains       : %8.1f ms\n", paintTotal);
    std::printf("longest tick (drain + paint)  : %8.1f ms   goal <= %.0f ms (%zu findings in it)\n", longest,
                kTickGoal, longestPending);
    std::printf("  of which: longest timer tick %.1f ms, the drain on ScanFinished %.1f ms\n", longestTimerTick,
                lastDrain);
    std::printf("working set after             : %8.1f MB   goal <= %.0f MB (%.1f MB before the drain)\n",
                after.workingSet, kMemoryGoal, before.workingSet);
    std::printf("private bytes after           : %8.1f MB (%.1f MB before)\n", after.privateBytes, before.privateBytes);
    std::printf("private bytes per finding     : %8.0f\n",
                (after.privateBytes - before.privateBytes) * 1048576.0 / static_cast<double>(findings.size()));
    std::printf("drain time per finding        : %8.2f us\n", drainTotal * 1000.0 / static_cast<double>(findings.size()));
    PrintRowCost(*window, before, after);
    PrintTickCosts(*window);
    std::fflush(stdout);
    if (options.holdSeconds > 0)
        PumpFor(static_cast<DWORD>(options.holdSeconds) * 1000);
    DestroyWindow(window->GetHWND());
    VxLoadResource::Instance().SetResourceInstance(nullptr);
    const bool met = drainTotal <= kDrainGoal && longest <= kTickGoal && after.workingSet <= kMemoryGoal;
    return met ? 0 : 3;
}

// Each case in a fresh process, so none inherits another's heap.
int RunAllCases(const wchar_t* exePath)
{
    struct Case {
        const wchar_t* mix;
        int findings;
    };
    constexpr Case kCases[] = {{L"distinct", 10000},   {L"distinct", 100000},   {L"distinct", 200000},
                               {L"realistic", 10000}, {L"realistic", 100000}, {L"realistic", 1000000}};
    int worst = 0;
    for (const Case& run : kCases) {
        std::wstring command =
            L"\"" + std::wstring(exePath) + L"\" --mix " + run.mix + L" --findings " + std::to_wstring(run.findings);
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        std::fflush(stdout);
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                            &process))
            return 1;
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        std::printf("(%ls mix of %d: exit code %lu)\n", run.mix, run.findings, code);
        worst = std::max(worst, static_cast<int>(code));
    }
    return worst;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (argument == L"--mix" && i + 1 < argc)
            options.mix = argv[++i];
        else if (argument == L"--findings" && i + 1 < argc)
            options.findings = std::max(1, _wtoi(argv[++i]));
        else if (argument == L"--burst")
            options.burst = true;
        else if (argument == L"--hold" && i + 1 < argc)
            options.holdSeconds = _wtoi(argv[++i]);
    }
    if (options.mix.empty())
        return RunAllCases(argv[0]);
    return RunMix(options);
}
