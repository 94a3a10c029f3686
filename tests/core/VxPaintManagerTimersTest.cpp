#include <gtest/gtest.h>

#include <map>

#include "CoreTestSupport.h"
#include "VxPaintManager.h"

using namespace VXM;

namespace {

struct TimersFixture : ::testing::Test {
    void SetUp() override
    {
        manager.Init(window.Get());
        window.onTimer = [this](UINT_PTR id) {
            ++ticks[id];
            manager.GetAnimationManager().OnTimer(id);
        };
    }
    int TotalTicks() const
    {
        int total = 0;
        for (const auto& [id, count] : ticks)
            total += count;
        return total;
    }

    TestWindow window;
    VxPaintManager manager;
    std::map<UINT_PTR, int> ticks;
};

}  // namespace

TEST(VxPaintManagerTimers, NoWindowNoTimer)
{
    VxPaintManager manager;
    VxControl control;
    EXPECT_EQ(manager.SetTimer(10), -1);
    EXPECT_FALSE(manager.SetTimer(&control, 1, 10));
    EXPECT_FALSE(manager.KillTimer(&control, 1));
}

TEST_F(TimersFixture, LocalIdsCycleThroughZeroTo254)
{
    for (int i = 0; i < 600; ++i) {
        const int id = manager.SetTimer(100000);
        ASSERT_EQ(id, i % 255) << i;
        EXPECT_TRUE(manager.KillTimer(static_cast<UINT>(id)));
    }
    EXPECT_FALSE(manager.KillTimer(UINT{3})) << "not running";
}

TEST_F(TimersFixture, AnIdStillInUseIsPassedOver)
{
    VxControl control;
    const int held = manager.SetTimer(100000);
    ASSERT_TRUE(manager.SetTimer(&control, 1, 100000));  // takes id 1
    int last = held;
    for (int i = 0; i < 254; ++i) {
        last = manager.SetTimer(100000);
        ASSERT_NE(last, held);
        ASSERT_NE(last, 1);
        manager.KillTimer(static_cast<UINT>(last));
    }
    EXPECT_EQ(last, 2) << "after 254, the cycle went round skipping 0 and 1";

    std::vector<int> all;
    for (int id; (id = manager.SetTimer(100000)) >= 0;)
        all.push_back(id);
    EXPECT_EQ(all.size(), 253u) << "every id in use: the next one fails";
}

TEST_F(TimersFixture, ControlTimersRearmByKeyAndDieWithTheControl)
{
    auto* control = new VxControl();
    ASSERT_TRUE(manager.SetTimer(control, 7, 10));
    ASSERT_TRUE(manager.SetTimer(control, 7, 15)) << "re-armed, not added";
    ASSERT_TRUE(manager.SetTimer(control, 8, 10));
    EXPECT_TRUE(manager.KillTimer(control, 7));
    EXPECT_FALSE(manager.KillTimer(control, 7)) << "one record per key";
    ASSERT_TRUE(manager.SetTimer(control, 9, 10));
    PumpMessages(100);
    EXPECT_GE(ticks.size(), 2u) << "both keys tick on their own ids";

    control->SetManager(&manager);
    delete control;
    PumpMessages(50);
    ticks.clear();
    PumpMessages(100);
    EXPECT_EQ(TotalTicks(), 0) << "no timer outlives its control";
}

TEST_F(TimersFixture, KeyAllStopsEveryTimerOfTheControl)
{
    VxControl control, other;
    manager.SetTimer(&control, 1, 10);
    manager.SetTimer(&control, 2, 10);
    manager.SetTimer(&other, 1, 10);
    EXPECT_TRUE(manager.KillTimer(&control, kTimerKeyAll));
    EXPECT_FALSE(manager.KillTimer(&control, 2));
    EXPECT_TRUE(manager.KillTimer(&other, 1));
    manager.SetTimer(&other, 1, 10);
    manager.RemoveAllTimers();
    EXPECT_FALSE(manager.KillTimer(&other, 1));
}

TEST_F(TimersFixture, TextRollRunsOnlyWhileTheMouseIsOverTheControl)
{
    VxControl control;
    control.SetManager(&manager);
    control.SetPos(RECT{0, 0, 50, 20});
    control.ApplyAttributeList(L"flags=\"enterrolltext\" text=\"a long text that does not fit\"");
    VxEventUI enter = MakeEvent(kEventMouseEnter, POINT{5, 5}, nullptr);
    control.Event(enter);
    ASSERT_TRUE(manager.GetAnimationManager().Has(&control, kAnimationTextRoll));
    control.Event(enter);
    PumpMessages(300);
    int offset = 0;
    EXPECT_TRUE(control.GetImageAttribute().GetTextRoll(offset));
    EXPECT_GT(offset, 2) << "several ticks moved the text";
    EXPECT_EQ(ticks.size(), 1u) << "one timer, however often the mouse entered";

    VxEventUI leave = MakeEvent(kEventMouseLeave, POINT{500, 5}, nullptr);
    control.Event(leave);
    EXPECT_FALSE(manager.GetAnimationManager().Has(&control, kAnimationTextRoll));
    control.GetImageAttribute().GetTextRoll(offset);
    EXPECT_EQ(offset, 0) << "the text goes back to its place";
    PumpMessages(50);
    ticks.clear();
    PumpMessages(150);
    EXPECT_EQ(TotalTicks(), 0) << "no timer runs while nothing rolls";
}

TEST_F(TimersFixture, TextRollNeedsTheFlagAWindowAndAnEnabledControl)
{
    VxControl plain, disabled;
    for (VxControl* c : {&plain, &disabled}) {
        c->SetManager(&manager);
        c->SetPos(RECT{0, 0, 50, 20});
    }
    disabled.SetAttribute(L"flags", L"enterrolltext");
    disabled.SetEnabled(false);
    VxEventUI enter = MakeEvent(kEventMouseEnter, POINT{5, 5}, nullptr);
    plain.Event(enter);
    disabled.Event(enter);
    EXPECT_FALSE(manager.GetAnimationManager().Has(&plain, kAnimationTextRoll));
    EXPECT_FALSE(manager.GetAnimationManager().Has(&disabled, kAnimationTextRoll));

    VxPaintManager windowless;
    VxControl rolling;
    rolling.SetManager(&windowless);
    rolling.SetAttribute(L"flags", L"enterrolltext");
    rolling.Event(enter);
    EXPECT_FALSE(windowless.GetAnimationManager().Has(&rolling, kAnimationTextRoll));
    EXPECT_FALSE(manager.GetAnimationManager().Add(&plain, kAnimationEnd)) << "only the text roll is known";
}

TEST_F(TimersFixture, ADestroyedControlLeavesNoAnimation)
{
    auto* control = new VxControl();
    control->SetManager(&manager);
    control->SetPos(RECT{0, 0, 50, 20});
    control->SetAttribute(L"flags", L"enterrolltext");
    VxEventUI enter = MakeEvent(kEventMouseEnter, POINT{5, 5}, nullptr);
    control->Event(enter);
    delete control;
    PumpMessages(50);
    ticks.clear();
    PumpMessages(150);
    EXPECT_EQ(TotalTicks(), 0);
}
