#include <RequestHeaders.h>

#include <gtest/gtest.h>

TEST(RequestHeaders, DefaultGetSendsTheFixedLinesInOrder)
{
    const std::vector<std::wstring> expected = {
        L"Cookie: ",
        L"Accept:text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8",
        L"Accept-Encoding:gzip,deflate",
        L"Connection:Keep-Alive",
        L"Accept-Language:zh-cn",
        L"Host: example.test",
    };
    EXPECT_EQ(BuildRequestHeaders(HttpRequestSettings(), false, L"", L"example.test"), expected);
}

TEST(RequestHeaders, PostWithEverySettingSendsAllLinesInOrder)
{
    HttpRequestSettings settings;
    settings.referer = L"http://ref.test/";
    settings.authorization = L"Basic eA==";
    settings.extraHeaders = L"X-One: 1\r\nX-Two: 2";
    settings.formBoundary = L"b0undary";
    const std::vector<std::wstring> expected = {
        L"Content-Type: multipart/form-data; boundary=b0undary",
        L"Cookie: a=1; b=2",
        L"Accept:text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8",
        L"Referer:http://ref.test/",
        L"Accept-Encoding:gzip,deflate",
        L"Connection:Keep-Alive",
        L"Accept-Language:zh-cn",
        L"Authorization:Basic eA==",
        L"Host: h.test",
        L"X-One: 1\r\nX-Two: 2",
    };
    EXPECT_EQ(BuildRequestHeaders(settings, true, L"a=1; b=2", L"h.test"), expected);

    settings.formBoundary.clear();
    settings.accept.clear();
    settings.connection.clear();
    const std::vector<std::wstring> lines = BuildRequestHeaders(settings, true, L"", L"h.test");
    EXPECT_EQ(lines.front(), L"Content-Type: application/x-www-form-urlencoded");
    for (const std::wstring& line : lines) {
        EXPECT_FALSE(line.starts_with(L"Accept:"));
        EXPECT_FALSE(line.starts_with(L"Connection:"));
    }
}
