// The repair: the repairing page with its rows, the repair worker and the done page.

#include "ZentariumWnd.h"

#include <memory>
#include <string>

#include "AppNotify.h"
#include "ChildControls.h"
#include "ControlIds.h"
#include "ControlLookup.h"
#include "RepairJob.h"
#include "RuntimeLibItem.h"
#include "RuntimeLibSource.h"
#include "Settings.h"
#include "VxContainer.h"
#include "VxDefines.h"

namespace app {

namespace {

constexpr wchar_t kShutdownBlockReason[] = L"正在修复运行库，请稍候完成后再关机";

RuntimeLibItem* RowAt(VXM::VxContainer& rows, int i)
{
    VXM::VxControl* row = rows.GetItemAt(i);
    return row ? static_cast<RuntimeLibItem*>(row->GetInterface(kClassRuntimeLibItem)) : nullptr;
}

}  // namespace

void ZentariumWnd::StartRepair()
{
    // Once per run: the done page has no way back.
    if (repairStarted_)
        return;
    repairStarted_ = true;
    ShowPage(main_ids::kRepairPage, main_ids::kScanPage);
    AddRepairRows();
    paintManager_.Invalidate();
    // The worker takes the list from the source: when the start-up fetch has not ended or gave
    // nothing, the rows come with the RuntimeLibListReady that it posts.
    const bool started =
        repairWorker_.Start([source = runtimeLibSource_, window = GetHWND(), workDirectory = workDirectory_] {
            repair::RunRepair(window, source->ForRepair(), workDirectory);
        });
    // Without a worker no RepairFinished would ever come to leave the repairing page.
    if (!started) {
        ShowDonePage(FinishRepairRows());
        return;
    }
    // An installer must not be cut off half way by a shutdown; Windows shows the reason.
    ShutdownBlockReasonCreate(GetHWND(), kShutdownBlockReason);
}

LRESULT ZentariumWnd::OnRuntimeLibListReady(WPARAM, LPARAM)
{
    if (repairStarted_) {
        AddRepairRows();
        paintManager_.Invalidate();
    }
    return 0;
}

VXM::VxContainer* ZentariumWnd::RepairRows()
{
    return FindControlAs<VXM::VxContainer>(paintManager_, main_ids::kRepairList, VXM::kClassContainer);
}

// One row per package of the list the repair works through, made once that list is known.
void ZentariumWnd::AddRepairRows()
{
    VXM::VxContainer* rows = RepairRows();
    if (!rows || rows->GetCount() > 0)
        return;
    const std::vector<RuntimeLibEntry> list = runtimeLibSource_->Current();
    for (size_t index = 0; index < list.size(); ++index) {
        auto row = std::make_unique<RuntimeLibItem>();
        row->SetManager(&paintManager_);
        row->Init();
        row->SetName(list[index].name);
        row->SetPackageIndex(index);
        if (rows->Add(row.get()))
            row.release();  // owned by the repair list
    }
}

RuntimeLibItem* ZentariumWnd::RepairRowOf(size_t packageIndex)
{
    VXM::VxContainer* rows = RepairRows();
    for (int i = 0; rows && i < rows->GetCount(); ++i) {
        RuntimeLibItem* row = RowAt(*rows, i);
        if (row && row->PackageIndex() == packageIndex)
            return row;
    }
    return nullptr;
}

LRESULT ZentariumWnd::OnRuntimeItemDone(WPARAM wParam, LPARAM)
{
    AddRepairRows();
    const auto packageIndex = static_cast<size_t>(wParam);
    // The worker goes through the list in order: a package before this one that is not repaired
    // by now never will be, and the user sees so while the repair goes on.
    VXM::VxContainer* rows = RepairRows();
    for (int i = 0; rows && i < rows->GetCount(); ++i) {
        RuntimeLibItem* row = RowAt(*rows, i);
        if (row && row->PackageIndex() < packageIndex)
            row->MarkFailed();
    }
    if (RuntimeLibItem* row = RepairRowOf(packageIndex))
        row->MarkDone();
    return 0;
}

ZentariumWnd::RepairTally ZentariumWnd::FinishRepairRows()
{
    AddRepairRows();
    RepairTally tally;
    VXM::VxContainer* rows = RepairRows();
    for (int i = 0; rows && i < rows->GetCount(); ++i) {
        RuntimeLibItem* row = RowAt(*rows, i);
        if (!row)
            continue;
        row->MarkFailed();
        ++tally.packages;
        tally.repaired += row->IsDone() ? 1 : 0;
    }
    return tally;
}

LRESULT ZentariumWnd::OnRepairFinished(WPARAM, LPARAM)
{
    ShutdownBlockReasonDestroy(GetHWND());
    const RepairTally tally = FinishRepairRows();
    // Only a repair of every package makes the next scan pass over what was found before it.
    if (tally.Complete())
        lastRepairTime_ = settings::StoreLastRepairTime(workDirectory_);
    ShowDonePage(tally);
    return 0;
}

void ZentariumWnd::ShowDonePage(const RepairTally& tally)
{
    // The done page of the skin says the repair finished; when a package was not repaired it says
    // plainly that the repair did not, and keeps the customer-service link.
    if (!tally.Complete()) {
        if (VXM::VxControl* title = paintManager_.FindControl(main_ids::kDoneTitle)) {
            title->SetText(L"DLL错误修复未完成");
            title->SetNormalTextColor(kSkinRed);
            // Down onto the note below it, so the two read as one message.
            title->SetTextStyle(DT_BOTTOM | DT_CENTER | DT_SINGLELINE);
        }
        // Without a list the skin's note (the download failed) says it; else how far it got.
        if (tally.packages > 0)
            SetText(main_ids::kDoneFailureNote, L"已修复 " + std::to_wstring(tally.repaired) + L"/" +
                                                    std::to_wstring(tally.packages) + L" 个运行库");
        SetVisible(main_ids::kDoneFailureNote, true);
    }
    ShowPage(main_ids::kDonePage, main_ids::kRepairPage);
}

}  // namespace app
