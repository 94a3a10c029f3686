#include "VxWindowWnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "GuiTestSupport.h"
#include "VxLoadResource.h"
#include "VxPaintManager.h"

using namespace VXM;

namespace {

constexpr UINT kIconId = 113;  // GuiTestResources.rc
constexpr UINT kProbe = WM_APP + 7;

// Records what reaches the object and when it is let go.
class ProbeWindow : public VxWindowWnd {
public:
    const wchar_t* GetWindowClassName() const override { return L"ZentariumProbe_WND_CLASS"; }
    UINT GetClassStyle() const override { return CS_DBLCLKS; }
    LRESULT VxHandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(message);
        if (message == kProbe)
            return LRESULT(wParam) * 2;
        return VxWindowWnd::VxHandleMessage(message, wParam, lParam);
    }
    void OnFinalMessage(HWND window) override
    {
        finalWindow = window;
        handleAtFinal = GetHWND();
    }
    bool Saw(UINT message) const { return std::find(messages.begin(), messages.end(), message) != messages.end(); }

    std::vector<UINT> messages;
    HWND finalWindow = nullptr;
    HWND handleAtFinal = reinterpret_cast<HWND>(1);
};

// A dialog that runs `onProbe` from inside its modal loop; a guard timer ends a loop that
// would otherwise never end.
class ModalWindow : public ProbeWindow {
public:
    const wchar_t* GetWindowClassName() const override { return L"ZentariumModal_WND_CLASS"; }
    LRESULT VxHandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CREATE)
            SetTimer(GetHWND(), kGuardTimer, 5000, nullptr);
        if (message == WM_TIMER && wParam == kGuardTimer) {
            guardFired = true;
            DestroyWindow(GetHWND());
            return 0;
        }
        if (message == kProbe) {
            ownerEnabledInside = IsWindowEnabled(GetWindow(GetHWND(), GW_OWNER)) != FALSE;
            onProbe();
            return 0;
        }
        if (message == WM_DESTROY)
            ownerEnabledAtDestroy = IsWindowEnabled(GetWindow(GetHWND(), GW_OWNER)) != FALSE;
        return ProbeWindow::VxHandleMessage(message, wParam, lParam);
    }

    static constexpr UINT_PTR kGuardTimer = 77;
    std::function<void()> onProbe = [] {};
    bool ownerEnabledInside = true;
    bool ownerEnabledAtDestroy = false;
    bool guardFired = false;
};

class CheckBoxWindow : public ProbeWindow {
public:
    const wchar_t* GetWindowClassName() const override { return L"ZentariumCheckBox_WND_CLASS"; }
    const wchar_t* GetSuperClassName() const override { return L"BUTTON"; }
};

class NoSuchBaseWindow : public ProbeWindow {
public:
    const wchar_t* GetWindowClassName() const override { return L"ZentariumNoBase_WND_CLASS"; }
    const wchar_t* GetSuperClassName() const override { return L"ZentariumNoSuchClass"; }
};

HWND CreatePopup(VxWindowWnd& window, HWND owner = nullptr, int width = 300, int height = 200)
{
    return window.VxCreate(owner, L"probe", WS_POPUP, 0, 100, 100, width, height);
}

class WindowWnd : public ::testing::Test {
protected:
    void SetUp() override { VxLoadResource::Instance().SetResourceInstance(GetModuleHandleW(nullptr)); }
    void TearDown() override { gui_test::PumpMessages(); }
};

}  // namespace

