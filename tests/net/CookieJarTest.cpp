#include <CookieJar.h>

#include <gtest/gtest.h>

TEST(CookieJar, ParsesPiecesWithTheDomainOfTheirText)
{
    const std::vector<Cookie> cookies =
        ParseCookieText(L"sid=a=b; \t\r\nlang=zh;Domain=.Example.com; flag;;  ");
    ASSERT_EQ(cookies.size(), 3u);
    EXPECT_EQ(cookies[0].name, L"sid");
    EXPECT_EQ(cookies[0].value, L"a=b");
    EXPECT_EQ(cookies[1].name, L"lang");
    EXPECT_EQ(cookies[2].name, L"flag");
    EXPECT_EQ(cookies[2].value, L"");
    for (const Cookie& cookie : cookies)
        EXPECT_EQ(cookie.domain, L".Example.com");
    EXPECT_TRUE(ParseCookieText(L"").empty());
    EXPECT_TRUE(ParseCookieText(L" ; ;").empty());
}

TEST(CookieJar, LaterCookieOfTheSameNameAndDomainReplacesTheEarlier)
{
    CookieJar jar;
    jar.Store(L"a=1; b=2");
    jar.Store(L"a=3");
    jar.Store(L"a=4; domain=other.test");
    ASSERT_EQ(jar.Cookies().size(), 3u);
    EXPECT_EQ(jar.HeaderValueFor(L"host.test"), L"a=3; b=2");
}

TEST(CookieJar, SendsCookiesWhoseDomainContainsOrIsContainedInTheHost)
{
    CookieJar jar;
    jar.Store(L"any=1");
    jar.Store(L"wide=2; domain=.EXAMPLE.com");
    jar.Store(L"narrow=3; domain=www.example.com.cn");
    jar.Store(L"other=4; domain=elsewhere.test");
    EXPECT_EQ(jar.HeaderValueFor(L"www.Example.com"), L"any=1; wide=2; narrow=3");
    EXPECT_EQ(jar.HeaderValueFor(L"127.0.0.1"), L"any=1");
    jar.Clear();
    EXPECT_EQ(jar.HeaderValueFor(L"www.example.com"), L"");
}
