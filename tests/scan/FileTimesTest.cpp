#include "FileTimes.h"

#include <gtest/gtest.h>

namespace {

constexpr uint64_t kSecond = scan::kFileTimeTicksPerSecond;
constexpr uint64_t k1970 = 116444736000000000ull;

TEST(FileTimes, ConvertsBetweenFileTimeAndUnixSeconds)
{
    EXPECT_EQ(scan::FileTimeToUnixSeconds(k1970), 0);
    EXPECT_EQ(scan::FileTimeToUnixSeconds(0), -11644473600ll);
    EXPECT_EQ(scan::FileTimeToUnixSeconds(k1970 + 1700000000 * kSecond + kSecond - 1), 1700000000);
    EXPECT_EQ(scan::UnixSecondsToFileTime(1700000000), k1970 + 1700000000 * kSecond);
    EXPECT_EQ(scan::FileTimeValue(scan::ToFileTime(0x0123456789ABCDEFull)), 0x0123456789ABCDEFull);
}

TEST(FileTimes, OnlyFilesWrittenAfterTheRepairSecondCount)
{
    const uint32_t repair = 1700000000;
    const uint64_t atRepair = scan::UnixSecondsToFileTime(repair);
    EXPECT_FALSE(scan::WrittenAfterRepair(atRepair, repair));
    EXPECT_FALSE(scan::WrittenAfterRepair(atRepair + kSecond - 1, repair));
    EXPECT_TRUE(scan::WrittenAfterRepair(atRepair + kSecond, repair));
    EXPECT_FALSE(scan::WrittenAfterRepair(atRepair - kSecond, repair));
    EXPECT_FALSE(scan::WrittenAfterRepair(k1970 - kSecond, 0));
    EXPECT_FALSE(scan::WrittenAfterRepair(0, 0));
    EXPECT_FALSE(scan::WrittenAfterRepair(k1970, 0));
    EXPECT_TRUE(scan::WrittenAfterRepair(k1970 + kSecond, 0));
    // Past 2106 the seconds no longer fit 32 bits and always count.
    EXPECT_TRUE(scan::WrittenAfterRepair(k1970 + 0x100000000ull * kSecond, 0xFFFFFFFFu));
    EXPECT_FALSE(scan::WrittenAfterRepair(k1970 + 0xFFFFFFFFull * kSecond, 0xFFFFFFFFu));
}

}  // namespace
