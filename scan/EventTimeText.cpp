#include "EventTimeText.h"

#include <cstdio>

#include "FileTimes.h"

namespace scan {

std::wstring EventTimeText(const SYSTEMTIME& localTime)
{
    wchar_t text[64] = {};
    swprintf(text, sizeof(text) / sizeof(text[0]), L"%04u-%02u-%02u %02u:%02u:%02u\n", localTime.wYear,
             localTime.wMonth, localTime.wDay, localTime.wHour, localTime.wMinute, localTime.wSecond);
    return text;
}

std::wstring LocalEventTimeText(uint32_t unixSeconds)
{
    FILETIME utcFileTime = ToFileTime(UnixSecondsToFileTime(unixSeconds));
    SYSTEMTIME utc = {};
    SYSTEMTIME local = {};
    if (!FileTimeToSystemTime(&utcFileTime, &utc))
        return {};
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        local = utc;
    return EventTimeText(local);
}

}  // namespace scan
