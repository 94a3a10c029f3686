#include <gtest/gtest.h>

#include "CoreTestSupport.h"
#include "VxPaintManager.h"

using namespace VXM;

namespace {

constexpr POINT kInside = {20, 20};
constexpr POINT kOutside = {500, 500};

// A control at (10, 10, 50, 40) of a manager whose notifications are logged.
struct EventsFixture : ::testing::Test {
    void SetUp() override
    {
        manager.AddNotifier(&log);
        Place(control);
    }
    void Place(VxControl& c)
    {
        c.SetManager(&manager);
        c.SetPos(RECT{10, 10, 50, 40});
    }

    VxPaintManager manager;
    NotifyLog log;
    VxControl control;
};

}  // namespace

TEST_F(EventsFixture, ButtonUpInsideClicksOnce)
{
    control.SetAttribute(L"notify", L"click");
    VxEventUI down = MakeEvent(kEventLButtonDown, kInside, &control);
    control.Event(down);
    EXPECT_EQ(control.GetMouseState(), UINT{kStateCaptured | kStatePushed});
    VxEventUI up = MakeEvent(kEventLButtonUp, kInside, &control);
    control.Event(up);
    EXPECT_EQ(control.GetMouseState(), 0u);
    ASSERT_EQ(log.Count(kNotifyClick), 1);
    EXPECT_EQ(log.entries.back().sender, &control);
}

TEST_F(EventsFixture, ButtonUpOutsideClearsPushedWithoutAClick)
{
    control.SetAttribute(L"notify", L"click lbuttonup");
    VxEventUI down = MakeEvent(kEventLButtonDown, kInside, &control);
    control.Event(down);
    VxEventUI away = MakeEvent(kEventMouseMove, kOutside, &control);
    control.Event(away);
    EXPECT_EQ(control.GetMouseState(), UINT{kStateCaptured}) << "pushed follows the pointer while captured";
    VxEventUI back = MakeEvent(kEventMouseMove, kInside, &control);
    control.Event(back);
    EXPECT_EQ(control.GetMouseState(), UINT{kStateCaptured | kStatePushed});
    control.Event(away);
    VxEventUI up = MakeEvent(kEventLButtonUp, kOutside, &control);
    control.Event(up);
    EXPECT_EQ(control.GetMouseState(), 0u);
    EXPECT_EQ(log.Count(kNotifyClick), 0);
    EXPECT_EQ(log.Count(kNotifyLButtonUp), 1);
}

TEST_F(EventsFixture, NotificationsNeedTheirNotifyBit)
{
    VxEventUI enter = MakeEvent(kEventMouseEnter, kInside, nullptr);
    control.Event(enter);
    VxEventUI down = MakeEvent(kEventLButtonDown, kInside, &control);
    control.Event(down);
    VxEventUI up = MakeEvent(kEventLButtonUp, kInside, &control);
    control.Event(up);
    EXPECT_TRUE(log.entries.empty());
    EXPECT_EQ(control.GetMouseState(), UINT{kStateHot}) << "the state changes all the same";
}

TEST_F(EventsFixture, DisabledControlsIgnoreThePointerButStillHover)
{
    control.SetAttribute(L"notify", L"mouseenter lbuttondown mousehover click");
    control.SetEnabled(false);
    for (UINT type : {kEventMouseEnter, kEventLButtonDown, kEventLButtonUp}) {
        VxEventUI event = MakeEvent(type, kInside, &control);
        control.Event(event);
    }
    EXPECT_EQ(control.GetMouseState(), 0u);
    EXPECT_TRUE(log.entries.empty());
    VxEventUI hover = MakeEvent(kEventMouseHover, kInside, &control);
    control.Event(hover);
    EXPECT_EQ(log.Count(kNotifyMouseHover), 1);
    EXPECT_FALSE(control.Activate(hover));
}

TEST_F(EventsFixture, EnteringAChildIsNotALeaveOfItsParent)
{
    VxControl parent;
    Place(parent);
    parent.SetPos(RECT{0, 0, 100, 100});
    parent.SetAttribute(L"notify", L"mouseleave mouseenter");
    control.SetParent(&parent);
    control.SetAttribute(L"dispatch", L"mouseleave");

    // The pointer moves from the parent onto its child.
    VxEventUI leaveParent = MakeEvent(kEventMouseLeave, kInside, &control);
    parent.Event(leaveParent);
    EXPECT_EQ(log.Count(kNotifyMouseLeave), 0);

    // Then out of the child and out of the parent: the child forwards its leave.
    VxEventUI leaveChild = MakeEvent(kEventMouseLeave, kOutside, nullptr);
    control.Event(leaveChild);
    ASSERT_EQ(log.Count(kNotifyMouseLeave), 1);
    EXPECT_EQ(log.entries.back().sender, &parent);
    EXPECT_EQ(leaveChild.dispatcher, &control);
}

