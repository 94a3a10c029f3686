#pragma once

#include <chrono>
#include <cstddef>
#include <vector>

#include "CriticalSection.h"
#include "ScanUpdate.h"
#include "UpdateBatch.h"

namespace scan {

// Applies one update to its list and entry.
void ApplyUpdate(const ScanUpdate& update);

// Findings in arrival order, handed from the scan worker to the UI thread in batches.
class UpdateQueue {
public:
    // Any thread; the texts are copied. Refused (false) without a list, of an unknown kind or with
    // more than kMaxUpdateChars of text, none of which any list would show.
    bool Post(const ScanUpdate& update);

    // UI thread: applies every queued update in order. The lock is held only to take the
    // batches, so the worker never waits while the lists change. An exception out of a list ends
    // the drain with the failing update dropped; the next drain goes on after it, so no update is
    // applied twice or out of order.
    void Drain();
    // UI thread, on a progress tick: as Drain, but stops once about `budget` has passed and leaves
    // the rest, in order and ahead of anything posted later, to the next call, so that a tick
    // after a burst of findings keeps the window answering. True when nothing was left.
    bool DrainFor(std::chrono::steady_clock::duration budget);

    size_t PendingCount();  // posted and not yet taken by a drain
    size_t PendingBytes();  // records and texts of those

private:
    using Clock = std::chrono::steady_clock;
    // Applies the taken batches until `deadline` (looked at every few updates, after at least a
    // few); true when they are done.
    bool ApplyTaken(Clock::time_point deadline);
    // Hands the applied batches back for reuse and takes what was posted since.
    void TakePending();
    UpdateBatch& BatchWithRoom();  // under lock_

    base::CriticalSection lock_;
    std::vector<UpdateBatch> pending_;  // guarded by lock_; the last one takes the posts
    std::vector<UpdateBatch> spare_;    // guarded by lock_; applied, cleared, kept for reuse
    std::vector<UpdateBatch> taken_;    // UI thread only
    size_t takenBatch_ = 0;             // next to apply in taken_; UI thread only
    size_t takenUpdate_ = 0;            // in taken_[takenBatch_]; UI thread only
};

}  // namespace scan
