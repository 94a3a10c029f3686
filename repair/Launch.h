#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace repair {

inline constexpr DWORD kInstallerWaitMs = 220000;

// Starts the file with the parameters through the shell (default verb, shown) and waits for the
// program to end, at most waitMs; an installer still running then is left to run. The program's
// exit code, or nothing when nothing could be started or the wait ran out. Shows no error box
// when the launch fails.
std::optional<DWORD> Launch(const std::wstring& file, const std::wstring& parameters,
                            DWORD waitMs = kInstallerWaitMs);

// An installer's or msiexec's exit code that leaves the package installed: success, "this or a
// newer version is already installed", and the two that only ask for a restart.
bool InstallerSucceeded(DWORD exitCode);

}  // namespace repair
