#include "AppGuiSupport.h"

#include <shlobj.h>

#include <cwchar>
#include <memory>
#include <utility>

#include "AppNotify.h"
#include "CheckResult.h"
#include "CheckResultItem.h"
#include "DibSection.h"
#include "GdiHandles.h"
#include "GuiTestSupport.h"
#include "LeftOption.h"
#include "PixelImage.h"
#include "ScanUpdate.h"
#include "SkinFiles.h"
#include "StartUp.h"
#include "TestPaths.h"
#include "VendorServer.h"
#include "VxWindowImplBase.h"
#include "ZentariumWnd.h"

namespace app_test {

namespace {

constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\Zentarium";
constexpr wchar_t kValueName[] = L"last_xiufu_time";
constexpr DWORD kCloseTimeoutMs = 120000;

std::optional<uint32_t> ParseTime(const std::wstring& text)
{
    if (text.empty())
        return std::nullopt;
    return static_cast<uint32_t>(std::wcstoul(text.c_str(), nullptr, 10));
}

}  // namespace

ServerEndpoint TestServer()
{
    ServerEndpoint endpoint = CompiledEndpoint();
    endpoint.base = vendor_server::HttpBase();
    return endpoint;
}

EventLogSeam::EventLogSeam(std::vector<Crash> crashes, bool holdUntilReleased)
    : crashes_(std::move(crashes)), release_(CreateEventW(nullptr, TRUE, holdUntilReleased ? FALSE : TRUE, nullptr))
{
}

EventLogSeam::~EventLogSeam()
{
    Release();
}

scan::ScanChecks EventLogSeam::Checks() const
{
    scan::ScanChecks checks = scan::ScanChecks::Real();
    checks.eventLog = [crashes = crashes_, calls = calls_, release = release_.Get()](
                          const wchar_t* logName, const scan::CheckTarget& target, uint32_t, scan::UpdateQueue& queue) {
        if (std::wstring(logName) != L"Application")
            return;
        ++*calls;
        for (const Crash& crash : crashes) {
            queue.Post({target.list, target.entry, scan::kEventFinding, crash.application, L"最近一次崩溃：" + crash.time,
                        crash.time});
        }
        WaitForSingleObject(release, INFINITE);
    };
    return checks;
}

MainWindowRun::MainWindowRun()
{
    Start(scan::ScanChecks::Real());
}

MainWindowRun::MainWindowRun(EventLogSeam& seam) : seam_(&seam)
{
    Start(seam.Checks());
}

MainWindowRun::MainWindowRun(scan::ScanChecks checks, ServerEndpoint server)
{
    Start(std::move(checks), std::move(server));
}

void MainWindowRun::Start(scan::ScanChecks checks, ServerEndpoint server)
{
    window_ = app::StartUp(GetModuleHandleW(nullptr), app::AppServices{std::move(checks), std::move(server)});
    handle_ = window_ ? window_->GetHWND() : nullptr;
}

MainWindowRun::~MainWindowRun()
{
    if (seam_)
        seam_->Release();
    if (Alive()) {
        PostMessageW(handle_, WM_SYSCOMMAND, SC_CLOSE, 0);
        PumpUntil([this] { return !Alive(); }, kCloseTimeoutMs);
    }
    // The quit message of the closed window is not for the next test.
    MSG message = {};
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

VXM::VxPaintManager& MainWindowRun::Manager()
{
    return window_->GetPaintManager();
}

VXM::VxControl* MainWindowRun::Control(UINT id)
{
    return Alive() ? Manager().FindControl(id) : nullptr;
}

bool MainWindowRun::Shows(UINT id)
{
    const VXM::VxControl* control = Control(id);
    if (!control)
        return false;
    for (; control; control = control->GetParent()) {
        if (!control->IsVisible())
            return false;
    }
    return true;
}

std::wstring MainWindowRun::TextOf(UINT id)
{
    const VXM::VxControl* control = Control(id);
    return control ? control->GetText() : L"<no control " + std::to_wstring(id) + L">";
}

void MainWindowRun::Click(UINT id)
{
    if (VXM::VxControl* control = Control(id))
        Click(*control);
}

void MainWindowRun::Click(VXM::VxControl& control)
{
    // Positions are those of the last layout: let any pending one run first.
    PumpUntil(
        [this, &control] {
            if (Manager().IsUpdateNeeded())
                InvalidateRect(handle_, nullptr, FALSE);
            UpdateWindow(handle_);
            return !Manager().IsUpdateNeeded() && !IsRectEmpty(&control.GetPos());
        },
        3000);
    PostClick(handle_, control);
}

bool MainWindowRun::WaitUntilPainted()
{
    return PumpUntil(
        [this] {
            auto* entry = ControlAs<app::LeftOption>(117, app::kClassLeftOption);
            return IsWindowVisible(handle_) && !GetUpdateRect(handle_, nullptr, FALSE) && entry && entry->Title() &&
                   !entry->Title()->GetText().empty();
        },
        10000);
}

bool MainWindowRun::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    return gui_test::PumpUntil(done, timeoutMs);
}

bool MainWindowRun::WaitForScanEnd(DWORD timeoutMs)
{
    return PumpUntil([this] { return Shows(128) && !Shows(125); }, timeoutMs);
}

bool MainWindowRun::WaitForDonePage(DWORD timeoutMs)
{
    return PumpUntil([this] { return Shows(133); }, timeoutMs);
}

void MainWindowRun::SaveScreenshot(const std::wstring& name)
{
    if (Manager().IsUpdateNeeded())
        InvalidateRect(handle_, nullptr, FALSE);
    UpdateWindow(handle_);
    SaveWindowPicture(handle_, name);
}

PostedMessageCounter::PostedMessageCounter(UINT message) : message_(message)
{
    if (counters_.empty())
        hook_ = SetWindowsHookExW(WH_GETMESSAGE, &PostedMessageCounter::Hook, nullptr, GetCurrentThreadId());
    counters_.push_back(this);
}

PostedMessageCounter::~PostedMessageCounter()
{
    std::erase(counters_, this);
    if (counters_.empty() && hook_) {
        UnhookWindowsHookEx(hook_);
        hook_ = nullptr;
    }
}

LRESULT CALLBACK PostedMessageCounter::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        for (PostedMessageCounter* counter : counters_) {
            if (message->message == counter->message_) {
                ++counter->count_;
                counter->parameters_.push_back(message->wParam);
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

ThreadTimer::ThreadTimer(std::function<bool()> step) : step_(std::move(step))
{
    active_ = this;
    id_ = SetTimer(nullptr, 0, 20, &ThreadTimer::Tick);
}

ThreadTimer::~ThreadTimer()
{
    if (id_)
        KillTimer(nullptr, id_);
    active_ = nullptr;
}

void CALLBACK ThreadTimer::Tick(HWND, UINT, UINT_PTR id, DWORD)
{
    ThreadTimer* self = active_;
    if (!self || self->id_ != id || self->finished_)
        return;
    // A step may open a nested loop (a click that opens a modal window): it must not run again
    // from inside it.
    self->finished_ = true;
    if (self->step_())
        return;
    self->finished_ = false;
}

VXM::VxPaintManager* PaintedDialog(const wchar_t* className, HWND* window)
{
    const HWND found = FindWindowW(className, nullptr);
    if (!found || !IsWindowVisible(found) || GetUpdateRect(found, nullptr, FALSE))
        return nullptr;
    auto* object = reinterpret_cast<VXM::VxWindowWnd*>(GetWindowLongPtrW(found, GWLP_USERDATA));
    auto* dialog = dynamic_cast<VXM::VxWindowImplBase*>(object);
    if (!dialog || !dialog->GetPaintManager().GetRootControl() || dialog->GetPaintManager().IsUpdateNeeded())
        return nullptr;
    if (window)
        *window = found;
    return &dialog->GetPaintManager();
}

void PostClick(HWND window, const VXM::VxControl& control)
{
    const RECT& rect = control.GetPos();
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageW(window, WM_MOUSEMOVE, 0, at);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
}

void SaveWindowPicture(HWND window, const std::wstring& name)
{
    RECT client = {};
    GetClientRect(window, &client);
    uint32_t* bits = nullptr;
    VXM::GdiBitmap bitmap = VXM::CreateTopDownDib(client.right, client.bottom, &bits);
    VXM::MemoryDC dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !dc)
        return;
    {
        VXM::SelectGuard select(dc.Get(), bitmap.Get());
        PrintWindow(window, dc.Get(), PW_CLIENTONLY);
    }
    VXM::PixelImage image(client.right, client.bottom);
    for (size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = 0xFF000000 | bits[i];
    VXM::WriteWholeFile(testing_paths::ExeFolder() + name + L".bmp", VXM::Encode24BitBmp(image));
}

StoredRepairTime ReadStoredRepairTime()
{
    StoredRepairTime stored;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, kValueName, RRF_RT_REG_DWORD, nullptr, &value, &size) ==
        ERROR_SUCCESS)
        stored.registry = value;
    wchar_t text[32] = {};
    GetPrivateProfileStringW(L"config", kValueName, L"", text, 32, (WorkDirectory() + L"pcdat.ini").c_str());
    stored.file = ParseTime(text);
    return stored;
}

void ForgetRepairTime()
{
    RegDeleteKeyW(HKEY_CURRENT_USER, kSettingsKey);
    DeleteFileW((WorkDirectory() + L"pcdat.ini").c_str());
}

std::wstring WorkDirectory()
{
    wchar_t folder[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, FALSE);
    return std::wstring(folder) + L"\\Zentarium\\";
}

int RowIndexOf(const app::CheckResult& list, const std::wstring& group)
{
    for (int i = 0; i < list.RowCount(); ++i) {
        if (list.RecordAt(i)->groupName == group)
            return i;
    }
    return -1;
}

app::CheckResultItem* ScrollToRow(MainWindowRun& run, app::CheckResult& list, int index)
{
    constexpr int kRowPitch = 73;  // a row's 68 pixels and its bottom padding
    app::CheckResultItem* row = nullptr;
    run.PumpUntil(
        [&] {
            row = list.ShownRow(index);
            if (!row && list.RowList())
                list.RowList()->SetScrollPos(SIZE{0, index * kRowPitch});
            return row && row->IsVisible();
        },
        5000);
    return row && row->IsVisible() ? row : nullptr;
}

}  // namespace app_test
