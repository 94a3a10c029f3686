#include "RepairJob.h"

#include "FileSha256.h"
#include "PackageAction.h"
#include "PackagePaths.h"
#include "WorkerMessages.h"

#include <FileDownload.h>
#include <PathUtils.h>

#include <objbase.h>

#include <utility>

namespace repair {

namespace {

// The shell may hand a launch to COM extensions, which want an apartment on the calling thread.
class ComApartment {
public:
    ComApartment()
        : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
    {
    }
    ~ComApartment()
    {
        if (initialised_)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialised_ = false;
};

// A package is run with administrator rights after a plain-HTTP download: when the server gave
// its digest, anything else is thrown away unrun.
bool DownloadPackage(const RuntimeLibEntry& entry, const std::wstring& localFile)
{
    if (!DownloadToFile(entry.url, localFile))
        return false;
    if (entry.sha256.empty() || FileMatchesSha256(localFile, entry.sha256))
        return true;
    DeleteFileW(localFile.c_str());
    return false;
}

}  // namespace

void RunRepair(HWND window, const std::vector<RuntimeLibEntry>& list, const std::wstring& workDirectory)
{
    ComApartment apartment;
    const std::wstring driveRoot = SystemDriveRoot(workDirectory);
    for (const RuntimeLibEntry& entry : list) {
        const PackagePaths packagePaths = PackagePathsFor(workDirectory, entry.url);
        paths::CreateFolderWithParents(packagePaths.packageFolder);
        if (!DownloadPackage(entry, packagePaths.localFile))
            continue;
        RunPackageAction(PackageActionFor(entry.type, packagePaths), packagePaths, driveRoot);
        PostMessageW(window, workers::kRuntimeItemDone, 0, 0);
    }
    PostMessageW(window, workers::kRepairFinished, 0, 0);
}

bool StartRepair(base::WorkerThread& worker, HWND window, std::vector<RuntimeLibEntry> list,
                 std::wstring workDirectory)
{
    return worker.Start([window, list = std::move(list), workDirectory = std::move(workDirectory)] {
        RunRepair(window, list, workDirectory);
    });
}

}  // namespace repair
