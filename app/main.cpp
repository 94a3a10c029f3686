#include <windows.h>

#include "StartUp.h"

#include <UniqueHandle.h>

#include <string>

namespace {

// Before any DLL that the exe delay-loads is loaded: from here on DLLs come from the system
// folder only, never from the exe's own folder, which for a downloaded tool is a Downloads folder
// that anyone's download can put a DLL of the same name into. Looked up, since Windows 7 has the
// function only with its loader update; without it at least the current folder is no longer
// searched.
void LoadDllsFromSystemFolderOnly()
{
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (!setDefaultDllDirectories || !setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        SetDllDirectoryW(L"");
}

// winhttp, wininet and wintrust load crypt32 on their first use, and not every loader keeps the
// limited search for such loads of a system DLL (Wine's delay-load resolver searches the exe's
// folder; Windows' own DLLs restrict theirs only since Windows 10 1607). Loaded now by its full
// path, crypt32 is the module that every later load of that name finds.
ModuleHandle LoadCrypt32FromSystemFolder()
{
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return ModuleHandle();
    return ModuleHandle(LoadLibraryW((std::wstring(folder, length) + L"\\crypt32.dll").c_str()));
}

}  // namespace

// The command line and the show command are not used: the program has no options.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    LoadDllsFromSystemFolderOnly();
    const ModuleHandle crypt32 = LoadCrypt32FromSystemFolder();
    app::ExitApplication(app::RunApplication(instance));
}
