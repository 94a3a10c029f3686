#include <windows.h>

#include <cstring>

#include "EventRecords.h"
#include "FuzzSupport.h"

// The walk never reads past the bytes: the records it returns fit in them, each with its fixed
// part, and their lengths, read back from the bytes, add up to no more than the bytes read.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> bytes(data, data + size);  // a heap copy of exact size, for ASan
    const std::vector<scan::EventRecordFields> records = scan::WalkEventRecords(bytes.data(), bytes.size());
    size_t offset = 0;
    for (const scan::EventRecordFields& record : records) {
        FUZZ_CHECK(size - offset >= sizeof(EVENTLOGRECORD));
        DWORD length = 0;
        std::memcpy(&length, bytes.data() + offset, sizeof(length));
        FUZZ_CHECK(length >= sizeof(EVENTLOGRECORD) && length <= size - offset);
        FUZZ_CHECK(record.sourceName.find(L'\0') == std::wstring::npos);
        FUZZ_CHECK(sizeof(EVENTLOGRECORD) + (record.sourceName.size() + 1) * sizeof(wchar_t) <= length);
        offset += length;
    }
    return 0;
}
