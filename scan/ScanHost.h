#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "FindingSinks.h"
#include "UpdateQueue.h"

namespace scan {

// What the main window lends a scan. Asked on the UI thread when the scan is prepared; the
// queue and the repair time are then used from the worker and must outlive it.
class IScanHost {
public:
    virtual ~IScanHost() = default;
    // Receives the posted show-category requests and ScanFinished.
    virtual HWND ScanWindow() = 0;
    // Controls by skin id; null when the window has none.
    virtual IResultList* FindList(int listId) = 0;
    virtual ICategoryEntry* FindEntry(int entryId) = 0;
    virtual UpdateQueue& Updates() = 0;
    // Written on the UI thread when a repair ends, which may happen while a scan runs.
    virtual const std::atomic<uint32_t>& LastRepairTime() = 0;
};

}  // namespace scan
