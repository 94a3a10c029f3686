#include <gtest/gtest.h>

#include "CoreTestSupport.h"
#include "VxPaintManager.h"

using namespace VXM;

namespace {

VxControl* Named(const wchar_t* name, UINT id = 0)
{
    auto* control = new TracedControl();
    control->SetName(name);
    control->SetID(id);
    return control;
}

}  // namespace

TEST(VxPaintManager, FirstRegistrationWinsForNamesAndIds)
{
    VxPaintManager manager;
    EXPECT_EQ(manager.FindControl(UINT{5}), nullptr) << "no root, no id";
    VxControl* root = Named(L"root", 5);
    VxControl first, second, unnamed;
    first.SetName(L"twin");
    first.SetID(7);
    second.SetName(L"twin");
    second.SetID(7);
    unnamed.SetID(0);
    ASSERT_TRUE(manager.AttachDialog(root));
    manager.InitControls(&first, root);
    manager.InitControls(&second, root);
    manager.InitControls(&unnamed);
    EXPECT_EQ(manager.FindControl(L"root"), root);
    EXPECT_EQ(manager.FindControl(UINT{5}), root);
    EXPECT_EQ(manager.FindControl(L"twin"), &first);
    EXPECT_EQ(manager.FindControl(UINT{7}), &first);
    EXPECT_EQ(manager.FindControl(L""), nullptr) << "empty names are not registered";
    EXPECT_EQ(manager.FindControl(UINT{0}), nullptr) << "id 0 is not registered";
    EXPECT_EQ(first.GetParent(), root);
    EXPECT_EQ(first.GetManager(), &manager);
}

TEST(VxPaintManager, ANewRootReplacesTheTablesAndTheOldOneIsDestroyedLater)
{
    bool oldDestroyed = false;
    auto* oldRoot = new TracedControl(&oldDestroyed);
    oldRoot->SetName(L"main");
    {
        VxPaintManager manager;
        manager.AttachDialog(oldRoot);
        VxControl* newRoot = Named(L"main");
        manager.AttachDialog(newRoot);
        EXPECT_FALSE(oldDestroyed) << "destroyed by the delayed clean-up, not at once";
        EXPECT_EQ(manager.FindControl(L"main"), newRoot) << "the dying tree does not hide the new one";
        EXPECT_EQ(manager.GetRootControl(), newRoot);
        EXPECT_TRUE(manager.IsUpdateNeeded());
        EXPECT_FALSE(manager.AttachDialog(nullptr));
        EXPECT_EQ(manager.GetRootControl(), newRoot);
    }
    EXPECT_TRUE(oldDestroyed) << "the manager destroys what is left of its clean-up list";
}

TEST(VxPaintManager, NotificationsReachListenersInOrderWithTimeAndPoint)
{
    VxPaintManager manager;
    std::vector<int> order;
    NotifyLog first, second, third;
    first.onNotify = [&] { order.push_back(1); };
    second.onNotify = [&] {
        order.push_back(2);
        manager.RemoveNotifier(&third);  // a listener may change the list while notified
    };
    third.onNotify = [&] { order.push_back(3); };
    EXPECT_TRUE(manager.AddNotifier(&first));
    EXPECT_TRUE(manager.AddNotifier(&second));
    EXPECT_TRUE(manager.AddNotifier(&third));
    EXPECT_FALSE(manager.AddNotifier(&first)) << "no duplicates";

    VxControl sender;
    const DWORD before = GetTickCount();
    manager.SendNotify(&sender, kNotifyClick, 11, 22);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    ASSERT_EQ(first.entries.size(), 1u);
    EXPECT_EQ(first.entries[0].type, UINT{kNotifyClick});
    EXPECT_EQ(first.entries[0].sender, &sender);
    EXPECT_EQ(first.entries[0].wParam, WPARAM{11});
    EXPECT_GE(first.entries[0].timestamp - before, 0u);
    EXPECT_LT(first.entries[0].timestamp - before, 10000u);
    EXPECT_TRUE(third.entries.empty());
    EXPECT_FALSE(manager.RemoveNotifier(&third));
}

TEST(VxPaintManager, AddingAListenerInitialisesTheTree)
{
    VxPaintManager manager;
    auto* root = new TracedControl();
    manager.AttachDialog(root);
    NotifyLog first, second;
    manager.AddNotifier(&first);
    manager.AddNotifier(&second);
    manager.AddNotifier(&second);
    EXPECT_EQ(root->initCalls, 2);
}

