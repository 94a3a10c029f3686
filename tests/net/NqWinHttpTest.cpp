#include "VendorServer.h"

#include <BodyDecoder.h>
#include <NqWinHttp.h>

#include <gtest/gtest.h>

#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <thread>

namespace {

using vendor_server::HttpBase;
using vendor_server::RequestLog;

class RecordingListener : public NqWinHttpListener {
public:
    std::wstring OnFinished(NqWinHttp&, bool failed, HANDLE) override
    {
        finished.push_back(failed);
        return std::exchange(followUp, std::wstring());
    }
    void OnProgress(NqWinHttp& client, int percent, double speed) override
    {
        percents.push_back(percent);
        speeds.push_back({speed, client.Response().body.size(), GetTickCount64()});
        SetEvent(progressed.Get());
    }

    struct Speed {
        double reported = 0.0;  // KiB/s
        size_t received = 0;
        ULONGLONG at = 0;
    };

    std::wstring followUp;
    std::vector<bool> finished;
    std::vector<int> percents;
    std::vector<Speed> speeds;
    KernelHandle progressed{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

// Milliseconds the call took.
template <typename Call>
ULONGLONG Duration(Call call)
{
    const ULONGLONG start = GetTickCount64();
    call();
    return GetTickCount64() - start;
}

constexpr ULONGLONG kMarginMs = 2000;

class NqWinHttpTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(vendor_server::Running()) << "vendor server not started"; }

    bool Get(const std::wstring& path) { return client.Request(client.StopEvent(), HttpBase() + path, L""); }
    std::string Body() { return client.BodyAsNarrowString(); }

    NqWinHttp client;
};

// The header names of an echoed request, in the order the server received them.
std::vector<std::string> EchoedHeaderNames(const std::string& echo)
{
    std::vector<std::string> names;
    size_t start = echo.find("\r\n") + 2;
    for (size_t end; (end = echo.find("\r\n", start)) != std::string::npos && end > start;
         start = end + 2)
        names.push_back(echo.substr(start, echo.find(':', start) - start));
    return names;
}

}  // namespace

TEST_F(NqWinHttpTest, NonOkStatusFailsWithAnEmptyBody)
{
    EXPECT_FALSE(Get(L"/test/status?code=404"));
    EXPECT_EQ(client.Response().statusCode, 404);
    EXPECT_TRUE(client.Response().body.empty());
    EXPECT_EQ(client.StatusText(), L"已停止");
    EXPECT_EQ(Body(), "");
}

TEST_F(NqWinHttpTest, RedirectIsStoredWhenOffAndFollowedWhenOn)
{
    client.Settings().followRedirects = false;
    EXPECT_FALSE(Get(L"/test/redirect?to=/test/status%3Fcode%3D200"));
    EXPECT_EQ(client.Response().statusCode, 302);
    EXPECT_EQ(client.Response().location, L"/test/status?code=200");

    RequestLog log;
    client.Settings().followRedirects = true;
    EXPECT_TRUE(Get(L"/test/redirect?to=/test/status%3Fcode%3D200"));
    EXPECT_EQ(Body(), "status 200");
    EXPECT_EQ(log.NewLines().back(), "GET /test/status?code=200");
}

TEST_F(NqWinHttpTest, BodyIsDecodedOnlyAsContentEncodingSays)
{
    const std::string expected = [] {
        std::string text;
        for (int i = 0; i < 40; ++i)
            text += "hello-";
        return text;
    }();
    ASSERT_TRUE(Get(L"/test/encoded?encoding=gzip&text=hello-&repeat=40"));
    EXPECT_EQ(client.Response().contentEncoding, L"gzip");
    EXPECT_EQ(Body(), expected);
    EXPECT_EQ(Body(), expected) << "decoding twice must not change the body";

    ASSERT_TRUE(Get(L"/test/encoded?encoding=raw&text=hello-&repeat=40"));
    EXPECT_EQ(Body(), expected);

    ASSERT_TRUE(Get(L"/test/encoded?encoding=gzip&header=&text=hello-&repeat=40"));
    ASSERT_GE(client.Response().body.size(), 2u);
    EXPECT_EQ(client.Response().body[0], 0x1F);
    EXPECT_EQ(client.Response().body[1], 0x8B);

    ASSERT_TRUE(Get(L"/test/encoded?encoding=none&header=gzip&text=not%20compressed"));
    EXPECT_EQ(Body(), "not compressed");
}

