// The scan: its start, the progress tick that drains the findings, the category switch and
// the end of the scan.

#include "ZentariumWnd.h"

#include <string>

#include "AppNotify.h"
#include "CheckResult.h"
#include "ControlIds.h"
#include "ControlLookup.h"
#include "LeftOption.h"
#include "ScanCategories.h"
#include "ScanJob.h"
#include "ScanProgress.h"
#include "VxDefines.h"
#include "VxProgress.h"

namespace app {

void ZentariumWnd::StartScan()
{
    ShowPage(main_ids::kScanPage, main_ids::kHomePage);
    tickCount_ = 0;
    SetTimer(GetHWND(), kProgressTimerId, kProgressTimerPeriodMs, nullptr);
    // The job looks its lists up now, on the UI thread; the worker only posts to them.
    scanWorker_.Start([job = scan::ScanJob(*this, services_.scanChecks)] { job.Run(); });
}

void ZentariumWnd::ProgressTick()
{
    tickCount_ = scan::NextTick(tickCount_);
    updates_.DrainFor(scan::kTickDrainBudget);
    SetText(main_ids::kScanStatus, scan::ScanStatusText(tickCount_));
    SetText(main_ids::kProgressText, scan::ScanProgressText(tickCount_));
    auto* bar = FindControlAs<VXM::VxProgress>(paintManager_, main_ids::kProgressBar, VXM::kClassProgress);
    if (!bar)
        return;
    int minimum = 0;
    int maximum = 0;
    bar->GetRange(minimum, maximum);
    bar->SetPos(scan::ProgressBarValue(tickCount_, minimum, maximum));
    bar->Invalidate();
}

LRESULT ZentariumWnd::OnScanFinished(WPARAM, LPARAM)
{
    updates_.Drain();
    SetVisible(main_ids::kScanStatus, false);
    SetVisible(main_ids::kBackHomeButton, true);
    SetVisible(main_ids::kProgressRow, false);
    SetVisible(main_ids::kSummaryRow, true);
    if (VXM::VxControl* repairNow = paintManager_.FindControl(main_ids::kRepairNowButton))
        repairNow->SetEnabled(true);
    if (VXM::VxControl* count = paintManager_.FindControl(main_ids::kSummaryCount)) {
        count->SetText(std::to_wstring(TotalFindings()));
        // Its width follows the text.
        count->NeedParentUpdate();
    }
    paintManager_.Invalidate();
    KillTimer(GetHWND(), kProgressTimerId);
    return 0;
}

int ZentariumWnd::TotalFindings()
{
    int total = 0;
    for (const scan::CategoryIds& category : scan::kScanOrder) {
        if (CheckResult* list = ListById(static_cast<UINT>(category.list)))
            total += list->TotalCount();
    }
    return total;
}

LRESULT ZentariumWnd::OnShowCategoryRequest(WPARAM wParam, LPARAM)
{
    for (const scan::CategoryIds& category : scan::kScanOrder) {
        if (wParam == static_cast<WPARAM>(category.entry))
            ShowCategory(category.entry);
    }
    return 0;
}

void ZentariumWnd::ShowCategory(int entryId)
{
    for (const scan::CategoryIds& category : scan::kScanOrder) {
        const bool selected = category.entry == entryId;
        if (VXM::VxControl* list = paintManager_.FindControl(static_cast<UINT>(category.list)))
            list->SetVisible(selected);
        if (auto* entry = FindControlAs<LeftOption>(paintManager_, static_cast<UINT>(category.entry), kClassLeftOption))
            entry->SetSelected(selected);
    }
    if (VXM::VxControl* root = paintManager_.GetRootControl())
        root->NeedUpdate();
    paintManager_.Invalidate();
}

}  // namespace app
