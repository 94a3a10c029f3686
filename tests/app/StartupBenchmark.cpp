// Not a test: the time a user waits from starting Zentarium.exe to its first painted window
// (tools/benchmark.sh startup, which runs it once per behaviour of the vendor server on the
// compiled-in address). It starts the exe, watches the screen until the start button shows its
// blue, then closes the program with a click on its close button and waits for its exit.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "BenchmarkTiming.h"
#include "ExeModule.h"
#include "TestPaths.h"
#include "MainWindowOnScreen.h"
#include "UniqueHandle.h"

namespace {

constexpr double kGiveUpSeconds = 300;
constexpr DWORD kExitWaitMs = 120000;

struct Run {
    double shownSeconds = -1;    // the window became visible
    double paintedSeconds = -1;  // its start button was on the screen
    double exitSeconds = -1;     // from the close click to the end of the process
    DWORD exitCode = 0;
};

Run MeasureOnce(const std::wstring& exe, const app_test::ButtonCentres& centres)
{
    Run run;
    STARTUPINFOW startup = {sizeof(startup)};
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = L"\"" + exe + L"\"";
    const double start = benchmark_timing::Now();
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return run;
    KernelHandle processHandle(process.hProcess);
    KernelHandle threadHandle(process.hThread);
    HWND window = nullptr;
    while (benchmark_timing::Now() - start < kGiveUpSeconds) {
        if (!window)
            window = app_test::FindMainWindow(process.dwProcessId);
        if (window && run.shownSeconds < 0 && IsWindowVisible(window))
            run.shownSeconds = benchmark_timing::Now() - start;
        if (window && app_test::StartButtonOnScreen(window, centres.start)) {
            run.paintedSeconds = benchmark_timing::Now() - start;
            break;
        }
        if (WaitForSingleObject(processHandle.Get(), 2) == WAIT_OBJECT_0)
            return run;
    }
    const LPARAM at = MAKELPARAM(centres.close.x, centres.close.y);
    const double closing = benchmark_timing::Now();
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
    if (WaitForSingleObject(processHandle.Get(), kExitWaitMs) == WAIT_OBJECT_0) {
        run.exitSeconds = benchmark_timing::Now() - closing;
        GetExitCodeProcess(processHandle.Get(), &run.exitCode);
    } else {
        TerminateProcess(processHandle.Get(), 1);
    }
    return run;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring label = argc > 1 ? argv[1] : L"server";
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 3;
    ExeModule exe;
    app_test::ButtonCentres centres;
    if (!exe.Get() || !app_test::LayOutMainButtons(exe.Get(), centres)) {
        std::printf("startup: cannot lay out the main window of Zentarium.exe\n");
        return 1;
    }
    const std::wstring exePath = testing_paths::ExeFolder() + L"Zentarium.exe";
    std::vector<double> painted;
    for (int i = 0; i < runs; ++i) {
        const Run run = MeasureOnce(exePath, centres);
        std::printf("startup %-10ls run %d: shown %8.3f s  first paint %8.3f s  exit after close %6.3f s  code %lu\n",
                    label.c_str(), i + 1, run.shownSeconds, run.paintedSeconds, run.exitSeconds, run.exitCode);
        if (run.paintedSeconds >= 0)
            painted.push_back(run.paintedSeconds);
    }
    std::printf("startup %-10ls median first paint %.3f s over %zu runs (goal: at once, whatever the server does)\n",
                label.c_str(), Median(painted), painted.size());
    return painted.size() == static_cast<size_t>(runs) ? 0 : 1;
}
