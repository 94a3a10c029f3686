#include "InstallDllFolder.h"

#include <PathUtils.h>
#include <UniqueHandle.h>


namespace repair {

namespace {

bool IsFile(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void StartRegistration(const std::wstring& commandLine)
{
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return;
    KernelHandle processHandle(process.hProcess);
    KernelHandle threadHandle(process.hThread);
    WaitForSingleObject(processHandle.Get(), kRegistrationWaitMs);
}

}  // namespace

std::wstring RegistrationCommand(const DllTarget& target, const std::wstring& fileName)
{
    return target.regsvr32 + L" /s \"" + target.registerFolder + fileName + L"\"";
}

bool InstallDllFolderTo(const std::wstring& folder, const std::vector<std::wstring>& fileNames,
                        const DllTarget& target)
{
    bool allInPlace = true;
    for (const std::wstring& name : fileNames) {
        const std::wstring destination = target.copyFolder + name;
        if (!IsFile(destination) && !CopyFileW(paths::Join(folder, name).c_str(), destination.c_str(), TRUE))
            allInPlace = false;
        StartRegistration(RegistrationCommand(target, name));
    }
    return allInPlace;
}

bool InstallDllFolder(const std::wstring& folder, const std::vector<std::wstring>& fileNames, bool useSystem32,
                      const std::wstring& driveRoot)
{
    return InstallDllFolderTo(folder, fileNames,
                       ChooseDllTarget(driveRoot, useSystem32, NativeArchitecture(), RunsUnderWow64()));
}

}  // namespace repair
