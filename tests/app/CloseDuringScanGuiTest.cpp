// Closing the main window during a scan: the process stays, invisible, until the scan worker has
// ended, and then exits with code 0. The whole application runs in a child process, as the entry
// point runs it; only its event-log check waits for the test's word.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <string>

#include "AppGuiSupport.h"
#include "MainWindowOnScreen.h"
#include "ScanJob.h"
#include "StartUp.h"
#include "UniqueHandle.h"
#include "VendorServer.h"

namespace {

constexpr wchar_t kEventsVariable[] = L"ZENTARIUM_TEST_EVENTS";
constexpr DWORD kStepMs = 30000;

std::wstring EnvironmentValue(const wchar_t* name)
{
    wchar_t value[256] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 256);
    return length > 0 && length < 256 ? std::wstring(value, length) : std::wstring();
}

// Polls every 20 ms while the process runs.
template <typename Condition>
bool WaitFor(HANDLE process, Condition done, DWORD timeoutMs)
{
    for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
        if (done())
            return true;
        if (WaitForSingleObject(process, 20) == WAIT_OBJECT_0)
            return done();
    }
    return false;
}

void PostClickAt(HWND window, POINT point)
{
    const LPARAM at = MAKELPARAM(point.x, point.y);
    PostMessageW(window, WM_MOUSEMOVE, 0, at);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
}

}  // namespace

// The child process: the application as wWinMain runs it; the exit code is the entry point's.
TEST(CloseDuringScanChild, DISABLED_RunsTheApplication)
{
    const std::wstring events = EnvironmentValue(kEventsVariable);
    if (events.empty())
        GTEST_SKIP() << "started by the test below only";
    const HANDLE scanning = OpenEventW(EVENT_MODIFY_STATE, FALSE, (events + L"-scanning").c_str());
    const HANDLE release = OpenEventW(SYNCHRONIZE, FALSE, (events + L"-release").c_str());
    scan::ScanChecks checks = scan::ScanChecks::Real();
    checks.eventLog = [scanning, release](const wchar_t* logName, const scan::CheckTarget&, uint32_t,
                                          scan::UpdateQueue&) {
        if (std::wstring(logName) != L"Application")
            return;
        SetEvent(scanning);
        WaitForSingleObject(release, INFINITE);
    };
    std::exit(app::RunApplication(GetModuleHandleW(nullptr), app::AppServices{checks, app_test::TestServer()}));
}

TEST(CloseDuringScan, ProcessStaysInvisiblyUntilTheScanWorkerEndsThenExitsWithZero)
{
    ASSERT_TRUE(vendor_server::Running()) << "vendor server not started";
    app_test::ButtonCentres buttons;
    ASSERT_TRUE(app_test::LayOutMainButtons(GetModuleHandleW(nullptr), buttons));
    const std::wstring events = L"ZentariumCloseTest-" + std::to_wstring(GetCurrentProcessId());
    KernelHandle scanning(CreateEventW(nullptr, TRUE, FALSE, (events + L"-scanning").c_str()));
    KernelHandle release(CreateEventW(nullptr, TRUE, FALSE, (events + L"-release").c_str()));
    SetEnvironmentVariableW(kEventsVariable, events.c_str());

    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring commandLine = std::wstring(L"\"") + exe +
                               L"\" --gtest_also_run_disabled_tests --gtest_filter=CloseDuringScanChild.*";
    STARTUPINFOW startup = {sizeof(startup)};
    PROCESS_INFORMATION child = {};
    ASSERT_TRUE(CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                               &startup, &child));
    SetEnvironmentVariableW(kEventsVariable, nullptr);
    KernelHandle process(child.hProcess);
    KernelHandle thread(child.hThread);
    struct EndChild {
        HANDLE process;
        HANDLE release;
        ~EndChild()
        {
            SetEvent(release);
            if (WaitForSingleObject(process, kStepMs) != WAIT_OBJECT_0)
                TerminateProcess(process, 99);
        }
    } endChild{process.Get(), release.Get()};

    HWND window = nullptr;
    ASSERT_TRUE(WaitFor(process.Get(), [&] {
        window = window ? window : app_test::FindMainWindow(child.dwProcessId);
        return window && app_test::StartButtonOnScreen(window, buttons.start);
    }, kStepMs)) << "the child's window never showed";

    PostClickAt(window, buttons.start);
    ASSERT_EQ(WaitForSingleObject(scanning.Get(), kStepMs), WAIT_OBJECT_0) << "the scan did not start";
    PostClickAt(window, buttons.close);
    EXPECT_TRUE(WaitFor(process.Get(), [window] { return !IsWindowVisible(window); }, kStepMs))
        << "the window hides at once";
    EXPECT_EQ(WaitForSingleObject(process.Get(), 2000), static_cast<DWORD>(WAIT_TIMEOUT))
        << "the process waits for the scan worker";

    SetEvent(release.Get());
    ASSERT_EQ(WaitForSingleObject(process.Get(), 120000), WAIT_OBJECT_0) << "the process ends after the worker";
    DWORD exitCode = 99;
    GetExitCodeProcess(process.Get(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(app_test::FindMainWindow(child.dwProcessId), nullptr);
}
