// The repair: the repairing page with its rows, the repair worker and the done page.

#include "ZentariumWnd.h"

#include <memory>

#include "AppNotify.h"
#include "ControlIds.h"
#include "ControlLookup.h"
#include "RepairJob.h"
#include "RuntimeLibItem.h"
#include "RuntimeLibSource.h"
#include "Settings.h"
#include "VxContainer.h"
#include "VxDefines.h"

namespace app {

void ZentariumWnd::StartRepair()
{
    // Once per run: the done page has no way back, and a second list of rows would no longer
    // match the packages the worker reports by index.
    if (repairStarted_)
        return;
    repairStarted_ = true;
    ShowPage(main_ids::kRepairPage, main_ids::kScanPage);
    AddRepairRows(runtimeLibs_);
    paintManager_.Invalidate();
    // The worker takes the list from the source: when the start-up fetch has not ended or gave
    // nothing, the rows come with the RuntimeLibListReady that it posts before it reports any.
    const bool started =
        repairWorker_.Start([source = runtimeLibSource_, window = GetHWND(), workDirectory = workDirectory_] {
            repair::RunRepair(window, source->ForRepair(), workDirectory);
        });
    // Without a worker no RepairFinished would ever come to leave the repairing page.
    if (!started)
        ShowDonePage(false);
}

LRESULT ZentariumWnd::OnRuntimeLibListReady(WPARAM, LPARAM)
{
    runtimeLibs_ = runtimeLibSource_->Current();
    auto* rows = FindControlAs<VXM::VxContainer>(paintManager_, main_ids::kRepairList, VXM::kClassContainer);
    if (repairStarted_ && rows && rows->GetCount() == 0) {
        AddRepairRows(runtimeLibs_);
        paintManager_.Invalidate();
    }
    return 0;
}

void ZentariumWnd::AddRepairRows(const std::vector<RuntimeLibEntry>& list)
{
    auto* rows = FindControlAs<VXM::VxContainer>(paintManager_, main_ids::kRepairList, VXM::kClassContainer);
    if (!rows)
        return;
    for (const RuntimeLibEntry& entry : list) {
        auto row = std::make_unique<RuntimeLibItem>();
        row->SetManager(&paintManager_);
        row->Init();
        row->SetName(entry.name);
        if (rows->Add(row.get()))
            row.release();  // owned by the repair list
    }
}

LRESULT ZentariumWnd::OnRuntimeItemDone(WPARAM wParam, LPARAM)
{
    ++handledPackages_;
    auto* rows = FindControlAs<VXM::VxContainer>(paintManager_, main_ids::kRepairList, VXM::kClassContainer);
    VXM::VxControl* row = rows ? rows->GetItemAt(static_cast<int>(wParam)) : nullptr;
    if (auto* item = row ? static_cast<RuntimeLibItem*>(row->GetInterface(kClassRuntimeLibItem)) : nullptr)
        item->MarkDone();
    return 0;
}

LRESULT ZentariumWnd::OnRepairFinished(WPARAM, LPARAM)
{
    const bool repaired = handledPackages_ > 0;
    if (repaired)
        lastRepairTime_ = settings::StoreLastRepairTime(workDirectory_);
    ShowDonePage(repaired);
    return 0;
}

void ZentariumWnd::ShowDonePage(bool repaired)
{
    // The done page of the skin says the repair finished; when no package arrived it says plainly
    // that it did not, and keeps the customer-service link.
    constexpr DWORD kFailureColour = 0xFFF24D4D;
    if (!repaired) {
        if (VXM::VxControl* title = paintManager_.FindControl(main_ids::kDoneTitle)) {
            title->SetText(L"DLL错误修复未完成");
            title->SetNormalTextColor(kFailureColour);
            // Down onto the note below it, so the two read as one message.
            title->SetTextStyle(DT_BOTTOM | DT_CENTER | DT_SINGLELINE);
        }
        SetVisible(main_ids::kDoneFailureNote, true);
    }
    ShowPage(main_ids::kDonePage, main_ids::kRepairPage);
}

}  // namespace app
