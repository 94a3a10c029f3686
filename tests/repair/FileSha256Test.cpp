#include "FileSha256.h"

#include "RepairTestSupport.h"

#include <gtest/gtest.h>


namespace {

using repair::FileMatchesSha256;
using repair::FileSha256;
using repair_test::TempFolder;
using repair_test::WriteBytes;

TEST(FileSha256, KnownDigestsOfSmallFiles)
{
    TempFolder folder(L"sha");
    WriteBytes(folder.Path() + L"empty", "");
    WriteBytes(folder.Path() + L"abc", "abc");
    EXPECT_EQ(FileSha256(folder.Path() + L"empty"),
              "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(FileSha256(folder.Path() + L"abc"),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

TEST(FileSha256, FileOfManyReadChunksMatchesPythonsDigest)
{
    const std::wstring sample = repair_test::RepairFixture(L"hash-sample.bin");
    const std::string expected = repair_test::ReadText(sample + L".sha256");
    ASSERT_EQ(expected.size(), 64u);
    EXPECT_EQ(FileSha256(sample), expected);
    EXPECT_TRUE(FileMatchesSha256(sample, expected));
}

TEST(FileSha256, MissingFileOrOtherDigestDoesNotMatch)
{
    TempFolder folder(L"sha-missing");
    EXPECT_EQ(FileSha256(folder.Path() + L"none"), std::nullopt);
    EXPECT_FALSE(FileMatchesSha256(folder.Path() + L"none",
                                   "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"));
    WriteBytes(folder.Path() + L"abc", "abd");
    EXPECT_FALSE(FileMatchesSha256(folder.Path() + L"abc",
                                   "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
    EXPECT_FALSE(FileMatchesSha256(folder.Path() + L"abc", ""));
    // A folder has no contents to hash.
    EXPECT_EQ(FileSha256(folder.Path()), std::nullopt);
}

}  // namespace