TEST_F(WindowWnd, CreateBindsTheObjectAndRegistersTheClassOnce)
{
    ProbeWindow first;
    ProbeWindow second;  // the same class again: already registered counts as success
    const HWND one = CreatePopup(first);
    const HWND two = CreatePopup(second);
    ASSERT_NE(one, nullptr);
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(first.GetHWND(), one);
    EXPECT_EQ(GetWindowLongPtrW(one, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&first));
    EXPECT_TRUE(first.Saw(WM_NCCREATE));
    EXPECT_TRUE(first.Saw(WM_CREATE));
    EXPECT_EQ(first.VxSendMessage(kProbe, 21), 42);

    WNDCLASSW registered = {};
    ASSERT_TRUE(GetClassInfoW(GetModuleHandleW(nullptr), L"ZentariumProbe_WND_CLASS", &registered));
    EXPECT_EQ(registered.style, UINT(CS_DBLCLKS));
    EXPECT_EQ(registered.hbrBackground, nullptr);
    EXPECT_EQ(registered.hCursor, LoadCursorW(nullptr, IDC_ARROW));

    // A second window for an object that has one is refused.
    EXPECT_EQ(CreatePopup(first), nullptr);
    DestroyWindow(one);
    DestroyWindow(two);
}

TEST_F(WindowWnd, NcDestroyUnbindsBeforeOnFinalMessage)
{
    ProbeWindow window;
    const HWND handle = CreatePopup(window);
    ASSERT_NE(handle, nullptr);
    DestroyWindow(handle);
    EXPECT_EQ(window.finalWindow, handle);
    EXPECT_EQ(window.handleAtFinal, nullptr);
    EXPECT_EQ(window.GetHWND(), nullptr);
    EXPECT_FALSE(window.Saw(WM_NCDESTROY));  // it goes straight to the previous procedure
    // Without a window the helpers do nothing.
    EXPECT_FALSE(window.VxPostMessage(kProbe));
    window.Close();
    window.VxShowWindow();
    window.CenterWindow();
    window.ResizeClient(10, 10);
}

TEST_F(WindowWnd, WindowThatOutlivesItsObjectFallsBackToTheDefaultProcedure)
{
    HWND handle = nullptr;
    {
        ProbeWindow shortLived;
        handle = CreatePopup(shortLived);
        ASSERT_NE(handle, nullptr);
    }
    EXPECT_EQ(GetWindowLongPtrW(handle, GWLP_USERDATA), 0);
    EXPECT_EQ(SendMessageW(handle, kProbe, 21, 0), 0);
    SetWindowTextW(handle, L"still");
    EXPECT_TRUE(DestroyWindow(handle));
}

