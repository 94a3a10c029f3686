#pragma once

#include <cstdint>

#include "FindingSinks.h"
#include "UpdateQueue.h"

namespace scan {

inline constexpr wchar_t kSharedDllsKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls\\";

// One DLL-entry update per value of the SharedDlls key, in the 64-bit registry view, or in the
// 32-bit view when the 64-bit one gave nothing. Runtime DLLs carry the entry (flagged).
void ScanSharedDlls(const CheckTarget& target, uint32_t lastRepairTime, UpdateQueue& updates);

}  // namespace scan
