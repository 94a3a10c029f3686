#pragma once

#include <chrono>
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
    // Any thread; the queue owns the update from here on. A null update is refused (false).
    bool Post(std::unique_ptr<ScanUpdate> update);

    // UI thread: applies every queued update in order and frees it. The lock is held only to
    // take the batch, so the worker never waits while the lists change. An exception out of a
    // list ends the drain with the failing update freed; the next drain goes on after it, so no
    // update is applied twice or out of order.
    void Drain();
    // UI thread, on a progress tick: as Drain, but stops once about `budget` has passed and leaves
    // the rest, in order and ahead of anything posted later, to the next call, so that a tick
    // after a burst of findings keeps the window answering. True when nothing was left.
    bool DrainFor(std::chrono::steady_clock::duration budget);

    size_t PendingCount();  // posted and not yet taken by a drain

private:
    using Clock = std::chrono::steady_clock;
    // Applies the taken batch until `deadline` (looked at every few updates, after at least a
    // few); true when the batch is done.
    bool ApplyBatch(Clock::time_point deadline = Clock::time_point::max());

    base::CriticalSection lock_;
    std::vector<std::unique_ptr<ScanUpdate>> pending_;  // guarded by lock_
    std::vector<std::unique_ptr<ScanUpdate>> draining_;  // UI thread only; keeps its capacity
    size_t nextToApply_ = 0;  // in draining_; UI thread only
};

}  // namespace scan
