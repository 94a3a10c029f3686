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

void UpdateQueue::Post(std::unique_ptr<ScanUpdate> update)
{
    std::lock_guard<base::CriticalSection> guard(lock_);
    pending_.push_back(std::move(update));
}

void UpdateQueue::Drain()
{
    {
        std::lock_guard<base::CriticalSection> guard(lock_);
        draining_.swap(pending_);
    }
    for (const std::unique_ptr<ScanUpdate>& update : draining_)
        ApplyUpdate(*update);
    draining_.clear();
}

size_t UpdateQueue::PendingCount()
{
    std::lock_guard<base::CriticalSection> guard(lock_);
    return pending_.size();
}

}  // namespace scan
