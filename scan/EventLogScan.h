#pragma once

#include <cstdint>

#include "EventLogSource.h"
#include "FindingSinks.h"
#include "UpdateQueue.h"

namespace scan {

// One event-finding update per error event of the log that is newer than the repair time,
// grouped by its source, oldest first.
void ScanEventLog(const wchar_t* logName, const CheckTarget& target, uint32_t lastRepairTime, UpdateQueue& updates,
                  IEventLogSource& source);

// The same on the local computer's logs.
void ScanSystemEventLog(const wchar_t* logName, const CheckTarget& target, uint32_t lastRepairTime,
                        UpdateQueue& updates);

}  // namespace scan
