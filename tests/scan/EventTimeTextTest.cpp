#include "EventTimeText.h"

#include <gtest/gtest.h>

#include <ctime>
#include <cwchar>

namespace {

TEST(EventTimeText, FormatsDateAndTimeWithTheTrailingLineFeed)
{
    SYSTEMTIME time = {};
    time.wYear = 2024;
    time.wMonth = 3;
    time.wDay = 5;
    time.wHour = 4;
    time.wMinute = 7;
    time.wSecond = 9;
    EXPECT_EQ(scan::EventTimeText(time), L"2024-03-05 04:07:09\n");
}

TEST(EventTimeText, LocalTextAgreesWithTheRuntimeLibrarysLocalTime)
{
    for (uint32_t seconds : {0u, 951782400u, 1700000000u, 2147483647u, 4000000000u}) {
        SCOPED_TRACE(seconds);
        __time64_t value = seconds;
        std::tm local = {};
        ASSERT_EQ(_localtime64_s(&local, &value), 0);
        wchar_t expected[64] = {};
        std::wcsftime(expected, 64, L"%Y-%m-%d %H:%M:%S\n", &local);
        EXPECT_EQ(scan::LocalEventTimeText(seconds), expected);
    }
}

}  // namespace
