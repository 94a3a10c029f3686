#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "TreeWindow.h"
#include "VxLoadResource.h"

using namespace VXM;
using namespace gui_test;

namespace {

class PaintManagerInput : public ::testing::Test {
protected:
    void SetUp() override { VxLoadResource::Instance().SetResourceInstance(GetModuleHandleW(nullptr)); }
    void TearDown() override { PumpMessages(); }
};

// The window's hit-test answer for a client point.
LRESULT HitTest(HWND window, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
}

// Stops the listed messages before the paint manager sees them.
class SwallowFilter : public IMessageFilterUI {
public:
    explicit SwallowFilter(UINT swallowed) : swallowed_(swallowed) {}
    LRESULT MessageHandler(UINT message, WPARAM, LPARAM, bool& handled) override
    {
        handled = message == swallowed_;
        return 0;
    }

private:
    UINT swallowed_;
};

}  // namespace

TEST_F(PaintManagerInput, ClickReachesTheControlAndYieldsOneClickNotification)
{
    ProbeControl* button = nullptr;
    TreeWindow window([&](VxContainer& root) { button = AddFloating(root, {20, 20, 120, 60}, L"notify=\"click\""); });
    ASSERT_TRUE(window.Open());
    window.Mouse(WM_LBUTTONDOWN, 50, 40, MK_LBUTTON);
    EXPECT_EQ(button->Count(kEventLButtonDown), 1);
    EXPECT_EQ(window.Manager().GetEventLClick(), button);
    EXPECT_EQ(GetCapture(), window.GetHWND());
    EXPECT_TRUE(button->GetMouseState() & kStatePushed);
    window.Mouse(WM_LBUTTONUP, 52, 41);
    EXPECT_EQ(button->Count(kEventLButtonUp), 1);
    EXPECT_EQ(window.CountNotes(kNotifyClick, button), 1);
    EXPECT_EQ(window.CountNotes(kNotifyClick), 1);
    EXPECT_EQ(window.Manager().GetEventLClick(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(button->GetMouseState() & (kStatePushed | kStateCaptured));
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerInput, ReleaseOutsideAfterCaptureClearsPushedWithoutAClick)
{
    ProbeControl* button = nullptr;
    TreeWindow window([&](VxContainer& root) { button = AddFloating(root, {20, 20, 120, 60}, L"notify=\"click\""); });
    ASSERT_TRUE(window.Open());
    window.Mouse(WM_LBUTTONDOWN, 50, 40, MK_LBUTTON);
    ASSERT_EQ(GetCapture(), window.GetHWND());
    // While captured the window gets the button-up even far outside its client area.
    window.Mouse(WM_LBUTTONUP, -40, 900);
    EXPECT_EQ(button->Count(kEventLButtonUp), 1);
    EXPECT_EQ(window.CountNotes(kNotifyClick), 0);
    EXPECT_FALSE(button->GetMouseState() & (kStatePushed | kStateCaptured));
    EXPECT_EQ(GetCapture(), nullptr);
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerInput, ClickOnNothingOrADisabledControlNotifiesNothing)
{
    ProbeControl* disabled = nullptr;
    TreeWindow window([&](VxContainer& root) {
        disabled = AddFloating(root, {20, 20, 120, 60}, L"notify=\"click\" enabled=\"false\"");
    });
    ASSERT_TRUE(window.Open());
    window.Mouse(WM_LBUTTONDOWN, 50, 40, MK_LBUTTON);
    window.Mouse(WM_LBUTTONUP, 50, 40);
    window.Mouse(WM_LBUTTONDOWN, 300, 200, MK_LBUTTON);
    window.Mouse(WM_LBUTTONUP, 300, 200);
    EXPECT_EQ(window.CountNotes(kNotifyClick), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerInput, CaptionBandDragsOnlyOverCaptionControls)
{
    ProbeControl* title = nullptr;
    ProbeControl* button = nullptr;
    TreeWindow window([&](VxContainer& root) {
        title = AddFloating(root, {0, 0, 400, 70}, L"caption=\"true\"");
        button = AddFloating(root, {300, 10, 350, 40}, L"notify=\"click\"");
    });
    window.Manager().SetCaptionRect({0, 0, 0, 70});
    ASSERT_TRUE(window.Open());
    const HWND handle = window.GetHWND();
    EXPECT_EQ(HitTest(handle, 100, 30), HTCAPTION);
    EXPECT_EQ(HitTest(handle, 320, 20), HTCLIENT);  // a button in the band stays clickable
    EXPECT_EQ(HitTest(handle, 100, 69), HTCAPTION);
    EXPECT_EQ(HitTest(handle, 100, 70), HTCLIENT);  // below the band
    EXPECT_EQ(HitTest(handle, 100, 150), HTCLIENT);
    DestroyWindow(handle);
}

TEST_F(PaintManagerInput, CaptionBandIgnoresControlsNotMarkedCaption)
{
    TreeWindow window([&](VxContainer& root) { AddFloating(root, {0, 0, 400, 70}); });
    window.Manager().SetCaptionRect({0, 0, 0, 70});
    ASSERT_TRUE(window.Open());
    EXPECT_EQ(HitTest(window.GetHWND(), 100, 30), HTCLIENT);
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerInput, SizeBoxGivesResizeCodesUntilMaximised)
{
    TreeWindow window;
    window.Manager().SetSizeBox({4, 4, 4, 4});
    window.Manager().SetSizeBoxRounder(6);
    ASSERT_TRUE(window.Open(400, 300));
    const HWND handle = window.GetHWND();
    EXPECT_EQ(HitTest(handle, 200, 1), HTTOP);
    EXPECT_EQ(HitTest(handle, 200, 298), HTBOTTOM);
    EXPECT_EQ(HitTest(handle, 1, 150), HTLEFT);
    EXPECT_EQ(HitTest(handle, 398, 150), HTRIGHT);
    EXPECT_EQ(HitTest(handle, 8, 1), HTTOPLEFT);  // inside the rounder
    EXPECT_EQ(HitTest(handle, 398, 298), HTBOTTOMRIGHT);
    EXPECT_EQ(HitTest(handle, 200, 150), HTCLIENT);

    ShowWindow(handle, SW_MAXIMIZE);
    PumpMessages();
    ASSERT_TRUE(IsZoomed(handle));
    RECT client = {};
    GetClientRect(handle, &client);
    EXPECT_EQ(HitTest(handle, client.right / 2, 1), HTCLIENT);
    EXPECT_EQ(HitTest(handle, 1, 1), HTCLIENT);
    EXPECT_EQ(HitTest(handle, client.right - 1, client.bottom - 1), HTCLIENT);
    DestroyWindow(handle);
}

TEST_F(PaintManagerInput, HoverMovesWithEnterAndLeave)
{
    ProbeControl* left = nullptr;
    ProbeControl* right = nullptr;
    TreeWindow window([&](VxContainer& root) {
        left = AddFloating(root, {0, 0, 100, 100}, L"notify=\"mouseenter mouseleave\"");
        right = AddFloating(root, {200, 0, 300, 100}, L"notify=\"mouseenter mouseleave\"");
    });
    ASSERT_TRUE(window.Open());
    window.Mouse(WM_MOUSEMOVE, 50, 50);
    EXPECT_EQ(window.Manager().GetHover(), left);
    EXPECT_TRUE(left->GetMouseState() & kStateHot);
    EXPECT_EQ(window.CountNotes(kNotifyMouseEnter, left), 1);
    window.Mouse(WM_MOUSEMOVE, 60, 50);
    EXPECT_EQ(left->Count(kEventMouseEnter), 1);  // no second enter while it stays
    EXPECT_GE(left->Count(kEventMouseMove), 2);

    window.Mouse(WM_MOUSEMOVE, 250, 50);
    EXPECT_EQ(window.Manager().GetHover(), right);
    ASSERT_EQ(left->Count(kEventMouseLeave), 1);
    EXPECT_FALSE(left->GetMouseState() & kStateHot);
    EXPECT_EQ(window.CountNotes(kNotifyMouseLeave, left), 1);
    const auto enter = std::find_if(right->events.begin(), right->events.end(),
                                    [](const VxEventUI& e) { return e.type == kEventMouseEnter; });
    ASSERT_NE(enter, right->events.end());
    EXPECT_EQ(enter->sender, left);  // the enter names the control the mouse came from

    // The pointer leaves the window: mouse tracking reports it and the hover control leaves.
    window.MovePointerAway();
    ASSERT_TRUE(PumpUntil([&] { return window.Manager().GetHover() == nullptr; }));
    EXPECT_EQ(right->Count(kEventMouseLeave), 1);
    EXPECT_EQ(window.CountNotes(kNotifyMouseLeave, right), 1);
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerInput, DestroyedControlsLeaveNoPointerBehind)
{
    ProbeControl* hovered = nullptr;
    ProbeControl* pressed = nullptr;
    ProbeControl* focused = nullptr;
    TreeWindow window([&](VxContainer& root) {
        hovered = AddFloating(root, {0, 0, 100, 100});
        pressed = AddFloating(root, {100, 0, 200, 100});
        focused = AddFloating(root, {200, 0, 300, 100}, L"flags=\"tabstop\"");
    });
    ASSERT_TRUE(window.Open());
    VxPaintManager& manager = window.Manager();
    manager.SetFocus(focused);
    ASSERT_EQ(manager.GetFocus(), focused);
    ASSERT_TRUE(manager.SetTimer(focused, 5, 10));
    window.Mouse(WM_LBUTTONDOWN, 150, 50, MK_LBUTTON);
    ASSERT_EQ(manager.GetEventLClick(), pressed);
    window.Mouse(WM_MOUSEMOVE, 50, 50, MK_LBUTTON);
    // The pressed control keeps the mouse moves; hover follows the pointer.
    ASSERT_EQ(manager.GetHover(), hovered);

    window.Root()->Remove(hovered);
    window.Root()->Remove(pressed);
    window.Root()->Remove(focused);
    EXPECT_EQ(manager.GetHover(), nullptr);
    EXPECT_EQ(manager.GetEventLClick(), nullptr);
    EXPECT_EQ(manager.GetFocus(), nullptr);
    // Every kind of input afterwards finds nothing stale: no timer event, no crash.
    window.Mouse(WM_MOUSEMOVE, 150, 50, MK_LBUTTON);
    window.Mouse(WM_LBUTTONUP, 150, 50);
    PostMessageW(window.GetHWND(), WM_KEYDOWN, 'A', 0);
    PostMessageW(window.GetHWND(), WM_KEYUP, 'A', 0);
    PumpFor(100);
    window.Mouse(WM_MOUSELEAVE, 0, 0);
    SendMessageW(window.GetHWND(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window.GetHWND()));
}

TEST_F(PaintManagerInput, ControlTimersFireWithTheirKeyUntilKilled)
{
    ProbeControl* ticking = nullptr;
    TreeWindow window([&](VxContainer& root) { ticking = AddFloating(root, {0, 0, 10, 10}); });
    ASSERT_TRUE(window.Open());
    ASSERT_TRUE(window.Manager().SetTimer(ticking, 0x31, 10));
    ASSERT_TRUE(PumpUntil([&] { return ticking->Count(kEventTimer) >= 2; }));
    const auto timer = std::find_if(ticking->events.begin(), ticking->events.end(),
                                    [](const VxEventUI& e) { return e.type == kEventTimer; });
    EXPECT_EQ(timer->wParam, 0x31u);
    window.Manager().KillTimer(ticking, 0x31);
    ticking->events.clear();
    PumpFor(100);
    EXPECT_EQ(ticking->Count(kEventTimer), 0);
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerInput, WheelDirectionAndHoverFollowUp)
{
    ProbeControl* list = nullptr;
    TreeWindow window([&](VxContainer& root) { list = AddFloating(root, {0, 0, 200, 200}); });
    ASSERT_TRUE(window.Open());
    POINT point = {50, 50};
    ClientToScreen(window.GetHWND(), &point);
    PostMessageW(window.GetHWND(), WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), MAKELPARAM(point.x, point.y));
    PostMessageW(window.GetHWND(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(point.x, point.y));
    PumpMessages();
    std::vector<WPARAM> steps;
    for (const VxEventUI& event : list->events) {
        if (event.type == kEventMouseWheel)
            steps.push_back(event.wParam);
    }
    EXPECT_EQ(steps, (std::vector<WPARAM>{1, 0}));
    EXPECT_EQ(window.Manager().GetMousePos().x, 50);
    EXPECT_EQ(window.Manager().GetHover(), list);  // the follow-up mouse move
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerInput, KeysGoToTheFocusControl)
{
    ProbeControl* field = nullptr;
    TreeWindow window([&](VxContainer& root) { field = AddFloating(root, {0, 0, 200, 30}); });
    ASSERT_TRUE(window.Open());
    window.Manager().SetFocus(field);
    // Sent, not posted: the message loop would translate a posted key-down into a second WM_CHAR.
    SendMessageW(window.GetHWND(), WM_KEYDOWN, 'Q', 0);
    SendMessageW(window.GetHWND(), WM_CHAR, L'q', 0);
    SendMessageW(window.GetHWND(), WM_KEYUP, 'Q', 0);
    ASSERT_EQ(field->Count(kEventKeyDown), 1);
    EXPECT_EQ(field->Count(kEventChar), 1);
    EXPECT_EQ(field->Count(kEventKeyUp), 1);
    const auto down = std::find_if(field->events.begin(), field->events.end(),
                                   [](const VxEventUI& e) { return e.type == kEventKeyDown; });
    EXPECT_EQ(down->key, 'Q');
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerInput, RightButtonFocusesAndContextMenuFollows)
{
    ProbeControl* item = nullptr;
    TreeWindow window([&](VxContainer& root) { item = AddFloating(root, {0, 0, 200, 100}, L"notify=\"contextmenu\""); });
    ASSERT_TRUE(window.Open());
    window.Mouse(WM_RBUTTONDOWN, 40, 40, MK_RBUTTON);
    EXPECT_EQ(item->Count(kEventRButtonDown), 1);
    EXPECT_EQ(window.Manager().GetFocus(), item);
    POINT point = {40, 40};
    ClientToScreen(window.GetHWND(), &point);
    PostMessageW(window.GetHWND(), WM_CONTEXTMENU, WPARAM(window.GetHWND()), MAKELPARAM(point.x, point.y));
    PumpMessages();
    ASSERT_EQ(item->Count(kEventContextMenu), 1);
    const auto menu = std::find_if(item->events.begin(), item->events.end(),
                                   [](const VxEventUI& e) { return e.type == kEventContextMenu; });
    EXPECT_EQ(menu->lParam, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(window.CountNotes(kNotifyContextMenu, item), 1);
    EXPECT_EQ(GetCapture(), nullptr);
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerInput, SetCursorOnlyForControlsThatAskForIt)
{
    ProbeControl* plain = nullptr;
    ProbeControl* pointer = nullptr;
    TreeWindow window([&](VxContainer& root) {
        plain = AddFloating(root, {0, 0, 100, 100});
        pointer = AddFloating(root, {100, 0, 200, 100}, L"flags=\"setcursor\"");
    });
    ASSERT_TRUE(window.Open());
    const HWND handle = window.GetHWND();
    LRESULT result = 0;
    POINT point = {150, 50};
    ClientToScreen(handle, &point);
    SetCursorPos(point.x, point.y);
    EXPECT_TRUE(window.Manager().MessageHandler(WM_SETCURSOR, WPARAM(handle), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), result));
    EXPECT_EQ(pointer->Count(kEventSetCursor), 1);
    point = {50, 50};
    ClientToScreen(handle, &point);
    SetCursorPos(point.x, point.y);
    EXPECT_FALSE(window.Manager().MessageHandler(WM_SETCURSOR, WPARAM(handle), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), result));
    EXPECT_EQ(plain->Count(kEventSetCursor), 0);
    EXPECT_FALSE(window.Manager().MessageHandler(WM_SETCURSOR, WPARAM(handle), MAKELPARAM(HTCAPTION, WM_MOUSEMOVE), result));
    DestroyWindow(handle);
}

TEST_F(PaintManagerInput, HoverShowsTheTooltipAndLeavingHidesIt)
{
    ProbeControl* tipped = nullptr;
    TreeWindow window([&](VxContainer& root) {
        tipped = AddFloating(root, {0, 0, 100, 100}, L"tooltip=\"提示\" tooltipdelaytime=\"100\" notify=\"mousehover\"");
    });
    ASSERT_TRUE(window.Open());
    // The pointer rests on the control: mouse tracking reports the hover after the delay.
    window.Mouse(WM_MOUSEMOVE, 50, 50);
    ASSERT_TRUE(PumpUntil([&] { return window.Manager().GetCurrTooltip() != nullptr; }));
    EXPECT_EQ(tipped->Count(kEventMouseHover), 1);
    EXPECT_EQ(window.CountNotes(kNotifyMouseHover, tipped), 1);
    const HWND tip = window.Manager().GetCurrTooltip();
    ASSERT_NE(tip, nullptr);
    wchar_t className[32] = {};
    GetClassNameW(tip, className, 32);
    EXPECT_STREQ(className, TOOLTIPS_CLASSW);
    EXPECT_EQ(GetWindow(tip, GW_OWNER), window.GetHWND());
    window.MovePointerAway();
    ASSERT_TRUE(PumpUntil([&] { return window.Manager().GetCurrTooltip() == nullptr; }));
    DestroyWindow(window.GetHWND());
    EXPECT_FALSE(IsWindow(tip));
}

TEST_F(PaintManagerInput, CloseReleasesThePointerStates)
{
    ProbeControl* item = nullptr;
    TreeWindow window([&](VxContainer& root) { item = AddFloating(root, {0, 0, 200, 200}); });
    ASSERT_TRUE(window.Open());
    window.Mouse(WM_MOUSEMOVE, 50, 50);
    window.Mouse(WM_LBUTTONDOWN, 50, 50, MK_LBUTTON);
    window.Manager().SetFocus(item);
    LRESULT result = 0;
    EXPECT_FALSE(window.Manager().MessageHandler(WM_CLOSE, 0, 0, result));
    EXPECT_EQ(item->Count(kEventMouseLeave), 1);
    EXPECT_EQ(item->Count(kEventLButtonUp), 1);
    EXPECT_EQ(window.Manager().GetHover(), nullptr);
    EXPECT_EQ(window.Manager().GetEventLClick(), nullptr);
    EXPECT_EQ(window.Manager().GetFocus(), nullptr);
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerInput, MessageFilterRunsFirstAndCanStopAMessage)
{
    ProbeControl* button = nullptr;
    TreeWindow window([&](VxContainer& root) { button = AddFloating(root, {0, 0, 200, 200}); });
    ASSERT_TRUE(window.Open());
    SwallowFilter filter(WM_LBUTTONDOWN);
    ASSERT_TRUE(window.Manager().AddMessageFilter(&filter));
    window.Mouse(WM_LBUTTONDOWN, 50, 50, MK_LBUTTON);
    EXPECT_EQ(button->Count(kEventLButtonDown), 0);
    window.Manager().RemoveMessageFilter(&filter);
    window.Mouse(WM_LBUTTONDOWN, 50, 50, MK_LBUTTON);
    EXPECT_EQ(button->Count(kEventLButtonDown), 1);
    window.Mouse(WM_LBUTTONUP, 50, 50);
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerInput, CommandFromAChildWindowIsReflectedToIt)
{
    TreeWindow window;
    ASSERT_TRUE(window.Open());
    struct Child : VxWindowWnd {
        const wchar_t* GetWindowClassName() const override { return L"ZentariumReflect_WND_CLASS"; }
        LRESULT VxHandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_COMMAND + 0x2000)
                return 55;
            return VxWindowWnd::VxHandleMessage(message, wParam, lParam);
        }
    } child;
    ASSERT_TRUE(child.VxCreate(window.GetHWND(), L"", WS_CHILD, 0, 0, 0, 10, 10));
    EXPECT_EQ(SendMessageW(window.GetHWND(), WM_COMMAND, 0, LPARAM(child.GetHWND())), 55);
    // A menu command (no window) is not reflected.
    LRESULT result = 0;
    EXPECT_FALSE(window.Manager().MessageHandler(WM_COMMAND, 1, 0, result));
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerInput, NoWindowMeansNothingIsHandled)
{
    VxPaintManager manager;
    LRESULT result = 0;
    for (UINT message : {UINT(WM_PAINT), UINT(WM_SIZE), UINT(WM_ERASEBKGND), UINT(WM_LBUTTONDOWN), UINT(WM_TIMER)})
        EXPECT_FALSE(manager.MessageHandler(message, 0, 0, result)) << message;
}
