#include "PackageHold.h"

#include "FileSha256.h"

namespace repair {

FileHandle HoldVerifiedPackage(const std::wstring& localFile, const std::string& sha256)
{
    FileHandle held(CreateFileW(localFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!held || sha256.empty() || Sha256Of(held.Get()) == sha256)
        return held;
    held.Reset();
    DeleteFileW(localFile.c_str());
    return held;
}

}  // namespace repair
