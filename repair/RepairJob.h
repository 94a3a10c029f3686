#pragma once

#include <RuntimeLibEntry.h>
#include <WorkerThread.h>

#include <windows.h>

#include <string>
#include <vector>

namespace repair {

// The repair worker's body: for each entry in order, download its package into the work
// directory and install it by type, posting RuntimeItemDone with the entry's index in wParam for
// each package that was repaired (arrived, matched its SHA-256 when the entry names one, and its
// action succeeded: RunPackageAction); RepairFinished at its end, however it ends.
// Registration results are not read.
void RunRepair(HWND window, const std::vector<RuntimeLibEntry>& list, const std::wstring& workDirectory);

// Runs RunRepair on the worker (an earlier repair is waited for first) with its own copies of
// the list and the work directory. False when no thread could be started.
bool StartRepair(base::WorkerThread& worker, HWND window, std::vector<RuntimeLibEntry> list,
                 std::wstring workDirectory);

}  // namespace repair
