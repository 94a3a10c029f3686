#include "PackageFolder.h"

#include "RepairTestSupport.h"

#include <UniqueHandle.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using repair::ResetPackageFolder;
using repair_test::IsFile;
using repair_test::IsFolder;
using repair_test::TempFolder;
using repair_test::WriteBytes;

bool IsEmpty(const std::wstring& folder)
{
    return std::filesystem::is_empty(std::filesystem::path(folder));
}

TEST(PackageFolder, WhateverWasLeftIsRemovedReadOnlyAndNestedToo)
{
    TempFolder work(L"reset");
    const std::wstring folder = work.Path() + L"vc.7zdir\\";
    std::filesystem::create_directories(folder + L"x64\\deep");
    WriteBytes(folder + L"planted.dll", "planted");
    WriteBytes(folder + L"x64\\deep\\old.dll", "old");
    SetFileAttributesW((folder + L"planted.dll").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((folder + L"x64").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY);
    WriteBytes(work.Path() + L"vc.7z", "the package beside the folder");

    EXPECT_TRUE(ResetPackageFolder(folder));
    EXPECT_TRUE(IsFolder(folder));
    EXPECT_TRUE(IsEmpty(folder));
    EXPECT_TRUE(IsFile(work.Path() + L"vc.7z")) << "nothing outside the folder is touched";
}

TEST(PackageFolder, MissingFolderIsMadeWithItsParentsAndAFileInItsPlaceIsReplaced)
{
    TempFolder work(L"reset-missing");
    const std::wstring missing = work.Path() + L"a\\b\\vc.7zdir\\";
    EXPECT_TRUE(ResetPackageFolder(missing));
    EXPECT_TRUE(IsFolder(missing));

    const std::wstring occupied = work.Path() + L"taken.7zdir";
    WriteBytes(occupied, "a file where the folder belongs");
    EXPECT_TRUE(ResetPackageFolder(occupied + L"\\"));
    EXPECT_TRUE(IsFolder(occupied));
    EXPECT_TRUE(IsEmpty(occupied));
}

TEST(PackageFolder, FileThatCannotBeRemovedLeavesTheFolderUnusable)
{
    TempFolder work(L"reset-locked");
    const std::wstring folder = work.Path() + L"vc.7zdir\\";
    std::filesystem::create_directories(folder);
    WriteBytes(folder + L"vcredist.msi", "held by someone else");
    FileHandle held(CreateFileW((folder + L"vcredist.msi").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr));
    ASSERT_TRUE(held.Valid());
    EXPECT_FALSE(ResetPackageFolder(folder));
    held.Reset();
    EXPECT_TRUE(ResetPackageFolder(folder));
}

}  // namespace
