#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The records of one event-log read, taken from raw bytes without trusting them.
namespace scan {

struct EventRecordFields {
    uint32_t timeGenerated = 0;  // seconds since 1970 UTC
    uint16_t eventType = 0;      // 1 = error
    std::wstring sourceName;
};

inline constexpr uint16_t kErrorEventType = 1;

// Records from the start of the bytes, stepping by each record's Length. The walk of the buffer
// ends at the first record whose Length is 0, smaller than the fixed part or beyond the bytes
// read, or whose SourceName has no terminator inside the record.
std::vector<EventRecordFields> WalkEventRecords(const unsigned char* bytes, size_t size);

}  // namespace scan
