#pragma once

#include <windows.h>

#include <string>

namespace repair {

// Where InstallDllFolder puts the DLLs of one package and how it registers them.
struct DllTarget {
    std::wstring copyFolder;      // the system folder as this process reaches it, with "\"
    std::wstring registerFolder;  // the same folder as the registering regsvr32 names it
    std::wstring regsvr32;        // program part of the registration command line
};

inline constexpr WORD kArchitectureAmd64 = PROCESSOR_ARCHITECTURE_AMD64;  // 9
inline constexpr WORD kArchitectureIa64 = PROCESSOR_ARCHITECTURE_IA64;    // 6

// driveRoot is the work directory's first three characters ("C:\"). Without useSystem32 a
// 64-bit Windows (AMD64, IA64) takes "windows\syswow64\", everything else "windows\system32\".
// With useSystem32, a 32-bit process on 64-bit Windows (wow64Process) would be redirected to
// syswow64, so it copies through the "sysnative" alias and starts the 64-bit regsvr32 from
// there, which names the file by its real system32 path.
DllTarget ChooseDllTarget(const std::wstring& driveRoot, bool useSystem32, WORD nativeArchitecture,
                          bool wow64Process);

// The running machine's architecture from GetNativeSystemInfo, looked up in kernel32; the
// unknown value 0xFFFF when the function is missing.
WORD NativeArchitecture();

// True for a 32-bit process on 64-bit Windows.
bool RunsUnderWow64();

}  // namespace repair
