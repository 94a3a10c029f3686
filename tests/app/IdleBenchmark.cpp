// Not a test: the real main window left alone (tools/benchmark.sh idle). Started by the product's
// start-up routine; once its home page has painted, the start-up calls have ended and it has
// settled, the product's own message loop runs while nobody touches it, and the benchmark counts
// the timer messages its thread takes (which window and timer id), the other messages, and the
// CPU time of the process and of the UI thread. Then a scan whose four checks post the benchmarks'
// realistic mix of findings runs through the real worker, progress timer and ScanFinished, and
// the filled scan page is left alone in the same way. Working set and peak at each stage.
//   IdleBenchmark [--server <base address>] [findings (50000)] [idle seconds (10)]
// Without --server the start-up calls go to the tests' vendor server, or fail when none runs.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "AppGuiSupport.h"
#include "BenchmarkTiming.h"
#include "ControlIds.h"
#include "FindingMix.h"
#include "GuiTestSupport.h"
#include "MemoryPeak.h"
#include "UniqueHandle.h"
#include "WorkerMessages.h"

namespace {

using finding_mix::Finding;

constexpr DWORD kStartupCallsTimeoutMs = 120000;
constexpr DWORD kPaintTimeoutMs = 60000;
constexpr DWORD kSettleMs = 1000;
constexpr double kCpuGoalMsPerSecond = 1.0;  // 0.1 % of one core: "about nothing"
constexpr double kScanWorkingSetGoalMb = 150.0;
constexpr double kMegabyte = 1024.0 * 1024.0;
constexpr UINT kSystemTimer = 0x0118;  // WM_SYSTIMER: the system's own timers (caret, mouse tracking)

struct HookTraits {
    static HHOOK Empty() { return nullptr; }
    static void Release(HHOOK hook) { UnhookWindowsHookEx(hook); }
};
using Hook = UniqueHandle<HookTraits>;

// Timer message, window, timer id, timer procedure.
using TimerKey = std::tuple<UINT, HWND, UINT_PTR, LPARAM>;

// What the UI thread's loops take from its queue (WH_GETMESSAGE) and what its windows are sent
// (WH_CALLWNDPROC) while the census is alive; one at a time.
class MessageCensus {
public:
    MessageCensus() : taken_(HookThread(WH_GETMESSAGE, &Taken)), sent_(HookThread(WH_CALLWNDPROC, &Sent))
    {
        active_ = this;
    }
    ~MessageCensus() { active_ = nullptr; }

    bool Hooked() const { return taken_ && sent_; }
    int TimerMessages(UINT message) const
    {
        int total = 0;
        for (const auto& [timer, count] : timers)
            total += std::get<0>(timer) == message ? count : 0;
        return total;
    }

