#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AppServices.h"
#include "ControlLookup.h"
#include "UniqueHandle.h"
#include "VxControl.h"
#include "VxPaintManager.h"

namespace app {
class CheckResult;
class CheckResultItem;
class ZentariumWnd;
}

// The application's windows run for real on the test display, started by the product's own
// start-up routine, against the local vendor server of the test run.
namespace app_test {

// The compiled-in channel and version with the base address of the vendor server that CTest
// started on a free port.
ServerEndpoint TestServer();

// The scan checks of the product, with the event-log check replaced: Wine's event logs are
// always empty. For the Application log the replacement posts `crashes` as event findings to the
// application-crash list and then, while held, waits until Release() (or the object goes).
class EventLogSeam {
public:
    struct Crash {
        std::wstring application;
        std::wstring time;
    };

    explicit EventLogSeam(std::vector<Crash> crashes = {}, bool holdUntilReleased = false);
    ~EventLogSeam();
    EventLogSeam(const EventLogSeam&) = delete;
    EventLogSeam& operator=(const EventLogSeam&) = delete;

    scan::ScanChecks Checks() const;
    void Release() { SetEvent(release_.Get()); }
    // The next scans wait again.
    void Hold() { ResetEvent(release_.Get()); }
    // How many scans have reached the Application log.
    int Calls() const { return *calls_; }

private:
    std::vector<Crash> crashes_;
    KernelHandle release_;
    std::shared_ptr<std::atomic<int>> calls_ = std::make_shared<std::atomic<int>>(0);
};

// Counts the messages of one id that the test thread's loops take from its queue (any loop: the
// test's own pump or a modal window's), for example the workers' posted messages.
class PostedMessageCounter {
public:
    explicit PostedMessageCounter(UINT message);
    ~PostedMessageCounter();
    PostedMessageCounter(const PostedMessageCounter&) = delete;
    PostedMessageCounter& operator=(const PostedMessageCounter&) = delete;

    int Count() const { return count_; }
    // The wParam of each, in order.
    const std::vector<WPARAM>& Parameters() const { return parameters_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    // One hook serves every counter of the thread.
    static inline std::vector<PostedMessageCounter*> counters_;
    static inline HHOOK hook_ = nullptr;

    UINT message_;
    int count_ = 0;
    std::vector<WPARAM> parameters_;
};

// The main window made by app::StartUp, found by id and clicked like a user would: mouse
// messages posted at the centre of a control. Closing is left to the test; whatever is left
// open at the end is closed through the close procedure.
class MainWindowRun {
public:
    // The product's checks; the event log as Wine has it, empty.
    MainWindowRun();
    // With the event-log seam, which is released before the window closes at the end.
    explicit MainWindowRun(EventLogSeam& seam);
    // With checks of the caller's own, against that server.
    MainWindowRun(scan::ScanChecks checks, ServerEndpoint server);
    ~MainWindowRun();
    MainWindowRun(const MainWindowRun&) = delete;
    MainWindowRun& operator=(const MainWindowRun&) = delete;

    bool Alive() const { return IsWindow(handle_) != FALSE; }
    HWND Handle() const { return handle_; }
    app::ZentariumWnd& Window() { return *window_; }
    VXM::VxPaintManager& Manager();

    VXM::VxControl* Control(UINT id);
    template <typename T>
    T* ControlAs(UINT id, UINT classCode)
    {
        return app::FindControlAs<T>(Manager(), id, classCode);
    }
    // The control and each of its ancestors visible.
    bool Shows(UINT id);
    std::wstring TextOf(UINT id);

    // Lets pending layout and painting run, then posts a left click at the control's centre.
    void Click(UINT id);
    void Click(VXM::VxControl& control);

    // The first paint with its window-init has run.
    bool WaitUntilPainted();
    // Pumps until the condition holds; false after `timeoutMs`.
    bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
    // The scan page after ScanFinished: summary row shown.
    bool WaitForScanEnd(DWORD timeoutMs = 120000);
    bool WaitForDonePage(DWORD timeoutMs = 240000);

    // The window as painted, saved beside the test exe as <name>.bmp for a person to look at.
    void SaveScreenshot(const std::wstring& name);

private:
    void Start(scan::ScanChecks checks, ServerEndpoint server = TestServer());

    app::ZentariumWnd* window_ = nullptr;  // deletes itself when its window goes
    HWND handle_ = nullptr;
    EventLogSeam* seam_ = nullptr;  // not owned, outlives this
};

// Runs `step` every 20 ms on the calling thread, also inside the modal loop of a report or
// customer-service window, until it returns true.
class ThreadTimer {
public:
    explicit ThreadTimer(std::function<bool()> step);
    ~ThreadTimer();
    ThreadTimer(const ThreadTimer&) = delete;
    ThreadTimer& operator=(const ThreadTimer&) = delete;

    bool Finished() const { return finished_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
    static inline ThreadTimer* active_ = nullptr;  // one at a time

    std::function<bool()> step_;
    UINT_PTR id_ = 0;
    bool finished_ = false;
};

// A modal window of the application, open and painted: its paint manager, or null.
VXM::VxPaintManager* PaintedDialog(const wchar_t* className, HWND* window = nullptr);

// Posts a left click at the centre of a control of another window of this thread.
void PostClick(HWND window, const VXM::VxControl& control);

// The index of the row of `group` in `list`; -1 when it has none.
int RowIndexOf(const app::CheckResult& list, const std::wstring& group);
// Scrolls the shown `list` until row `index` is in view; its control, or null when it does not
// show within a few seconds.
app::CheckResultItem* ScrollToRow(MainWindowRun& run, app::CheckResult& list, int index);

// Saves a window as painted (PrintWindow) as <exe folder>\<name>.bmp.
void SaveWindowPicture(HWND window, const std::wstring& name);

// The last repair time as kept in the registry and in pcdat.ini of the work directory; nullopt
// where there is none.
struct StoredRepairTime {
    std::optional<uint32_t> registry;
    std::optional<uint32_t> file;
};
StoredRepairTime ReadStoredRepairTime();
// No registry value, no settings file: the state of a first run.
void ForgetRepairTime();

// The product's work directory: the roaming application data's "Zentarium\".
std::wstring WorkDirectory();

}  // namespace app_test
