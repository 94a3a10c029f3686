#include "ZentariumKefuWnd.h"

#include <shellapi.h>

#include "ControlIds.h"
#include "SkinWindow.h"
#include "VendorConfig.h"
#include "VxControl.h"
#include "VxDefines.h"

namespace app {

namespace {

constexpr wchar_t kWindowClassName[] = L"ZentariumKefu_WND_CLASS";

}  // namespace

const wchar_t* ZentariumKefuWnd::GetWindowClassName() const
{
    return kWindowClassName;
}

LRESULT ZentariumKefuWnd::VxOnCreate(UINT, WPARAM, LPARAM, bool&)
{
    BuildSkinWindow(*this, "Kefu");
    return 0;
}

LRESULT ZentariumKefuWnd::VxOnNcActivate(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    return SkinNcActivate(GetHWND(), wParam, handled);
}

LRESULT ZentariumKefuWnd::VxOnNcCalcSize(UINT, WPARAM, LPARAM, bool&)
{
    return 0;
}

LRESULT ZentariumKefuWnd::VxOnNcPaint(UINT, WPARAM, LPARAM, bool&)
{
    return 0;
}

void ZentariumKefuWnd::Notify(VXM::VxNotify& notify)
{
    if (notify.type == VXM::kNotifyWindowInit) {
        CenterWindow(nullptr);
        return;
    }
    if (notify.type != VXM::kNotifyClick || !notify.sender)
        return;
    if (notify.sender->GetID() == kefu_ids::kCloseButton)
        Close();
    else if (notify.sender->GetID() == kefu_ids::kOnlineServiceButton)
        ShellExecuteW(nullptr, L"open", vendor_config::kServiceUrl, L"", nullptr, SW_SHOWNORMAL);
}

}  // namespace app
