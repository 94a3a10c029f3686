#pragma once

#include <windows.h>

#include <psapi.h>

#include <cstddef>

namespace memory_peak {

inline PROCESS_MEMORY_COUNTERS Counters()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters;
}

// The bytes by which work raised the process's peak working set above what the process held
// when work began; 0 when the peak did not rise (an earlier, higher peak hides the work's own).
template <typename Work>
size_t GrowthDuring(Work work)
{
    const PROCESS_MEMORY_COUNTERS before = Counters();
    work();
    const PROCESS_MEMORY_COUNTERS after = Counters();
    if (after.PeakWorkingSetSize <= before.PeakWorkingSetSize)
        return 0;
    return after.PeakWorkingSetSize - before.WorkingSetSize;
}

}  // namespace memory_peak
