// The paint manager's message dispatch, and the messages that belong to no larger concern:
// background erasing, reflection to child windows, timers and the delayed clean-up.

#include <algorithm>
#include <vector>

#include "VxControl.h"
#include "VxDefines.h"
#include "VxEventDelivery.h"
#include "VxPaintManager.h"

namespace VXM {
namespace {

// Reflected messages reach the child window as message + this (the OCM_ range).
constexpr UINT kReflectBase = 0x2000;

}  // namespace

bool VxPaintManager::MessageHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (!window_)
        return false;
    for (size_t i = 0; i < messageFilters_.size(); ++i) {
        bool handled = false;
        const LRESULT filtered = messageFilters_[i]->MessageHandler(message, wParam, lParam, handled);
        if (handled) {
            result = filtered;
            return true;
        }
    }

    using Handler = bool (VxPaintManager::*)(UINT, WPARAM, LPARAM, LRESULT&);
    struct Route {
        UINT message;
        Handler handler;
    };
    static constexpr Route kRoutes[] = {
        {WM_SIZE, &VxPaintManager::OnSize},
        {WM_ERASEBKGND, &VxPaintManager::OnEraseBackground},
        {WM_PAINT, &VxPaintManager::OnPaint},
        {WM_PRINTCLIENT, &VxPaintManager::OnPrintClient},
        {WM_SETCURSOR, &VxPaintManager::OnSetCursor},
        {WM_NCHITTEST, &VxPaintManager::OnNcHitTest},
        {WM_GETMINMAXINFO, &VxPaintManager::OnGetMinMaxInfo},
        {WM_CLOSE, &VxPaintManager::OnClose},
        {WM_KILLFOCUS, &VxPaintManager::OnKillFocus},
        {WM_MOUSEMOVE, &VxPaintManager::OnMouseMove},
        {WM_MOUSEHOVER, &VxPaintManager::OnMouseHover},
        {WM_MOUSELEAVE, &VxPaintManager::OnMouseLeave},
        {WM_NCMOUSEMOVE, &VxPaintManager::OnNcMouseMove},
        {WM_NCMOUSELEAVE, &VxPaintManager::OnNcMouseLeave},
        {WM_LBUTTONDOWN, &VxPaintManager::OnLButtonDown},
        {WM_LBUTTONDBLCLK, &VxPaintManager::OnLButtonDblClk},
        {WM_LBUTTONUP, &VxPaintManager::OnLButtonUp},
        {WM_RBUTTONDOWN, &VxPaintManager::OnRButtonDown},
        {WM_CONTEXTMENU, &VxPaintManager::OnContextMenu},
        {WM_MOUSEWHEEL, &VxPaintManager::OnMouseWheel},
        {WM_KEYDOWN, &VxPaintManager::OnKeyDown},
        {WM_KEYUP, &VxPaintManager::OnKeyUp},
        {WM_CHAR, &VxPaintManager::OnChar},
        {WM_COMMAND, &VxPaintManager::OnReflect},
        {WM_CTLCOLOREDIT, &VxPaintManager::OnReflect},
        {WM_TIMER, &VxPaintManager::OnTimer},
        {kMessageDelayedCleanup, &VxPaintManager::OnDelayedCleanup},
    };
    const auto route = std::find_if(std::begin(kRoutes), std::end(kRoutes),
                                    [message](const Route& entry) { return entry.message == message; });
    return route != std::end(kRoutes) && (this->*route->handler)(message, wParam, lParam, result);
}

bool VxPaintManager::OnEraseBackground(UINT, WPARAM, LPARAM, LRESULT& result)
{
    result = 1;  // everything is painted by WM_PAINT; erasing would only flicker
    return true;
}

bool VxPaintManager::OnReflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const HWND child = reinterpret_cast<HWND>(lParam);
    if (!child || !IsWindow(child))
        return false;
    result = SendMessageW(child, message + kReflectBase, wParam, lParam);
    return true;
}

bool VxPaintManager::OnTimer(UINT, WPARAM wParam, LPARAM, LRESULT&)
{
    animations_.OnTimer(wParam);
    const UINT localId = LOWORD(wParam);
    struct Due {
        VxControl* control;
        UINT key;
    };
    std::vector<Due> due;
    for (const TimerRecord& timer : timers_) {
        if (timer.control && timer.window == window_ && timer.localId == localId)
            due.push_back({timer.control, timer.key});
    }
    // A timer event may kill timers or destroy controls: each record is looked up again first.
    for (const Due& entry : due) {
        const bool stillArmed = std::any_of(timers_.begin(), timers_.end(), [&](const TimerRecord& timer) {
            return timer.control == entry.control && timer.key == entry.key && timer.localId == localId;
        });
        if (stillArmed)
            DeliverEvent(entry.control, kEventTimer, lastMouse_, {.wParam = entry.key});
    }
    return false;
}

bool VxPaintManager::OnDelayedCleanup(UINT, WPARAM, LPARAM, LRESULT&)
{
    RunDelayedCleanup();
    return false;
}

}  // namespace VXM
