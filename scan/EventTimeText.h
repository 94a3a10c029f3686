#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace scan {

// "2024-03-05 14:07:09\n": the line feed belongs to the text, in the detail line and in the
// "最近一次崩溃时间: " line alike.
std::wstring EventTimeText(const SYSTEMTIME& localTime);

// The event time in the platform's current local time rules.
std::wstring LocalEventTimeText(uint32_t unixSeconds);

}  // namespace scan
