#include "DirectoryIdentity.h"

#include <windows.h>

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

bool VisitedDirectories::Enter(const std::wstring& path)
{
    std::optional<DirectoryIdentity> identity = IdentifyDirectory(path);
    return !identity || entered_.insert(*identity).second;
}

}  // namespace scan
