#include "ScanProgress.h"

#include <gtest/gtest.h>

namespace {

int TickAfter(int timerTicks)
{
    int tick = 0;
    for (int i = 0; i < timerTicks; ++i)
        tick = scan::NextTick(tick);
    return tick;
}

struct TickCase {
    int timerTicks;
    int tick;
    const wchar_t* percent;
    int barValue;
};

TEST(ScanProgress, TickTextsAndBarFollowElapsedTicksAndHoldAt999)
{
    const TickCase cases[] = {
        {0, 0, L"0.0", 0},
        {1, 1, L"0.1", 0},
        {998, 998, L"99.8", 99},
        {999, 999, L"99.9", 99},
        {1200, 999, L"99.9", 99},
    };
    for (const TickCase& c : cases) {
        SCOPED_TRACE(c.timerTicks);
        int tick = TickAfter(c.timerTicks);
        EXPECT_EQ(tick, c.tick);
        EXPECT_EQ(scan::ScanStatusText(tick), std::wstring(L"异常扫描中（ ") + c.percent + L" % ）");
        EXPECT_EQ(scan::ScanProgressText(tick), std::wstring(L"扫描中（ ") + c.percent + L" % ）");
        EXPECT_EQ(scan::ProgressBarValue(tick, 0, 100), c.barValue);
    }
}

TEST(ScanProgress, PercentIsTheTickOverTenInSinglePrecision)
{
    EXPECT_EQ(scan::TickPercent(0), 0.0f);
    EXPECT_EQ(scan::TickPercent(15), 1.5f);
    EXPECT_EQ(scan::TickPercent(999), static_cast<float>(99.9));
    // 0.05 steps round like the page: 2.5 shows with one decimal.
    EXPECT_EQ(scan::ScanProgressText(25), L"扫描中（ 2.5 % ）");
}

TEST(ScanProgress, BarValueIsHeldInsideTheBarRange)
{
    EXPECT_EQ(scan::ProgressBarValue(999, 0, 50), 50);
    EXPECT_EQ(scan::ProgressBarValue(999, 0, 99), 99);
    EXPECT_EQ(scan::ProgressBarValue(5, 10, 100), 10);
    EXPECT_EQ(scan::ProgressBarValue(-30, 0, 100), 0);
    EXPECT_EQ(scan::ProgressBarValue(500, 100, 0), 100);
}

TEST(ScanProgress, TicksOutsideTheRangeComeBackToIt)
{
    EXPECT_EQ(scan::NextTick(5000), 999);
    EXPECT_EQ(scan::NextTick(-1), 0);
}

}  // namespace
