#pragma once

#include "PackagePaths.h"

#include <cstdint>
#include <string>

namespace repair {

enum class PackageKind {
    None,           // nothing is run
    MsiArchive,     // 7z holding "vcredist.msi", installed by msiexec
    Installer,      // the downloaded program, run quietly
    DllArchive,     // 7z of DLLs copied into a system folder and registered
};

// What the package's type number asks for.
struct PackageAction {
    PackageKind kind = PackageKind::None;
    std::wstring program;     // MsiArchive, Installer
    std::wstring parameters;  // MsiArchive, Installer
    bool useSystem32 = false; // DllArchive: "windows\system32\" whatever the machine
};

PackageAction PackageActionFor(int32_t type, const PackagePaths& paths);

// Unpacks and launches or installs as the action says; blocks until the launched program ends
// or its time runs out. driveRoot selects the system folders. An unpacking starts from an
// emptied package folder, and only what it wrote is run or installed, held unchanged until then.
// Nothing is run or copied that HasTrustedSignature refuses (the installer, the unpacked MSI,
// any file of a DLL archive): such a package is not repaired.
// True only when the package is repaired: unpacked whole, its program run to an exit code of
// InstallerSucceeded, or every DLL in the system folder. No action is no repair.
bool RunPackageAction(const PackageAction& action, const PackagePaths& paths, const std::wstring& driveRoot);

}  // namespace repair
