#include "ZentariumWnd.h"

#include <iterator>
#include <utility>

#include "AppNotify.h"
#include "CheckResult.h"
#include "ControlIds.h"
#include "ControlLookup.h"
#include "LeftOption.h"
#include "RuntimeLibSource.h"
#include "Settings.h"
#include "SkinWindow.h"
#include "VxDefines.h"
#include "WorkerMessages.h"

namespace app {

namespace {

constexpr wchar_t kWindowClassName[] = L"Zentarium_WND_CLASS";
constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;

}  // namespace

ZentariumWnd::ZentariumWnd(AppServices services) : services_(std::move(services)) {}

ZentariumWnd::~ZentariumWnd() = default;

const wchar_t* ZentariumWnd::GetWindowClassName() const
{
    return kWindowClassName;
}

UINT ZentariumWnd::GetClassStyle() const
{
    return kClassStyle;
}

LRESULT ZentariumWnd::VxHandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    using Handler = LRESULT (ZentariumWnd::*)(WPARAM, LPARAM);
    struct Route {
        UINT message;
        Handler handler;
    };
    static constexpr Route kRoutes[] = {
        {workers::kScanFinished, &ZentariumWnd::OnScanFinished},
        {workers::kRuntimeItemDone, &ZentariumWnd::OnRuntimeItemDone},
        {workers::kRepairFinished, &ZentariumWnd::OnRepairFinished},
        {workers::kShowCategoryRequest, &ZentariumWnd::OnShowCategoryRequest},
        {workers::kRuntimeLibListReady, &ZentariumWnd::OnRuntimeLibListReady},
        {WM_QUERYENDSESSION, &ZentariumWnd::OnQueryEndSession},
    };
    for (const Route& route : kRoutes) {
        if (route.message == message)
            return (this->*route.handler)(wParam, lParam);
    }
    return VxWindowImplBase::VxHandleMessage(message, wParam, lParam);
}

void ZentariumWnd::OnFinalMessage(HWND)
{
    delete this;
}

LRESULT ZentariumWnd::VxOnDestroy(UINT, WPARAM, LPARAM, bool& handled)
{
    PostQuitMessage(0);
    handled = false;
    return 0;
}

LRESULT ZentariumWnd::VxOnCreate(UINT, WPARAM, LPARAM, bool&)
{
    VxSetIcon(kIconId);
    const LONG style = GetWindowLongW(GetHWND(), GWL_STYLE);
    // The window has a fixed size: no maximise box, so no maximising by its caption either.
    SetWindowLongW(GetHWND(), GWL_STYLE, style & ~(WS_CAPTION | WS_MAXIMIZEBOX));
    BuildSkinWindow(*this, "Main");
    // The usage reports and the list fetch go on while the window shows.
    runtimeLibSource_ = std::make_shared<RuntimeLibSource>(services_.server, GetHWND());
    runtimeLibSource_->StartStartupCalls();
    const settings::Settings loaded = settings::LoadSettings();
    workDirectory_ = loaded.workDirectory;
    lastRepairTime_ = loaded.lastRepairTime;
    return 0;
}

LRESULT ZentariumWnd::VxOnNcActivate(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    return SkinNcActivate(GetHWND(), wParam, handled);
}

LRESULT ZentariumWnd::VxOnNcCalcSize(UINT, WPARAM, LPARAM, bool&)
{
    return 0;
}

LRESULT ZentariumWnd::VxOnNcPaint(UINT, WPARAM, LPARAM, bool&)
{
    return 0;
}

LRESULT ZentariumWnd::VxOnSysCommand(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    // The low four bits of the command are the system's own. The skin is laid out for one size:
    // a maximise (caption double click, Win+Up) is ignored.
    switch (wParam & 0xFFF0) {
    case SC_CLOSE:
        CloseProcedure();
        return 0;
    case SC_MAXIMIZE:
        return 0;
    default:
        handled = false;
        return 0;
    }
}

LRESULT ZentariumWnd::VxOnClose(UINT, WPARAM, LPARAM, bool& handled)
{
    // A WM_CLOSE from elsewhere must not destroy the window, and with it the update queue, while a
    // worker still uses it.
    handled = !WaitForWorkers();
    return 0;
}

LRESULT ZentariumWnd::OnQueryEndSession(WPARAM, LPARAM)
{
    // A scan may be cut off; an installer half way through may not.
    return repairWorker_.Running() ? FALSE : TRUE;
}

