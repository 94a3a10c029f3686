#include "PackageAction.h"

#include "SystemProgram.h"

#include "ExtractArchive.h"
#include "InstallDllFolder.h"
#include "Launch.h"

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

}  // namespace

PackageAction PackageActionFor(int32_t type, const PackagePaths& paths)
{
    switch (type) {
    case 1:
    case 2:
        return Run(PackageKind::MsiArchive, SystemProgram(L"msiexec.exe"),
                   L"/quiet /i " + Quoted(paths.packageFolder + L"vcredist.msi"));
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

void RunPackageAction(const PackageAction& action, const PackagePaths& paths, const std::wstring& driveRoot)
{
    switch (action.kind) {
    case PackageKind::MsiArchive:
        ExtractArchive(paths.localFile, paths.packageFolder);
        Launch(action.program, action.parameters);
        break;
    case PackageKind::Installer:
        Launch(action.program, action.parameters);
        break;
    case PackageKind::DllArchive:
        ExtractArchive(paths.localFile, paths.packageFolder);
        InstallDllFolder(paths.packageFolder, action.useSystem32, driveRoot);
        break;
    case PackageKind::None:
        break;
    }
}

}  // namespace repair
