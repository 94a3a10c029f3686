#include "RepairJob.h"

#include "PackageAction.h"
#include "PackageHold.h"
#include "PackagePaths.h"
#include "WorkerMessages.h"

#include <FileDownload.h>
#include <PathUtils.h>
#include <UniqueHandle.h>

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

// The window leaves the repair page only on RepairFinished: it is posted however the worker
// ends, through an exception into the worker's catch-all too.
class FinishedNotice {
public:
    explicit FinishedNotice(HWND window) : window_(window) {}
    ~FinishedNotice() { PostMessageW(window_, workers::kRepairFinished, 0, 0); }
    FinishedNotice(const FinishedNotice&) = delete;
    FinishedNotice& operator=(const FinishedNotice&) = delete;

private:
    HWND window_;
};

// A package is run with administrator rights after a plain-HTTP download: when the server gave
// its digest, anything else is thrown away unrun, and what is used is held unchanged until then.
FileHandle DownloadAndHoldPackage(const RuntimeLibEntry& entry, const std::wstring& localFile)
{
    if (!DownloadToFile(entry.url, localFile))
        return FileHandle();
    return HoldVerifiedPackage(localFile, entry.sha256);
}

}  // namespace

void RunRepair(HWND window, const std::vector<RuntimeLibEntry>& list, const std::wstring& workDirectory)
{
    FinishedNotice finished(window);
    ComApartment apartment;
    const std::wstring driveRoot = SystemDriveRoot(workDirectory);
    for (size_t index = 0; index < list.size(); ++index) {
        const RuntimeLibEntry& entry = list[index];
        const PackagePaths packagePaths = PackagePathsFor(workDirectory, entry.url);
        paths::CreateFolderWithParents(packagePaths.packageFolder);
        const FileHandle package = DownloadAndHoldPackage(entry, packagePaths.localFile);
        if (!package)
            continue;
        if (!RunPackageAction(PackageActionFor(entry.type, packagePaths), packagePaths, driveRoot))
            continue;
        // The index names the row: with a failed package before it, "the next row" is another.
        PostMessageW(window, workers::kRuntimeItemDone, static_cast<WPARAM>(index), 0);
    }
}

bool StartRepair(base::WorkerThread& worker, HWND window, std::vector<RuntimeLibEntry> list,
                 std::wstring workDirectory)
{
    return worker.Start([window, list = std::move(list), workDirectory = std::move(workDirectory)] {
        RunRepair(window, list, workDirectory);
    });
}

}  // namespace repair
