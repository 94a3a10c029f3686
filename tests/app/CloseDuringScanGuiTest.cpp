// Closing the main window during a scan: the process stays, invisible, until the scan worker has
// ended, and then exits with code 0. The whole application runs in a child process, as the entry
// point runs it; only its event-log check waits for the test's word. And a close at once while the
// start-up calls hang on a silent server: the process ends without waiting for them.
#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include "AppGuiSupport.h"
#include "MainWindowOnScreen.h"
#include "ScanJob.h"
#include "StartUp.h"
#include "UniqueHandle.h"
#include "VendorServer.h"

namespace {

constexpr wchar_t kEventsVariable[] = L"ZENTARIUM_TEST_EVENTS";
constexpr wchar_t kSilentPortVariable[] = L"ZENTARIUM_TEST_SILENT_PORT";
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

// Starts this test exe with a gtest filter, the variable set for it only.
bool StartChild(const wchar_t* filter, const wchar_t* variable, const std::wstring& value, PROCESS_INFORMATION& child)
{
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring commandLine =
        std::wstring(L"\"") + exe + L"\" --gtest_also_run_disabled_tests --gtest_filter=" + filter;
    STARTUPINFOW startup = {sizeof(startup)};
    SetEnvironmentVariableW(variable, value.c_str());
    const bool started = CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                                        nullptr, &startup, &child);
    SetEnvironmentVariableW(variable, nullptr);
    return started;
}

// Accepts connections and reads nothing, answers nothing.
class SilentServer {
public:
    SilentServer()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int length = sizeof(address);
        if (bind(listener_, reinterpret_cast<sockaddr*>(&address), length) == 0 && listen(listener_, 8) == 0 &&
            getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            port_ = ntohs(address.sin_port);
    }
    ~SilentServer()
    {
        for (SOCKET connection : connections_)
            closesocket(connection);
        closesocket(listener_);
        WSACleanup();
    }
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    int Port() const { return port_; }
    // A request has come and hangs.
    bool AcceptOne(long timeoutSeconds)
    {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(listener_, &readable);
        timeval timeout = {timeoutSeconds, 0};
        if (select(0, &readable, nullptr, nullptr, &timeout) != 1)
            return false;
        connections_.push_back(accept(listener_, nullptr, nullptr));
        return connections_.back() != INVALID_SOCKET;
    }

private:
    SOCKET listener_ = INVALID_SOCKET;
    std::vector<SOCKET> connections_;
    int port_ = 0;
};

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
    app::ExitApplication(app::RunApplication(GetModuleHandleW(nullptr), app::AppServices{checks, app_test::TestServer()}));
}

// The child process of the test below: the application as wWinMain runs and ends it.
TEST(CloseAtStartChild, DISABLED_RunsTheApplicationAgainstASilentServer)
{
    const std::wstring port = EnvironmentValue(kSilentPortVariable);
    if (port.empty())
        GTEST_SKIP() << "started by the test below only";
    ServerEndpoint server = app_test::TestServer();
    server.base = L"http://127.0.0.1:" + port;
    app::ExitApplication(app::RunApplication(GetModuleHandleW(nullptr), app::AppServices{scan::ScanChecks::Real(), server}));
}

TEST(CloseAtStart, ClosedWhileTheStartUpCallsHangTheProcessEndsAtOnceWithZero)
{
    SilentServer server;
    ASSERT_NE(server.Port(), 0);
    PROCESS_INFORMATION child = {};
    ASSERT_TRUE(StartChild(L"CloseAtStartChild.*", kSilentPortVariable, std::to_wstring(server.Port()), child));
    KernelHandle process(child.hProcess);
    KernelHandle thread(child.hThread);
    struct EndChild {
        HANDLE process;
        ~EndChild()
        {
            if (WaitForSingleObject(process, 0) != WAIT_OBJECT_0)
                TerminateProcess(process, 99);
        }
    } endChild{process.Get()};

    ASSERT_TRUE(server.AcceptOne(30)) << "the start-up calls never came";
    HWND window = nullptr;
    ASSERT_TRUE(WaitFor(process.Get(), [&] { return (window = app_test::FindMainWindow(child.dwProcessId)) != nullptr; },
                        kStepMs));
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_EQ(WaitForSingleObject(process.Get(), 5000), WAIT_OBJECT_0) << "the exit waits for the silent server";
    DWORD exitCode = 99;
    GetExitCodeProcess(process.Get(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
}

TEST(CloseDuringScan, ProcessStaysInvisiblyUntilTheScanWorkerEndsThenExitsWithZero)
{
    ASSERT_TRUE(vendor_server::Running()) << "vendor server not started";
    app_test::ButtonCentres buttons;
    ASSERT_TRUE(app_test::LayOutMainButtons(GetModuleHandleW(nullptr), buttons));
    const std::wstring events = L"ZentariumCloseTest-" + std::to_wstring(GetCurrentProcessId());
    KernelHandle scanning(CreateEventW(nullptr, TRUE, FALSE, (events + L"-scanning").c_str()));
    KernelHandle release(CreateEventW(nullptr, TRUE, FALSE, (events + L"-release").c_str()));
    PROCESS_INFORMATION child = {};
    ASSERT_TRUE(StartChild(L"CloseDuringScanChild.*", kEventsVariable, events, child));
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
