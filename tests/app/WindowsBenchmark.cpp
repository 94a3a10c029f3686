// Not a test: the report and customer-service windows opened and closed many times, and the
// report of a junk row with very many files (tools/benchmark.sh windows). The real main window
// opens them through posted clicks; each dialog is closed with its own close button once it has
// painted. The big report is measured for each size given (comma-separated): first paint, one
// wheel step of its list and the step to the end (each with the paint that follows), close, the
// working set and the bytes the row keeps per file.
//   WindowsBenchmark [rounds (500)] [files of the big reports (100000)]
#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "AppGuiSupport.h"
#include "AppNotify.h"
#include "BenchmarkTiming.h"
#include "CheckResult.h"
#include "CheckResultItem.h"
#include "GuiTestSupport.h"
#include "ScanUpdate.h"
#include "StartUp.h"
#include "VxButton.h"
#include "VxContainer.h"
#include "ZentariumWnd.h"

namespace {

constexpr wchar_t kReportClass[] = L"ZentariumDetails_WND_CLASS";
constexpr wchar_t kServiceClass[] = L"ZentariumKefu_WND_CLASS";
constexpr UINT kJunkList = 123;
constexpr int kJunkEntry = 119;
constexpr UINT kServiceButton = 102;
constexpr UINT kStartScanButton = 104;
constexpr UINT kDialogCloseButton = 100;
constexpr DWORD kOpenTimeoutMs = 600000;
// Goals for the big report.
constexpr double kFirstPaintGoalSeconds = 1.0;
constexpr double kWorkingSetGoalMb = 200.0;

BOOL CALLBACK CountChild(HWND, LPARAM data)
{
    ++*reinterpret_cast<int*>(data);
    return TRUE;
}

BOOL CALLBACK CountOwnWindow(HWND window, LPARAM data)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<int*>(data);
        EnumChildWindows(window, &CountChild, data);
    }
    return TRUE;
}

