#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "TreeWindow.h"
#include "VxLoadResource.h"

using namespace VXM;
using namespace gui_test;

namespace {

class PaintManagerFocus : public ::testing::Test {
protected:
    void SetUp() override { VxLoadResource::Instance().SetResourceInstance(GetModuleHandleW(nullptr)); }
    void TearDown() override
    {
        SetShift(false);
        PumpMessages();
    }

    // Posted key messages do not change the thread's key state, so Shift is set by hand.
    static void SetShift(bool down)
    {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }

    static void PressTab(TreeWindow& window)
    {
        PostMessageW(window.GetHWND(), WM_KEYDOWN, VK_TAB, 0);
        PumpMessages();
    }
};

// Three Tab stops in a row with a plain control and a nested container between them.
struct TabTree {
    ProbeControl* first = nullptr;
    ProbeControl* plain = nullptr;
    ProbeControl* second = nullptr;
    ProbeControl* third = nullptr;

    void Build(VxContainer& root)
    {
        first = AddFloating(root, {0, 0, 50, 20}, L"flags=\"tabstop\"");
        plain = AddFloating(root, {60, 0, 110, 20});
        auto* group = AddFloating<VxContainer>(root, {0, 30, 400, 100});
        second = AddFloating(*group, {0, 0, 50, 20}, L"flags=\"tabstop\"");
        third = AddFloating(root, {0, 200, 50, 220}, L"flags=\"tabstop\"");
    }
};

}  // namespace

