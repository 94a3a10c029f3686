#include "PackageAction.h"

#include "SystemProgram.h"

#include "ExtractArchive.h"
#include "InstallDllFolder.h"
#include "Launch.h"
#include "PackageFolder.h"
#include "TrustedSignature.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace repair {

namespace {

std::wstring Quoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

PackageAction Run(PackageKind kind, std::wstring program, std::wstring parameters)
{
    PackageAction action;
    action.kind = kind;
    action.program = std::move(program);
    action.parameters = std::move(parameters);
    return action;
}

PackageAction Dlls(bool useSystem32)
{
    PackageAction action;
    action.kind = PackageKind::DllArchive;
    action.useSystem32 = useSystem32;
    return action;
}

constexpr wchar_t kMsiName[] = L"vcredist.msi";

// Nothing is unpacked into a folder that could not be emptied: what lies there is not ours.
// Empty unless the whole archive unpacked: a damaged package is not half installed.
UnpackedFiles UnpackFresh(const PackagePaths& paths)
{
    UnpackedFiles files;
    if (!ResetPackageFolder(paths.packageFolder) ||
        ExtractArchive(paths.localFile, paths.packageFolder, &files) != kExtractOk)
        files.clear();
    return files;
}

bool RunToSuccess(const PackageAction& action)
{
    const std::optional<DWORD> exitCode = Launch(action.program, action.parameters);
    return exitCode && InstallerSucceeded(*exitCode);
}

bool SameName(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

bool Unpacked(const UnpackedFiles& files, const std::wstring& name)
{
    return std::any_of(files.begin(), files.end(), [&](const UnpackedFile& file) { return SameName(file.name, name); });
}

bool AllTrustedSigned(const std::wstring& folder, const std::vector<std::wstring>& names)
{
    return std::all_of(names.begin(), names.end(),
                       [&](const std::wstring& name) { return HasTrustedSignature(folder + name); });
}

std::vector<std::wstring> TopLevelNames(const UnpackedFiles& files)
{
    std::vector<std::wstring> names;
    for (const UnpackedFile& file : files) {
        if (file.name.find(L'\\') == std::wstring::npos)
            names.push_back(file.name);
    }
    return names;
}

}  // namespace

PackageAction PackageActionFor(int32_t type, const PackagePaths& paths)
{
    switch (type) {
    case 1:
    case 2:
        return Run(PackageKind::MsiArchive, SystemProgram(L"msiexec.exe"),
                   L"/quiet /i " + Quoted(paths.packageFolder + kMsiName));
    case 3:
    case 4:
        return Run(PackageKind::Installer, paths.localFile, L"/q /l " + Quoted(paths.logFile));
    case 5:
    case 6:
        return Run(PackageKind::Installer, paths.localFile, L"/q /norestart /log " + Quoted(paths.logFile));
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
        return Run(PackageKind::Installer, paths.localFile,
                   L"/quiet /repair /norestart /log " + Quoted(paths.logFile));
    case 13:
    case 15:
    case 17:
        return Dlls(false);
    case 14:
    case 16:
    case 18:
        return Dlls(true);
    default:
        return {};
    }
}

bool RunPackageAction(const PackageAction& action, const PackagePaths& paths, const std::wstring& driveRoot)
{
    switch (action.kind) {
    case PackageKind::MsiArchive: {
        const UnpackedFiles files = UnpackFresh(paths);  // held until msiexec has read the package
        return Unpacked(files, kMsiName) && HasTrustedSignature(paths.packageFolder + kMsiName) &&
               RunToSuccess(action);
    }
    case PackageKind::Installer:  // the download is held by the repair from its check on
        return HasTrustedSignature(action.program) && RunToSuccess(action);
    case PackageKind::DllArchive: {
        const UnpackedFiles files = UnpackFresh(paths);  // held until copied and registered
        const std::vector<std::wstring> names = TopLevelNames(files);
        // One file signed by someone else refuses the whole package: nothing of it is copied.
        return !names.empty() && AllTrustedSigned(paths.packageFolder, names) &&
               InstallDllFolder(paths.packageFolder, names, action.useSystem32, driveRoot);
    }
    case PackageKind::None:
        break;
    }
    return false;
}

}  // namespace repair
