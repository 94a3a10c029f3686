#include "Launch.h"

#include <UniqueHandle.h>

#include <shellapi.h>

namespace repair {

namespace {

constexpr DWORD kProductVersionInstalled = 1638;  // ERROR_PRODUCT_VERSION
constexpr DWORD kRebootInitiated = 1641;          // ERROR_SUCCESS_REBOOT_INITIATED
constexpr DWORD kRebootRequired = 3010;           // ERROR_SUCCESS_REBOOT_REQUIRED

}  // namespace

bool InstallerSucceeded(DWORD exitCode)
{
    return exitCode == ERROR_SUCCESS || exitCode == kProductVersionInstalled || exitCode == kRebootInitiated ||
           exitCode == kRebootRequired;
}

std::optional<DWORD> Launch(const std::wstring& file, const std::wstring& parameters, DWORD waitMs)
{
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    // The tool shows no message boxes: an unknown file type or a broken program must not stop
    // the worker behind a dialog nobody asked for.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpFile = file.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_SHOW;
    if (!ShellExecuteExW(&info))
        return std::nullopt;
    // Without a process handle (a document handed to a running program) there is nothing to wait
    // for and no result: the package is not known to be installed.
    KernelHandle process(info.hProcess);
    if (!process || WaitForSingleObject(process.Get(), waitMs) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process.Get(), &exitCode))
        return std::nullopt;
    return exitCode;
}

}  // namespace repair
