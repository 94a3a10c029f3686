#include <RuntimeLibReply.h>

#include <gtest/gtest.h>

namespace {

std::vector<RuntimeLibEntry> Parse(const std::string& text, bool expected)
{
    std::vector<RuntimeLibEntry> list;
    EXPECT_EQ(ParseRuntimeLibReply(text, list), expected) << text;
    return list;
}

const std::string kDigest = "0123456789abcdefABCDEF0123456789abcdef0123456789abcdef0123456789";

}  // namespace

TEST(RuntimeLibReply, KeepsOrderAndDefaultsMissingKeys)
{
    const auto list = Parse(R"({"code":200,"data":{"runtimelib":[
        {"name":"VC++ 2015 x86 运行库","type":3,"url":"http://h/a/vc_x86.7z"},
        {"name":"no type","url":"http://h/b.msi"},
        {"type":7},
        {"name":5,"type":"3","url":null},
        42
    ]}})", true);
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0].name, L"VC++ 2015 x86 运行库");
    EXPECT_EQ(list[0].type, 3);
    EXPECT_EQ(list[0].url, L"http://h/a/vc_x86.7z");
    EXPECT_EQ(list[1].type, 0);
    EXPECT_EQ(list[1].url, L"http://h/b.msi");
    EXPECT_EQ(list[2].name, L"");
    EXPECT_EQ(list[2].type, 7);
    EXPECT_EQ(list[3].name, L"");  // wrong types count as missing
    EXPECT_EQ(list[3].type, 0);
    EXPECT_EQ(list[4].url, L"");
}

TEST(RuntimeLibReply, AnythingButACode200ReplyWithAnArrayLeavesTheListAlone)
{
    EXPECT_TRUE(Parse(R"({"code":200,"data":{"runtimelib":[]}})", true).empty());
    const std::string full = R"("data":{"runtimelib":[{"name":"a","type":1,"url":"u"}]}})";
    for (const std::string& text :
         {"{\"code\":500," + full, "{\"code\":\"200\"," + full, "{" + full, std::string("{\"code\":200}"),
          std::string(R"({"code":200,"data":[]})"), std::string(R"({"code":200,"data":{"runtimelib":{}}})"),
          std::string("[1,2]"), std::string("{\"code\":200,"), std::string("not json"), std::string(),
          std::string(5000, '[') + std::string(5000, ']')})
        Parse(text, false);

    std::vector<RuntimeLibEntry> list(1);
    EXPECT_FALSE(ParseRuntimeLibReply("{\"code\":500," + full, list));
    EXPECT_EQ(list.size(), 1u);
    EXPECT_TRUE(ParseRuntimeLibReply("{\"code\":200," + full, list));
    EXPECT_EQ(list.size(), 2u) << "entries are appended";
}

TEST(RuntimeLibReply, ReadsTheDigestOnlyWhenItIsSixtyFourHexDigits)
{
    const auto list = Parse(R"({"code":200,"data":{"runtimelib":[
        {"name":"a","sha256":")" + kDigest + R"("},
        {"name":"b","sha256":")" + kDigest.substr(1) + R"("},
        {"name":"c","sha256":")" + kDigest.substr(1) + R"(g"},
        {"name":"d","sha256":64},
        {"name":"e"}
    ]}})", true);
    ASSERT_EQ(list.size(), 5u);
    std::string lower = kDigest;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return static_cast<char>(tolower(c)); });
    EXPECT_EQ(list[0].sha256, lower);
    for (size_t i = 1; i < list.size(); ++i)
        EXPECT_EQ(list[i].sha256, "") << i;
}
