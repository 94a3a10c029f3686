#pragma once

#include <windows.h>

#include <memory>

// The event-log calls behind a narrow seam: the product reads the real logs through advapi32;
// tests feed recorded EVENTLOGRECORD bytes, since the platform the tests run on keeps no events.
namespace scan {

struct EventLogRead {
    bool succeeded = false;
    DWORD bytesRead = 0;
    DWORD bytesNeeded = 0;  // set with ERROR_INSUFFICIENT_BUFFER
    DWORD error = ERROR_SUCCESS;
};

// One open log, read forwards and sequentially.
class IEventLog {
public:
    virtual ~IEventLog() = default;
    virtual EventLogRead Read(unsigned char* buffer, DWORD size) = 0;
};

class IEventLogSource {
public:
    virtual ~IEventLogSource() = default;
    // Null when the log cannot be opened.
    virtual std::unique_ptr<IEventLog> Open(const wchar_t* logName) = 0;
};

// OpenEventLogW / ReadEventLogW / CloseEventLog on the local computer.
class SystemEventLogSource : public IEventLogSource {
public:
    std::unique_ptr<IEventLog> Open(const wchar_t* logName) override;
};

}  // namespace scan
