#pragma once

#include <string>
#include <vector>

namespace scan {

// Temporary folder, recycle bin, then the log and temporary folders under Windows, in this
// order; unknown folders add nothing.
std::vector<std::wstring> JunkFolderList(const std::wstring& tempFolder, const std::wstring& recycleBin,
                                         const std::wstring& windowsFolder);

// The list for this machine and user.
std::vector<std::wstring> JunkFolders();

}  // namespace scan
