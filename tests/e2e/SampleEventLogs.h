#pragma once

#include <memory>

#include "EventLogSource.h"

// Error events as a user's Windows keeps them, for the screenshots only: Wine's event logs are
// always empty. Each log hands out one read of EVENTLOGRECORD bytes, then the end of the log.
class SampleEventLogs : public scan::IEventLogSource {
public:
    std::unique_ptr<scan::IEventLog> Open(const wchar_t* logName) override;
};
