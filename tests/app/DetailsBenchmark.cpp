// Not a test: the details of one junk row filled with the files of a temp-folder tree in walk
// order, kept by FindingDetails and by a std::map<std::wstring, std::wstring> side by side
// (tools/benchmark.sh details). Per file: the time of one Add, the bytes kept (BytesKept, and the
// growth of the process's private bytes, of the first fill in a fresh process), each less the
// path text (the names, and each folder's text once), and the time SortedIds takes (for the map:
// a walk collecting its entries in order). Each store and size runs in a process of its own, so
// neither inherits the other's heap.
//   DetailsBenchmark [files, comma-separated (10000,100000,1000000)] [rounds (5)]
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "BenchmarkTiming.h"
#include "FindingDetails.h"
#include "UniqueHandle.h"

namespace {

using KernelHandle = UniqueHandle<KernelHandleTraits>;

struct Walk {
    std::vector<std::wstring> details;
    std::vector<std::wstring> extras;
    double pathTextBytes = 0;
    size_t folders = 0;
};

constexpr size_t kFilesPerFolder = 300;
constexpr int kDeepest = 6;
// Goals per file at a million files.
constexpr double kAddGoalMicroseconds = 0.5;
constexpr double kBytesGoal = 64;
constexpr double kSortedIdsGoalMilliseconds = 10;

std::wstring FileName(std::mt19937& random)
{
    static const wchar_t kUnits[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-~.临时文件新建数据缓存";
    static const wchar_t* const kExtensions[] = {L".tmp", L".log", L".dat", L".txt", L".etl", L""};
    std::wstring name;
    for (auto length = 3 + random() % 34; length > 0; --length)
        name += kUnits[random() % (std::size(kUnits) - 1)];
    return name + kExtensions[random() % std::size(kExtensions)];
}

bool CaseBlindLess(const std::wstring& a, const std::wstring& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](wchar_t x, wchar_t y) { return std::towupper(x) < std::towupper(y); });
}

// Depth first, each folder's files before its subfolders, the files in the case-blind order the
// file system lists them in; about kFilesPerFolder files per folder.
Walk TempWalk(size_t files)
{
    std::mt19937 random(24);
    std::exponential_distribution<double> perFolder(1.0 / kFilesPerFolder);
    const std::wstring root = L"C:\\Users\\管理员\\AppData\\Local\\Temp\\";
    std::vector<std::pair<std::wstring, int>> pending;
    Walk walk;
    while (walk.details.size() < files) {
        if (pending.empty())
            pending.emplace_back(root + L"batch" + std::to_wstring(walk.folders) + L"\\", 1);
        const auto [folder, depth] = pending.back();
        pending.pop_back();
        ++walk.folders;
        walk.pathTextBytes += folder.size() * sizeof(wchar_t);
        std::vector<std::wstring> names(std::min(files - walk.details.size(), static_cast<size_t>(perFolder(random))));
        for (auto& name : names)
            name = FileName(random);
        std::sort(names.begin(), names.end(), CaseBlindLess);
        for (const auto& name : names) {
            walk.details.push_back(folder + name);
            walk.extras.push_back(std::to_wstring(static_cast<uint64_t>(std::exp(random() % 2100 / 100.0))));
            walk.pathTextBytes += name.size() * sizeof(wchar_t);
        }
        for (auto subfolders = depth < kDeepest ? random() % 4 : 0; subfolders > 0; --subfolders)
            pending.emplace_back(folder + FileName(random) + L"\\", depth + 1);
    }
    return walk;
}

double PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
    // Wine answers 0 for PrivateUsage; the commit charge is the same figure on Windows.
    return static_cast<double>(memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage);
}

