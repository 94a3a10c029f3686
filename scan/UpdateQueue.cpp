#include "UpdateQueue.h"

#include <mutex>
#include <string>
#include <utility>

namespace scan {

namespace {

// Enough for a worker that posts faster than one tick drains, without keeping a burst's peak.
constexpr size_t kSpareBatches = 4;

void AddFinding(const ScanUpdate& update, int rowStyle)
{
    update.list->AddFinding(update.group, update.description, rowStyle, update.detail, update.extra);
    update.entry->SetCount(update.list->TotalCount());
}

bool IsKnownKind(int32_t kind)
{
    return kind == kEventFinding || kind == kJunkFile || kind == kDllEntry;
}

}  // namespace

void ApplyUpdate(const ScanUpdate& update)
{
    switch (update.kind) {
    case kEventFinding:
        if (update.list && update.entry)
            AddFinding(update, kEventRow);
        break;
    case kJunkFile:
        if (update.list && update.entry)
            AddFinding(update, kJunkRow);
        break;
    case kDllEntry:
        if (!update.list)
            break;
        update.list->AddNote(std::wstring(L"文件正常 ").append(update.group));
        if (update.entry)
            AddFinding(update, kDllRow);
        break;
    default:
        break;
    }
}

bool UpdateQueue::Post(const ScanUpdate& update)
{
    const size_t chars = update.group.size() + update.description.size() + update.detail.size() + update.extra.size();
    if (!update.list || !IsKnownKind(update.kind) || chars > kMaxUpdateChars)
        return false;
    std::lock_guard<base::CriticalSection> guard(lock_);
    BatchWithRoom().Append(update);
    return true;
}

void UpdateQueue::Drain()
{
    DrainFor(Clock::duration::max());
}

bool UpdateQueue::DrainFor(Clock::duration budget)
{
    const Clock::time_point now = Clock::now();
    const Clock::time_point deadline = budget >= Clock::time_point::max() - now ? Clock::time_point::max() : now + budget;
    if (!ApplyTaken(deadline))  // what an interrupted drain left, ahead of anything posted since
        return false;
    TakePending();
    return ApplyTaken(deadline);
}

bool UpdateQueue::ApplyTaken(Clock::time_point deadline)
{
    // A clock read costs about what a finding does.
    constexpr size_t kUpdatesBetweenClockReads = 64;
    size_t applied = 0;
    for (; takenBatch_ < taken_.size(); ++takenBatch_, takenUpdate_ = 0) {
        const UpdateBatch& batch = taken_[takenBatch_];
        while (takenUpdate_ < batch.Size()) {
            if (++applied % kUpdatesBetweenClockReads == 0 && deadline != Clock::time_point::max() &&
                Clock::now() >= deadline)
                return false;
            // Counted first: an update whose applying throws is dropped, not applied again.
            ApplyUpdate(batch.At(takenUpdate_++));
        }
    }
    return true;
}

void UpdateQueue::TakePending()
{
    std::lock_guard<base::CriticalSection> guard(lock_);
    for (UpdateBatch& batch : taken_) {
        if (spare_.size() == kSpareBatches)
            break;
        batch.Clear();
        spare_.push_back(std::move(batch));
    }
    taken_.clear();
    taken_.swap(pending_);
    takenBatch_ = 0;
    takenUpdate_ = 0;
}

UpdateBatch& UpdateQueue::BatchWithRoom()
{
    if (!pending_.empty() && !pending_.back().Full())
        return pending_.back();
    if (spare_.empty())
        return pending_.emplace_back();
    pending_.push_back(std::move(spare_.back()));
    spare_.pop_back();
    return pending_.back();
}

size_t UpdateQueue::PendingCount()
{
    std::lock_guard<base::CriticalSection> guard(lock_);
    size_t count = 0;
    for (const UpdateBatch& batch : pending_)
        count += batch.Size();
    return count;
}

size_t UpdateQueue::PendingBytes()
{
    std::lock_guard<base::CriticalSection> guard(lock_);
    size_t bytes = 0;
    for (const UpdateBatch& batch : pending_)
        bytes += batch.BytesUsed();
    return bytes;
}

}  // namespace scan
