#include "UpdateQueue.h"

#include <mutex>
#include <utility>

namespace scan {

namespace {

void AddFinding(const ScanUpdate& update, int rowStyle)
{
    update.list->AddFinding(update.group, update.description, rowStyle, update.detail, update.extra);
    update.entry->SetCount(update.list->TotalCount());
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
        update.list->AddNote(L"文件正常 " + update.group);
        if (update.entry)
            AddFinding(update, kDllRow);
        break;
    default:
        break;
    }
}

bool UpdateQueue::Post(std::unique_ptr<ScanUpdate> update)
{
    if (!update)
        return false;
    std::lock_guard<base::CriticalSection> guard(lock_);
    pending_.push_back(std::move(update));
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
    if (!ApplyBatch(deadline))  // what an interrupted drain left, ahead of anything posted since
        return false;
    {
        std::lock_guard<base::CriticalSection> guard(lock_);
        draining_.swap(pending_);
    }
    return ApplyBatch(deadline);
}

bool UpdateQueue::ApplyBatch(Clock::time_point deadline)
{
    // A clock read costs about what a finding does.
    constexpr size_t kUpdatesBetweenClockReads = 64;
    size_t applied = 0;
    while (nextToApply_ < draining_.size()) {
        if (++applied % kUpdatesBetweenClockReads == 0 && deadline != Clock::time_point::max() &&
            Clock::now() >= deadline)
            return false;
        // Taken out first: an update whose applying throws is freed, not applied again.
        const std::unique_ptr<ScanUpdate> update = std::move(draining_[nextToApply_++]);
        ApplyUpdate(*update);
    }
    draining_.clear();
    nextToApply_ = 0;
    return true;
}

size_t UpdateQueue::PendingCount()
{
    std::lock_guard<base::CriticalSection> guard(lock_);
    return pending_.size();
}

}  // namespace scan