TEST_F(EventsFixture, ForwardingFollowsTheDispatchBitsAndMarksTheFirstDispatcher)
{
    VxControl grandParent, parent;
    Place(grandParent);
    Place(parent);
    grandParent.SetAttribute(L"notify", L"lbuttondown rbuttondown");
    parent.SetParent(&grandParent);
    parent.SetAttribute(L"dispatch", L"lbuttondown");
    control.SetParent(&parent);
    control.SetAttribute(L"dispatch", L"lbuttondown");

    VxEventUI down = MakeEvent(kEventLButtonDown, kInside, &control);
    control.Event(down);
    EXPECT_EQ(down.dispatcher, &control) << "the first forwarder, not the last";
    ASSERT_EQ(log.Count(kNotifyLButtonDown), 1);
    EXPECT_EQ(log.entries.back().sender, &grandParent);
    EXPECT_EQ(grandParent.GetMouseState() & kStatePushed, UINT{kStatePushed});

    VxEventUI right = MakeEvent(kEventRButtonDown, kInside, &control);
    control.Event(right);
    EXPECT_EQ(log.Count(kNotifyRButtonDown), 0) << "no dispatch bit, no forwarding";
}

TEST_F(EventsFixture, AForwardedButtonUpDoesNotClickTheParent)
{
    VxControl parent;
    Place(parent);
    parent.SetAttribute(L"notify", L"click");
    control.SetParent(&parent);
    control.SetAttribute(L"dispatch", L"lbuttondown lbuttonup");
    control.SetAttribute(L"notify", L"click");
    VxEventUI down = MakeEvent(kEventLButtonDown, kInside, &control);
    control.Event(down);
    VxEventUI up = MakeEvent(kEventLButtonUp, kInside, &control);
    control.Event(up);
    ASSERT_EQ(log.Count(kNotifyClick), 1);
    EXPECT_EQ(log.entries.back().sender, &control);
    EXPECT_EQ(parent.GetMouseState(), 0u) << "the parent's capture ends with the forwarded button-up";
}

TEST_F(EventsFixture, ActivateForwardsFirstAndThenNotifies)
{
    VxControl parent;
    Place(parent);
    parent.SetAttribute(L"notify", L"click");
    control.SetParent(&parent);
    control.SetAttribute(L"dispatch", L"activate");
    control.SetAttribute(L"notify", L"click");
    VxEventUI event = MakeEvent(kEventKeyDown, kInside, &control);
    EXPECT_TRUE(control.Activate(event));
    ASSERT_EQ(log.entries.size(), 2u);
    EXPECT_EQ(log.entries[0].sender, &parent);
    EXPECT_EQ(log.entries[1].sender, &control);

    control.SetVisible(false);
    EXPECT_FALSE(control.Activate(event));
    EXPECT_EQ(log.entries.size(), 2u);
}

TEST_F(EventsFixture, SpaceAndReturnActivateOnlyWhenAsked)
{
    control.SetAttribute(L"notify", L"click");
    VxEventUI space = MakeEvent(kEventKeyDown, kInside, &control);
    space.key = VK_SPACE;
    control.Event(space);
    EXPECT_EQ(log.Count(kNotifyClick), 0);
    control.SetAttribute(L"spacereturn", L"true");
    control.Event(space);
    EXPECT_EQ(log.Count(kNotifyClick), 1);

    VxControl other;
    Place(other);
    other.SetAttribute(L"notify", L"click");
    manager.SetControlSpaceReturn(true);
    VxEventUI enter = MakeEvent(kEventKeyDown, kInside, &other);
    enter.key = VK_RETURN;
    other.Event(enter);
    EXPECT_EQ(log.Count(kNotifyClick), 2);
    enter.key = 'A';
    other.Event(enter);
    EXPECT_EQ(log.Count(kNotifyClick), 2);
}

TEST_F(EventsFixture, FocusEventsSetTheFlagAndNotify)
{
    control.SetAttribute(L"notify", L"setfocus killfocus");
    VxEventUI set = MakeEvent(kEventSetFocus, kInside, &control);
    control.Event(set);
    EXPECT_TRUE(control.IsFocused());
    VxEventUI kill = MakeEvent(kEventKillFocus, kInside, &control);
    control.Event(kill);
    EXPECT_FALSE(control.IsFocused());
    ASSERT_EQ(log.entries.size(), 2u);
    EXPECT_EQ(log.entries[0].type, UINT{kNotifySetFocus});
    EXPECT_EQ(log.entries[1].type, UINT{kNotifyKillFocus});
}

TEST_F(EventsFixture, ContextMenuNotifiesOnlyInsideAndEnabled)
{
    control.SetAttribute(L"notify", L"contextmenu");
    VxEventUI outside = MakeEvent(kEventContextMenu, kOutside, &control);
    control.Event(outside);
    EXPECT_EQ(log.Count(kNotifyContextMenu), 0);
    VxEventUI inside = MakeEvent(kEventContextMenu, kInside, &control);
    control.Event(inside);
    EXPECT_EQ(log.Count(kNotifyContextMenu), 1);
}

TEST_F(EventsFixture, UnknownEventTypesAreIgnored)
{
    control.SetAttribute(L"notify", L"click");
    for (UINT type : {0u, 19u, 20u, 1000u}) {
        VxEventUI event = MakeEvent(type, kInside, &control);
        control.Event(event);
    }
    EXPECT_TRUE(log.entries.empty());
    EXPECT_EQ(control.GetMouseState(), 0u);
}

TEST_F(EventsFixture, AnimationEndSendsItsNotification)
{
    control.OnAnimationEnd(kAnimationTextRoll);
    EXPECT_TRUE(log.entries.empty());
    control.OnAnimationEnd(kAnimationEnd);
    ASSERT_EQ(log.Count(kNotifyAnimationEnd), 1);
    EXPECT_EQ(log.entries.back().sender, &control);
}