TEST_F(WindowWnd, MessagesBeforeBindingGoToTheDefaultProcedure)
{
    ProbeWindow owner;
    ASSERT_NE(CreatePopup(owner), nullptr);
    // A window of the registered class created without an object stays a plain window.
    const HWND bare = CreateWindowExW(0, L"ZentariumProbe_WND_CLASS", L"bare", WS_POPUP, 0, 0, 50, 50, nullptr,
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(bare, nullptr);
    wchar_t title[16] = {};
    GetWindowTextW(bare, title, 16);
    EXPECT_STREQ(title, L"bare");
    EXPECT_EQ(GetWindowLongPtrW(bare, GWLP_USERDATA), 0);
    EXPECT_EQ(SendMessageW(bare, kProbe, 21, 0), 0);
    DestroyWindow(bare);
    // WM_GETMINMAXINFO comes before WM_NCCREATE, so the object never saw it first.
    ASSERT_FALSE(owner.messages.empty());
    EXPECT_EQ(owner.messages.front(), UINT(WM_NCCREATE));
    DestroyWindow(owner.GetHWND());
}

TEST_F(WindowWnd, SuperclassKeepsTheBaseProcedureAndBindsThroughAProperty)
{
    CheckBoxWindow box;
    const HWND handle = box.VxCreate(nullptr, L"check", WS_POPUP | BS_AUTOCHECKBOX, 0, 0, 0, 80, 20);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(GetPropW(handle, L"WndX"), static_cast<HANDLE>(&box));
    // The button's own procedure still works behind the object.
    SendMessageW(handle, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageW(handle, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(box.Saw(BM_SETCHECK));
    EXPECT_EQ(box.VxSendMessage(kProbe, 5), 10);
    DestroyWindow(handle);
    EXPECT_EQ(box.finalWindow, handle);

    NoSuchBaseWindow orphan;
    EXPECT_EQ(orphan.VxCreate(nullptr, L"x", WS_POPUP, 0, 0, 0, 10, 10), nullptr);
}

TEST_F(WindowWnd, SubclassRoutesThroughTheObjectUntilUnsubclassed)
{
    const HWND label = CreateWindowExW(0, L"STATIC", L"before", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(label, nullptr);
    const LONG_PTR originalProc = GetWindowLongPtrW(label, GWLP_WNDPROC);
    ProbeWindow window;
    ASSERT_EQ(window.Subclass(label), label);
    EXPECT_EQ(window.GetHWND(), label);
    EXPECT_EQ(window.Subclass(label), nullptr);  // already bound
    SetWindowTextW(label, L"after");
    EXPECT_TRUE(window.Saw(WM_SETTEXT));
    wchar_t text[16] = {};
    GetWindowTextW(label, text, 16);
    EXPECT_STREQ(text, L"after");  // the static control's procedure ran behind the object

    window.Unsubclass();
    EXPECT_EQ(window.GetHWND(), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(label, GWLP_WNDPROC), originalProc);
    window.messages.clear();
    SetWindowTextW(label, L"again");
    EXPECT_TRUE(window.messages.empty());
    DestroyWindow(label);
    EXPECT_EQ(window.finalWindow, nullptr);
}

TEST_F(WindowWnd, DestroyingASubclassedWindowRestoresItsProcedureFirst)
{
    const HWND label = CreateWindowExW(0, L"STATIC", L"x", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(label, nullptr);
    ProbeWindow window;
    ASSERT_EQ(window.Subclass(label), label);
    DestroyWindow(label);
    EXPECT_EQ(window.finalWindow, label);
    EXPECT_EQ(window.GetHWND(), nullptr);
}

TEST_F(WindowWnd, ShowAndHide)
{
    ProbeWindow window;
    ASSERT_NE(CreatePopup(window), nullptr);
    window.VxShowWindow(true, false);
    EXPECT_TRUE(IsWindowVisible(window.GetHWND()));
    window.VxShowWindow(false);
    EXPECT_FALSE(IsWindowVisible(window.GetHWND()));
    window.VxShowWindow(true, true);
    EXPECT_TRUE(IsWindowVisible(window.GetHWND()));
    DestroyWindow(window.GetHWND());
}

TEST_F(WindowWnd, ResizeClientSetsTheClientAreaAndMinusOneKeepsADimension)
{
    ProbeWindow window;
    ASSERT_NE(window.VxCreate(nullptr, L"framed", WS_OVERLAPPEDWINDOW, 0, 50, 50, 300, 200), nullptr);
    window.ResizeClient(240, 130);
    RECT client = {};
    GetClientRect(window.GetHWND(), &client);
    EXPECT_EQ(client.right, 240);
    EXPECT_EQ(client.bottom, 130);
    window.ResizeClient(-1, 90);
    GetClientRect(window.GetHWND(), &client);
    EXPECT_EQ(client.right, 240);
    EXPECT_EQ(client.bottom, 90);
    DestroyWindow(window.GetHWND());
}

TEST_F(WindowWnd, CenterWindowOnTheOwnerOrTheWorkAreaAndKeepsInsideIt)
{
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ProbeWindow owner;
    ASSERT_NE(owner.VxCreate(nullptr, L"owner", WS_POPUP | WS_VISIBLE, 0, 200, 100, 600, 400), nullptr);
    ProbeWindow dialog;
    ASSERT_NE(CreatePopup(dialog, owner.GetHWND(), 200, 100), nullptr);
    RECT placed = {};

    dialog.CenterWindow();
    GetWindowRect(dialog.GetHWND(), &placed);
    EXPECT_EQ(placed.left, 500 - 100);
    EXPECT_EQ(placed.top, 300 - 50);

    // A reference partly off screen: the dialog stays inside the work area.
    SetWindowPos(owner.GetHWND(), nullptr, work.left - 500, work.top - 350, 600, 400, SWP_NOZORDER);
    dialog.CenterWindow();
    GetWindowRect(dialog.GetHWND(), &placed);
    EXPECT_EQ(placed.left, work.left);
    EXPECT_EQ(placed.top, work.top);

    // A minimised owner does not count: the work area's centre.
    ShowWindow(owner.GetHWND(), SW_MINIMIZE);
    dialog.CenterWindow();
    GetWindowRect(dialog.GetHWND(), &placed);
    EXPECT_EQ(placed.left, (work.left + work.right) / 2 - 100);
    EXPECT_EQ(placed.top, (work.top + work.bottom) / 2 - 50);
    DestroyWindow(dialog.GetHWND());
    DestroyWindow(owner.GetHWND());
}

TEST_F(WindowWnd, SetIconGivesTheWindowBigAndSmallIcons)
{
    ProbeWindow window;
    ASSERT_NE(CreatePopup(window), nullptr);
    window.VxSetIcon(kIconId);
    const auto big = reinterpret_cast<HICON>(SendMessageW(window.GetHWND(), WM_GETICON, ICON_BIG, 0));
    const auto little = reinterpret_cast<HICON>(SendMessageW(window.GetHWND(), WM_GETICON, ICON_SMALL, 0));
    ASSERT_NE(big, nullptr);
    ASSERT_NE(little, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(big, &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    // Again: the first pair is replaced (and freed), not leaked or freed while in use.
    window.VxSetIcon(kIconId);
    const auto again = reinterpret_cast<HICON>(SendMessageW(window.GetHWND(), WM_GETICON, ICON_BIG, 0));
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(GetIconInfo(again, &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    window.VxSetIcon(4242);  // no such resource
    EXPECT_EQ(SendMessageW(window.GetHWND(), WM_GETICON, ICON_BIG, 0), 0);
    DestroyWindow(window.GetHWND());
}

TEST_F(WindowWnd, ShowModalDisablesTheOwnerAndEndsWithClose)
{
    ProbeWindow owner;
    ASSERT_NE(owner.VxCreate(nullptr, L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 0, 400, 300), nullptr);
    ModalWindow dialog;
    ASSERT_NE(CreatePopup(dialog, owner.GetHWND()), nullptr);
    const HWND dialogWindow = dialog.GetHWND();
    dialog.onProbe = [&] { dialog.Close(IDCANCEL); };
    dialog.VxPostMessage(kProbe);

    EXPECT_EQ(dialog.ShowModal(), UINT(IDCANCEL));
    EXPECT_FALSE(dialog.guardFired);
    EXPECT_FALSE(dialog.ownerEnabledInside);
    EXPECT_TRUE(IsWindowEnabled(owner.GetHWND()));
    EXPECT_FALSE(IsWindow(dialogWindow));
    EXPECT_EQ(dialog.finalWindow, dialogWindow);
    DestroyWindow(owner.GetHWND());
}

TEST_F(WindowWnd, QuitEndsShowModalAndIsPostedAgainForTheOuterLoop)
{
    ProbeWindow owner;
    ASSERT_NE(owner.VxCreate(nullptr, L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 0, 400, 300), nullptr);
    ModalWindow dialog;
    ASSERT_NE(CreatePopup(dialog, owner.GetHWND()), nullptr);
    dialog.onProbe = [] { PostQuitMessage(7); };
    dialog.VxPostMessage(kProbe);

    EXPECT_EQ(dialog.ShowModal(), 0u);
    EXPECT_FALSE(dialog.guardFired);
    EXPECT_TRUE(IsWindow(dialog.GetHWND()));  // a quit ends the loop, not the window
    EXPECT_TRUE(IsWindowEnabled(owner.GetHWND()));
    // The outer loop sees the same quit.
    MSG message = {};
    EXPECT_EQ(GetMessageW(&message, nullptr, 0, 0), 0);
    EXPECT_EQ(message.wParam, 7u);
    DestroyWindow(dialog.GetHWND());
    DestroyWindow(owner.GetHWND());
}

TEST_F(WindowWnd, CloseOfAnUnrelatedWindowAlsoClosesTheModalWindow)
{
    ProbeWindow other;
    ASSERT_NE(other.VxCreate(nullptr, L"other", WS_POPUP, 0, 0, 0, 100, 100), nullptr);
    ModalWindow dialog;
    ASSERT_NE(CreatePopup(dialog), nullptr);
    dialog.onProbe = [&] { other.VxPostMessage(WM_CLOSE); };
    dialog.VxPostMessage(kProbe);

    EXPECT_EQ(dialog.ShowModal(), UINT(IDOK));
    EXPECT_FALSE(dialog.guardFired);
    EXPECT_EQ(dialog.GetHWND(), nullptr);
    EXPECT_EQ(other.GetHWND(), nullptr);  // its own WM_CLOSE was dispatched too
}

// A close of the owner inside the modal loop would destroy it, and an application window deletes
// itself then, under the frames that run the loop.
TEST_F(WindowWnd, CloseRequestForTheOwnerEndsTheModalWindowAndReachesTheOwnerAfterTheLoop)
{
    for (const MSG request : {MSG{nullptr, WM_CLOSE, 0, 0}, MSG{nullptr, WM_SYSCOMMAND, SC_CLOSE, 0}}) {
        ProbeWindow owner;
        ASSERT_NE(owner.VxCreate(nullptr, L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 0, 400, 300), nullptr);
        ModalWindow dialog;
        ASSERT_NE(CreatePopup(dialog, owner.GetHWND()), nullptr);
        dialog.onProbe = [&] { owner.VxSendMessage(request.message, request.wParam, request.lParam); };
        dialog.VxPostMessage(kProbe);

        EXPECT_EQ(dialog.ShowModal(), UINT(IDCANCEL)) << request.message;
        EXPECT_FALSE(dialog.guardFired);
        EXPECT_EQ(dialog.GetHWND(), nullptr);
        ASSERT_TRUE(IsWindow(owner.GetHWND())) << "not closed inside the loop";
        MSG message = {};
        ASSERT_TRUE(PeekMessageW(&message, owner.GetHWND(), 0, 0, PM_REMOVE));
        EXPECT_EQ(message.message, request.message);
        EXPECT_EQ(message.wParam, request.wParam);
        DestroyWindow(owner.GetHWND());
    }
}

TEST_F(WindowWnd, AltF4OnTheModalWindowEnablesTheOwnerBeforeTheWindowGoes)
{
    ProbeWindow owner;
    ASSERT_NE(owner.VxCreate(nullptr, L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 0, 400, 300), nullptr);
    ModalWindow dialog;
    ASSERT_NE(dialog.VxCreate(owner.GetHWND(), L"modal", WS_POPUP | WS_SYSMENU, 0, 0, 0, 100, 100), nullptr);
    dialog.onProbe = [&] { dialog.VxSendMessage(WM_SYSCOMMAND, SC_CLOSE); };
    dialog.VxPostMessage(kProbe);

    dialog.ShowModal();
    EXPECT_FALSE(dialog.guardFired);
    EXPECT_FALSE(dialog.ownerEnabledInside);
    EXPECT_TRUE(dialog.ownerEnabledAtDestroy);
    DestroyWindow(owner.GetHWND());
}

TEST(MessageLoop, DispatchesUntilQuit)
{
    VxLoadResource::Instance().SetResourceInstance(GetModuleHandleW(nullptr));
    ProbeWindow window;
    ASSERT_NE(CreatePopup(window), nullptr);
    window.VxPostMessage(kProbe, 1);
    PostQuitMessage(0);
    VxPaintManager::MessageLoop();
    EXPECT_TRUE(window.Saw(kProbe));
    DestroyWindow(window.GetHWND());
}
