#pragma once

#include "ScanJob.h"
#include "ServerApi.h"

namespace app {

// What the main window scans with and which vendor server it talks to. The product always uses
// the defaults; tests point the server calls at the local vendor server they started, and may
// replace the event-log check, which Wine cannot feed.
struct AppServices {
    scan::ScanChecks scanChecks = scan::ScanChecks::Real();
    ServerEndpoint server = CompiledEndpoint();
};

}  // namespace app
