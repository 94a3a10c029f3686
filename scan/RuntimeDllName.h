#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Which registered DLL names count as Visual C++ runtime DLLs that a repair reinstalls.
namespace scan {

// "vccorlib", "msvcr", "msvcp", "mfc", "vcomp", "vcruntime" before the first finished repair;
// none afterwards, so nothing is flagged once a repair has run.
std::vector<std::wstring> RuntimePrefixes(uint32_t lastRepairTime);

// Simple per-unit lower-casing with the invariant mapping, the same under every user locale.
std::wstring LowerCase(std::wstring_view text);

// A prefix occurs in the name and the name is exactly 7 units longer ("140.dll"): versioned
// runtime names match, helpers such as mfc140u.dll or msvcp140_1.dll do not.
bool IsRuntimeDll(std::wstring_view fileName, const std::vector<std::wstring>& prefixes);

}  // namespace scan
