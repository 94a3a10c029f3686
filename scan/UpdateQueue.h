#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "CriticalSection.h"
#include "ScanUpdate.h"

namespace scan {

// Applies one update to its list and entry.
void ApplyUpdate(const ScanUpdate& update);

// Findings in arrival order, handed from the scan worker to the UI thread.
class UpdateQueue {
public:
    // Any thread; the queue owns the update from here on.
    void Post(std::unique_ptr<ScanUpdate> update);

    // UI thread: applies every queued update in order and frees it. The lock is held only to
    // take the batch, so the worker never waits while the lists change.
    void Drain();

    size_t PendingCount();

private:
    base::CriticalSection lock_;
    std::vector<std::unique_ptr<ScanUpdate>> pending_;  // guarded by lock_
    std::vector<std::unique_ptr<ScanUpdate>> draining_;  // UI thread only; keeps its capacity
};

}  // namespace scan
