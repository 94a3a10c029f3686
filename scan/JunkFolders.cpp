#include "JunkFolders.h"

#include <shlobj.h>
#include <windows.h>

namespace scan {

namespace {

constexpr DWORD kTempBufferLength = 261;
constexpr const wchar_t* kBelowWindows[] = {
    L"\\Temp", L"\\System32\\LogFiles", L"\\ServiceProfiles\\NetworkService\\AppData\\Local\\Temp",
    L"\\Logs", L"\\debug", L"\\SoftwareDistribution",
};

std::wstring SpecialFolder(int csidl)
{
    wchar_t folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, folder, csidl, FALSE))
        return {};
    return folder;
}

std::wstring TempFolderAsReturned()
{
    wchar_t temp[kTempBufferLength] = {};
    DWORD length = GetTempPathW(kTempBufferLength, temp);
    if (length == 0 || length > kTempBufferLength - 1)
        return {};
    return std::wstring(temp, length);
}

}  // namespace

std::vector<std::wstring> JunkFolderList(const std::wstring& tempFolder, const std::wstring& recycleBin,
                                         const std::wstring& windowsFolder)
{
    std::vector<std::wstring> folders;
    if (!tempFolder.empty())
        folders.push_back(tempFolder);
    if (!recycleBin.empty())
        folders.push_back(recycleBin);
    if (!windowsFolder.empty()) {
        for (const wchar_t* below : kBelowWindows)
            folders.push_back(windowsFolder + below);
    }
    return folders;
}

std::vector<std::wstring> JunkFolders()
{
    return JunkFolderList(TempFolderAsReturned(), SpecialFolder(CSIDL_BITBUCKET), SpecialFolder(CSIDL_WINDOWS));
}

}  // namespace scan
