#include "VxWindowImplBase.h"

#include <algorithm>
#include <iterator>

#include "VxDefines.h"

namespace VXM {
namespace {

LRESULT NotHandled(bool& handled)
{
    handled = false;
    return 0;
}

}  // namespace

VxWindowImplBase::~VxWindowImplBase()
{
    Unbind();
}

LRESULT VxWindowImplBase::VxHandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    using Handler = LRESULT (VxWindowImplBase::*)(UINT, WPARAM, LPARAM, bool&);
    struct Route {
        UINT message;
        Handler handler;
    };
    static constexpr Route kRoutes[] = {
        {WM_CREATE, &VxWindowImplBase::VxOnCreate},
        {WM_DESTROY, &VxWindowImplBase::VxOnDestroy},
        {WM_MOVE, &VxWindowImplBase::VxOnMove},
        {WM_SIZE, &VxWindowImplBase::VxOnSize},
        {WM_SETFOCUS, &VxWindowImplBase::VxOnSetFocus},
        {WM_KILLFOCUS, &VxWindowImplBase::VxOnKillFocus},
        {WM_CLOSE, &VxWindowImplBase::VxOnClose},
        {WM_GETMINMAXINFO, &VxWindowImplBase::VxOnGetMinMaxInfo},
        {WM_WINDOWPOSCHANGED, &VxWindowImplBase::VxOnWindowPosChanged},
        {WM_COPYDATA, &VxWindowImplBase::VxOnCopyData},
        {WM_NOTIFY, &VxWindowImplBase::VxOnNotify},
        {WM_NCCALCSIZE, &VxWindowImplBase::VxOnNcCalcSize},
        {WM_NCHITTEST, &VxWindowImplBase::VxOnNcHitTest},
        {WM_NCPAINT, &VxWindowImplBase::VxOnNcPaint},
        {WM_NCACTIVATE, &VxWindowImplBase::VxOnNcActivate},
        {WM_NCMOUSEMOVE, &VxWindowImplBase::VxOnNcMouseMove},
        {WM_NCMOUSELEAVE, &VxWindowImplBase::VxOnNcMouseLeave},
        {WM_KEYDOWN, &VxWindowImplBase::VxOnKeyDown},
        {WM_KEYUP, &VxWindowImplBase::VxOnKeyUp},
        {WM_CHAR, &VxWindowImplBase::VxOnChar},
        {WM_COMMAND, &VxWindowImplBase::VxOnCommand},
        {WM_SYSCOMMAND, &VxWindowImplBase::VxOnSysCommand},
        {WM_TIMER, &VxWindowImplBase::VxOnTimer},
        {WM_MOUSEMOVE, &VxWindowImplBase::VxOnMouseMove},
        {WM_LBUTTONDOWN, &VxWindowImplBase::VxOnLButtonDown},
        {WM_LBUTTONUP, &VxWindowImplBase::VxOnLButtonUp},
        {WM_MOUSEWHEEL, &VxWindowImplBase::VxOnMouseWheel},
        {WM_MOUSELEAVE, &VxWindowImplBase::VxOnMouseLeave},
        {kMessageUINotify, &VxWindowImplBase::VxOnUIMessage},
    };
    const auto route = std::find_if(std::begin(kRoutes), std::end(kRoutes),
                                    [message](const Route& entry) { return entry.message == message; });
    if (route != std::end(kRoutes)) {
        bool handled = true;
        const LRESULT result = (this->*route->handler)(message, wParam, lParam, handled);
        if (handled)
            return result;
    }
    LRESULT result = 0;
    if (paintManager_.MessageHandler(message, wParam, lParam, result))
        return result;
    return VxWindowWnd::VxHandleMessage(message, wParam, lParam);
}

LRESULT VxWindowImplBase::VxOnDestroy(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnCreate(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnCommand(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnNotify(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnNcActivate(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnNcCalcSize(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnNcPaint(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnNcHitTest(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnSysCommand(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnSize(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnMove(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnClose(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnGetMinMaxInfo(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnMouseWheel(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnKillFocus(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnSetFocus(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnLButtonUp(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnLButtonDown(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnMouseMove(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnMouseLeave(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnNcMouseMove(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnNcMouseLeave(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnTimer(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnChar(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnKeyUp(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnKeyDown(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnWindowPosChanged(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnUIMessage(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }
LRESULT VxWindowImplBase::VxOnCopyData(UINT, WPARAM, LPARAM, bool& handled) { return NotHandled(handled); }

}  // namespace VXM
