#include "PackagePaths.h"

#include <PathUtils.h>

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

}  // namespace repair
