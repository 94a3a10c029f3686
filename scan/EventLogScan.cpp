#include "EventLogScan.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string>

#include "EventRecords.h"
#include "EventTimeText.h"

namespace scan {

namespace {

constexpr DWORD kInitialBufferSize = 0x10000;

// The size comes from the log; a size no allocator can give ends the reading, not the program.
std::unique_ptr<unsigned char[]> Allocate(DWORD size)
{
    return std::unique_ptr<unsigned char[]>(new (std::nothrow) unsigned char[size]);
}

// `description` is the caller's, reused from one event to the next.
void PostEvent(const EventRecordFields& record, const CheckTarget& target, UpdateQueue& updates,
               std::wstring& description)
{
    const std::wstring time = LocalEventTimeText(record.timeGenerated);
    description.assign(L"最近一次崩溃时间: ").append(time);
    ScanUpdate update;
    update.kind = kEventFinding;
    update.list = target.list;
    update.entry = target.entry;
    update.group = record.sourceName;
    update.detail = time;
    update.description = description;
    updates.Post(update);
}

void PostCountedRecords(const unsigned char* bytes, DWORD size, const CheckTarget& target, uint32_t lastRepairTime,
                        UpdateQueue& updates)
{
    std::wstring description;
    for (const EventRecordFields& record : WalkEventRecords(bytes, size)) {
        if (record.eventType == kErrorEventType && record.timeGenerated > lastRepairTime)
            PostEvent(record, target, updates, description);
    }
}

}  // namespace

void ScanEventLog(const wchar_t* logName, const CheckTarget& target, uint32_t lastRepairTime, UpdateQueue& updates,
                  IEventLogSource& source)
{
    DWORD size = kInitialBufferSize;
    std::unique_ptr<unsigned char[]> buffer = Allocate(size);
    if (!buffer)
        return;
    std::unique_ptr<IEventLog> log = source.Open(logName);
    if (!log)
        return;
    for (;;) {
        EventLogRead read = log->Read(buffer.get(), size);
        if (!read.succeeded) {
            // A needed size that is not larger would only repeat the same failed read.
            if (read.error != ERROR_INSUFFICIENT_BUFFER || read.bytesNeeded <= size)
                return;
            buffer = Allocate(read.bytesNeeded);
            if (!buffer)
                return;
            size = read.bytesNeeded;
            continue;
        }
        // A successful read of nothing would never reach the end of the log.
        if (read.bytesRead == 0)
            return;
        PostCountedRecords(buffer.get(), std::min(read.bytesRead, size), target, lastRepairTime, updates);
    }
}

void ScanSystemEventLog(const wchar_t* logName, const CheckTarget& target, uint32_t lastRepairTime,
                        UpdateQueue& updates)
{
    SystemEventLogSource source;
    ScanEventLog(logName, target, lastRepairTime, updates, source);
}

}  // namespace scan
