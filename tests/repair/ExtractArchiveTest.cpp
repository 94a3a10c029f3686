#include "ExtractArchive.h"

#include "RepairTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

using repair::ExtractArchive;
using repair_test::IsFile;
using repair_test::IsFolder;
using repair_test::ReadText;
using repair_test::RepairFixture;
using repair_test::TempFolder;

std::set<std::wstring> FilesUnder(const std::wstring& folder)
{
    std::set<std::wstring> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            names.insert(std::filesystem::relative(entry.path(), folder).wstring());
    }
    return names;
}

DWORD Attributes(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str());
}

class ExtractArchiveTest : public ::testing::Test {
protected:
    std::wstring Package() const { return work_.Path() + L"pkg\\"; }
    std::wstring Nested(const std::wstring& name) const { return RepairFixture(L"nested\\" + name); }

    void SetUp() override { CreateDirectoryW(Package().c_str(), nullptr); }

    TempFolder work_{L"extract"};
};

TEST_F(ExtractArchiveTest, NestedItemsMakeTheirFoldersAndMatchTheSourceTree)
{
    ASSERT_EQ(ExtractArchive(RepairFixture(L"nested.7z"), Package()), repair::kExtractOk);
    for (const wchar_t* name : {L"x64\\msvcp140.dll", L"docs\\guide\\notes.txt", L"readonly.txt"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        ASSERT_TRUE(IsFile(Package() + name));
        EXPECT_EQ(ReadText(Package() + name), ReadText(Nested(name)));
    }
    EXPECT_TRUE(IsFolder(Package() + L"empty"));
    EXPECT_EQ(FilesUnder(Package()).size(), 3u);
}

TEST_F(ExtractArchiveTest, StoredAttributesAreApplied)
{
    ASSERT_EQ(ExtractArchive(RepairFixture(L"nested.7z"), Package()), repair::kExtractOk);
    EXPECT_TRUE(Attributes(Package() + L"readonly.txt") & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(Attributes(Package() + L"x64\\msvcp140.dll") & FILE_ATTRIBUTE_READONLY);
}

TEST_F(ExtractArchiveTest, UnpackingAgainRefreshesAReadOnlyFileOfTheFirstRun)
{
    ASSERT_EQ(ExtractArchive(RepairFixture(L"nested.7z"), Package()), repair::kExtractOk);
    const std::wstring readOnly = Package() + L"readonly.txt";
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    repair_test::WriteBytes(readOnly, "stale");
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);

    EXPECT_EQ(ExtractArchive(RepairFixture(L"nested.7z"), Package()), repair::kExtractOk);
    EXPECT_EQ(ReadText(readOnly), ReadText(Nested(L"readonly.txt")));
    EXPECT_TRUE(Attributes(readOnly) & FILE_ATTRIBUTE_READONLY);
}

TEST_F(ExtractArchiveTest, DestinationWithoutTrailingBackslashGetsOne)
{
    std::wstring bare = Package();
    bare.pop_back();
    ASSERT_EQ(ExtractArchive(RepairFixture(L"nested.7z"), bare), repair::kExtractOk);
    EXPECT_TRUE(IsFile(Package() + L"x64\\msvcp140.dll"));
    EXPECT_FALSE(IsFolder(work_.Path() + L"pkgx64"));
}

TEST_F(ExtractArchiveTest, NamesLeavingTheFolderOrNamingADeviceAreSkippedAndTheRestUnpacks)
{
    const std::wstring deep = work_.Path() + L"outer\\pkg\\";
    std::filesystem::create_directories(deep);
    ASSERT_EQ(ExtractArchive(RepairFixture(L"unsafe.7z"), deep), repair::kExtractOk);
    EXPECT_EQ(FilesUnder(deep), (std::set<std::wstring>{L"a_first.txt", L"h_last.txt", L"keep\\inner.txt"}));
    EXPECT_EQ(ReadText(deep + L"h_last.txt"), "contents of h_last.txt\r\n");
    // Nothing landed above the package folder, at the drive root or anywhere under the work folder.
    EXPECT_EQ(FilesUnder(work_.Path()).size(), 3u);
    const std::wstring root = repair_test::DriveRootOfTemp();
    for (const wchar_t* name : {L"zentest_evil.dll", L"zentest_rooted.dll", L"zentest_drive.dll",
                                L"zentest_evil_deep.dll", L"zentest_evil_backslash.dll", L"zentest_evil_dots.dll"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        EXPECT_FALSE(IsFile(root + name));
    }
}

TEST_F(ExtractArchiveTest, MissingArchiveGivesOne)
{
    EXPECT_EQ(ExtractArchive(work_.Path() + L"none.7z", Package()), repair::kExtractCannotOpen);
    EXPECT_TRUE(FilesUnder(Package()).empty());
}

TEST_F(ExtractArchiveTest, ChineseArchivePathOpensThroughTheAnsiCodePage)
{
    ASSERT_EQ(GetACP(), 936u);
    const std::wstring archive = work_.Path() + L"运行库\\vc运行库.7z";
    ASSERT_TRUE(repair_test::CopyFixture(L"nested.7z", archive));
    EXPECT_EQ(ExtractArchive(archive, Package()), repair::kExtractOk);
    EXPECT_TRUE(IsFile(Package() + L"x64\\msvcp140.dll"));
}

TEST_F(ExtractArchiveTest, DamagedArchivesFailWithoutWritingAnything)
{
    const std::wstring junk = work_.Path() + L"junk.7z";
    repair_test::WriteBytes(junk, std::string(5000, 'z'));
    const std::wstring empty = work_.Path() + L"empty.7z";
    repair_test::WriteBytes(empty, "");
    // The decoder's own codes for these (a data error is 1) must not read as "cannot open" or
    // "output failed".
    for (const std::wstring& archive : {RepairFixture(L"truncated.7z"), RepairFixture(L"corrupt.7z"), junk, empty}) {
        SCOPED_TRACE(testing::PrintToString(archive));
        EXPECT_GT(ExtractArchive(archive, Package()), repair::kExtractDecoderErrorBase);
    }
    EXPECT_TRUE(FilesUnder(Package()).empty());
}

TEST_F(ExtractArchiveTest, UnpackedFilesAreListedAndHeldAgainstChange)
{
    repair::UnpackedFiles files;
    ASSERT_EQ(ExtractArchive(RepairFixture(L"nested.7z"), Package(), &files), repair::kExtractOk);
    std::set<std::wstring> names;
    for (const repair::UnpackedFile& file : files)
        names.insert(file.name);
    EXPECT_EQ(names, (std::set<std::wstring>{L"x64\\msvcp140.dll", L"docs\\guide\\notes.txt", L"readonly.txt"}));

    const std::wstring dll = Package() + L"x64\\msvcp140.dll";
    EXPECT_TRUE(repair_test::IsHeldAgainstChange(dll));
    files.clear();
    EXPECT_FALSE(repair_test::IsHeldAgainstChange(dll));
}

TEST_F(ExtractArchiveTest, SizeThatCannotBeAllocatedGivesTwo)
{
    EXPECT_EQ(ExtractArchive(RepairFixture(L"huge.7z"), Package()), repair::kExtractOutOfMemory);
    EXPECT_FALSE(IsFile(Package() + L"huge.bin"));
}

TEST_F(ExtractArchiveTest, OutputThatCannotBeCreatedGivesElevenAndStops)
{
    // A folder where the first file of the catalogue must go; the two files after it stay out.
    std::filesystem::create_directories(Package() + L"docs\\guide\\notes.txt");
    EXPECT_EQ(ExtractArchive(RepairFixture(L"nested.7z"), Package()), repair::kExtractOutputFailed);
    EXPECT_FALSE(IsFile(Package() + L"readonly.txt"));
    EXPECT_FALSE(IsFile(Package() + L"x64\\msvcp140.dll"));
}

}  // namespace
