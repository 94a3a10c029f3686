#include <gtest/gtest.h>

#include "CoreTestSupport.h"
#include "VxPaintManager.h"

using namespace VXM;

TEST(VxControl, OnlyAChangeAsksForLayout)
{
    VxPaintManager manager;
    VxControl parent, child;
    parent.SetManager(&manager);
    child.SetManager(&manager);
    child.SetParent(&parent);
    child.SetVisible(true);
    child.SetFixedWidth(0);
    child.SetFloat(false);
    child.SetPadding(RECT{});
    child.SetMaxWidth(-5);
    child.SetFixedXY(SIZE{});
    EXPECT_FALSE(manager.IsUpdateNeeded());
    EXPECT_FALSE(parent.IsUpdateNeeded());

    child.SetFixedWidth(10);
    EXPECT_TRUE(manager.IsUpdateNeeded());
    EXPECT_TRUE(parent.IsUpdateNeeded()) << "the parent lays its children out";
    EXPECT_FALSE(child.IsUpdateNeeded());

    parent.SetMinHeight(3);
    EXPECT_TRUE(parent.IsUpdateNeeded()) << "without a parent, the control itself";
    parent.SetPos(RECT{0, 0, 5, 5});
    EXPECT_FALSE(parent.IsUpdateNeeded()) << "placing it is the update";
}

TEST(VxControl, SetPosNeverStoresAnInvertedRectangle)
{
    VxControl control;
    control.SetPos(RECT{50, 40, 10, 10});
    EXPECT_EQ(control.GetPos().right, 50);
    EXPECT_EQ(control.GetPos().bottom, 40);
    EXPECT_EQ(control.GetWidth(), 0);
    control.SetPos(RECT{-2147483647 - 1, 0, 2147483647, 1});
    EXPECT_EQ(control.GetWidth(), 2147483647) << "saturates instead of wrapping";
}

TEST(VxControl, HidingDropsFocusAndDisablingDropsTheState)
{
    VxControl control;
    VxEventUI focus = MakeEvent(kEventSetFocus, POINT{}, &control);
    control.Event(focus);
    control.SetMouseState(kStateHot | kStatePushed | kStateSelected);
    control.SetEnabled(false);
    EXPECT_EQ(control.GetMouseState(), 0u);
    control.SetVisible(false);
    EXPECT_FALSE(control.IsFocused());

    control.SetVisible(true);
    control.SetInsetVisible(false);
    EXPECT_FALSE(control.IsVisible()) << "a hidden ancestor hides it too";
}

TEST(VxControl, FindControlHonoursItsFlags)
{
    VxControl control;
    control.SetPos(RECT{10, 10, 50, 40});
    control.SetCut(RECT{5, 0, 0, 0});
    auto self = [](VxControl* c, void*) { return c; };
    POINT inside = {20, 20}, inCut = {12, 20};
    EXPECT_EQ(control.FindControl(self, &inside, kFindHitTest), &control);
    EXPECT_EQ(control.FindControl(self, &inCut, kFindHitTest), nullptr) << "the cut is excluded";
    EXPECT_EQ(control.FindControl(self, &inCut, 0), &control);
    EXPECT_EQ(control.FindControl(self, nullptr, kFindHitTest), nullptr);
    control.SetEnabled(false);
    EXPECT_EQ(control.FindControl(self, &inside, kFindEnabled), nullptr);
    EXPECT_EQ(control.FindControl(self, &inside, kFindVisible), &control);
    control.SetVisible(false);
    EXPECT_EQ(control.FindControl(self, &inside, kFindVisible), nullptr);
}

TEST(VxControl, InvalidateRepaintsTheHighestAncestorWhoseLayoutIsPending)
{
    TestWindow window;
    ShowWindow(window.Get(), SW_SHOWNOACTIVATE);
    VxPaintManager manager;
    manager.Init(window.Get());
    VxControl parent, child;
    for (VxControl* c : {&parent, &child})
        c->SetManager(&manager);
    child.SetParent(&parent);
    parent.SetPos(RECT{10, 10, 100, 100});
    child.SetPos(RECT{20, 20, 30, 30});
    PumpMessages(50);
    ValidateRect(window.Get(), nullptr);

    RECT update = {};
    child.Invalidate();
    ASSERT_TRUE(GetUpdateRect(window.Get(), &update, FALSE));
    EXPECT_TRUE(EqualRect(&update, &child.GetPos()));

    ValidateRect(window.Get(), nullptr);
    parent.NeedUpdate();
    child.Invalidate();
    ASSERT_TRUE(GetUpdateRect(window.Get(), &update, FALSE));
    EXPECT_TRUE(EqualRect(&update, &parent.GetPos())) << "the child will move; its parent repaints";
}