TEST_F(NqWinHttpTest, AtSignTurnsAGetIntoAPostOfTheTextAfterIt)
{
    RequestLog log;
    ASSERT_TRUE(Get(L"/test/echo@a=1"));
    EXPECT_EQ(log.NewLines(), std::vector<std::string>{"POST /test/echo"});
    const std::string echo = Body();
    EXPECT_TRUE(echo.ends_with("\r\n\r\na=1")) << echo;
    EXPECT_NE(echo.find("Content-Type: application/x-www-form-urlencoded"), std::string::npos);

    // The body goes out in the ANSI code page (936 here).
    ASSERT_TRUE(client.Request(client.StopEvent(), HttpBase() + L"/test/echo", L"q=中"));
    EXPECT_TRUE(Body().ends_with("\r\n\r\nq=\xD6\xD0"));
}

TEST_F(NqWinHttpTest, SendsCookiesFromEarlierRepliesAndFromTheSystem)
{
    ASSERT_TRUE(Get(L"/test/cookie?set=sid%3D42%3B%20Path%3D%2F&set=lang%3Dzh"));
    EXPECT_EQ(client.Response().setCookie, L"sid=42; Path=/\nlang=zh");
    ASSERT_TRUE(Get(L"/test/echo"));
    EXPECT_NE(Body().find("Cookie: sid=42; Path=/; lang=zh"), std::string::npos) << Body();

    const std::wstring site = HttpBase() + L"/";
    ASSERT_TRUE(InternetSetCookieW(site.c_str(), L"system", L"yes"));
    NqWinHttp fresh;
    ASSERT_TRUE(fresh.Request(fresh.StopEvent(), HttpBase() + L"/test/echo", L""));
    EXPECT_NE(fresh.BodyAsNarrowString().find("Cookie: system=yes"), std::string::npos);
    InternetSetCookieW(site.c_str(), L"system", L"gone; expires=Thu, 01-Jan-1970 00:00:00 GMT");
}

TEST_F(NqWinHttpTest, StopFromAnotherThreadEndsTheCallWithoutListenerOrRetry)
{
    RecordingListener listener;
    client.SetListener(&listener);
    client.SetRetryLimit(3);
    std::thread stopper([&] {
        WaitForSingleObject(listener.progressed.Get(), 30000);
        client.Stop();
    });
    RequestLog log;
    EXPECT_FALSE(Get(L"/test/trickle?n=300&interval=0.05"));
    stopper.join();
    EXPECT_FALSE(listener.percents.empty());
    EXPECT_TRUE(listener.finished.empty());
    EXPECT_EQ(client.RetryCount(), 0);
    EXPECT_EQ(client.StatusText(), L"已停止");
    EXPECT_LT(client.Response().body.size(), 300u);

    // The stop event stays set: the next call stops before it reaches the server.
    EXPECT_FALSE(Get(L"/test/status?code=200"));
    EXPECT_EQ(log.NewLines().size(), 1u);
}

TEST_F(NqWinHttpTest, FailedAttemptsAreRetriedUpToTheLimit)
{
    RecordingListener listener;
    client.SetListener(&listener);
    client.SetRetryLimit(2);
    RequestLog log;
    EXPECT_FALSE(Get(L"/test/status?code=500"));
    EXPECT_EQ(client.RetryCount(), 2);
    EXPECT_EQ(log.NewLines().size(), 3u);
    EXPECT_EQ(listener.finished, std::vector<bool>{true});
}

TEST_F(NqWinHttpTest, ListenerSeesProgressAndItsFollowUpUrlIsRequested)
{
    RecordingListener listener;
    listener.followUp = HttpBase() + L"/test/status?code=200";
    client.SetListener(&listener);
    RequestLog log;
    EXPECT_TRUE(Get(L"/test/bytes?n=200000"));
    EXPECT_EQ(log.NewLines(), (std::vector<std::string>{"GET /test/bytes?n=200000",
                                                         "GET /test/status?code=200"}));
    EXPECT_EQ(listener.finished, (std::vector<bool>{false, false}));
    ASSERT_FALSE(listener.percents.empty());
    EXPECT_TRUE(std::is_sorted(listener.percents.begin(), listener.percents.end()));
    EXPECT_EQ(Body(), "status 200");
}

TEST_F(NqWinHttpTest, ReportedSpeedIsTheBodysKibibytesPerSecondSoFar)
{
    RecordingListener listener;
    client.SetListener(&listener);
    // 40 pieces of 2 KiB, one every 50 ms: about 40 KiB/s.
    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(Get(L"/test/trickle?n=81920&block=2048&interval=0.05"));
    ASSERT_GE(listener.speeds.size(), 10u);
    const RecordingListener::Speed& first = listener.speeds.front();
    for (size_t i = listener.speeds.size() / 2; i < listener.speeds.size(); ++i) {
        const RecordingListener::Speed& now = listener.speeds[i];
        SCOPED_TRACE(i);
        // The client's clock starts after the headers, so before the first piece and after this
        // call began: the speed lies between the two rates these moments give.
        const double slowest = now.received / ((now.at - start) / 1000.0) / 1024.0;
        const double fastest = (now.received - first.received) / ((now.at - first.at) / 1000.0) / 1024.0;
        EXPECT_GE(now.reported, slowest * 0.9);
        EXPECT_LE(now.reported, std::max(fastest, slowest) * 1.5);
        EXPECT_GT(now.reported, 5.0);
        EXPECT_LT(now.reported, 400.0);
    }
}

