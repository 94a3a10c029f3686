#include "PathUtils.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "TestPaths.h"

namespace {

TEST(PathJoin, PutsExactlyOneBackslashBetweenTheParts)
{
    EXPECT_EQ(paths::Join(L"C:\\Temp", L"a.txt"), L"C:\\Temp\\a.txt");
    EXPECT_EQ(paths::Join(L"C:\\Temp\\", L"a.txt"), L"C:\\Temp\\a.txt");
    EXPECT_EQ(paths::Join(L"C:\\Temp\\/\\", L"\\/a.txt"), L"C:\\Temp\\a.txt");
    EXPECT_EQ(paths::Join(L"C:/Temp/", L"sub/a.txt"), L"C:/Temp\\sub/a.txt");
}

TEST(PathJoin, AbsoluteNameWins)
{
    EXPECT_EQ(paths::Join(L"C:\\Temp", L"D:\\x\\a.dll"), L"D:\\x\\a.dll");
    EXPECT_EQ(paths::Join(L"C:\\Temp", L"d:/x"), L"d:/x");
    EXPECT_EQ(paths::Join(L"C:\\Temp", L"\\\\server\\share\\a"), L"\\\\server\\share\\a");
    // A drive letter without a separator is relative to that drive's current folder, not absolute.
    EXPECT_EQ(paths::Join(L"C:\\Temp", L"D:x"), L"C:\\Temp\\D:x");
}

TEST(PathJoin, StripsOnePairOfEnclosingQuotesFromEachPart)
{
    EXPECT_EQ(paths::Join(L"\"C:\\Program Files\\\"", L"\"a b.dll\""), L"C:\\Program Files\\a b.dll");
    EXPECT_EQ(paths::Join(L"C:\\Temp", L"\"D:\\abs\""), L"D:\\abs");
    EXPECT_EQ(paths::Join(L"C:\\Temp", L"\"half"), L"C:\\Temp\\\"half");
}

TEST(PathJoin, EmptyBaseGivesTheNameAlone)
{
    EXPECT_EQ(paths::Join(L"", L"a.txt"), L"a.txt");
    EXPECT_EQ(paths::Join(L"\"\"", L"\\a.txt"), L"\\a.txt");
    EXPECT_EQ(paths::Join(L"C:\\Temp", L""), L"C:\\Temp\\");
}

TEST(FileNamePart, TakesTheTextAfterTheLastSeparatorOfEitherKind)
{
    EXPECT_EQ(paths::FileNamePart(L"http://127.0.0.1/pkg/vc_redist.x64.exe"), L"vc_redist.x64.exe");
    EXPECT_EQ(paths::FileNamePart(L"C:\\a/b\\c.7z"), L"c.7z");
    EXPECT_EQ(paths::FileNamePart(L"plain.msi"), L"plain.msi");
    EXPECT_EQ(paths::FileNamePart(L"C:\\folder\\"), L"");
}

class PathFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        root_ = paths::Join(temp, L"zentarium-paths-" + std::to_wstring(GetCurrentProcessId()));
    }
    void TearDown() override
    {
        for (const wchar_t* leaf : {L"\\a\\b\\c", L"\\a\\b", L"\\a", L""}) {
            std::wstring folder = root_ + leaf;
            RemoveDirectoryW(folder.c_str());
        }
    }
    std::wstring root_;
};

TEST_F(PathFiles, CreatesEveryMissingLevel)
{
    std::wstring deep = root_ + L"\\a\\b\\c\\";
    ASSERT_FALSE(paths::Exists(root_));
    EXPECT_TRUE(paths::CreateFolderWithParents(deep));
    EXPECT_TRUE(paths::Exists(deep));
    EXPECT_TRUE(paths::Exists(L"\"" + root_ + L"\\a\\b/\""));
    EXPECT_TRUE(paths::CreateFolderWithParents(deep)) << "an existing folder is success";
}

TEST_F(PathFiles, FolderBlockedByAFileIsNotCreated)
{
    ASSERT_TRUE(paths::CreateFolderWithParents(root_));
    std::wstring file = root_ + L"\\a";
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    CloseHandle(handle);
    EXPECT_FALSE(paths::CreateFolderWithParents(root_ + L"\\a\\b\\"));
    DeleteFileW(file.c_str());
}

TEST(PathExists, EmptyAndMissingPathsDoNotExist)
{
    EXPECT_FALSE(paths::Exists(L""));
    EXPECT_FALSE(paths::Exists(L"\"\""));
    EXPECT_FALSE(paths::Exists(L"C:\\no\\such\\zentarium\\folder"));
    EXPECT_TRUE(paths::Exists(testing_paths::ExeFolder()));
}

}  // namespace