TEST(VxPaintManager, MessageFiltersAreKeptOnce)
{
    struct Filter : IMessageFilterUI {
        LRESULT MessageHandler(UINT, WPARAM, LPARAM, bool&) override { return 0; }
    } filter;
    VxPaintManager manager;
    EXPECT_TRUE(manager.AddMessageFilter(&filter));
    EXPECT_FALSE(manager.AddMessageFilter(&filter));
    EXPECT_TRUE(manager.RemoveMessageFilter(&filter));
    EXPECT_FALSE(manager.RemoveMessageFilter(&filter));
}

TEST(VxPaintManager, FocusMovesWithEventsAndRefusesWhatCannotTakeIt)
{
    VxPaintManager manager;
    NotifyLog log;
    manager.AddNotifier(&log);
    VxControl a, b, hidden, disabled, foreign;
    for (VxControl* c : {&a, &b, &hidden, &disabled}) {
        c->SetManager(&manager);
        c->SetAttribute(L"notify", L"setfocus killfocus");
    }
    hidden.SetVisible(false);
    disabled.SetEnabled(false);

    manager.SetFocus(&a, false);
    EXPECT_EQ(manager.GetFocus(), &a);
    EXPECT_TRUE(a.IsFocused());
    manager.SetFocus(&a, false);
    EXPECT_EQ(log.entries.size(), 1u) << "focusing the focused control changes nothing";

    manager.SetFocus(&b, false);
    EXPECT_FALSE(a.IsFocused());
    EXPECT_TRUE(b.IsFocused());
    ASSERT_EQ(log.entries.size(), 3u);
    EXPECT_EQ(log.entries[1].type, UINT{kNotifyKillFocus});
    EXPECT_EQ(log.entries[1].sender, &a);
    EXPECT_EQ(log.entries[2].type, UINT{kNotifySetFocus});

    for (VxControl* refused : {&hidden, &disabled, &foreign}) {
        manager.SetFocus(&b, false);
        manager.SetFocus(refused, false);
        EXPECT_EQ(manager.GetFocus(), nullptr) << "the old focus is gone, the refused one not taken";
        EXPECT_FALSE(refused->IsFocused());
    }
    a.SetFocus();
    EXPECT_EQ(manager.GetFocus(), &a) << "the control asks its manager";
}

TEST(VxPaintManager, ReapObjectsLeavesNothingThatPointsToADestroyedControl)
{
    VxPaintManager manager;
    auto* root = new TracedControl();
    manager.AttachDialog(root);
    auto* doomed = new VxControl();
    doomed->SetName(L"doomed");
    doomed->SetID(9);
    doomed->SetAttribute(L"flags", L"tabstop");
    manager.InitControls(doomed, root);
    manager.SetFocus(doomed, false);
    manager.AddGroup(3, doomed);
    ASSERT_EQ(manager.FindControl(L"doomed"), doomed);

    delete doomed;
    EXPECT_EQ(manager.FindControl(L"doomed"), nullptr);
    EXPECT_EQ(manager.FindControl(UINT{9}), nullptr);
    EXPECT_EQ(manager.GetFocus(), nullptr);
    EXPECT_EQ(manager.GetGroup(3), nullptr) << "its option group went with it";

    // A later control of the same name is registered afresh.
    VxControl heir;
    heir.SetName(L"doomed");
    manager.InitControls(&heir);
    EXPECT_EQ(manager.FindControl(L"doomed"), &heir);
}

TEST(VxPaintManager, OptionGroupsTellTheSelectedOption)
{
    // An option answers class code 9 and shows its selection in the state word.
    struct Option : VxControl {
        VxControl* GetInterface(UINT code) override
        {
            return code == kClassOption ? this : VxControl::GetInterface(code);
        }
    } one, two;
    VxControl plain;
    VxPaintManager manager;
    EXPECT_FALSE(manager.AddGroup(0, &one)) << "group 0 is no group";
    EXPECT_TRUE(manager.AddGroup(100, &one));
    EXPECT_TRUE(manager.AddGroup(100, &two));
    EXPECT_TRUE(manager.AddGroup(100, &plain));
    EXPECT_FALSE(manager.AddGroup(100, &two));
    ASSERT_NE(manager.GetGroup(100), nullptr);
    EXPECT_EQ(manager.GetGroup(100)->size(), 3u);
    EXPECT_EQ(manager.GetGroupSelected(100), nullptr);
    plain.SetMouseState(kStateSelected);
    EXPECT_EQ(manager.GetGroupSelected(100), nullptr) << "only options count";
    two.SetMouseState(kStateSelected);
    EXPECT_EQ(manager.GetGroupSelected(100), &two);
    EXPECT_TRUE(manager.RemoveGroup(100, &two));
    EXPECT_FALSE(manager.RemoveGroup(100, &two));
    EXPECT_EQ(manager.GetGroupSelected(100), nullptr);
    manager.RemoveAllGroups();
    EXPECT_EQ(manager.GetGroup(100), nullptr);
}

