#include "VendorServer.h"

#include <DownloadLoop.h>
#include <FileDownload.h>
#include <TestPaths.h>

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>

namespace {

using vendor_server::HttpBase;

// The bytes /test/bytes and /test/stall send: byte i is i % 251.
bool IsPattern(const std::string& bytes)
{
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (static_cast<uint8_t>(bytes[i]) != i % 251)
            return false;
    }
    return true;
}

class FileDownloadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(vendor_server::Running()) << "vendor server not started";
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::path(temp) / (std::string("zentarium-download-") + info->name());
        std::filesystem::remove_all(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    // A file in a folder that does not exist yet.
    std::wstring Target(const std::wstring& name) const { return (folder_ / L"sub" / name).wstring(); }
    static std::string Contents(const std::wstring& path) { return testing_paths::ReadFileBytes(path); }

    std::filesystem::path folder_;
};

}  // namespace

TEST_F(FileDownloadTest, NotFoundAndEmptyRepliesFailWithoutAFile)
{
    EXPECT_FALSE(DownloadToFile(HttpBase() + L"/test/status?code=404", Target(L"a.bin")));
    EXPECT_FALSE(DownloadToFile(HttpBase() + L"/test/bytes?n=0&mode=length", Target(L"b.bin")));
    EXPECT_FALSE(std::filesystem::exists(Target(L"a.bin")));
    EXPECT_FALSE(std::filesystem::exists(Target(L"b.bin")));
    EXPECT_FALSE(DownloadToFile(L"http://127.0.0.1:1/none", Target(L"c.bin")));
}

TEST_F(FileDownloadTest, SavesKnownLengthCloseDelimitedAndChunkedRepliesWhole)
{
    const std::wstring known = Target(L"known.bin");
    ASSERT_TRUE(DownloadToFile(HttpBase() + L"/test/bytes?n=100003&mode=length", known));
    EXPECT_EQ(Contents(known).size(), 100003u);
    EXPECT_TRUE(IsPattern(Contents(known)));
    for (const wchar_t* mode : {L"close", L"chunked"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(mode)));
        const std::wstring path = Target(std::wstring(mode) + L".bin");
        ASSERT_TRUE(DownloadToFile(HttpBase() + L"/test/bytes?n=300001&mode=" + mode, path));
        EXPECT_EQ(Contents(path).size(), 300001u);
        EXPECT_TRUE(IsPattern(Contents(path)));
    }
}

TEST_F(FileDownloadTest, PackageFileFromTheServerFolderIsSaved)
{
    const std::string package = "MZ package bytes \x01\x02\x03";
    const std::wstring served = vendor_server::Folder() + L"packages\\download-test.bin";
    std::ofstream(std::filesystem::path(served), std::ios::binary) << package;
    const std::wstring path = Target(L"download-test.bin");
    EXPECT_TRUE(DownloadToFile(HttpBase() + L"/packages/download-test.bin", path));
    EXPECT_EQ(Contents(path), package);
    std::filesystem::remove(served);
}

TEST_F(FileDownloadTest, StalledKnownLengthReplyFailsAndKeepsThePartialFile)
{
    const std::wstring path = Target(L"stalled.bin");
    EXPECT_FALSE(DownloadToFile(HttpBase() + L"/test/stall?length=20000&n=5000", path));
    EXPECT_EQ(Contents(path).size(), 5000u);
    EXPECT_TRUE(IsPattern(Contents(path)));
}

TEST_F(FileDownloadTest, ReplyWithoutLengthMayNotPassTheCap)
{
    const std::wstring exact = Target(L"exact.bin");
    EXPECT_TRUE(DownloadToFile(HttpBase() + L"/test/bytes?mode=close&n=" + std::to_wstring(kOpenLengthCap), exact));
    EXPECT_EQ(std::filesystem::file_size(exact), kOpenLengthCap);
    const std::wstring longer = Target(L"longer.bin");
    EXPECT_FALSE(DownloadToFile(
        HttpBase() + L"/test/bytes?mode=close&n=" + std::to_wstring(kOpenLengthCap + 1), longer));
}

TEST_F(FileDownloadTest, SecondDownloadOverwritesTheFirst)
{
    const std::wstring path = Target(L"same.bin");
    ASSERT_TRUE(DownloadToFile(HttpBase() + L"/test/bytes?n=5000", path));
    ASSERT_TRUE(DownloadToFile(HttpBase() + L"/test/bytes?n=10", path));
    EXPECT_EQ(Contents(path).size(), 10u);
}

TEST_F(FileDownloadTest, PingOpensTheUrlInTheAnsiCodePage)
{
    vendor_server::RequestLog log;
    EXPECT_TRUE(PingUrl(HttpBase() + L"/test/status?x=\u0E01"));
    EXPECT_EQ(log.NewLines(), std::vector<std::string>{"GET /test/status?x=_"});
    EXPECT_FALSE(PingUrl(L"http://127.0.0.1:1/none"));
}
