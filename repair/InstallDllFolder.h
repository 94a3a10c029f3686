#pragma once

#include "DllTarget.h"

#include <string>
#include <vector>

namespace repair {

inline constexpr DWORD kRegistrationWaitMs = 100;

// Copies the named files of the folder (the top-level files an unpacking wrote, never whatever
// else lies there) into the system folder that ChooseDllTarget picks for this machine, never
// replacing a file already there, and registers every one with "regsvr32 /s", copied or not.
// Each registration is waited for only briefly, so several can overlap; their results are not
// read (most runtime DLLs have no DllRegisterServer). True when every file is in the system
// folder afterwards, copied now or there already.
bool InstallDllFolder(const std::wstring& folder, const std::vector<std::wstring>& fileNames, bool useSystem32,
                      const std::wstring& driveRoot);

// The same with the target given.
bool InstallDllFolderTo(const std::wstring& folder, const std::vector<std::wstring>& fileNames,
                        const DllTarget& target);

// The registration command line for one file of the target folder; the path is quoted, since
// regsvr32 would otherwise take a name with a blank for two arguments.
std::wstring RegistrationCommand(const DllTarget& target, const std::wstring& fileName);

}  // namespace repair
