#include "FileSha256.h"

#include "RepairTestSupport.h"

#include <UniqueHandle.h>

#include <gtest/gtest.h>


namespace {

using repair::Sha256Of;
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
    FileHandle file(CreateFileW(sample.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file.Valid());
    SetFilePointer(file.Get(), 1000, nullptr, FILE_BEGIN);
    EXPECT_EQ(Sha256Of(file.Get()), expected) << "the whole file, wherever the handle stood";
    EXPECT_EQ(Sha256Of(file.Get()), expected) << "and again through the same handle";
}

TEST(FileSha256, MissingFileOrOtherDigestDoesNotMatch)
{
    TempFolder folder(L"sha-missing");
    EXPECT_EQ(FileSha256(folder.Path() + L"none"), std::nullopt);
    EXPECT_EQ(Sha256Of(INVALID_HANDLE_VALUE), std::nullopt);
    WriteBytes(folder.Path() + L"abc", "abd");
    EXPECT_NE(FileSha256(folder.Path() + L"abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // A folder has no contents to hash.
    EXPECT_EQ(FileSha256(folder.Path()), std::nullopt);
}

}  // namespace