TEST_F(NqWinHttpTest, ProgressReachesAHundredPercentForAKnownLength)
{
    RecordingListener listener;
    client.SetListener(&listener);
    ASSERT_TRUE(Get(L"/test/bytes?n=100000"));
    EXPECT_EQ(client.Response().contentLength, 100000u);
    EXPECT_EQ(client.Response().body.size(), 100000u);
    ASSERT_FALSE(listener.percents.empty());
    EXPECT_EQ(listener.percents.back(), 100);
}

TEST_F(NqWinHttpTest, HttpsWithASelfSignedCertificateSucceeds)
{
    ASSERT_TRUE(client.Request(client.StopEvent(), vendor_server::HttpsBase() + L"/test/echo", L""));
    EXPECT_TRUE(Body().starts_with("GET /test/echo HTTP/1.1"));
}

TEST_F(NqWinHttpTest, HeadersArriveInTheirOrderAndExtraHeadersLastOneCall)
{
    client.Settings().referer = L"http://ref.test/";
    client.Settings().authorization = L"Basic eA==";
    client.Settings().extraHeaders = L"X-Once: 1";
    client.Cookies().Store(L"c=1");
    ASSERT_TRUE(client.Request(client.StopEvent(), HttpBase() + L"/test/echo", L"q=1"));
    const std::vector<std::string> names = EchoedHeaderNames(Body());
    const std::vector<std::string> order = {
        "Content-Type",    "Cookie",        "Accept", "Referer", "Accept-Encoding",
        "Connection",      "Accept-Language", "Authorization", "Host", "X-Once"};
    auto previous = names.begin();
    for (const std::string& name : order) {
        const auto found = std::find(previous, names.end(), name);
        ASSERT_NE(found, names.end()) << name << " missing or out of order";
        previous = found;
    }
    EXPECT_TRUE(client.Settings().extraHeaders.empty());
    ASSERT_TRUE(Get(L"/test/echo"));
    EXPECT_EQ(Body().find("X-Once"), std::string::npos);
}

TEST_F(NqWinHttpTest, ReceiveTimeoutEndsAStalledBody)
{
    client.Settings().receiveTimeoutMs = 500;
    EXPECT_LT(Duration([&] { EXPECT_FALSE(Get(L"/test/trickle?n=3&interval=3")); }), 500 + kMarginMs);
    EXPECT_EQ(client.Response().statusCode, 200);
}

class HostileServerTest : public NqWinHttpTest {
protected:
    void SetUp() override
    {
        NqWinHttpTest::SetUp();
        HttpRequestSettings& settings = client.Settings();
        settings.connectTimeoutMs = 1000;
        settings.sendTimeoutMs = 1000;
        settings.receiveTimeoutMs = 1000;
        settings.overallTimeoutMs = 3000;
    }
    ULONGLONG TimeoutsMs() const { return 1000 + 1000 + 1000; }
};

TEST_F(HostileServerTest, ServerThatNeverAnswersEndsTheCallWithinItsTimeouts)
{
    EXPECT_LT(Duration([&] { EXPECT_FALSE(Get(L"/test/silent")); }), TimeoutsMs() + kMarginMs);
    EXPECT_EQ(client.StatusText(), L"已停止");
}

TEST_F(HostileServerTest, BodyThatTricklesOnIsCutAtTheOverallTimeout)
{
    // Every byte comes within the receive time-out, so only the overall limit can end it.
    const ULONGLONG took = Duration([&] { EXPECT_FALSE(Get(L"/test/trickle?n=40&interval=0.25")); });
    EXPECT_GE(took, 3000u);
    EXPECT_LT(took, 3000u + 1000u + kMarginMs);
    EXPECT_LT(client.Response().body.size(), 40u);
}

TEST_F(HostileServerTest, RetriesAndFollowUpsStopAtTheOverallTimeout)
{
    RecordingListener listener;
    client.SetListener(&listener);
    client.SetRetryLimit(1000);
    listener.followUp = HttpBase() + L"/test/silent";
    EXPECT_LT(Duration([&] { EXPECT_FALSE(Get(L"/test/silent")); }), 3000u + 1000u + kMarginMs);
    EXPECT_LT(client.RetryCount(), 1000);
}

