#include "VxScrollbar.h"

#include <gtest/gtest.h>

#include <climits>

#include "ScrollbarTestEvents.h"
#include "VxPaintManager.h"

namespace {

using namespace VXM;
using namespace scrollbar_events;

// A vertical bar at (0, 0) 16 x 200 without owner: buttons 0..16 and 184..200, thumb 112 long.
class ScrollbarWithoutOwner : public testing::Test {
protected:
    void SetUp() override { bar_.SetPos(RECT{0, 0, 16, 200}); }

    VxScrollbar bar_;
};

TEST(Scrollbar, NewBarIsVerticalSixteenWideWithItsDefaults)
{
    VxScrollbar bar;
    EXPECT_EQ(bar.GetClass(), UINT{kClassScrollbar});
    EXPECT_EQ(bar.GetInterface(kClassScrollbar), &bar);
    EXPECT_EQ(bar.GetInterface(kClassControl), &bar);
    EXPECT_EQ(bar.GetInterface(kClassContainer), nullptr);
    EXPECT_FALSE(bar.IsHorizontal());
    EXPECT_EQ(bar.GetFixedWidth(), 16);
    EXPECT_EQ(bar.GetFixedHeight(), 0);
    EXPECT_EQ(bar.GetScrollRange(), 100);
    EXPECT_EQ(bar.GetScrollPos(), 0);
    EXPECT_EQ(bar.GetLineSize(), 8);
    EXPECT_TRUE(bar.GetShowButton1());
    EXPECT_TRUE(bar.GetShowButton2());
    EXPECT_EQ(bar.GetOwner(), nullptr);
}

TEST(Scrollbar, SwitchingOrientationMovesTheThicknessOnlyWhenTheOtherSizeIsUnset)
{
    VxScrollbar bar;
    bar.SetHorizontal(true);
    EXPECT_EQ(bar.GetFixedWidth(), 0);
    EXPECT_EQ(bar.GetFixedHeight(), 16);
    bar.SetHorizontal(false);
    EXPECT_EQ(bar.GetFixedWidth(), 16);
    EXPECT_EQ(bar.GetFixedHeight(), 0);

    // A vertical bar whose skin set a height keeps both sizes when it turns horizontal.
    bar.SetFixedHeight(40);
    bar.SetHorizontal(true);
    EXPECT_EQ(bar.GetFixedWidth(), 16);
    EXPECT_EQ(bar.GetFixedHeight(), 40);
}

TEST_F(ScrollbarWithoutOwner, LayoutPlacesButtonsAndThumb)
{
    EXPECT_EQ(bar_.GetButton1Rect().bottom, 16);
    EXPECT_EQ(bar_.GetButton2Rect().top, 184);
    EXPECT_EQ(bar_.GetThumbRect().top, 16);
    EXPECT_EQ(bar_.GetThumbRect().bottom, 128);

    bar_.SetScrollPos(100);
    EXPECT_EQ(bar_.GetThumbRect().bottom, 184) << "a new position lays out again";

    bar_.SetScrollRange(0);
    EXPECT_EQ(bar_.GetScrollPos(), 0);
    const RECT thumb = bar_.GetThumbRect();
    EXPECT_TRUE(IsRectEmpty(&thumb));

    bar_.SetScrollRange(100);
    bar_.SetShowButton1(false);
    EXPECT_EQ(bar_.GetThumbRect().top, 0);
    bar_.SetInset(RECT{0, 10, 0, 0});
    EXPECT_EQ(bar_.GetThumbRect().top, 10);
}

TEST_F(ScrollbarWithoutOwner, RangeAndPositionAreClamped)
{
    bar_.SetScrollRange(-5);
    EXPECT_EQ(bar_.GetScrollRange(), 0);
    bar_.SetScrollRange(50);
    bar_.SetScrollPos(80);
    EXPECT_EQ(bar_.GetScrollPos(), 50);
    bar_.SetScrollPos(-3);
    EXPECT_EQ(bar_.GetScrollPos(), 0);
    bar_.SetScrollPos(40);
    bar_.SetScrollRange(30);
    EXPECT_EQ(bar_.GetScrollPos(), 30) << "a smaller range lowers the position";
    bar_.SetScrollRange(INT_MAX);
    bar_.SetScrollPos(INT_MAX);
    EXPECT_EQ(bar_.GetScrollPos(), INT_MAX);
    EXPECT_EQ(bar_.GetThumbRect().bottom, 184);
}

TEST_F(ScrollbarWithoutOwner, ArrowsStepByTheLineSizeAndTrackByTheBarLength)
{
    bar_.SetScrollRange(1000);
    bar_.SetScrollPos(20);
    Press(bar_, 8, 8);
    EXPECT_EQ(bar_.GetScrollPos(), 12);
    EXPECT_TRUE(bar_.GetButton1State() & kStatePushed);
    Release(bar_, 8, 8);
    EXPECT_FALSE(bar_.GetButton1State() & kStatePushed);

    Press(bar_, 8, 190);
    EXPECT_EQ(bar_.GetScrollPos(), 20);
    EXPECT_TRUE(bar_.GetButton2State() & kStatePushed);
    Release(bar_, 8, 190);

    // Track after the thumb: one page is the bar's own height.
    const LONG afterThumb = bar_.GetThumbRect().bottom + 2;
    Press(bar_, 8, afterThumb);
    Release(bar_, 8, afterThumb);
    EXPECT_EQ(bar_.GetScrollPos(), 220);
    const LONG beforeThumb = bar_.GetThumbRect().top - 2;
    Press(bar_, 8, beforeThumb);
    Release(bar_, 8, beforeThumb);
    EXPECT_EQ(bar_.GetScrollPos(), 20);

    // A quick second click arrives as a double-click and still steps.
    Press(bar_, 8, 190);
    Release(bar_, 8, 190);
    Send(bar_, kEventLButtonDblClk, 8, 190);
    Release(bar_, 8, 190);
    EXPECT_EQ(bar_.GetScrollPos(), 36);

    bar_.SetLineSize(INT_MAX);
    Press(bar_, 8, 190);
    EXPECT_EQ(bar_.GetScrollPos(), 1000) << "a huge step saturates and clamps";
}

TEST_F(ScrollbarWithoutOwner, HeldArrowRepeatsFromTheSixthTickUntilReleased)
{
    bar_.SetScrollRange(1000);
    Press(bar_, 8, 190);
    EXPECT_EQ(bar_.GetScrollPos(), 8);
    Tick(bar_, 5);
    EXPECT_EQ(bar_.GetScrollPos(), 8) << "no repeat during the first five ticks";
    Tick(bar_);
    EXPECT_EQ(bar_.GetScrollPos(), 16);
    Tick(bar_);
    EXPECT_EQ(bar_.GetScrollPos(), 24);
    Release(bar_, 8, 190);
    Tick(bar_, 10);
    EXPECT_EQ(bar_.GetScrollPos(), 24) << "release stops at once";

    // A new press counts again from zero.
    Press(bar_, 8, 8);
    EXPECT_EQ(bar_.GetScrollPos(), 16);
    Tick(bar_, 5);
    EXPECT_EQ(bar_.GetScrollPos(), 16);
    Tick(bar_);
    EXPECT_EQ(bar_.GetScrollPos(), 8);
    Release(bar_, 8, 8);
}

TEST_F(ScrollbarWithoutOwner, OtherTimersDoNotStepTheBar)
{
    bar_.SetScrollRange(1000);
    Press(bar_, 8, 190);
    Tick(bar_, 5);
    Tick(bar_, 3, 11);
    EXPECT_EQ(bar_.GetScrollPos(), 8);
    Tick(bar_);
    EXPECT_EQ(bar_.GetScrollPos(), 16) << "foreign ticks do not count towards the delay either";
    Release(bar_, 8, 190);
}

TEST_F(ScrollbarWithoutOwner, DraggedThumbMovesOnTheTimerByTheFullRangeOverTheFreeTravel)
{
    Press(bar_, 8, 30);
    EXPECT_EQ(bar_.GetThumbState() & (kStatePushed | kStateCaptured), UINT{kStatePushed | kStateCaptured});
    Move(bar_, 8, 30 + 56);
    EXPECT_EQ(bar_.GetScrollPos(), 0) << "the move only computes the offset";
    Tick(bar_);
    EXPECT_EQ(bar_.GetScrollPos(), 100);
    EXPECT_EQ(bar_.GetThumbRect().bottom, 184);

    Move(bar_, 8, 30 + 28);
    Tick(bar_);
    EXPECT_EQ(bar_.GetScrollPos(), 50);
    Move(bar_, 8, -5000);
    Tick(bar_);
    EXPECT_EQ(bar_.GetScrollPos(), 0);
    Move(bar_, 20, 30 + 14);  // sideways movement does not matter
    Tick(bar_);
    EXPECT_EQ(bar_.GetScrollPos(), 25);

    Release(bar_, 8, 44);
    EXPECT_EQ(bar_.GetThumbState() & (kStatePushed | kStateCaptured), 0u);
    Move(bar_, 8, 150);
    Tick(bar_, 8);
    EXPECT_EQ(bar_.GetScrollPos(), 25) << "no drag after release";
}

TEST_F(ScrollbarWithoutOwner, ThumbWithoutFreeTravelIgnoresTheDrag)
{
    bar_.SetFixedHeight(300);  // a thumb longer than the gap between the buttons
    bar_.SetPos(RECT{0, 0, 16, 200});
    const RECT thumb = bar_.GetThumbRect();
    ASSERT_FALSE(IsRectEmpty(&thumb));
    Press(bar_, 8, 100);
    ASSERT_TRUE(bar_.GetThumbState() & kStateCaptured);
    Move(bar_, 8, 150);
    Tick(bar_);
    EXPECT_EQ(bar_.GetScrollPos(), 0);
    Release(bar_, 8, 150);
}

TEST_F(ScrollbarWithoutOwner, HotBitsFollowTheMouse)
{
    Send(bar_, kEventMouseEnter, 8, 8);
    EXPECT_TRUE(bar_.GetButton1State() & kStateHot);
    EXPECT_TRUE(bar_.GetButton2State() & kStateHot);
    EXPECT_FALSE(bar_.GetThumbState() & kStateHot);

    Move(bar_, 8, 60);
    EXPECT_TRUE(bar_.GetThumbState() & kStateHot);
    Move(bar_, 8, 150);
    EXPECT_FALSE(bar_.GetThumbState() & kStateHot);

    Move(bar_, 8, 60);
    Send(bar_, kEventMouseLeave, 100, 100);
    EXPECT_FALSE(bar_.GetButton1State() & kStateHot);
    EXPECT_FALSE(bar_.GetButton2State() & kStateHot);
    EXPECT_FALSE(bar_.GetThumbState() & kStateHot);

    Send(bar_, kEventMouseEnter, 8, 60);
    EXPECT_TRUE(bar_.GetThumbState() & kStateHot) << "entering over the thumb";
}

TEST_F(ScrollbarWithoutOwner, DisablingClearsTheElementStatesAndIgnoresInput)
{
    Press(bar_, 8, 30);
    Send(bar_, kEventMouseEnter, 8, 30);
    ASSERT_NE(bar_.GetThumbState(), 0u);
    ASSERT_NE(bar_.GetButton1State(), 0u);

    bar_.SetEnabled(false);
    EXPECT_EQ(bar_.GetButton1State(), 0u);
    EXPECT_EQ(bar_.GetButton2State(), 0u);
    EXPECT_EQ(bar_.GetThumbState(), 0u);

    Press(bar_, 8, 190);
    Tick(bar_, 10);
    EXPECT_EQ(bar_.GetScrollPos(), 0);
    Send(bar_, kEventMouseEnter, 8, 30);
    Move(bar_, 8, 60);
    EXPECT_EQ(bar_.GetButton1State(), 0u);
    EXPECT_EQ(bar_.GetThumbState(), 0u);
}

TEST(Scrollbar, AttributesOfTheBarAndTheRestToTheBase)
{
    VxScrollbar bar;
    bar.ApplyAttributeList(L"hor=\"true\" linesize=\"30\" range=\"500\" value=\"120\" showbutton1=\"false\" "
                           L"showbutton2=\"True\" inset=\"1,2,3,4\" name=\"bar\"");
    EXPECT_TRUE(bar.IsHorizontal());
    EXPECT_EQ(bar.GetFixedHeight(), 16);
    EXPECT_EQ(bar.GetLineSize(), 30);
    EXPECT_EQ(bar.GetScrollRange(), 500);
    EXPECT_EQ(bar.GetScrollPos(), 120);
    EXPECT_FALSE(bar.GetShowButton1());
    EXPECT_FALSE(bar.GetShowButton2()) << "only exactly \"true\" shows";
    EXPECT_EQ(bar.GetName(), L"bar");

    bar.SetPos(RECT{0, 0, 200, 20});
    EXPECT_EQ(bar.GetButton1Rect().left, 1) << "inset left";
    EXPECT_EQ(bar.GetButton1Rect().top, 2) << "inset top";
    EXPECT_EQ(bar.GetButton2Rect().right, 197) << "inset right";

    bar.SetAttribute(L"range", L"-5");
    EXPECT_EQ(bar.GetScrollRange(), 0);
    bar.SetAttribute(L"range", L"10");
    bar.SetAttribute(L"value", L"abc");
    EXPECT_EQ(bar.GetScrollPos(), 0);
    bar.SetAttribute(L"hor", L"false");
    EXPECT_FALSE(bar.IsHorizontal());
}

TEST(Scrollbar, TwentyImageAttributesFillTheirOwnSlots)
{
    VxScrollbar bar;
    const wchar_t* elements[] = {L"button1", L"button2", L"thumb", L"rail", L"bk"};
    const wchar_t* states[] = {L"normal", L"hot", L"pushed", L"disabled"};
    for (const wchar_t* element : elements) {
        for (const wchar_t* state : states)
            bar.SetAttribute(std::wstring(element) + state + L"image", std::wstring(element) + L"-" + state);
    }
    EXPECT_EQ(bar.GetButton1NormalImage(), L"button1-normal");
    EXPECT_EQ(bar.GetButton1DisabledImage(), L"button1-disabled");
    EXPECT_EQ(bar.GetButton2HotImage(), L"button2-hot");
    EXPECT_EQ(bar.GetButton2PushedImage(), L"button2-pushed");
    EXPECT_EQ(bar.GetThumbNormalImage(), L"thumb-normal");
    EXPECT_EQ(bar.GetThumbPushedImage(), L"thumb-pushed");
    EXPECT_EQ(bar.GetRailHotImage(), L"rail-hot");
    EXPECT_EQ(bar.GetRailDisabledImage(), L"rail-disabled");
    EXPECT_EQ(bar.GetBkNormalImage(), L"bk-normal");
    EXPECT_EQ(bar.GetBkDisabledImage(), L"bk-disabled");
    EXPECT_TRUE(bar.GetNormalBkImage().empty()) << "the bar's background is not the control's";

    bar.SetThumbHotImage(L"other");
    EXPECT_EQ(bar.GetThumbHotImage(), L"other");
}

// A bar without owner in a manager with a real window. The window's WM_TIMER stands in for the
// manager's dispatch of control timers: each tick of the window timer is delivered as key 10.
class ScrollbarInWindow : public testing::Test {
protected:
    void SetUp() override
    {
        manager_.Init(window_.Get());
        bar_.SetManager(&manager_);
        bar_.SetPos(RECT{0, 0, 16, 200});
        bar_.SetScrollRange(1000);
        window_.onTimer = [this](UINT_PTR) {
            ++windowTicks_;
            Tick(bar_);
        };
    }

