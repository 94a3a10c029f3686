#include "ZentariumDetailsWnd.h"

#include <memory>
#include <string>

#include "CheckResultItem.h"
#include "ChildControls.h"
#include "DetailLines.h"
#include "ControlIds.h"
#include "ControlLookup.h"
#include "ScanCategories.h"
#include "SkinWindow.h"
#include "VxContainer.h"
#include "VxDefines.h"
#include "VxVirtualList.h"
#include "ZentariumWnd.h"

namespace app {

namespace {

constexpr wchar_t kWindowClassName[] = L"ZentariumDetails_WND_CLASS";
constexpr UINT kDllCategory = static_cast<UINT>(scan::kSystemDlls.list);

}  // namespace

UINT ReportCategory(const VXM::VxControl& row)
{
    const VXM::VxControl* rowList = row.GetParent();
    const VXM::VxControl* list = rowList ? rowList->GetParent() : nullptr;
    return list ? list->GetID() : 0;
}

bool IsListReport(UINT category)
{
    return category == static_cast<UINT>(scan::kApplicationCrashes.list) ||
           category == static_cast<UINT>(scan::kSystemErrors.list) ||
           category == static_cast<UINT>(scan::kJunkFiles.list);
}

ZentariumDetailsWnd::ZentariumDetailsWnd(ZentariumWnd& mainWindow, CheckResultItem& row)
    : mainWindow_(mainWindow), row_(row.Record()), category_(ReportCategory(row))
{
}

const wchar_t* ZentariumDetailsWnd::GetWindowClassName() const
{
    return kWindowClassName;
}

LRESULT ZentariumDetailsWnd::VxOnCreate(UINT, WPARAM, LPARAM, bool&)
{
    BuildSkinWindow(*this, "Details");
    CenterWindow(nullptr);
    return 0;
}

LRESULT ZentariumDetailsWnd::VxOnNcActivate(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    return SkinNcActivate(GetHWND(), wParam, handled);
}

LRESULT ZentariumDetailsWnd::VxOnNcCalcSize(UINT, WPARAM, LPARAM, bool&)
{
    return 0;
}

LRESULT ZentariumDetailsWnd::VxOnNcPaint(UINT, WPARAM, LPARAM, bool&)
{
    return 0;
}

void ZentariumDetailsWnd::Notify(VXM::VxNotify& notify)
{
    if (notify.type == VXM::kNotifyWindowInit)
        OnWindowInit();
    else if (notify.type == VXM::kNotifyClick && notify.sender)
        OnClick(notify.sender->GetID());
}

void ZentariumDetailsWnd::OnWindowInit()
{
    CenterWindow(nullptr);
    const bool dllReport = category_ == kDllCategory;
    if (VXM::VxControl* layout = paintManager_.FindControl(details_ids::kDllReport))
        layout->SetVisible(dllReport);
    if (VXM::VxControl* layout = paintManager_.FindControl(details_ids::kListReport))
        layout->SetVisible(!dllReport);
    if (dllReport)
        SetText(details_ids::kDllName, row_.groupName);
    else if (IsListReport(category_))
        FillListReport(category_);
}

void ZentariumDetailsWnd::FillListReport(UINT category)
{
    if (category == static_cast<UINT>(scan::kJunkFiles.list)) {
        SetText(details_ids::kListTitle, L"系统垃圾文件");
        SetText(details_ids::kListDescription, L"扫描分析系统注册表，修复及清除异常的注册表数据。");
        SetText(details_ids::kListHeading, row_.groupName);
    } else {
        SetText(details_ids::kListTitle, row_.groupName);
        SetText(details_ids::kListDescription, L"扫描分析Windows事件日志，系统异常的严重程度。");
        SetText(details_ids::kListHeading, L"异常清单");
    }
    SetText(details_ids::kListCount, std::to_wstring(row_.Count()));
    if (auto* list = FindControlAs<VXM::VxContainer>(paintManager_, details_ids::kDetailList, VXM::kClassContainer))
        AddDetailLines(*list);
}

// The lines fill the skin's list as one virtual list: only the lines in view have controls. It
// takes the skin list's spacing and bar, which the skin list then never needs.
void ZentariumDetailsWnd::AddDetailLines(VXM::VxContainer& list)
{
    auto lines = std::make_unique<VXM::VxVirtualList>();
    if (!list.Add(lines.get()))
        return;
    VXM::VxVirtualList& added = *lines.release();  // owned by the list, which gives it the manager
    for (UINT event : {VXM::kEventMouseWheel, VXM::kEventMouseLeave, VXM::kEventMouseEnter})
        added.SetControlDispatch(static_cast<int>(event), true);
    added.SetChildPadding(list.GetChildPadding());
    added.SetAttribute(L"vscrollbar", L"VScrollBar1");
    added.SetRows(std::make_unique<DetailLines>(row_.details));
}

void ZentariumDetailsWnd::OnClick(UINT id)
{
    switch (id) {
    case details_ids::kDllRepairButton:
    case details_ids::kListRepairButton:
        mainWindow_.StartRepair();
        Close();
        break;
    case details_ids::kCloseButton:
        Close();
        break;
    default:
        break;
    }
}

void ZentariumDetailsWnd::SetText(UINT id, const std::wstring& text)
{
    if (VXM::VxControl* control = paintManager_.FindControl(id))
        control->SetText(text);
}

}  // namespace app
