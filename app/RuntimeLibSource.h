#pragma once

#include <windows.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

#include "RuntimeLibEntry.h"
#include "ServerApi.h"

namespace app {

// The runtime-library list as the vendor server gives it. The start-up calls (the two usage
// reports, then the fetch) run on a thread of their own, so that the window shows at once
// whatever the server does; the UI thread hears of each new list through a posted
// RuntimeLibListReady and the repair worker waits for the start-up fetch, and fetches once more
// when it gave nothing, since the server may have been away only at start.
class RuntimeLibSource : public std::enable_shared_from_this<RuntimeLibSource> {
public:
    // `window` receives RuntimeLibListReady; it may be gone by the time a fetch ends.
    RuntimeLibSource(ServerEndpoint server, HWND window);

    // Starts the start-up calls. Their thread is not waited for: it only fills this list, which
    // it keeps alive, and a close of the program need not wait for a slow server.
    bool StartStartupCalls();

    // UI thread: the list as known now (empty until a fetch brought one).
    std::vector<RuntimeLibEntry> Current() const;

    // Repair worker: the list to repair, after the start-up fetch has ended; fetched once more
    // when that gave nothing.
    std::vector<RuntimeLibEntry> ForRepair();

private:
    void RunStartupCalls();
    // Stores the list and posts RuntimeLibListReady before a waiting repair can go on, so that
    // the window has its rows before the repair reports the first of them.
    void Publish(std::vector<RuntimeLibEntry> list);

    const ServerEndpoint server_;
    const HWND window_;
    mutable std::mutex lock_;
    std::condition_variable startupFetchEnded_;
    bool startupFetchDone_ = false;         // guarded by lock_
    std::vector<RuntimeLibEntry> list_;     // guarded by lock_
};

}  // namespace app