struct Figures {
    double addMicroseconds = 0;  // per file, median of the rounds
    double keptBytes = 0;  // per file, beyond the path text
    double privateBytes = 0;  // per file, beyond the path text
    double sortedMilliseconds = 0;  // median of the rounds
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Fills the store `rounds` times; `fill` adds every file and answers BytesKept, `order` takes the
// ids in order.
template <typename Store, typename Fill, typename Order>
Figures Measure(const Walk& walk, int rounds, Fill fill, Order order)
{
    Figures figures;
    std::vector<double> adds, sorts;
    const double files = static_cast<double>(walk.details.size());
    for (int round = 0; round < rounds; ++round) {
        const double privateBefore = PrivateBytes();
        Store store;
        const double start = benchmark_timing::Now();
        const double kept = fill(store);
        adds.push_back((benchmark_timing::Now() - start) * 1e6 / files);
        if (round == 0) {
            figures.keptBytes = (kept - walk.pathTextBytes) / files;
            figures.privateBytes = (PrivateBytes() - privateBefore - walk.pathTextBytes) / files;
        }
        const double sortStart = benchmark_timing::Now();
        const size_t ordered = order(store);
        sorts.push_back((benchmark_timing::Now() - sortStart) * 1e3);
        if (ordered != walk.details.size())
            std::printf("  (%zu of %zu files kept: repeated names)\n", ordered, walk.details.size());
    }
    figures.addMicroseconds = Median(adds);
    figures.sortedMilliseconds = Median(sorts);
    return figures;
}

using Map = std::map<std::wstring, std::wstring>;

Figures MeasureStore(const std::wstring& store, const Walk& walk, int rounds)
{
    if (store == L"map") {
        return Measure<Map>(
            walk, rounds,
            [&](Map& map) {
                for (size_t i = 0; i < walk.details.size(); ++i)
                    map.try_emplace(walk.details[i], walk.extras[i]);
                // A node holds the colour and three links besides its pair; texts past the
                // string's own buffer are on the heap.
                const size_t inlineUnits = std::wstring().capacity();
                double bytes = 0;
                for (const auto& [detail, extra] : map)
                    bytes += sizeof(Map::value_type) + 4 * sizeof(void*) +
                             (detail.capacity() > inlineUnits ? (detail.capacity() + 1) * sizeof(wchar_t) : 0) +
                             (extra.capacity() > inlineUnits ? (extra.capacity() + 1) * sizeof(wchar_t) : 0);
                return bytes;
            },
            [](const Map& map) {
                std::vector<const Map::value_type*> entries;
                entries.reserve(map.size());
                for (const auto& entry : map)
                    entries.push_back(&entry);
                return entries.size();
            });
    }
    return Measure<app::FindingDetails>(
        walk, rounds,
        [&](app::FindingDetails& details) {
            for (size_t i = 0; i < walk.details.size(); ++i)
                details.Add(walk.details[i], walk.extras[i]);
            return static_cast<double>(details.BytesKept());
        },
        [](const app::FindingDetails& details) { return details.SortedIds().size(); });
}

// The child's figures come back as one line on its standard output.
bool RunChild(const wchar_t* exePath, const wchar_t* store, size_t files, int rounds, Figures& figures)
{
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    KernelHandle readEnd, writeEnd;
    if (!CreatePipe(readEnd.Receive(), writeEnd.Receive(), &inherit, 0))
        return false;
    SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);
    std::wstring command = L"\"" + std::wstring(exePath) + L"\" --store " + store + L" --files " +
                           std::to_wstring(files) + L" --rounds " + std::to_wstring(rounds);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.Get();
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return false;
    const KernelHandle child(process.hProcess), thread(process.hThread);
    writeEnd.Reset();
    std::string output;
    char buffer[256];
    DWORD read = 0;
    while (ReadFile(readEnd.Get(), buffer, sizeof(buffer), &read, nullptr) && read > 0)
        output.append(buffer, read);
    WaitForSingleObject(child.Get(), INFINITE);
    return std::sscanf(output.c_str(), "%lf %lf %lf %lf", &figures.addMicroseconds, &figures.keptBytes,
                       &figures.privateBytes, &figures.sortedMilliseconds) == 4;
}

