// The modal report and customer-service windows the main window opens.

#include "ZentariumWnd.h"

#include <string>

#include "AppNotify.h"
#include "CheckResultItem.h"
#include "ControlIds.h"
#include "VxLoadResource.h"
#include "ZentariumDetailsWnd.h"
#include "ZentariumKefuWnd.h"

namespace app {

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU;
constexpr SIZE kServiceWindowSize = {450, 450};
constexpr SIZE kListReportSize = {750, 600};
constexpr SIZE kDllReportSize = {554, 264};

// Runs a dialog window object for one modal loop, with the main window as its owner.
void RunModal(VXM::VxWindowWnd& dialog, HWND owner, SIZE size)
{
    const std::wstring title = VXM::VxLoadResource::Instance().LoadStr(kTitleStringId);
    if (dialog.VxCreate(owner, title.c_str(), kDialogStyle, 0, 0, 0, size.cx, size.cy))
        dialog.ShowModal();
}

}  // namespace

void ZentariumWnd::OpenCustomerService()
{
    ZentariumKefuWnd service;
    RunModal(service, GetHWND(), kServiceWindowSize);
}

void ZentariumWnd::OnReportRequested(VXM::VxControl& sender)
{
    auto* row = static_cast<CheckResultItem*>(sender.GetInterface(kClassCheckResultItem));
    if (!row)
        return;
    ZentariumDetailsWnd report(*this, *row);
    RunModal(report, GetHWND(), IsListReport(ReportCategory(*row)) ? kListReportSize : kDllReportSize);
}

}  // namespace app
