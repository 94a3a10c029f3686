#include "PackagePaths.h"

#include <PathUtils.h>
#include <windows.h>

namespace repair {

namespace {

constexpr size_t kDriveRootLength = 3;

}  // namespace

PackagePaths PackagePathsFor(const std::wstring& workDirectory, const std::wstring& url)
{
    PackagePaths result;
    result.fileName = paths::FileNamePart(url);
    result.localFile = workDirectory + result.fileName;
    result.packageFolder = result.localFile + L"dir\\";
    result.logFile = result.localFile + L".log.txt";
    return result;
}

std::wstring DriveRoot(const std::wstring& workDirectory)
{
    return workDirectory.substr(0, kDriveRootLength);
}

// Redirected application data can put the work directory on another drive or a network share
// ("\\server\...", whose first three characters name no folder at all), where the DLLs would
// be copied into nothing.
std::wstring SystemDriveRoot(const std::wstring& workDirectory)
{
    wchar_t windows[MAX_PATH + 1] = {};
    const UINT length = GetSystemWindowsDirectoryW(windows, MAX_PATH + 1);
    if (length > kDriveRootLength && length <= MAX_PATH && windows[1] == L':' && windows[2] == L'\\')
        return std::wstring(windows, kDriveRootLength);
    return DriveRoot(workDirectory);
}

}  // namespace repair
