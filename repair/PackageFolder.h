#pragma once

#include <string>

namespace repair {

// Makes the package folder an empty folder of its own before an unpacking: whatever an earlier
// run or anyone else left there is removed, read-only or not. A link (junction, symbolic link)
// found there is removed itself, never followed, so nothing outside the folder is touched. True
// when the folder is then a real, empty folder.
bool ResetPackageFolder(const std::wstring& folder);

}  // namespace repair