TEST(VxPaintManager, DefaultAttributeListsAreReplacedByName)
{
    VxPaintManager manager;
    manager.AddDefaultAttributeList(L"Button", L"width=\"1\"");
    manager.AddDefaultAttributeList(L"Button", L"width=\"2\"");
    EXPECT_EQ(manager.GetDefaultAttributeList(L"Button"), L"width=\"2\"");
    EXPECT_EQ(manager.GetDefaultAttributeList(L"button"), L"");
    EXPECT_TRUE(manager.RemoveDefaultAttributeList(L"Button"));
    EXPECT_FALSE(manager.RemoveDefaultAttributeList(L"Button"));
    manager.AddDefaultAttributeList(L"A", L"x");
    manager.RemoveAllDefaultAttributeList();
    EXPECT_EQ(manager.GetDefaultAttributeList(L"A"), L"");
}

TEST(VxPaintManager, WindowPropertySettersApplyTheirRules)
{
    VxPaintManager manager;
    EXPECT_EQ(manager.GetLayeredWindowAlpha(), 255) << "until set; acts as 100";
    manager.SetLayeredWindowAlpha(150);
    EXPECT_EQ(manager.GetLayeredWindowAlpha(), 100);
    manager.SetLayeredWindowAlpha(50);
    EXPECT_EQ(manager.GetLayeredWindowAlpha(), 50);
    manager.SetLayeredWindowAlpha(-1);
    EXPECT_EQ(manager.GetLayeredWindowAlpha(), 100);
    manager.SetLayeredWindowAlpha(0);
    EXPECT_EQ(manager.GetLayeredWindowAlpha(), 0);

    manager.SetMinWindow(-5, 300);
    EXPECT_EQ(manager.GetMinWindow().cx, 0);
    EXPECT_EQ(manager.GetMinWindow().cy, 300);
    manager.SetRoundCorner(5, -2);
    EXPECT_EQ(manager.GetRoundCorner().cx, 5);
    EXPECT_EQ(manager.GetRoundCorner().cy, 0);
}

TEST(VxPaintManager, LayeredOffTakesTheLayeredStyleAway)
{
    TestWindow window;
    VxPaintManager manager;
    manager.Init(window.Get());
    manager.SetLayeredWindow(true);
    SetWindowLongPtrW(window.Get(), GWL_EXSTYLE, GetWindowLongPtrW(window.Get(), GWL_EXSTYLE) | WS_EX_LAYERED);
    manager.SetLayeredWindow(false);
    EXPECT_EQ(GetWindowLongPtrW(window.Get(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
}

TEST(VxPaintManager, InitTakesTheWindowsDcAndPostsToIt)
{
    TestWindow window;
    VxPaintManager manager;
    EXPECT_FALSE(manager.PostNotify(1, 2)) << "no window yet";
    manager.Init(window.Get());
    EXPECT_EQ(manager.GetPaintWindow(), window.Get());
    EXPECT_NE(manager.GetPaintDC(), nullptr);
    EXPECT_EQ(WindowFromDC(manager.GetPaintDC()), window.Get());

    VxPaintManager second;
    TestWindow other;
    second.Init(other.Get());
    EXPECT_NE(second.GetPaintDC(), manager.GetPaintDC());

    EXPECT_TRUE(manager.PostNotify(5, 6));
    MSG message = {};
    ASSERT_TRUE(PeekMessageW(&message, window.Get(), kMessageUINotify, kMessageUINotify, PM_REMOVE));
    EXPECT_EQ(message.wParam, WPARAM{5});
    EXPECT_EQ(message.lParam, LPARAM{6});

    manager.ExecDelayedCleanup();
    EXPECT_TRUE(PeekMessageW(&message, window.Get(), kMessageDelayedCleanup, kMessageDelayedCleanup, PM_REMOVE));
}
