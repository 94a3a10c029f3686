#include "JunkScan.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "DirectoryIdentity.h"
#include "FileTimes.h"
#include "JunkFolders.h"
#include "ModelResultList.h"
#include "UniqueHandle.h"
#include "UniqueTempFolder.h"

namespace {

constexpr uint32_t kRepair = 1700000000;

// Wine's own conversion of a Windows path to the Linux one; absent on Windows.
std::string UnixPath(const std::wstring& path)
{
    using Convert = char*(CDECL*)(const wchar_t*);
    auto convert = reinterpret_cast<Convert>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert)
        return {};
    char* unixPath = convert(path.c_str());
    std::string result = unixPath ? unixPath : "";
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

// Runs a Linux program from the Windows side (Wine starts Unix executables as they are). Its
// process handle is signalled before the program is done and its exit code does not come
// through, so the caller waits for the effect.
template <typename Done>
bool RunUnix(std::wstring commandLine, Done done)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(20)) {
        if (done())
            return true;
    }
    return false;
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring Widen(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

class JunkWalk : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = settings::TempFolder() + L"zentarium-junk-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(root_.c_str(), nullptr);
    }
    void TearDown() override
    {
        for (const auto& [path, unixPath] : links_)
            RunUnix(L"Z:\\bin\\rm -f " + Widen(unixPath), [&path] { return !Exists(path); });
        for (const auto& entry : std::filesystem::recursive_directory_iterator(std::filesystem::path(root_)))
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(std::filesystem::path(root_));
    }

    void MakeFile(const std::wstring& relative, uint32_t writtenAt, DWORD attributes = 0, uint64_t size = 0)
    {
        std::filesystem::create_directories(std::filesystem::path(root_ + relative).parent_path());
        HANDLE file = CreateFileW((root_ + relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        if (size) {
            LARGE_INTEGER end;
            end.QuadPart = static_cast<LONGLONG>(size);
            SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
            SetEndOfFile(file);
        }
        FILETIME time = scan::ToFileTime(scan::UnixSecondsToFileTime(writtenAt));
        ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
        CloseHandle(file);
        if (attributes)
            SetFileAttributesW((root_ + relative).c_str(), attributes);
    }

    bool Link(const std::wstring& relative, const std::string& target)
    {
        std::string unixRoot = UnixPath(root_);
        if (unixRoot.empty())
            return false;
        std::string link = unixRoot + std::string(relative.begin(), relative.end());
        std::replace(link.begin(), link.end(), '\\', '/');
        std::wstring path = root_ + relative;
        links_.emplace_back(path, link);
        return RunUnix(L"Z:\\bin\\ln -s " + Widen(target) + L" " + Widen(link), [&path] { return Exists(path); });
    }

    // detail -> size text, for the files found under the group "root".
    std::map<std::wstring, std::wstring> Walk(uint32_t lastRepairTime)
    {
        scan::UpdateQueue queue;
        scan::WalkJunkFolder(root_, L"root", scan::CheckTarget{&list_, &entry_}, lastRepairTime, queue);
        posted_ = queue.PendingCount();
        queue.Drain();
        std::map<std::wstring, std::wstring> found;
        for (const scan_testing::ModelRow& row : list_.rows) {
            EXPECT_EQ(row.group, L"root");
            EXPECT_EQ(row.rowStyle, scan::kJunkRow);
            found.insert(row.details.begin(), row.details.end());
        }
        return found;
    }

    std::wstring root_;
    std::vector<std::pair<std::wstring, std::string>> links_;  // Windows and Linux path
    scan_testing::ModelResultList list_;
    scan_testing::ModelCategoryEntry entry_;
    size_t posted_ = 0;
};

TEST_F(JunkWalk, ReportsFilesWrittenAfterTheRepairUnderTheListedFolder)
{
    MakeFile(L"old.txt", kRepair - 100);
    MakeFile(L"exact.txt", kRepair);
    MakeFile(L"newer.txt", kRepair + 1, 0, 12);
    MakeFile(L"sub\\deeper\\nested.log", kRepair + 50, 0, 3);
    MakeFile(L"sub\\hidden.dat", kRepair + 2, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeFile(L"sub\\readonly.dat", kRepair + 3, FILE_ATTRIBUTE_READONLY);
    std::filesystem::create_directories(std::filesystem::path(root_ + L"empty\\empty too"));

    std::map<std::wstring, std::wstring> expected = {
        {root_ + L"newer.txt", L"12"},
        {root_ + L"sub\\deeper\\nested.log", L"3"},
        {root_ + L"sub\\hidden.dat", L"0"},
        {root_ + L"sub\\readonly.dat", L"0"},
    };
    EXPECT_EQ(Walk(kRepair), expected);
    EXPECT_EQ(posted_, 4u);
    EXPECT_EQ(entry_.count, 4);
}

TEST_F(JunkWalk, RepairTimeZeroReportsEveryFile)
{
    MakeFile(L"a.txt", 1);
    MakeFile(L"b\\c.txt", kRepair);
    EXPECT_EQ(Walk(0).size(), 2u);
}

TEST_F(JunkWalk, ShowsTheSizeOfAFiveGibibyteFileInFull)
{
    MakeFile(L"big.bin", kRepair + 1, 0, 5ull << 30);
    EXPECT_EQ(Walk(kRepair)[root_ + L"big.bin"], L"5368709120");
}

TEST_F(JunkWalk, UnixSymbolicLinkLoopsEndTheWalkWithEachFileOnce)
{
    MakeFile(L"a.txt", kRepair + 1);
    MakeFile(L"sub\\b.txt", kRepair + 1);
    if (!Link(L"self", ".") || !Link(L"sub\\up", "..") || !Link(L"sub\\root", UnixPath(root_)))
        GTEST_SKIP() << "Linux links cannot be made from here";
    std::map<std::wstring, std::wstring> expected = {{root_ + L"a.txt", L"0"}, {root_ + L"sub\\b.txt", L"0"}};
    EXPECT_EQ(Walk(kRepair), expected);
    EXPECT_EQ(posted_, 2u);
}

TEST_F(JunkWalk, StopsBelowTheDepthLimit)
{
    std::wstring deep;
    for (int level = 0; level < scan::kMaxJunkDepth; ++level)
        deep += L"d\\";
    MakeFile(deep + L"last.txt", kRepair + 1);
    MakeFile(deep + L"d\\too deep.txt", kRepair + 1);
    std::map<std::wstring, std::wstring> found = Walk(kRepair);
    EXPECT_EQ(found.count(root_ + deep + L"last.txt"), 1u);
    EXPECT_EQ(found.size(), 1u);
}

TEST_F(JunkWalk, MissingFolderIsSkipped)
{
    scan::UpdateQueue queue;
    scan::WalkJunkFolder(root_ + L"missing", L"missing", scan::CheckTarget{&list_, &entry_}, 0, queue);
    EXPECT_EQ(queue.PendingCount(), 0u);
}

TEST_F(JunkWalk, ADirectoryReachedUnderASecondNameCountsAsVisited)
{
    std::filesystem::create_directories(std::filesystem::path(root_ + L"one"));
    std::filesystem::create_directories(std::filesystem::path(root_ + L"two"));
    const std::wstring one = root_ + L"one";
    const std::wstring two = root_ + L"two";
    // Same stamps as "one", so only the identity tells them apart.
    FILETIME created;
    FILETIME written;
    {
        FileHandle first(CreateFileW(one.c_str(), FILE_READ_ATTRIBUTES, 7, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        ASSERT_TRUE(GetFileTime(first.Get(), &created, nullptr, &written));
        FileHandle second(CreateFileW(two.c_str(), FILE_WRITE_ATTRIBUTES, 7, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        ASSERT_TRUE(SetFileTime(second.Get(), &created, nullptr, &written));
    }
    std::optional<scan::DirectoryStamp> stamp = scan::StampOf(one);
    ASSERT_TRUE(stamp.has_value());
    ASSERT_EQ(scan::StampOf(two), stamp);

    scan::VisitedDirectories visited;
    EXPECT_TRUE(visited.Enter(one, *stamp));
    EXPECT_FALSE(visited.Enter(one + L"\\", *stamp));
    EXPECT_TRUE(visited.Enter(two, *stamp));
    EXPECT_FALSE(visited.Enter(two, *stamp));
    std::string unixPath = UnixPath(one);
    if (!unixPath.empty()) {
        std::wstring alias = L"Z:" + Widen(unixPath);
        std::replace(alias.begin(), alias.end(), L'/', L'\\');
        EXPECT_EQ(scan::StampOf(alias), stamp);
        EXPECT_FALSE(visited.Enter(alias, *stamp));
    }
    // What cannot be identified is walked; the depth limit still bounds it.
    EXPECT_TRUE(visited.Enter(root_ + L"missing", *stamp));
    EXPECT_TRUE(visited.Enter(root_ + L"missing", *stamp));
}

TEST(JunkFolders, ListsTheFoldersInOrderAndSkipsUnknownOnes)
{
    std::vector<std::wstring> expected = {
        L"C:\\Temp\\",
        L"C:\\$Recycle.Bin",
        L"C:\\Windows\\Temp",
        L"C:\\Windows\\System32\\LogFiles",
        L"C:\\Windows\\ServiceProfiles\\NetworkService\\AppData\\Local\\Temp",
        L"C:\\Windows\\Logs",
        L"C:\\Windows\\debug",
        L"C:\\Windows\\SoftwareDistribution",
    };
    EXPECT_EQ(scan::JunkFolderList(L"C:\\Temp\\", L"C:\\$Recycle.Bin", L"C:\\Windows"), expected);
    EXPECT_EQ(scan::JunkFolderList(L"C:\\Temp\\", L"", L""), std::vector<std::wstring>{L"C:\\Temp\\"});
    EXPECT_EQ(scan::JunkFolderList(L"", L"", L"D:\\W").front(), L"D:\\W\\Temp");
    EXPECT_TRUE(scan::JunkFolderList(L"", L"", L"").empty());

    std::vector<std::wstring> real = scan::JunkFolders();
    ASSERT_FALSE(real.empty());
    EXPECT_EQ(real.front().back(), L'\\');
    EXPECT_EQ(real.back().substr(real.back().size() - 21), L"\\SoftwareDistribution");
}

}  // namespace
