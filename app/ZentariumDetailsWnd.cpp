#include "ZentariumDetailsWnd.h"

#include <memory>
#include <string>

#include "CheckResultItem.h"
#include "ChildControls.h"
#include "ControlIds.h"
#include "ControlLookup.h"
#include "ScanCategories.h"
#include "SkinWindow.h"
#include "VxContainer.h"
#include "VxDefines.h"
#include "ZentariumWnd.h"

namespace app {

namespace {

constexpr wchar_t kWindowClassName[] = L"ZentariumDetails_WND_CLASS";
constexpr UINT kDllCategory = static_cast<UINT>(scan::kSystemDlls.list);
constexpr int kDetailIconResource = 117;
constexpr int kDetailLineHeight = 50;

// One line of the list report: the detail text beside a small icon in a rounded frame. Dressed
// before it joins the list: with a paint manager each setter would ask the window for a repaint,
// which with 100,000 lines made the report take nine seconds to open.
std::unique_ptr<VXM::VxControl> MakeDetailLine(const std::wstring& text)
{
    auto line = std::make_unique<VXM::VxControl>();
    for (UINT event : {VXM::kEventMouseWheel, VXM::kEventMouseLeave, VXM::kEventMouseEnter})
        line->SetControlDispatch(static_cast<int>(event), true);
    line->SetText(OneLine(text));
    line->SetNormalBkImage(PngImage(kDetailIconResource, L"10,10,40,40"));
    line->SetTextStyle(DT_VCENTER | DT_SINGLELINE);
    line->SetNormalTextPadding(RECT{50, 0, 0, 0});
    line->SetFixedHeight(kDetailLineHeight);
    line->SetAttribute(L"normalbordercolor", L"#ffE6E6E6");
    line->SetAttribute(L"normalbordersize", L"2");
    line->SetRoundCorner(SIZE{5, 5});
    line->SetNormalFont(L"normal16");
    line->SetNormalTextColor(0xFF000000);
    return line;
}

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
    : mainWindow_(mainWindow), row_(row)
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
    const UINT category = ReportCategory(row_);
    const bool dllReport = category == kDllCategory;
    if (VXM::VxControl* layout = paintManager_.FindControl(details_ids::kDllReport))
        layout->SetVisible(dllReport);
    if (VXM::VxControl* layout = paintManager_.FindControl(details_ids::kListReport))
        layout->SetVisible(!dllReport);
    if (dllReport)
        SetText(details_ids::kDllName, row_.GetGroupName());
    else if (IsListReport(category))
        FillListReport(category);
}

void ZentariumDetailsWnd::FillListReport(UINT category)
{
    if (category == static_cast<UINT>(scan::kJunkFiles.list)) {
        SetText(details_ids::kListTitle, L"系统垃圾文件");
        SetText(details_ids::kListDescription, L"扫描分析系统注册表，修复及清除异常的注册表数据。");
        SetText(details_ids::kListHeading, row_.GetGroupName());
    } else {
        SetText(details_ids::kListTitle, row_.GetGroupName());
        SetText(details_ids::kListDescription, L"扫描分析Windows事件日志，系统异常的严重程度。");
        SetText(details_ids::kListHeading, L"异常清单");
    }
    SetText(details_ids::kListCount, std::to_wstring(row_.GetDetailCount()));
    if (auto* list = FindControlAs<VXM::VxContainer>(paintManager_, details_ids::kDetailList, VXM::kClassContainer))
        AddDetailLines(*list);
}

void ZentariumDetailsWnd::AddDetailLines(VXM::VxContainer& list)
{
    // The report shows the row as it was when it opened: nothing runs between here and the end
    // of the loop that could change the details.
    for (const auto& [detail, extra] : row_.GetDetails()) {
        std::unique_ptr<VXM::VxControl> line = MakeDetailLine(detail);
        if (list.Add(line.get()))
            line.release();  // owned by the list, which gives it the window's paint manager
    }
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