// Windows of this process, hidden ones and children included.
int OwnWindowCount()
{
    int windows = 0;
    EnumWindows(&CountOwnWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// Wine keeps the process's GDI objects in a handle table that the PEB points to, laid out as
// Windows' own: 0x10000 entries of 24 bytes (x64), the object type in byte 14.
int GdiTableObjects()
{
#if defined(_WIN64)
    PROCESS_BASIC_INFORMATION basic = {};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0)
        return -1;
    const auto* peb = reinterpret_cast<const unsigned char*>(basic.PebBaseAddress);
    const auto* table = *reinterpret_cast<const unsigned char* const*>(peb + 0xF8);
    if (!table)
        return -1;
    constexpr int kEntries = 0x10000;
    constexpr int kEntrySize = 24;
    constexpr int kTypeOffset = 14;
    int objects = 0;
    for (int i = 0; i < kEntries; ++i)
        objects += table[i * kEntrySize + kTypeOffset] != 0 ? 1 : 0;
    return objects;
#else
    return -1;
#endif
}

struct Resources {
    DWORD gdi = 0;
    DWORD user = 0;
    int gdiTable = 0;
    int windows = 0;
    double workingSetMb = 0;
    double privateMb = 0;
};

Resources Measure()
{
    Resources resources;
    resources.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    resources.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    resources.gdiTable = GdiTableObjects();
    resources.windows = OwnWindowCount();
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
    resources.workingSetMb = memory.WorkingSetSize / 1048576.0;
    // Wine answers 0 for PrivateUsage; the commit charge is the same figure on Windows.
    resources.privateMb = (memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage) / 1048576.0;
    return resources;
}

void Print(const char* label, const Resources& r)
{
    std::printf("  %-26s GetGuiResources GDI %5lu USER %5lu | GDI table %6d | windows %3d | working set %7.1f MB"
                " private %7.1f MB\n",
                label, r.gdi, r.user, r.gdiTable, r.windows, r.workingSetMb, r.privateMb);
}

struct ScrollCost {
    double stepMedianMs = -1;
    double stepLongestMs = -1;
    double toEndMs = -1;
    int rowsShown = 0;  // controls in the scrolled list
};

struct DialogRound {
    double firstPaintSeconds = -1;
    double closeSeconds = -1;
    Resources whilePainted;
    ScrollCost scroll;
};

constexpr UINT kDetailList = 110;
constexpr int kScrollSteps = 21;

// The container of the report that scrolls its lines: the detail list or the one list inside it.
VXM::VxContainer* ScrollingList(VXM::VxPaintManager& manager)
{
    VXM::VxControl* control = manager.FindControl(kDetailList);
    auto* list = control ? static_cast<VXM::VxContainer*>(control->GetInterface(VXM::kClassContainer)) : nullptr;
    if (!list || list->GetScrollRange().cy > 0 || list->GetCount() != 1)
        return list;
    VXM::VxControl* inner = list->GetItemAt(0);
    auto* innerList = inner ? static_cast<VXM::VxContainer*>(inner->GetInterface(VXM::kClassContainer)) : nullptr;
    return innerList ? innerList : list;
}

// Wheel steps down the list and one step to its end, each painted before the next.
ScrollCost MeasureScroll(HWND window, VXM::VxContainer& list)
{
    ScrollCost cost;
    std::vector<double> steps;
    for (int i = 0; i < kScrollSteps; ++i) {
        const double start = benchmark_timing::Now();
        list.LineDown();
        UpdateWindow(window);
        steps.push_back(1000.0 * (benchmark_timing::Now() - start));
    }
    std::sort(steps.begin(), steps.end());
    cost.stepMedianMs = steps[steps.size() / 2];
    cost.stepLongestMs = steps.back();
    const double start = benchmark_timing::Now();
    list.EndDown();
    UpdateWindow(window);
    cost.toEndMs = 1000.0 * (benchmark_timing::Now() - start);
    cost.rowsShown = list.GetCount();
    return cost;
}

// Clicks `opener` in the main window and closes the dialog of `className` with its own close
// button once it has painted.
DialogRound OpenAndClose(app_test::MainWindowRun& run, VXM::VxControl& opener, const wchar_t* className,
                         bool scroll = false)
{
    DialogRound round;
    const double start = benchmark_timing::Now();
    double closing = 0;
    {
        app_test::ThreadTimer closer([&round, &closing, start, className, scroll] {
            HWND window = nullptr;
            VXM::VxPaintManager* manager = app_test::PaintedDialog(className, &window);
            if (!manager)
                return false;
            round.firstPaintSeconds = benchmark_timing::Now() - start;
            round.whilePainted = Measure();
            if (VXM::VxContainer* list = scroll ? ScrollingList(*manager) : nullptr)
                round.scroll = MeasureScroll(window, *list);
            closing = benchmark_timing::Now();
            if (VXM::VxControl* close = manager->FindControl(kDialogCloseButton))
                app_test::PostClick(window, *close);
            return true;
        });
        run.Click(opener);
        run.PumpUntil([&closer] { return closer.Finished(); }, kOpenTimeoutMs);
    }
    run.PumpUntil([className] { return !FindWindowW(className, nullptr); }, kOpenTimeoutMs);
    round.closeSeconds = benchmark_timing::Now() - closing;
    return round;
}

// A junk row of `files` files in the junk list, shown; its report button.
VXM::VxControl* JunkRow(app_test::MainWindowRun& run, const std::wstring& folder, int files)
{
    auto* list = run.ControlAs<app::CheckResult>(kJunkList, app::kClassCheckResult);
    if (!list)
        return nullptr;
    for (int i = 0; i < files; ++i) {
        wchar_t name[32] = {};
        std::swprintf(name, 32, L"cache-%06d.tmp", i);
        list->AddFinding(folder, L"", scan::kJunkRow, folder + name, L"4096");
    }
    run.Window().ShowCategory(kJunkEntry);
    app::CheckResultItem* row = app_test::ScrollToRow(run, *list, app_test::RowIndexOf(*list, folder));
    return row ? row->ReportButton() : nullptr;
}

void Repeat(app_test::MainWindowRun& run, VXM::VxControl& opener, const wchar_t* className, const char* what,
            int rounds)
{
    std::printf("%s opened and closed %d times:\n", what, rounds);
    OpenAndClose(run, opener, className);
    const Resources first = Measure();
    Print("after the first round", first);
    for (int i = 1; i < rounds; ++i)
        OpenAndClose(run, opener, className);
    const Resources last = Measure();
    Print("after the last round", last);
    std::printf("  change: GDI %+ld USER %+ld GDI table %+d windows %+d working set %+.1f MB private %+.1f MB"
                " (goal: none)\n",
                static_cast<long>(last.gdi) - static_cast<long>(first.gdi),
                static_cast<long>(last.user) - static_cast<long>(first.user), last.gdiTable - first.gdiTable,
                last.windows - first.windows, last.workingSetMb - first.workingSetMb,
                last.privateMb - first.privateMb);
}

// "10000,100000" into its numbers; at least one.
std::vector<int> Sizes(const wchar_t* text)
{
    std::vector<int> sizes;
    for (const wchar_t* at = text; at && *at;) {
        sizes.push_back(std::max(1, _wtoi(at)));
        at = std::wcschr(at, L',');
        at = at ? at + 1 : nullptr;
    }
    if (sizes.empty())
        sizes.push_back(100000);
    return sizes;
}

void BigReport(app_test::MainWindowRun& run, int files)
{
    const Resources empty = Measure();
    const double filling = benchmark_timing::Now();
    VXM::VxControl* bigReport = JunkRow(run, L"C:\\Temp\\big-" + std::to_wstring(files) + L"\\", files);
    const double filled = benchmark_timing::Now() - filling;
    const Resources before = Measure();
    std::printf("Report of a junk row of %d files (row filled in %.2f s, %.0f private bytes per file):\n", files,
                filled, (before.privateMb - empty.privateMb) * 1048576.0 / files);
    if (!bigReport)
        return;
    Print("before opening", before);
    const DialogRound big = OpenAndClose(run, *bigReport, kReportClass, true);
    Print("while it showed", big.whilePainted);
    Print("after closing it", Measure());
    std::printf("  first paint %.3f s (goal <= %.1f s), working set %.1f MB (goal <= %.0f MB)\n",
                big.firstPaintSeconds, kFirstPaintGoalSeconds, big.whilePainted.workingSetMb, kWorkingSetGoalMb);
    std::printf("  report %7d files: first paint %8.1f ms | scroll step %7.2f ms (longest %7.2f) | to the end %7.2f ms"
                " | close %8.1f ms | working set +%.1f MB | list controls %d\n",
                files, 1000.0 * big.firstPaintSeconds, big.scroll.stepMedianMs, big.scroll.stepLongestMs,
                big.scroll.toEndMs, 1000.0 * big.closeSeconds, big.whilePainted.workingSetMb - before.workingSetMb,
                big.scroll.rowsShown);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int rounds = argc > 1 ? std::max(2, _wtoi(argv[1])) : 500;
    const std::vector<int> sizes = Sizes(argc > 2 ? argv[2] : nullptr);
    app_test::MainWindowRun run;
    if (!run.Alive() || !run.WaitUntilPainted()) {
        std::printf("windows: the main window did not open\n");
        return 1;
    }
    std::printf("GetGuiResources answers %lu GDI objects for this process (0: not counted here)\n",
                GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    // The reports open from the scan page, as after a scan.
    run.Click(kStartScanButton);
    if (!run.WaitForScanEnd()) {
        std::printf("windows: the scan did not end\n");
        return 1;
    }

    VXM::VxControl* smallReport = JunkRow(run, L"C:\\Temp\\small\\", 5);
    VXM::VxControl* service = run.Control(kServiceButton);
    if (!smallReport || !service) {
        std::printf("windows: no report button or customer-service button\n");
        return 1;
    }
    Repeat(run, *smallReport, kReportClass, "Report window of a junk row of 5 files", rounds);
    Repeat(run, *service, kServiceClass, "Customer-service window", rounds);
    for (int files : sizes)
        BigReport(run, files);
    return 0;
}
