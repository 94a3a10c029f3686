#pragma once

#include <windows.h>

#include <cstdint>

// FILETIME counts 100 ns steps since 1601-01-01 UTC; the repair time counts seconds since 1970.
namespace scan {

inline constexpr uint64_t kFileTimeTicksPerSecond = 10000000;
inline constexpr int64_t kSecondsFrom1601To1970 = 11644473600;

inline uint64_t FileTimeValue(const FILETIME& time)
{
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

inline FILETIME ToFileTime(uint64_t value)
{
    return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

inline int64_t FileTimeToUnixSeconds(uint64_t fileTime)
{
    return static_cast<int64_t>(fileTime / kFileTimeTicksPerSecond) - kSecondsFrom1601To1970;
}

inline uint64_t UnixSecondsToFileTime(uint32_t unixSeconds)
{
    return (static_cast<uint64_t>(unixSeconds) + kSecondsFrom1601To1970) * kFileTimeTicksPerSecond;
}

// Written after the last repair: before 1970 never; beyond 32 bits always; otherwise strictly
// later than the repair time.
inline bool WrittenAfterRepair(uint64_t lastWriteTime, uint32_t lastRepairTime)
{
    int64_t seconds = FileTimeToUnixSeconds(lastWriteTime);
    if (seconds < 0)
        return false;
    return seconds > 0xFFFFFFFFll || static_cast<uint32_t>(seconds) > lastRepairTime;
}

}  // namespace scan
