#include "CoreTestSupport.h"

namespace {

constexpr wchar_t kClassName[] = L"ZentariumCoreTestWindow";

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* owner = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_TIMER && owner && owner->onTimer) {
        owner->onTimer(wParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterTestClass()
{
    static const bool registered = [] {
        WNDCLASSEXW windowClass = {sizeof(windowClass)};
        windowClass.lpfnWndProc = TestWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

}  // namespace

TestWindow::TestWindow()
{
    RegisterTestClass();
    window_ = CreateWindowExW(0, kClassName, L"core test", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TestWindow::~TestWindow()
{
    if (window_)
        DestroyWindow(window_);
}

void PumpMessages(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

void NotifyLog::Notify(VXM::VxNotify& notify)
{
    entries.push_back({notify.type, notify.sender, notify.timestamp, notify.mouse, notify.wParam});
    if (onNotify)
        onNotify();
}

int NotifyLog::Count(UINT type) const
{
    int count = 0;
    for (const Entry& entry : entries)
        count += entry.type == type ? 1 : 0;
    return count;
}

VXM::VxEventUI MakeEvent(UINT type, POINT mouse, VXM::VxControl* sender)
{
    VXM::VxEventUI event;
    event.type = type;
    event.sender = sender;
    event.mouse = mouse;
    event.timestamp = GetTickCount();
    return event;
}
