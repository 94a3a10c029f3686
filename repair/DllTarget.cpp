#include "DllTarget.h"

#include "SystemProgram.h"

namespace repair {

namespace {

constexpr wchar_t kSystem32[] = L"windows\\system32\\";
constexpr wchar_t kSysWow64[] = L"windows\\syswow64\\";
constexpr wchar_t kSysNative[] = L"windows\\sysnative\\";
constexpr wchar_t kRegsvr32[] = L"regsvr32.exe";
constexpr WORD kUnknownArchitecture = PROCESSOR_ARCHITECTURE_UNKNOWN;

template <typename Function>
Function LookUp(const wchar_t* module, const char* name)
{
    HMODULE handle = GetModuleHandleW(module);
    if (!handle)
        return nullptr;
    // Through void*: FARPROC has no parameters, so a direct cast draws a function-type warning.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
}

// The system folder's regsvr32 of this process: under WOW64 the system folder is redirected to
// the 32-bit one, as the targets that use it expect.
std::wstring PlainRegsvr32()
{
    return L"\"" + SystemProgram(kRegsvr32) + L"\"";
}

}  // namespace

DllTarget ChooseDllTarget(const std::wstring& driveRoot, bool useSystem32, WORD nativeArchitecture,
                          bool wow64Process)
{
    if (!useSystem32) {
        // On any other 64-bit Windows (ARM64) a 32-bit process is redirected from system32 to
        // its syswow64, where these 32-bit DLLs belong, so the plain text stays right.
        const bool wide =
            nativeArchitecture == kArchitectureAmd64 || nativeArchitecture == kArchitectureIa64;
        const std::wstring folder = driveRoot + (wide ? kSysWow64 : kSystem32);
        return {folder, folder, PlainRegsvr32()};
    }
    if (wow64Process) {
        const std::wstring native = driveRoot + kSysNative;
        return {native, driveRoot + kSystem32, L"\"" + native + kRegsvr32 + L"\""};
    }
    return {driveRoot + kSystem32, driveRoot + kSystem32, PlainRegsvr32()};
}

WORD NativeArchitecture()
{
    using GetNativeSystemInfoFunction = void(WINAPI*)(LPSYSTEM_INFO);
    auto getNativeSystemInfo = LookUp<GetNativeSystemInfoFunction>(L"kernel32.dll", "GetNativeSystemInfo");
    if (!getNativeSystemInfo)
        return kUnknownArchitecture;
    SYSTEM_INFO info = {};
    getNativeSystemInfo(&info);
    return info.wProcessorArchitecture;
}

bool RunsUnderWow64()
{
#if defined(_WIN64)
    return false;
#else
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}

}  // namespace repair
