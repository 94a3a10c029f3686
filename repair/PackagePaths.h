#pragma once

#include <string>

namespace repair {

// Where one runtime package and what comes of it live in the work directory.
struct PackagePaths {
    std::wstring fileName;       // after the last "/" or "\" of the url
    std::wstring localFile;      // work directory + file name
    std::wstring packageFolder;  // local file + "dir\"
    std::wstring logFile;        // local file + ".log.txt"
};

// workDirectory ends with "\" (or is empty).
PackagePaths PackagePathsFor(const std::wstring& workDirectory, const std::wstring& url);

// The work directory's first three characters ("C:\").
std::wstring DriveRoot(const std::wstring& workDirectory);

// The root to which the system folder texts are added: the drive of the Windows folder, else
// DriveRoot(workDirectory).
std::wstring SystemDriveRoot(const std::wstring& workDirectory);

}  // namespace repair
