#include "ScanJob.h"

#include <utility>

#include "DllScan.h"
#include "EventLogScan.h"
#include "JunkScan.h"
#include "WorkerMessages.h"

namespace scan {

ScanChecks ScanChecks::Real()
{
    ScanChecks checks;
    checks.eventLog = &ScanSystemEventLog;
    checks.junkFiles = &ScanJunkFiles;
    checks.systemDlls = &ScanSharedDlls;
    return checks;
}

ScanJob::ScanJob(IScanHost& host, ScanChecks checks)
    : window_(host.ScanWindow()),
      updates_(&host.Updates()),
      lastRepairTime_(&host.LastRepairTime()),
      checks_(std::move(checks))
{
    for (int i = 0; i < kCategoryCount; ++i)
        targets_[i] = CheckTarget{host.FindList(kScanOrder[i].list), host.FindEntry(kScanOrder[i].entry)};
}

void ScanJob::Run() const
{
    checks_.eventLog(L"Application", targets_[0], lastRepairTime_->load(), *updates_);
    ShowCategory(kSystemErrors.entry);
    checks_.eventLog(L"System", targets_[1], lastRepairTime_->load(), *updates_);
    ShowCategory(kJunkFiles.entry);
    checks_.junkFiles(targets_[2], lastRepairTime_->load(), *updates_);
    ShowCategory(kSystemDlls.entry);
    checks_.systemDlls(targets_[3], lastRepairTime_->load(), *updates_);
    PostMessageW(window_, workers::kScanFinished, 0, 0);
}

void ScanJob::ShowCategory(int entryId) const
{
    PostMessageW(window_, workers::kShowCategoryRequest, static_cast<WPARAM>(entryId), 0);
}

int TotalFindings(const std::array<CheckTarget, kCategoryCount>& targets)
{
    int total = 0;
    for (const CheckTarget& target : targets) {
        if (target.list)
            total += target.list->TotalCount();
    }
    return total;
}

}  // namespace scan
