#include "NumberText.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace VXM;

TEST(NumberText, ReadsLikeTheCLibraryWithoutRunningPastTheView)
{
    size_t used = 0;
    EXPECT_EQ(ParseInt(L"  -12abc", &used), -12);
    EXPECT_EQ(used, 5u);
    EXPECT_EQ(ParseInt(L"abc", &used), 0);
    EXPECT_EQ(used, 0u);
    EXPECT_EQ(ParseInt(L"99999999999"), INT32_MAX);
    EXPECT_EQ(ParseInt(L"-99999999999"), INT32_MIN);
    // A view ending inside "123" must not see the digits after it.
    EXPECT_EQ(ParseInt(std::wstring_view(L"12345").substr(0, 3)), 123);

    EXPECT_EQ(ParseHex(L"ff00"), 0xFF00u);
    EXPECT_EQ(ParseHex(L"0x1A"), 0x1Au);
    EXPECT_EQ(ParseHex(L"123456789"), UINT32_MAX);
    EXPECT_EQ(ParseColor(L"#FFFF00FF"), 0xFFFF00FFu);
    EXPECT_EQ(ParseColor(L"80112233"), 0x80112233u);
    EXPECT_DOUBLE_EQ(ParseReal(L"-12.5deg"), -12.5);
}

TEST(NumberText, ListNumbersStartOneCharacterAfterThePreviousOne)
{
    int32_t values[4] = {9, 9, 9, 9};
    ParseIntList(L"8,8,32,32", values, 4);
    EXPECT_EQ((std::vector<int32_t>(values, values + 4)), (std::vector<int32_t>{8, 8, 32, 32}));
    ParseIntList(L"1,,3, 4", values, 4);
    EXPECT_EQ((std::vector<int32_t>(values, values + 4)), (std::vector<int32_t>{1, 0, 3, 4}));
    ParseIntList(L"7", values, 4);
    EXPECT_EQ((std::vector<int32_t>(values, values + 4)), (std::vector<int32_t>{7, 0, 0, 0}));
}

}  // namespace
