#include "EventRecords.h"

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <utility>

namespace scan {

namespace {

constexpr size_t kFixedPartSize = sizeof(EVENTLOGRECORD);

// Records are DWORD aligned in a real buffer, but nothing here relies on it.
template <typename T>
T ReadAt(const unsigned char* bytes, size_t offset)
{
    T value;
    std::memcpy(&value, bytes + offset, sizeof(value));
    return value;
}

bool ReadSourceName(const unsigned char* record, size_t length, std::wstring& name)
{
    name.clear();
    for (size_t offset = kFixedPartSize; offset + sizeof(wchar_t) <= length; offset += sizeof(wchar_t)) {
        wchar_t unit = ReadAt<wchar_t>(record, offset);
        if (unit == L'\0')
            return true;
        name.push_back(unit);
    }
    return false;
}

}  // namespace

std::vector<EventRecordFields> WalkEventRecords(const unsigned char* bytes, size_t size)
{
    std::vector<EventRecordFields> records;
    size_t offset = 0;
    while (bytes && size - offset >= kFixedPartSize) {
        const unsigned char* record = bytes + offset;
        size_t length = ReadAt<DWORD>(record, offsetof(EVENTLOGRECORD, Length));
        if (length < kFixedPartSize || length > size - offset)
            break;
        EventRecordFields fields;
        if (!ReadSourceName(record, length, fields.sourceName))
            break;
        fields.timeGenerated = ReadAt<DWORD>(record, offsetof(EVENTLOGRECORD, TimeGenerated));
        fields.eventType = ReadAt<WORD>(record, offsetof(EVENTLOGRECORD, EventType));
        records.push_back(std::move(fields));
        offset += length;
    }
    return records;
}

}  // namespace scan
