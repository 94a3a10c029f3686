#include "SampleEventLogs.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "EventRecordBytes.h"

namespace {

constexpr uint16_t kError = EVENTLOG_ERROR_TYPE;
constexpr uint16_t kWarning = EVENTLOG_WARNING_TYPE;
constexpr uint32_t kDay = 24 * 60 * 60;

struct SampleEvent {
    uint16_t type;
    uint32_t daysAgo;
    uint32_t secondsIntoDay;
    const wchar_t* source;
};

// Oldest first, as the log hands them out; the warnings are read and skipped.
const std::vector<SampleEvent> kApplicationEvents = {
    {kError, 96, 33912, L"Application Error"},    {kError, 61, 52210, L".NET Runtime"},
    {kWarning, 44, 30011, L"Winlogon"},           {kError, 37, 71045, L"Application Hang"},
    {kError, 21, 44318, L"Application Error"},    {kError, 9, 62704, L".NET Runtime"},
    {kError, 3, 37596, L"Application Error"},
};
const std::vector<SampleEvent> kSystemEvents = {
    {kError, 83, 29517, L"Service Control Manager"}, {kError, 50, 64022, L"DCOM"},
    {kWarning, 31, 41876, L"Time-Service"},          {kError, 12, 35160, L"Service Control Manager"},
    {kError, 5, 50433, L"disk"},
};

std::vector<unsigned char> RecordBytes(const std::vector<SampleEvent>& events)
{
    const uint32_t now = static_cast<uint32_t>(std::time(nullptr));
    const uint32_t today = now - now % kDay;
    std::vector<unsigned char> bytes;
    for (const SampleEvent& event : events) {
        scan_testing::Append(bytes, scan_testing::EventRecordBytes(event.type,
                                                                   today - event.daysAgo * kDay + event.secondsIntoDay,
                                                                   event.source));
    }
    return bytes;
}

class OneReadLog : public scan::IEventLog {
public:
    explicit OneReadLog(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}

    scan::EventLogRead Read(unsigned char* buffer, DWORD size) override
    {
        scan::EventLogRead result;
        if (read_) {
            result.error = ERROR_HANDLE_EOF;
        } else if (bytes_.size() > size) {
            result.error = ERROR_INSUFFICIENT_BUFFER;
            result.bytesNeeded = static_cast<DWORD>(bytes_.size());
        } else {
            std::memcpy(buffer, bytes_.data(), bytes_.size());
            result.succeeded = true;
            result.bytesRead = static_cast<DWORD>(bytes_.size());
            read_ = true;
        }
        return result;
    }

private:
    std::vector<unsigned char> bytes_;
    bool read_ = false;
};

}  // namespace

std::unique_ptr<scan::IEventLog> SampleEventLogs::Open(const wchar_t* logName)
{
    const std::wstring name = logName;
    if (name == L"Application")
        return std::make_unique<OneReadLog>(RecordBytes(kApplicationEvents));
    if (name == L"System")
        return std::make_unique<OneReadLog>(RecordBytes(kSystemEvents));
    return nullptr;
}
