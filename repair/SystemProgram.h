#pragma once

#include <string>

namespace repair {

// The full path of a program of the system folder ("C:\windows\system32\msiexec.exe"). The
// tool runs as administrator: a bare name would be looked up in the exe's own folder and the
// current folder first, where a download folder may hold a planted copy.
std::wstring SystemProgram(const std::wstring& name);

}  // namespace repair
