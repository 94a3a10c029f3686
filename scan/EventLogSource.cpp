#include "EventLogSource.h"

#include "UniqueHandle.h"

namespace scan {

namespace {

struct EventLogTraits {
    static HANDLE Empty() { return nullptr; }
    static void Release(HANDLE log) { CloseEventLog(log); }
};
using EventLogHandle = UniqueHandle<EventLogTraits>;

class SystemEventLog : public IEventLog {
public:
    explicit SystemEventLog(EventLogHandle log) : log_(std::move(log)) {}

    EventLogRead Read(unsigned char* buffer, DWORD size) override
    {
        EventLogRead result;
        result.succeeded = ReadEventLogW(log_.Get(), EVENTLOG_SEQUENTIAL_READ | EVENTLOG_FORWARDS_READ, 0, buffer,
                                         size, &result.bytesRead, &result.bytesNeeded) != FALSE;
        if (!result.succeeded)
            result.error = GetLastError();
        return result;
    }

private:
    EventLogHandle log_;
};

}  // namespace

std::unique_ptr<IEventLog> SystemEventLogSource::Open(const wchar_t* logName)
{
    EventLogHandle log(OpenEventLogW(nullptr, logName));
    if (!log)
        return nullptr;
    return std::make_unique<SystemEventLog>(std::move(log));
}

}  // namespace scan