TEST_F(HostileServerTest, ReplyCutBeforeItsLengthFails)
{
    EXPECT_FALSE(Get(L"/test/cut?length=20000&n=5000"));
    EXPECT_EQ(client.Response().statusCode, 200);
    EXPECT_EQ(client.Response().contentLength, 20000u);
    EXPECT_EQ(client.StatusText(), L"已停止");
    EXPECT_TRUE(Get(L"/test/cut?length=5000&n=5000")) << "a reply that keeps its word is whole";
    EXPECT_EQ(client.Response().body.size(), 5000u);
}

TEST_F(HostileServerTest, HugeAndEndlessBodiesFailAtTheCap)
{
    client.Settings().overallTimeoutMs = 60000;
    for (const wchar_t* path : {L"/test/bytes?n=314572800", L"/test/endless", L"/test/endless?mode=chunked"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(path)));
        EXPECT_FALSE(Get(path));
        EXPECT_LE(client.Response().body.size(), kMaxReplyBody);
    }
    EXPECT_TRUE(Get(L"/test/bytes?n=" + std::to_wstring(kMaxReplyBody)));
    EXPECT_EQ(client.Response().body.size(), kMaxReplyBody);
}

TEST_F(HostileServerTest, RedirectLoopEndsAfterTenRedirects)
{
    RequestLog log;
    EXPECT_FALSE(Get(L"/test/loop?hop=0"));
    EXPECT_EQ(log.NewLines().size(), 11u);
    EXPECT_TRUE(Get(L"/test/loop?hop=0&until=10"));
    EXPECT_EQ(Body(), "arrived after 10 redirects");
}

TEST_F(HostileServerTest, GzipBombIsReturnedAsReceived)
{
    ASSERT_TRUE(Get(L"/test/gzipbomb"));
    const size_t received = client.Response().body.size();
    ASSERT_LT(received, size_t{2} << 20);
    // Inflated it would be a gibibyte of zero bytes, so an empty text.
    EXPECT_EQ(Body(), "\x1F\x8B\x08");
    EXPECT_EQ(client.Response().body.size(), received);
}

namespace {

// Points the current user's proxy setting at the vendor server while it lives, in the binary
// form WinHTTP reads; the previous setting comes back afterwards.
class ScopedUserProxy {
public:
    explicit ScopedUserProxy(const std::string& proxy)
    {
        RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key_.Receive(),
                        nullptr);
        DWORD size = 0;
        had_ = RegQueryValueExW(key_.Get(), kValue, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS;
        previous_.resize(size);
        if (had_)
            RegQueryValueExW(key_.Get(), kValue, nullptr, nullptr, previous_.data(), &size);
        const DWORD header[] = {0x46, 0, kProxyTypeProxy, static_cast<DWORD>(proxy.size())};
        std::vector<BYTE> settings(reinterpret_cast<const BYTE*>(header),
                                   reinterpret_cast<const BYTE*>(header) + sizeof(header));
        settings.insert(settings.end(), proxy.begin(), proxy.end());
        settings.resize(settings.size() + 2 * sizeof(DWORD));  // empty bypass list and script
        Write(settings);
    }
    ~ScopedUserProxy()
    {
        if (had_)
            Write(previous_);
        else
            RegDeleteValueW(key_.Get(), kValue);
    }
    ScopedUserProxy(const ScopedUserProxy&) = delete;
    ScopedUserProxy& operator=(const ScopedUserProxy&) = delete;

private:
    static constexpr wchar_t kKey[] =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";
    static constexpr wchar_t kValue[] = L"DefaultConnectionSettings";
    static constexpr DWORD kProxyTypeProxy = 2;

    void Write(const std::vector<BYTE>& bytes)
    {
        RegSetValueExW(key_.Get(), kValue, 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
    }

    RegistryKey key_;
    bool had_ = false;
    std::vector<BYTE> previous_;
};

}  // namespace

TEST_F(NqWinHttpTest, UserProxySettingRoutesTheRequestThroughTheProxy)
{
    const std::wstring base = HttpBase();
    ScopedUserProxy proxy(std::string(base.begin() + 7, base.end()));
    RequestLog log;
    EXPECT_TRUE(client.Request(client.StopEvent(), L"http://zentarium-proxy-test.invalid/test/status?code=200", L""));
    // A request through a proxy names the whole address; WinHTTP writes the port into it.
    EXPECT_EQ(log.NewLines(),
              std::vector<std::string>{"GET http://zentarium-proxy-test.invalid:80/test/status?code=200"});
}