    void PumpUntilPosition(int position)
    {
        for (int i = 0; i < 60 && bar_.GetScrollPos() < position; ++i)
            PumpMessages(50);
    }

    // Puts the screen cursor over a client point of the window.
    static void PlaceCursor(HWND window, POINT client)
    {
        ClientToScreen(window, &client);
        SetCursorPos(client.x, client.y);
        POINT actual = {};
        GetCursorPos(&actual);
        ASSERT_EQ(actual.x, client.x);
        ASSERT_EQ(actual.y, client.y);
    }

    TestWindow window_;
    VxPaintManager manager_;
    VxScrollbar bar_;
    int windowTicks_ = 0;
};

TEST_F(ScrollbarInWindow, RepeatTimerRunsFromPressToRelease)
{
    Press(bar_, 8, 190);
    EXPECT_EQ(bar_.GetScrollPos(), 8);
    PumpUntilPosition(24);
    EXPECT_GE(bar_.GetScrollPos(), 24);
    EXPECT_GE(windowTicks_, 7) << "the line repeats from the sixth tick";

    Release(bar_, 8, 190);
    const int released = bar_.GetScrollPos();
    windowTicks_ = 0;
    PumpMessages(250);
    EXPECT_EQ(windowTicks_, 0) << "release stops the timer";
    EXPECT_EQ(bar_.GetScrollPos(), released);
}

TEST_F(ScrollbarInWindow, DisablingStopsTheTimer)
{
    Press(bar_, 8, 190);
    PumpMessages(120);
    ASSERT_GT(windowTicks_, 0);
    bar_.SetEnabled(false);
    windowTicks_ = 0;
    PumpMessages(250);
    EXPECT_EQ(windowTicks_, 0);
}

TEST_F(ScrollbarInWindow, HeldTrackPagesTowardsTheCursorUntilTheThumbReachesIt)
{
    window_.onTimer = nullptr;  // ticks are driven by hand here
    ASSERT_NO_FATAL_FAILURE(PlaceCursor(window_.Get(), POINT{8, 150}));
    // Thumb 28 long; each page of 200 moves it by 28.
    Press(bar_, 8, 150);
    EXPECT_EQ(bar_.GetScrollPos(), 200);
    Tick(bar_, 5);
    EXPECT_EQ(bar_.GetScrollPos(), 200);
    Tick(bar_);
    EXPECT_EQ(bar_.GetScrollPos(), 400);
    Tick(bar_, 2);
    EXPECT_EQ(bar_.GetScrollPos(), 800);
    ASSERT_TRUE(PtInRect(&bar_.GetThumbRect(), POINT{8, 150})) << bar_.GetThumbRect().top;
    Tick(bar_, 3);
    EXPECT_EQ(bar_.GetScrollPos(), 800) << "the thumb reached the cursor";

    // The cursor now before the thumb: a press that paged down does not page back up.
    ASSERT_NO_FATAL_FAILURE(PlaceCursor(window_.Get(), POINT{8, 20}));
    Tick(bar_, 3);
    EXPECT_EQ(bar_.GetScrollPos(), 800);
    Release(bar_, 8, 20);

    Press(bar_, 8, 20);
    EXPECT_EQ(bar_.GetScrollPos(), 600);
    Tick(bar_, 6);
    EXPECT_EQ(bar_.GetScrollPos(), 400) << "a press before the thumb repeats upwards";
    Release(bar_, 8, 20);
}

}  // namespace