TEST_F(PaintManagerFocus, FirstPaintFocusesTheFirstTabStop)
{
    TabTree tree;
    TreeWindow window([&](VxContainer& root) { tree.Build(root); });
    ASSERT_TRUE(window.Open());
    EXPECT_EQ(window.Manager().GetFocus(), tree.first);
    EXPECT_TRUE(tree.first->IsFocused());
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerFocus, TabWrapsForwardsAndShiftTabBackwards)
{
    TabTree tree;
    TreeWindow window([&](VxContainer& root) { tree.Build(root); });
    ASSERT_TRUE(window.Open());
    VxPaintManager& manager = window.Manager();
    ASSERT_EQ(manager.GetFocus(), tree.first);

    PressTab(window);
    EXPECT_EQ(manager.GetFocus(), tree.second);
    EXPECT_TRUE(manager.IsDrawTabFocusBorder());
    PressTab(window);
    EXPECT_EQ(manager.GetFocus(), tree.third);
    PressTab(window);
    EXPECT_EQ(manager.GetFocus(), tree.first);  // wrapped

    SetShift(true);
    PressTab(window);
    EXPECT_EQ(manager.GetFocus(), tree.third);  // backwards from the first: the last
    PressTab(window);
    EXPECT_EQ(manager.GetFocus(), tree.second);
    SetShift(false);

    // The Tab key was consumed before dispatch: the focus control never saw it.
    EXPECT_EQ(tree.second->Count(kEventKeyDown), 0);
    EXPECT_EQ(tree.first->Count(kEventKeyDown), 0);
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerFocus, TabSkipsHiddenAndDisabledStops)
{
    TabTree tree;
    TreeWindow window([&](VxContainer& root) { tree.Build(root); });
    ASSERT_TRUE(window.Open());
    tree.second->SetVisible(false);
    tree.third->SetEnabled(false);
    UpdateWindow(window.GetHWND());
    PressTab(window);
    EXPECT_EQ(window.Manager().GetFocus(), tree.first);  // the only stop left
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerFocus, ClickHidesTheTabFocusBorderUnlessAlwaysDrawn)
{
    TabTree tree;
    TreeWindow window([&](VxContainer& root) { tree.Build(root); });
    ASSERT_TRUE(window.Open());
    PressTab(window);
    ASSERT_TRUE(window.Manager().IsDrawTabFocusBorder());
    window.Mouse(WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    window.Mouse(WM_LBUTTONUP, 5, 5);
    EXPECT_FALSE(window.Manager().IsDrawTabFocusBorder());
    EXPECT_EQ(window.Manager().GetFocus(), tree.first);  // a focusable control takes the focus

    window.Manager().SetAlwaysDrawTabFocusBorder(true);
    PressTab(window);
    window.Mouse(WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    window.Mouse(WM_LBUTTONUP, 5, 5);
    EXPECT_TRUE(window.Manager().IsDrawTabFocusBorder());
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerFocus, FocusNeededMovesTheFocusAtTheNextPaint)
{
    TabTree tree;
    TreeWindow window([&](VxContainer& root) { tree.Build(root); });
    ASSERT_TRUE(window.Open());
    window.Manager().SetFocusNeeded(tree.third);
    EXPECT_NE(window.Manager().GetFocus(), tree.third);
    EXPECT_FALSE(tree.first->IsFocused());
    InvalidateRect(window.GetHWND(), nullptr, FALSE);
    UpdateWindow(window.GetHWND());
    EXPECT_EQ(window.Manager().GetFocus(), tree.third);
    EXPECT_TRUE(tree.third->IsFocused());
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerFocus, LosingTheWindowFocusClearsTheControlFocus)
{
    TabTree tree;
    TreeWindow window([&](VxContainer& root) { tree.Build(root); });
    ASSERT_TRUE(window.Open());
    ASSERT_EQ(window.Manager().GetFocus(), tree.first);
    LRESULT result = 0;
    EXPECT_FALSE(window.Manager().MessageHandler(WM_KILLFOCUS, 0, 0, result));
    EXPECT_EQ(window.Manager().GetFocus(), nullptr);
    EXPECT_EQ(tree.first->Count(kEventKillFocus), 1);
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerFocus, SystemKeysReachTheFocusControlAndPassOn)
{
    TabTree tree;
    TreeWindow window([&](VxContainer& root) { tree.Build(root); });
    ASSERT_TRUE(window.Open());
    MSG message = {window.GetHWND(), WM_SYSKEYDOWN, 'F', 0};
    EXPECT_FALSE(VxPaintManager::TranslateMessage(&message));
    EXPECT_EQ(tree.first->Count(kEventSysKeyDown), 1);
    // Messages of other windows are not looked at.
    MSG foreign = {GetDesktopWindow(), WM_KEYDOWN, VK_TAB, 0};
    EXPECT_FALSE(VxPaintManager::TranslateMessage(&foreign));
    EXPECT_EQ(window.Manager().GetFocus(), tree.first);
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerFocus, FindControlByIdKeepsTheFirstOfTwoEqualIds)
{
    ProbeControl* earlier = nullptr;
    ProbeControl* later = nullptr;
    TreeWindow window([&](VxContainer& root) {
        earlier = AddFloating(root, {0, 0, 10, 10}, L"id=\"120\" name=\"twin\"");
        later = AddFloating(root, {0, 20, 10, 30}, L"id=\"120\" name=\"twin\"");
    });
    ASSERT_TRUE(window.Open());
    EXPECT_EQ(window.Manager().FindControl(UINT(120)), earlier);
    EXPECT_EQ(window.Manager().FindControl(std::wstring_view(L"twin")), earlier);
    EXPECT_EQ(window.Manager().FindControl(UINT(121)), nullptr);
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerFocus, FindControlByPointTakesTheTopmostDeepestVisibleControl)
{
    ProbeControl* under = nullptr;
    ProbeControl* over = nullptr;
    ProbeControl* hidden = nullptr;
    TreeWindow window([&](VxContainer& root) {
        under = AddFloating(root, {0, 0, 100, 100});
        over = AddFloating(root, {50, 50, 150, 150});
        hidden = AddFloating(root, {0, 0, 200, 200}, L"visible=\"false\"");
    });
    ASSERT_TRUE(window.Open());
    EXPECT_EQ(window.Manager().FindControl(POINT{20, 20}), under);
    EXPECT_EQ(window.Manager().FindControl(POINT{60, 60}), over);
    EXPECT_EQ(window.Manager().FindControl(POINT{300, 250}), window.Root());
    EXPECT_NE(window.Manager().FindControl(POINT{190, 190}), hidden);
    DestroyWindow(window.GetHWND());
}
