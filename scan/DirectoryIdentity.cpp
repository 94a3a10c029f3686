#include "DirectoryIdentity.h"

#include <windows.h>

#include "FileTimes.h"
#include "UniqueHandle.h"

namespace scan {

std::optional<DirectoryIdentity> IdentifyDirectory(const std::wstring& path)
{
    FileHandle directory(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information = {};
    if (!directory || !GetFileInformationByHandle(directory.Get(), &information))
        return std::nullopt;
    uint64_t index = (static_cast<uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    return DirectoryIdentity{information.dwVolumeSerialNumber, index};
}

std::optional<DirectoryStamp> StampOf(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return DirectoryStamp{FileTimeValue(data.ftCreationTime), FileTimeValue(data.ftLastWriteTime)};
}

bool VisitedDirectories::Enter(const std::wstring& path, const DirectoryStamp& stamp)
{
    std::vector<Entered>& sameStamp = entered_[stamp];
    if (sameStamp.empty()) {
        sameStamp.push_back(Entered{path, false, std::nullopt});
        return true;
    }
    std::optional<DirectoryIdentity> identity = IdentifyDirectory(path);
    if (identity) {
        for (Entered& earlier : sameStamp) {
            if (!earlier.identified) {
                earlier.identity = IdentifyDirectory(earlier.path);
                earlier.identified = true;
            }
            if (earlier.identity == identity)
                return false;
        }
    }
    sameStamp.push_back(Entered{path, true, identity});
    return true;
}

}  // namespace scan