LRESULT ZentariumWnd::VxOnTimer(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    if (wParam == kProgressTimerId)
        ProgressTick();
    handled = false;
    return 0;
}

void ZentariumWnd::Notify(VXM::VxNotify& notify)
{
    if (!notify.sender)
        return;
    switch (notify.type) {
    case VXM::kNotifyWindowInit:
        OnWindowInit();
        break;
    case VXM::kNotifyClick:
        OnClick(*notify.sender);
        break;
    case kNotifyCategoryActivated:
        ShowCategory(static_cast<int>(notify.sender->GetID()));
        break;
    case kNotifyReportRequested:
        OnReportRequested(*notify.sender);
        break;
    default:
        break;
    }
}

void ZentariumWnd::OnClick(VXM::VxControl& sender)
{
    const UINT id = sender.GetID();
    if (id >= main_ids::kFirstSymptomLink && id <= main_ids::kLastSymptomLink) {
        ShowSymptomPicture(id);
        return;
    }
    struct Route {
        UINT id;
        void (ZentariumWnd::*action)();
    };
    static constexpr Route kRoutes[] = {
        {main_ids::kMinimiseButton, &ZentariumWnd::Minimise},
        {main_ids::kCloseButton, &ZentariumWnd::CloseProcedure},
        {main_ids::kServiceButton, &ZentariumWnd::OpenCustomerService},
        {main_ids::kStartScanButton, &ZentariumWnd::StartScan},
        {main_ids::kBackHomeButton, &ZentariumWnd::ShowHomePage},
        {main_ids::kRepairNowButton, &ZentariumWnd::StartRepair},
        {main_ids::kDoneServiceLink, &ZentariumWnd::OpenCustomerService},
    };
    for (const Route& route : kRoutes) {
        if (route.id == id) {
            (this->*route.action)();
            return;
        }
    }
}

void ZentariumWnd::Minimise()
{
    SendMessageW(GetHWND(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void ZentariumWnd::CloseProcedure()
{
    if (WaitForWorkers())
        Close();
}

bool ZentariumWnd::WaitForWorkers()
{
    if (waitingForWorkers_)
        return false;
    waitingForWorkers_ = true;
    VxShowWindow(false, true);
    // An installer may take minutes: the hidden window still answers what is sent to it (the
    // shutdown's query among them), so the system does not take the program for hung.
    repairWorker_.WaitAnsweringSentMessages();
    scanWorker_.WaitAnsweringSentMessages();
    waitingForWorkers_ = false;
    return true;
}

void ZentariumWnd::ShowHomePage()
{
    ShowPage(main_ids::kHomePage, main_ids::kScanPage);
}

void ZentariumWnd::ShowSymptomPicture(UINT linkId)
{
    // Links 109 to 113 show the pictures 107 to 111.
    constexpr int kPictureOffset = 2;
    VXM::VxControl* picture = paintManager_.FindControl(main_ids::kSymptomPicture);
    if (!picture)
        return;
    picture->SetNormalImage(PngImage(static_cast<int>(linkId) - kPictureOffset, L"425,0,1099,350"));
    picture->Invalidate();
}

void ZentariumWnd::ShowPage(UINT pageToShow, UINT pageToHide)
{
    SetVisible(pageToHide, false);
    SetVisible(pageToShow, true);
    paintManager_.Invalidate();
}

void ZentariumWnd::SetVisible(UINT id, bool visible)
{
    if (VXM::VxControl* control = paintManager_.FindControl(id))
        control->SetVisible(visible);
}

void ZentariumWnd::SetText(UINT id, const std::wstring& text)
{
    if (VXM::VxControl* control = paintManager_.FindControl(id))
        control->SetText(text);
}

CheckResult* ZentariumWnd::ListById(UINT id)
{
    return FindControlAs<CheckResult>(paintManager_, id, kClassCheckResult);
}

HWND ZentariumWnd::ScanWindow()
{
    return GetHWND();
}

scan::IResultList* ZentariumWnd::FindList(int listId)
{
    return ListById(static_cast<UINT>(listId));
}

scan::ICategoryEntry* ZentariumWnd::FindEntry(int entryId)
{
    return FindControlAs<LeftOption>(paintManager_, static_cast<UINT>(entryId), kClassLeftOption);
}

scan::UpdateQueue& ZentariumWnd::Updates()
{
    return updates_;
}

const std::atomic<uint32_t>& ZentariumWnd::LastRepairTime()
{
    return lastRepairTime_;
}

}  // namespace app
