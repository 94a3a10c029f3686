#include "VendorServer.h"

#include <DownloadLoop.h>
#include <FileDownload.h>
#include <TestPaths.h>
#include <UrlEscape.h>

#include <gtest/gtest.h>

#include <windows.h>
#include <wininet.h>

#include <filesystem>
#include <fstream>

namespace {

using vendor_server::HttpBase;

// The bytes /test/bytes, /test/cut and /test/stall send: byte i is i % 251.
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

TEST_F(FileDownloadTest, ReplyCutBeforeItsLengthFailsAndKeepsThePartialFile)
{
    const std::wstring path = Target(L"cut.bin");
    EXPECT_FALSE(DownloadToFile(HttpBase() + L"/test/cut?length=20000&n=5000", path));
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

TEST_F(FileDownloadTest, NonAsciiPathIsSentEscapedAsUtf8)
{
    const std::wstring path = Target(L"named.bin");
    ASSERT_TRUE(DownloadToFile(HttpBase() + L"/test/named/运行库 x64/vc_redist.bin", path));
    EXPECT_EQ(Contents(path), "\xE8\xBF\x90\xE8\xA1\x8C\xE5\xBA\x93 x64/vc_redist.bin");
}

TEST_F(FileDownloadTest, DownloadLeavesNoCopyInTheWinInetCache)
{
    const std::wstring url = HttpBase() + L"/test/bytes?n=70000&tag=cache";
    ASSERT_TRUE(DownloadToFile(url, Target(L"cache.bin")));
    DWORD size = 0;
    EXPECT_FALSE(GetUrlCacheEntryInfoW(url.c_str(), nullptr, &size));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(FileDownloadTest, RedirectsAreFollowedUpToTenAndNoFurther)
{
    const std::wstring ten = Target(L"ten.bin");
    ASSERT_TRUE(DownloadToFile(HttpBase() + L"/test/loop?hop=0&until=10", ten));
    EXPECT_EQ(Contents(ten), "arrived after 10 redirects");
    EXPECT_FALSE(DownloadToFile(HttpBase() + L"/test/loop?hop=0&until=11", Target(L"eleven.bin")));
    EXPECT_FALSE(std::filesystem::exists(Target(L"eleven.bin")));

    vendor_server::RequestLog log;
    EXPECT_FALSE(DownloadToFile(HttpBase() + L"/test/loop?hop=0", Target(L"loop.bin")));
    EXPECT_FALSE(PingUrl(HttpBase() + L"/test/loop?hop=0"));
    EXPECT_EQ(log.NewLines().size(), 2u * (kMaxRedirects + 1));
    EXPECT_TRUE(PingUrl(HttpBase() + L"/test/loop?hop=0&until=3"));
}

// Short time-outs, so that a server that holds the connection costs seconds, not minutes.
constexpr InternetTimeouts kShortTimeouts = {1000, 0, 1000, 1000};
constexpr ULONGLONG kMarginMs = 2000;

template <typename Call>
ULONGLONG Duration(Call call)
{
    const ULONGLONG start = GetTickCount64();
    call();
    return GetTickCount64() - start;
}

TEST_F(FileDownloadTest, ServerThatNeverAnswersEndsDownloadAndPingWithinTheirTimeouts)
{
    const std::wstring silent = HttpBase() + L"/test/silent";
    const ULONGLONG limit = kShortTimeouts.OpeningLimitMs() + kMarginMs;
    EXPECT_LT(Duration([&] { EXPECT_FALSE(DownloadToFile(silent, Target(L"silent.bin"), kShortTimeouts)); }), limit);
    EXPECT_FALSE(std::filesystem::exists(Target(L"silent.bin")));
    EXPECT_LT(Duration([&] { EXPECT_FALSE(PingUrl(silent, kShortTimeouts)); }), limit);
}

TEST_F(FileDownloadTest, ConnectionHeldOpenMidBodyEndsWithinTheReceiveTimeout)
{
    const std::wstring path = Target(L"stalled.bin");
    const ULONGLONG took = Duration([&] {
        EXPECT_FALSE(DownloadToFile(HttpBase() + L"/test/stall?length=20000&n=5000", path, kShortTimeouts));
    });
    EXPECT_LT(took, kShortTimeouts.receiveMs + kMarginMs);
    EXPECT_LE(Contents(path).size(), 5000u);
    EXPECT_TRUE(IsPattern(Contents(path)));
    // The abandoned connection does not hold up the next download from the same server.
    EXPECT_TRUE(DownloadToFile(HttpBase() + L"/test/bytes?n=5000", Target(L"next.bin"), kShortTimeouts));
}

TEST_F(FileDownloadTest, SlowButSteadyDownloadOutlastsItsReceiveTimeout)
{
    // 40 KiB every 150 ms: three times as long as the receive time-out, but never silent for it.
    const std::wstring path = Target(L"steady.bin");
    const uint32_t size = 20 * 40960;
    const ULONGLONG took = Duration([&] {
        EXPECT_TRUE(DownloadToFile(HttpBase() + L"/test/trickle?block=40960&interval=0.15&n=" + std::to_wstring(size),
                                   path, kShortTimeouts));
    });
    EXPECT_GT(took, 2 * kShortTimeouts.receiveMs);
    EXPECT_EQ(Contents(path).size(), size);
}

TEST(UrlEscape, PathAndQueryGoOutAsUtf8EscapesHostAndEscapesStay)
{
    EXPECT_EQ(EscapeUrlAsUtf8(L"http://h.test:81/运行库/a b.7z?x=中&y=%41#f"),
              L"http://h.test:81/%E8%BF%90%E8%A1%8C%E5%BA%93/a%20b.7z?x=%E4%B8%AD&y=%41#f");
    EXPECT_EQ(EscapeUrlAsUtf8(L"http://h.test"), L"http://h.test");
    EXPECT_EQ(EscapeUrlAsUtf8(L"http://h.test?q=\u00e9\t"), L"http://h.test?q=%C3%A9%09");
    EXPECT_EQ(EscapeUrlAsUtf8(L"http://h.test/\U0001F600"), L"http://h.test/%F0%9F%98%80");
    EXPECT_EQ(EscapeUrlAsUtf8(L"http://h.test/plain-ASCII_~!$&'()*+,;=:@"), L"http://h.test/plain-ASCII_~!$&'()*+,;=:@");
}

TEST_F(FileDownloadTest, PingOpensTheUrlInTheAnsiCodePage)
{
    vendor_server::RequestLog log;
    EXPECT_TRUE(PingUrl(HttpBase() + L"/test/status?x=\u0E01"));
    EXPECT_EQ(log.NewLines(), std::vector<std::string>{"GET /test/status?x=_"});
    EXPECT_FALSE(PingUrl(L"http://127.0.0.1:1/none"));
}
