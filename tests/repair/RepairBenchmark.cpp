// Not a test: one whole repair of the runtime-library list that the vendor server on the compiled-in
// address serves (tools/benchmark.sh repair: the demo catalogue), timed from the first download to
// the last package's end. Built twice: RepairBenchmark with the signature checks, and
// RepairBenchmarkUnchecked, whose repair library accepts every file unchecked; the script runs
// them in turns. What a repair left (the MSI's product, the DLLs in the system folder) is removed
// before, so that every run does the same work.
// Then the checks alone: every file the repair checked, checked again, timed apart from the rest.
//   RepairBenchmark        prints "<seconds> <packages repaired> <packages listed> <seconds of the checks>"
#include <DllTarget.h>
#include <PackageAction.h>
#include <PackagePaths.h>
#include <RepairJob.h>
#include <ServerApi.h>
#include <SystemProgram.h>
#include <TrustedSignature.h>
#include <UniqueHandle.h>
#include <WorkerMessages.h>

#include <BenchmarkTiming.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kMarkerProductCode[] = L"{E37FC15E-168F-45C4-8667-309A62A6E2E4}";
constexpr const wchar_t* kDemoDlls[] = {L"zentest_reg_a.dll", L"zentest reg space.dll"};

void RunAndWait(std::wstring commandLine)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return;
    const KernelHandle processHandle(process.hProcess);
    const KernelHandle threadHandle(process.hThread);
    WaitForSingleObject(processHandle.Get(), 120000);
}

void UndoEarlierRepair(const std::vector<RuntimeLibEntry>& list, const std::wstring& workDirectory)
{
    RunAndWait(L"\"" + repair::SystemProgram(L"msiexec.exe") + L"\" /x " + kMarkerProductCode + L" /quiet");
    const std::wstring driveRoot = repair::SystemDriveRoot(workDirectory);
    for (const RuntimeLibEntry& entry : list) {
        const repair::DllTarget target = repair::ChooseDllTarget(
            driveRoot, entry.type % 2 == 0, repair::NativeArchitecture(), repair::RunsUnderWow64());
        for (const wchar_t* name : kDemoDlls)
            DeleteFileW((target.copyFolder + name).c_str());
    }
}

// The files that RunPackageAction checks, as the repair left them in the work directory.
std::vector<std::wstring> CheckedFiles(const std::vector<RuntimeLibEntry>& list, const std::wstring& workDirectory)
{
    std::vector<std::wstring> files;
    for (const RuntimeLibEntry& entry : list) {
        const repair::PackagePaths paths = repair::PackagePathsFor(workDirectory, entry.url);
        switch (repair::PackageActionFor(entry.type, paths).kind) {
        case repair::PackageKind::MsiArchive:
            files.push_back(paths.packageFolder + L"vcredist.msi");
            break;
        case repair::PackageKind::Installer:
            files.push_back(paths.localFile);
            break;
        case repair::PackageKind::DllArchive:
            for (const wchar_t* name : kDemoDlls)
                files.push_back(paths.packageFolder + name);
            break;
        case repair::PackageKind::None:
            break;
        }
    }
    return files;
}

double SecondsOfTheChecks(const std::vector<std::wstring>& files)
{
    const std::vector<double> perCall = benchmark_timing::TimePerCall({[&] {
        for (const std::wstring& file : files)
            repair::HasTrustedSignature(file);
    }}, 5, 0.2);
    return perCall.front();
}

int RepairedCount()
{
    int repaired = 0;
    MSG message = {};
    while (PeekMessageW(&message, nullptr, workers::kRuntimeItemDone, workers::kRuntimeItemDone, PM_REMOVE))
        ++repaired;
    return repaired;
}

}  // namespace

int wmain()
{
    std::vector<RuntimeLibEntry> list;
    FetchRuntimeLibList(list);
    if (list.empty()) {
        std::printf("no runtime-library list from the vendor server\n");
        return 1;
    }
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring workDirectory = std::wstring(temp) + L"zentarium-repair-benchmark\\";
    CreateDirectoryW(workDirectory.c_str(), nullptr);
    UndoEarlierRepair(list, workDirectory);
    MSG message = {};
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue takes the posts
    const double start = benchmark_timing::Now();
    repair::RunRepair(nullptr, list, workDirectory);
    const double seconds = benchmark_timing::Now() - start;
    const int repaired = RepairedCount();
    std::printf("%.3f %d %zu %.4f\n", seconds, repaired, list.size(),
                SecondsOfTheChecks(CheckedFiles(list, workDirectory)));
    UndoEarlierRepair(list, workDirectory);
    return 0;
}