std::vector<size_t> Sizes(const wchar_t* list)
{
    std::vector<size_t> sizes;
    for (const wchar_t* at = list; *at;) {
        wchar_t* end = nullptr;
        sizes.push_back(std::max<size_t>(1, std::wcstoul(at, &end, 10)));
        at = *end == L',' ? end + 1 : end;
        if (end == at && *at)
            break;
    }
    return sizes;
}

int RunAll(const wchar_t* exePath, const std::vector<size_t>& sizes, int rounds)
{
    std::printf("one junk row in walk order, about %zu files per folder; per file beyond the path text; "
                "median of %d rounds\n", kFilesPerFolder, rounds);
    std::printf("%9s | %-24s | %-24s | %-24s | %-24s\n", "files", "Add us/file", "kept B/file",
                "private B/file", "SortedIds ms");
    std::printf("%9s | %-24s | %-24s | %-24s | %-24s\n", "", "compact   map   ratio", "compact   map   ratio",
                "compact   map   ratio", "compact   map   ratio");
    bool met = true;
    std::vector<double> addTimes;
    for (const size_t files : sizes) {
        Figures compact, map;
        if (!RunChild(exePath, L"compact", files, rounds, compact) || !RunChild(exePath, L"map", files, rounds, map)) {
            std::printf("%9zu | a child failed\n", files);
            return 1;
        }
        const auto column = [](double ours, double theirs) {
            std::printf(" | %7.3f %7.3f %7.3f ", ours, theirs, ours / theirs);
        };
        std::printf("%9zu", files);
        column(compact.addMicroseconds, map.addMicroseconds);
        column(compact.keptBytes, map.keptBytes);
        column(compact.privateBytes, map.privateBytes);
        column(compact.sortedMilliseconds, map.sortedMilliseconds);
        std::printf("\n");
        addTimes.push_back(compact.addMicroseconds);
        if (files >= 1000000)
            met = met && compact.addMicroseconds <= kAddGoalMicroseconds && compact.keptBytes <= kBytesGoal &&
                  compact.privateBytes <= kBytesGoal && compact.sortedMilliseconds <= kSortedIdsGoalMilliseconds;
    }
    if (sizes.size() > 1)
        std::printf("log-log slope of the compact store's whole fill from %zu to %zu files: %.3f\n", sizes.front(),
                    sizes.back(),
                    1 + std::log(addTimes.back() / addTimes.front()) /
                            std::log(static_cast<double>(sizes.back()) / static_cast<double>(sizes.front())));
    std::printf("goals at 1,000,000 files: Add <= %.1f us, <= %.0f bytes per file, SortedIds <= %.0f ms: %s\n",
                kAddGoalMicroseconds, kBytesGoal, kSortedIdsGoalMilliseconds, met ? "met" : "NOT met");
    return met ? 0 : 3;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    std::wstring store;
    size_t files = 0;
    int rounds = 5;
    std::vector<size_t> sizes = {10000, 100000, 1000000};
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring argument = argv[i];
        if (argument == L"--store")
            store = argv[i + 1];
        else if (argument == L"--files")
            files = std::wcstoul(argv[i + 1], nullptr, 10);
        else if (argument == L"--rounds")
            rounds = std::max(1, _wtoi(argv[i + 1]));
    }
    if (store.empty()) {
        if (argc > 1)
            sizes = Sizes(argv[1]);
        if (argc > 2)
            rounds = std::max(1, _wtoi(argv[2]));
        return RunAll(argv[0], sizes, rounds);
    }
    const Walk walk = TempWalk(files);
    const Figures figures = MeasureStore(store, walk, rounds);
    std::printf("%.6f %.6f %.6f %.6f\n", figures.addMicroseconds, figures.keptBytes, figures.privateBytes,
                figures.sortedMilliseconds);
    return 0;
}