    std::map<TimerKey, int> timers;
    std::map<UINT, int> taken;  // timer messages and the benchmark's own WM_QUIT left out
    std::map<UINT, int> sent;

private:
    static Hook HookThread(int kind, HOOKPROC procedure)
    {
        return Hook(SetWindowsHookExW(kind, procedure, nullptr, GetCurrentThreadId()));
    }
    static LRESULT CALLBACK Taken(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* message = reinterpret_cast<const MSG*>(lParam);
        if (active_ && code == HC_ACTION && wParam == PM_REMOVE) {
            if (message->message == WM_TIMER || message->message == kSystemTimer)
                ++active_->timers[{message->message, message->hwnd, message->wParam, message->lParam}];
            else if (message->message != WM_QUIT)
                ++active_->taken[message->message];
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static LRESULT CALLBACK Sent(int code, WPARAM wParam, LPARAM lParam)
    {
        if (active_ && code == HC_ACTION)
            ++active_->sent[reinterpret_cast<const CWPSTRUCT*>(lParam)->message];
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline MessageCensus* active_ = nullptr;
    Hook taken_;
    Hook sent_;
};

double Milliseconds(const FILETIME& kernel, const FILETIME& user)
{
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

struct CpuTimes {
    double processMs = 0;
    double uiThreadMs = 0;
};

CpuTimes CpuNow()
{
    FILETIME created, exited, kernel, user;
    CpuTimes times;
    if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        times.processMs = Milliseconds(kernel, user);
    if (GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user))
        times.uiThreadMs = Milliseconds(kernel, user);
    return times;
}

// The step in which the UI thread's CPU time moves (under Wine the Linux clock tick): the
// resolution of the CPU figures. 0 when it did not move twice within the spin limit.
double CpuClockStepMs()
{
    constexpr double kSpinLimitSeconds = 2.0;
    const double start = benchmark_timing::Now();
    std::vector<double> seen = {CpuNow().uiThreadMs};
    while (seen.size() < 3 && benchmark_timing::Now() - start < kSpinLimitSeconds) {
        if (const double now = CpuNow().uiThreadMs; now != seen.back())
            seen.push_back(now);
    }
    return seen.size() == 3 ? seen[2] - seen[1] : 0.0;
}

double WorkingSetMb()
{
    return static_cast<double>(memory_peak::Counters().WorkingSetSize) / kMegabyte;
}

// The home page has no goal of its own: it is set against the process before the window (Wine
// and the exe), the scan page against the drain's goal.
void PrintMemory(const char* what, double beforeMb, double goalMb = 0)
{
    const double now = WorkingSetMb();
    const double peak = static_cast<double>(memory_peak::Counters().PeakWorkingSetSize) / kMegabyte;
    std::printf("\n%-46s: working set %7.1f MB   %.2f x the process before the window   (peak %.1f MB)\n", what,
                now, now / beforeMb, peak);
    if (goalMb > 0)
        std::printf("%-46s  goal <= %.0f MB   ratio %.2f\n", "", goalMb, now / goalMb);
}

void PrintCounts(const char* what, const std::map<UINT, int>& counts)
{
    int total = 0;
    std::string byId;
    for (const auto& [id, count] : counts) {
        total += count;
        char item[32];
        std::snprintf(item, sizeof(item), "%s0x%04X x%d", byId.empty() ? "   by id: " : ", ", id, count);
        byId += item;
    }
    std::printf("  %-44s: %6d%s\n", what, total, byId.c_str());
}

void PrintTimers(const MessageCensus& census)
{
    std::printf("  %-44s: %6d   goal 0\n", "WM_TIMER messages taken by the UI thread", census.TimerMessages(WM_TIMER));
    std::printf("  %-44s: %6d\n", "WM_SYSTIMER (the system's own timers)", census.TimerMessages(kSystemTimer));
    for (const auto& [timer, count] : census.timers) {
        const auto& [message, window, id, procedure] = timer;
        wchar_t className[128] = L"<window gone>";
        GetClassNameW(window, className, 128);
        std::printf("    %s id 0x%llX of window %p (%ls), procedure %p: %d\n",
                    message == WM_TIMER ? "WM_TIMER" : "WM_SYSTIMER", static_cast<unsigned long long>(id),
                    static_cast<void*>(window), className, reinterpret_cast<void*>(procedure), count);
    }
}

// What keeps the system's mouse-tracking timer going: the tracking that the window armed when
// the pointer came to rest over it.
void PrintMouseTracking(HWND window)
{
    TRACKMOUSEEVENT query = {sizeof(query), TME_QUERY};
    POINT pointer = {};
    RECT frame = {};
    const bool tracking = TrackMouseEvent(&query) && query.hwndTrack == window && query.dwFlags != 0;
    GetCursorPos(&pointer);
    GetWindowRect(window, &frame);
    std::printf("  pointer at (%ld,%ld), %s the window; mouse tracking of the window: %s (flags 0x%lX)\n", pointer.x,
                pointer.y, PtInRect(&frame, pointer) ? "over" : "outside", tracking ? "armed" : "none",
                tracking ? query.dwFlags : 0UL);
}

// The product's own message loop for `seconds`, ended by a quit message from a thread that only
// sleeps.
void LeaveAlone(const char* what, HWND window, int seconds)
{
    MessageCensus census;
    const CpuTimes before = CpuNow();
    const double start = benchmark_timing::Now();
    std::thread quit([thread = GetCurrentThreadId(), seconds] {
        Sleep(static_cast<DWORD>(seconds) * 1000);
        PostThreadMessageW(thread, WM_QUIT, 0, 0);
    });
    VXM::VxPaintManager::MessageLoop();
    const CpuTimes after = CpuNow();
    const double elapsed = benchmark_timing::Now() - start;
    quit.join();

    std::printf("\n== %s: %.1f s with nobody touching it ==\n", what, elapsed);
    if (!census.Hooked())
        std::printf("  (a message hook could not be set: the counts below are incomplete)\n");
    PrintTimers(census);
    const double cpu = after.processMs - before.processMs;
    const double cpuGoal = kCpuGoalMsPerSecond * seconds;
    std::printf("  %-44s: %8.1f ms   goal about 0 (<= %.0f ms)   ratio %.2f\n",
                "CPU time of the process (user + kernel)", cpu, cpuGoal, cpu / cpuGoal);
    std::printf("  %-44s: %8.1f ms\n", "  of it the UI thread", after.uiThreadMs - before.uiThreadMs);
    PrintCounts("other messages taken from the queue", census.taken);
    PrintCounts("messages sent to the thread's windows", census.sent);
    PrintMouseTracking(window);
}

// The product's checks, each posting its category of the mix into its list as fast as the queue
// takes it.
scan::ScanChecks MixChecks(int total)
{
    const auto findings = std::make_shared<const std::vector<Finding>>(finding_mix::RealisticMix(total));
    const auto check = [findings](int category) {
        return [findings, category](const scan::CheckTarget& target, uint32_t, scan::UpdateQueue& queue) {
            for (const Finding& finding : *findings) {
                if (finding.category == category)
                    queue.Post(finding_mix::ToUpdate(finding, target));
            }
        };
    };
    scan::ScanChecks checks;
    checks.eventLog = [crashes = check(0), systemErrors = check(1)](const wchar_t* logName,
                                                                    const scan::CheckTarget& target, uint32_t time,
                                                                    scan::UpdateQueue& queue) {
        (std::wstring(logName) == L"System" ? systemErrors : crashes)(target, time, queue);
    };
    checks.junkFiles = check(2);
    checks.systemDlls = check(3);
    return checks;
}

// Nothing left to paint, then a settling pause. Rows added to hidden lists leave a layout request
// that only the next paint serves, so the manager's own flag does not tell.
bool WaitUntilRepainted(app_test::MainWindowRun& run)
{
    const HWND window = run.Handle();
    const bool painted = run.PumpUntil([window] { return !GetUpdateRect(window, nullptr, FALSE); }, kPaintTimeoutMs);
    gui_test::PumpFor(kSettleMs);
    return painted;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    ServerEndpoint server = app_test::TestServer();
    const int first = argc > 2 && std::wstring(argv[1]) == L"--server" ? 3 : 1;
    if (first == 3)
        server.base = argv[2];
    const int findings = argc > first ? std::max(1, _wtoi(argv[first])) : 50000;
    const int idleSeconds = argc > first + 1 ? std::max(1, _wtoi(argv[first + 1])) : 10;
    const double beforeMb = WorkingSetMb();
    std::printf("process before the window: working set %.1f MB; CPU time moves in steps of %.1f ms\n", beforeMb,
                CpuClockStepMs());
    app_test::PostedMessageCounter listReady(workers::kRuntimeLibListReady);
    app_test::MainWindowRun run(MixChecks(findings), server);
    // The usage reports and the list fetch run on a thread of their own: they end first.
    if (!run.Alive() || !run.WaitUntilPainted() ||
        !run.PumpUntil([&listReady] { return listReady.Count() > 0; }, kStartupCallsTimeoutMs)) {
        std::printf("idle: the main window did not open or its start-up calls did not end\n");
        return 1;
    }
    WaitUntilRepainted(run);
    std::printf("vendor server %ls: start-up calls ended; home page %s\n", server.base.c_str(),
                run.Shows(app::main_ids::kHomePage) ? "shown" : "NOT shown");
    PrintMemory("home page, painted and settled", beforeMb);
    LeaveAlone("idle home page", run.Handle(), idleSeconds);
    PrintMemory("home page after the idle spell", beforeMb);

    run.Click(app::main_ids::kStartScanButton);
    if (!run.WaitForScanEnd() || !WaitUntilRepainted(run)) {
        std::printf("idle: the scan did not end\n");
        return 1;
    }
    std::printf("\nscan of %d findings (realistic mix) ended; the summary counts %ls detail lines\n", findings,
                run.TextOf(app::main_ids::kSummaryCount).c_str());
    PrintMemory("scan page after the scan", beforeMb, kScanWorkingSetGoalMb);
    LeaveAlone("idle scan page after the scan", run.Handle(), idleSeconds);
    PrintMemory("scan page after the idle spell", beforeMb, kScanWorkingSetGoalMb);
    return 0;
}
