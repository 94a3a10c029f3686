// The build of Zentarium.exe that tools/screenshots.sh photographs: the product's start-up, windows
// and checks, except that the event-log check reads sample error events instead of Wine's empty logs.
#include <windows.h>

#include "EventLogScan.h"
#include "SampleEventLogs.h"
#include "StartUp.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    app::AppServices services;
    services.scanChecks.eventLog = [](const wchar_t* logName, const scan::CheckTarget& target,
                                      uint32_t lastRepairTime, scan::UpdateQueue& updates) {
        SampleEventLogs logs;
        scan::ScanEventLog(logName, target, lastRepairTime, updates, logs);
    };
    return app::RunApplication(instance, services);
}
