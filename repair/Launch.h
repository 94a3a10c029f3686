#pragma once

#include <windows.h>

#include <string>

namespace repair {

inline constexpr DWORD kInstallerWaitMs = 220000;

// Starts the file with the parameters through the shell (default verb, shown) and waits for the
// program to end, at most waitMs; an installer still running then is left to run. The exit code
// is not read. False when nothing could be started. Shows no error box when the launch fails.
bool Launch(const std::wstring& file, const std::wstring& parameters, DWORD waitMs = kInstallerWaitMs);

}  // namespace repair
