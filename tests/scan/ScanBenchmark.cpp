// Junk-check cost against a bare directory walk, and the cost of draining its findings.
//   ScanBenchmark [folders] [files per folder]     (default 500 x 100 = 50,000 files)
// The tree is made in the temporary folder and removed again.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "JunkScan.h"
#include "ModelResultList.h"
#include "PathUtils.h"
#include "UniqueHandle.h"
#include "UniqueTempFolder.h"
#include "UpdateQueue.h"

namespace {

constexpr int kRounds = 9;

double Seconds()
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool MakeTree(const std::wstring& root, int folders, int filesPerFolder)
{
    for (int folder = 0; folder < folders; ++folder) {
        // Ten top folders with their sub-folders, so the walk recurses as it does in real trees.
        std::wstring path = root + L"group" + std::to_wstring(folder % 10) + L"\\folder" + std::to_wstring(folder);
        if (!paths::CreateFolderWithParents(path))
            return false;
        for (int file = 0; file < filesPerFolder; ++file) {
            std::wstring name = path + L"\\cache-entry-" + std::to_wstring(file) + L".tmp";
            FileHandle handle(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
            if (!handle)
                return false;
            DWORD written = 0;
            WriteFile(handle.Get(), name.c_str(), static_cast<DWORD>(file % 64), &written, nullptr);
        }
    }
    return true;
}

size_t BareWalk(const std::wstring& folder)
{
    size_t files = 0;
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileW((folder + L"\\*.*").c_str(), &found));
    if (!search)
        return 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++files;
        else if (wcscmp(found.cFileName, L".") != 0 && wcscmp(found.cFileName, L"..") != 0)
            files += BareWalk(folder + L"\\" + found.cFileName);
    } while (FindNextFileW(search.Get(), &found));
    return files;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Fastest(const std::vector<double>& values)
{
    return *std::min_element(values.begin(), values.end());
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int folders = argc > 1 ? _wtoi(argv[1]) : 500;
    int filesPerFolder = argc > 2 ? _wtoi(argv[2]) : 100;
    if (folders <= 0 || filesPerFolder <= 0)
        return 2;
    std::wstring root = settings::TempFolder() + L"zentarium-bench-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    std::wstring top = root.substr(0, root.size() - 1);

    double start = Seconds();
    bool made = MakeTree(root, folders, filesPerFolder);
    std::printf("tree: %d folders x %d files in %ls (made in %.1f s)\n", folders, filesPerFolder, root.c_str(),
                Seconds() - start);
    if (!made) {
        std::printf("could not make the tree\n");
        std::filesystem::remove_all(std::filesystem::path(root));
        return 1;
    }

    size_t expected = BareWalk(top);  // warms the caches for both walks alike
    std::vector<double> bare;
    std::vector<double> junk;
    std::vector<double> drain;
    size_t findings = 0;
    int total = 0;
    for (int round = 0; round < kRounds; ++round) {
        double t0 = Seconds();
        size_t walked = BareWalk(top);
        double t1 = Seconds();
        scan_testing::ModelResultList list(false);
        scan_testing::ModelCategoryEntry entry;
        scan::UpdateQueue queue;
        scan::WalkJunkFolder(root, root, scan::CheckTarget{&list, &entry}, 0, queue);
        double t2 = Seconds();
        findings = queue.PendingCount();
        queue.Drain();
        double t3 = Seconds();
        total = entry.count;
        bare.push_back(t1 - t0);
        junk.push_back(t2 - t1);
        drain.push_back(t3 - t2);
        if (walked != expected || findings != expected || static_cast<size_t>(total) != expected)
            std::printf("round %d: walked %zu, findings %zu, counted %d of %zu files\n", round, walked, findings,
                        total, expected);
    }

    double a = Median(bare);
    double b = Median(junk);
    double c = Median(drain);
    std::printf("files %zu, findings %zu, counted after drain %d; %d rounds, median (fastest)\n", expected, findings,
                total, kRounds);
    std::printf("(a) bare FindFirstFileW/FindNextFileW walk : %7.1f ms (%7.1f)\n", a * 1000, Fastest(bare) * 1000);
    std::printf("(b) junk check, updates built and queued   : %7.1f ms (%7.1f)   b/a = %.3f (%.3f), goal <= 1.25\n",
                b * 1000, Fastest(junk) * 1000, b / a, Fastest(junk) / Fastest(bare));
    std::printf("(c) drain of %zu findings into the lists  : %7.1f ms (%7.1f)   c/a = %.3f, goal c <= 200 ms\n",
                findings, c * 1000, Fastest(drain) * 1000, c / a);
    std::filesystem::remove_all(std::filesystem::path(root));
    return (b / a <= 1.25 && c <= 0.2) ? 0 : 3;
}
