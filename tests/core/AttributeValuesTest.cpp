#include "AttributeValues.h"

#include <gtest/gtest.h>

#include <climits>

using namespace VXM::attributes;

TEST(AttributeValues, BooleanIsTrueOnlyForExactlyTrue)
{
    EXPECT_TRUE(ParseBool(L"true"));
    for (const wchar_t* other : {L"True", L"TRUE", L"1", L" true", L"true ", L"", L"yes"})
        EXPECT_FALSE(ParseBool(other)) << other;
}

TEST(AttributeValues, NumbersReadAsStrtolWithBadInputAsZero)
{
    EXPECT_EQ(ParseInt(L"42"), 42);
    EXPECT_EQ(ParseInt(L"  -5px"), -5);
    EXPECT_EQ(ParseInt(L"+7"), 7);
    EXPECT_EQ(ParseInt(L"abc"), 0);
    EXPECT_EQ(ParseInt(L"-"), 0);
    EXPECT_EQ(ParseInt(L""), 0);
    EXPECT_EQ(ParseInt(L"99999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseInt(L"-99999999999999999999"), INT_MIN);
}

TEST(AttributeValues, RectangleTakesOneSeparatorAfterEachNumber)
{
    const RECT rect = ParseRect(L"1,2,3,4");
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(rect.top, 2);
    EXPECT_EQ(rect.right, 3);
    EXPECT_EQ(rect.bottom, 4);

    const RECT blanks = ParseRect(L" 10, -20, 30, 40");
    EXPECT_EQ(blanks.top, -20);
    EXPECT_EQ(blanks.bottom, 40);

    // A missing trailing number reads as 0, an unterminated list stops cleanly.
    const RECT shortList = ParseRect(L"5,6");
    EXPECT_EQ(shortList.left, 5);
    EXPECT_EQ(shortList.top, 6);
    EXPECT_EQ(shortList.right, 0);
    EXPECT_EQ(shortList.bottom, 0);

    // Two separators in a row: the second one is where the next number is read, so it is 0.
    const RECT doubled = ParseRect(L"1,,3,4");
    EXPECT_EQ(doubled.left, 1);
    EXPECT_EQ(doubled.top, 0);
}

TEST(AttributeValues, SizeOfTwoNumbers)
{
    const SIZE size = ParseSize(L"1100,824");
    EXPECT_EQ(size.cx, 1100);
    EXPECT_EQ(size.cy, 824);
    EXPECT_EQ(ParseSize(L"").cx, 0);
}

TEST(AttributeValues, ColourIsHexadecimalWithOrWithoutNumberSign)
{
    EXPECT_EQ(ParseColor(L"#ff1196FF"), 0xFF1196FFu);
    EXPECT_EQ(ParseColor(L"FF0D3AFF"), 0xFF0D3AFFu);
    EXPECT_EQ(ParseColor(L"#zzzzzz"), 0u);
    EXPECT_EQ(ParseColor(L"#fffffffff"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseColor(L"  #ff000001"), 0u);
    EXPECT_EQ(ParseColor(L"  #ff000001", true), 0xFF000001u);
}
