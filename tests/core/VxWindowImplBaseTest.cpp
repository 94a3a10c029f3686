#include "VxWindowImplBase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "VxDefines.h"
#include "VxLoadResource.h"

using namespace VXM;

namespace {

// Every handler records its name and leaves the message unhandled unless it is `keep`.
class RecordingWindow : public VxWindowImplBase {
public:
    const wchar_t* GetWindowClassName() const override { return L"ZentariumRecording_WND_CLASS"; }

    std::vector<std::string> calls;
    std::string keep;  // the handler that marks its message handled (result 99)
    WPARAM lastWParam = 0;
    LPARAM lastLParam = 0;

#define RECORD(Name)                                                          \
    LRESULT Name(UINT, WPARAM wParam, LPARAM lParam, bool& handled) override  \
    {                                                                         \
        calls.push_back(#Name);                                               \
        lastWParam = wParam;                                                  \
        lastLParam = lParam;                                                  \
        handled = keep == #Name;                                              \
        return handled ? 99 : 0;                                              \
    }
    RECORD(VxOnDestroy)
    RECORD(VxOnCreate)
    RECORD(VxOnCommand)
    RECORD(VxOnNotify)
    RECORD(VxOnNcActivate)
    RECORD(VxOnNcCalcSize)
    RECORD(VxOnNcPaint)
    RECORD(VxOnNcHitTest)
    RECORD(VxOnSysCommand)
    RECORD(VxOnSize)
    RECORD(VxOnMove)
    RECORD(VxOnClose)
    RECORD(VxOnGetMinMaxInfo)
    RECORD(VxOnMouseWheel)
    RECORD(VxOnKillFocus)
    RECORD(VxOnSetFocus)
    RECORD(VxOnLButtonUp)
    RECORD(VxOnLButtonDown)
    RECORD(VxOnMouseMove)
    RECORD(VxOnMouseLeave)
    RECORD(VxOnNcMouseMove)
    RECORD(VxOnNcMouseLeave)
    RECORD(VxOnTimer)
    RECORD(VxOnChar)
    RECORD(VxOnKeyUp)
    RECORD(VxOnKeyDown)
    RECORD(VxOnWindowPosChanged)
    RECORD(VxOnUIMessage)
    RECORD(VxOnCopyData)
#undef RECORD
};

class WindowImplBase : public ::testing::Test {
protected:
    void SetUp() override
    {
        VxLoadResource::Instance().SetResourceInstance(GetModuleHandleW(nullptr));
        ASSERT_TRUE(window.VxCreate(nullptr, L"recording", WS_POPUP, 0, 0, 0, 200, 100));
    }
    void TearDown() override
    {
        if (window.GetHWND())
            DestroyWindow(window.GetHWND());
        gui_test::PumpMessages();
    }

    RecordingWindow window;
};

}  // namespace

TEST_F(WindowImplBase, EachMessageReachesItsHandler)
{
    const struct {
        UINT message;
        const char* handler;
    } table[] = {
        {WM_MOVE, "VxOnMove"},           {WM_SIZE, "VxOnSize"},
        {WM_SETFOCUS, "VxOnSetFocus"},   {WM_KILLFOCUS, "VxOnKillFocus"},
        {WM_CLOSE, "VxOnClose"},         {WM_WINDOWPOSCHANGED, "VxOnWindowPosChanged"},
        {WM_COPYDATA, "VxOnCopyData"},   {WM_NOTIFY, "VxOnNotify"},
        {WM_NCHITTEST, "VxOnNcHitTest"}, {WM_NCPAINT, "VxOnNcPaint"},
        {WM_NCACTIVATE, "VxOnNcActivate"}, {WM_NCMOUSEMOVE, "VxOnNcMouseMove"},
        {WM_NCMOUSELEAVE, "VxOnNcMouseLeave"}, {WM_KEYDOWN, "VxOnKeyDown"},
        {WM_KEYUP, "VxOnKeyUp"},         {WM_CHAR, "VxOnChar"},
        {WM_COMMAND, "VxOnCommand"},     {WM_SYSCOMMAND, "VxOnSysCommand"},
        {WM_TIMER, "VxOnTimer"},         {WM_MOUSEMOVE, "VxOnMouseMove"},
        {WM_LBUTTONDOWN, "VxOnLButtonDown"}, {WM_LBUTTONUP, "VxOnLButtonUp"},
        {WM_MOUSEWHEEL, "VxOnMouseWheel"}, {WM_MOUSELEAVE, "VxOnMouseLeave"},
        {kMessageUINotify, "VxOnUIMessage"}, {WM_GETMINMAXINFO, "VxOnGetMinMaxInfo"},
    };
    for (const auto& row : table) {
        window.keep = row.handler;
        window.calls.clear();
        EXPECT_EQ(window.VxHandleMessage(row.message, 0, 0), 99) << row.handler;
        ASSERT_EQ(window.calls.size(), 1u) << row.handler;
        EXPECT_EQ(window.calls[0], row.handler);
    }
    // Creation ran VxOnCreate, and destruction runs VxOnDestroy.
    window.keep.clear();
    window.calls.clear();
    DestroyWindow(window.GetHWND());
    EXPECT_NE(std::find(window.calls.begin(), window.calls.end(), "VxOnDestroy"), window.calls.end());
}

TEST_F(WindowImplBase, UnhandledMessagesGoOnToTheManagerAndThePreviousProcedure)
{
    // Without a window the manager passes: the default procedure erases (no brush: 0).
    const ClientDC dc(window.GetHWND());
    EXPECT_EQ(SendMessageW(window.GetHWND(), WM_ERASEBKGND, WPARAM(dc.Get()), 0), 0);
    window.GetPaintManager().Init(window.GetHWND());
    EXPECT_EQ(SendMessageW(window.GetHWND(), WM_ERASEBKGND, WPARAM(dc.Get()), 0), 1);

    // VxOnClose leaves WM_CLOSE unhandled: the default procedure destroys the window.
    const HWND handle = window.GetHWND();
    SendMessageW(handle, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(window.GetHWND(), nullptr);
}

TEST_F(WindowImplBase, HandledMessagesStopAtTheHandler)
{
    window.keep = "VxOnClose";
    SendMessageW(window.GetHWND(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window.GetHWND()));
    // Text messages have no handler and reach the default procedure.
    SetWindowTextW(window.GetHWND(), L"title");
    wchar_t text[8] = {};
    GetWindowTextW(window.GetHWND(), text, 8);
    EXPECT_STREQ(text, L"title");
}

TEST_F(WindowImplBase, PostedNotificationArrivesAsUIMessage)
{
    window.GetPaintManager().Init(window.GetHWND());
    window.keep = "VxOnUIMessage";
    ASSERT_TRUE(window.GetPaintManager().PostNotify(12, 34));
    gui_test::PumpMessages();
    EXPECT_NE(std::find(window.calls.begin(), window.calls.end(), "VxOnUIMessage"), window.calls.end());
    EXPECT_EQ(window.lastWParam, 12u);
    EXPECT_EQ(window.lastLParam, 34);
}
