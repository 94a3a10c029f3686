#pragma once

#include <windows.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>

#include "FindingSinks.h"
#include "ScanCategories.h"
#include "ScanHost.h"
#include "UpdateQueue.h"

namespace scan {

// The four checks a scan runs; the product uses Real(), tests may replace any of them.
struct ScanChecks {
    std::function<void(const wchar_t* logName, const CheckTarget&, uint32_t lastRepairTime, UpdateQueue&)> eventLog;
    std::function<void(const CheckTarget&, uint32_t lastRepairTime, UpdateQueue&)> junkFiles;
    std::function<void(const CheckTarget&, uint32_t lastRepairTime, UpdateQueue&)> systemDlls;

    static ScanChecks Real();
};

// One scan run: made on the UI thread (the controls are looked up there), run on the worker.
class ScanJob {
public:
    explicit ScanJob(IScanHost& host, ScanChecks checks = ScanChecks::Real());

    // Application log, System log, junk files, SharedDlls, each category shown before its check
    // starts; ends by posting ScanFinished. Each check reads the repair time once, at its start.
    void Run() const;

    const std::array<CheckTarget, kCategoryCount>& Targets() const { return targets_; }

private:
    void ShowCategory(int entryId) const;

    HWND window_ = nullptr;
    UpdateQueue* updates_ = nullptr;                    // not owned, outlives the run
    const std::atomic<uint32_t>* lastRepairTime_ = nullptr;  // not owned, outlives the run
    std::array<CheckTarget, kCategoryCount> targets_;
    ScanChecks checks_;
};

// The summary number at the end of a scan: detail lines over the four lists.
int TotalFindings(const std::array<CheckTarget, kCategoryCount>& targets);

}  // namespace scan
