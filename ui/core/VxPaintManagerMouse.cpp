// Mouse input: hit-testing, hover and leave tracking, tooltips, capture, clicks and the wheel.

#include <windowsx.h>

#include "VxControl.h"
#include "VxDefines.h"
#include "VxEventDelivery.h"
#include "VxLoadResource.h"
#include "VxPaintManager.h"
#include "WindowPlacement.h"

namespace VXM {
namespace {

constexpr int kTooltipMaxWidth = 300;

VxControl* AcceptAny(VxControl* control, void*)
{
    return control;
}

VxControl* MatchWindow(VxControl* control, void* window)
{
    return control->GetWnd() == static_cast<HWND>(window) ? control : nullptr;
}

POINT ClientPoint(LPARAM lParam)
{
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

POINT ScreenToClientPoint(HWND window, LPARAM lParam)
{
    POINT point = ClientPoint(lParam);
    ScreenToClient(window, &point);
    return point;
}

// The part of a control that counts for hovering: its rectangle shrunk by its hover cut.
bool InHoverArea(const VxControl* control, POINT point)
{
    const RECT area = ShrinkRect(control->GetPos(), control->GetHoverCut());
    return PtInRect(&area, point) != FALSE;
}

void Track(HWND window, DWORD flags, DWORD hoverTime = HOVER_DEFAULT)
{
    TRACKMOUSEEVENT track = {sizeof(track), flags, window, hoverTime};
    TrackMouseEvent(&track);
}

}  // namespace

VxControl* VxPaintManager::FindControl(POINT point) const
{
    if (!root_)
        return nullptr;
    return root_->FindControl(AcceptAny, &point, kFindVisible | kFindHitTest | kFindTopFirst);
}

VxControl* VxPaintManager::FindControl(HWND window) const
{
    if (!root_ || !window)
        return nullptr;
    return root_->FindControl(MatchWindow, window, kFindVisible | kFindTopFirst);
}

VxControl* VxPaintManager::FindOwnControl(POINT point) const
{
    VxControl* control = FindControl(point);
    return control && control->GetManager() == this ? control : nullptr;
}

bool VxPaintManager::OnSetCursor(UINT, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (LOWORD(lParam) != HTCLIENT)
        return false;
    result = TRUE;
    if (captured_)
        return true;
    POINT point = {};
    GetCursorPos(&point);
    ScreenToClient(window_, &point);
    VxControl* control = FindOwnControl(point);
    if (!control || !control->GetControlFlags(kFlagSetCursor))
        return false;
    DeliverEvent(control, kEventSetCursor, point,
                 {.keyState = MapKeyState(), .wParam = wParam, .lParam = lParam});
    return true;
}

bool VxPaintManager::OnMouseMove(UINT, WPARAM wParam, LPARAM lParam, LRESULT&)
{
    const POINT point = ClientPoint(lParam);
    lastMouse_ = point;
    VxControl* control = FindControl(point);
    if (control && control->GetManager() != this)
        return false;
    VxControl* previous = hover_;
    if (hover_ && control != hover_) {
        DeliverEvent(hover_, kEventMouseLeave, point, {.sender = control});
        previous = hover_;  // null when the leave handler destroyed it
        hover_ = nullptr;
        HideTooltip();
        hoverTracking_ = false;
        control = FindOwnControl(point);  // the leave handler may have changed the tree
    } else if (hover_ && hover_->IsHasBeenHover()) {
        hoverTracking_ = false;  // so that it hovers again while the mouse rests on it
    }
    const bool captureHeld = (leftClick_ && leftClick_->IsCapture()) || (rightClick_ && rightClick_->IsCapture());
    if (control && control != hover_ && !captureHeld) {
        hover_ = control;
        DeliverEvent(hover_, kEventMouseEnter, point, {.sender = previous});
    }
    const VxEventFields fields = {.keyState = LOWORD(wParam), .wParam = wParam, .lParam = lParam};
    if (leftClick_)
        DeliverEvent(leftClick_, kEventMouseMove, point, fields);
    else
        DeliverEvent(FindOwnControl(point), kEventMouseMove, point, fields);
    DeliverEvent(rightClick_, kEventMouseMove, point, fields);
    if (!hoverTracking_)
        ArmMouseTracking(point);
    return false;
}

void VxPaintManager::ArmMouseTracking(POINT point)
{
    VxControl* control = hover_;
    tooltipHover_ = control;
    hoverTracking_ = true;
    const int delay = control ? control->GetTooltipDelayTime() : 0;
    if (delay > 0 && InHoverArea(control, point))
        Track(window_, TME_LEAVE | TME_HOVER, DWORD(delay));
    else
        Track(window_, TME_LEAVE);
}

bool VxPaintManager::OnMouseHover(UINT, WPARAM wParam, LPARAM lParam, LRESULT&)
{
    const POINT point = ClientPoint(lParam);
    VxControl* control = FindOwnControl(point);
    if (!control || control != tooltipHover_ || !InHoverArea(control, point))
        return false;
    DeliverEvent(hover_, kEventMouseHover, point, {.keyState = LOWORD(wParam), .wParam = wParam, .lParam = lParam});
    // The hover handler may have destroyed it.
    if (FindOwnControl(point) == control && !control->GetTooltip().empty() && !control->IsCustomTooltip())
        ShowTooltip(control);
    return true;
}

void VxPaintManager::ShowTooltip(VxControl* control)
{
    const HINSTANCE instance = VxLoadResource::Instance().GetResourceInstance();
    if (!tooltipWindow_) {
        INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_BAR_CLASSES};
        InitCommonControlsEx(&classes);
        tooltipWindow_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                         instance, nullptr);
        if (!tooltipWindow_)
            return;
        toolInfo_ = {TTTOOLINFOW_V2_SIZE, TTF_IDISHWND, window_, reinterpret_cast<UINT_PTR>(window_)};
        toolInfo_.hinst = instance;
        SendMessageW(tooltipWindow_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&toolInfo_));
        SendMessageW(tooltipWindow_, TTM_SETMAXTIPWIDTH, 0, kTooltipMaxWidth);
    }
    // The tool record points at the control's text only while the message is sent.
    toolInfo_.lpszText = const_cast<wchar_t*>(control->GetTooltip().c_str());
    toolInfo_.rect = control->GetPos();
    SendMessageW(tooltipWindow_, TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&toolInfo_));
    toolInfo_.lpszText = nullptr;
    SendMessageW(tooltipWindow_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&toolInfo_));
    currentTooltip_ = tooltipWindow_;
}

void VxPaintManager::HideTooltip()
{
    if (tooltipWindow_)
        SendMessageW(tooltipWindow_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&toolInfo_));
    currentTooltip_ = nullptr;
}

bool VxPaintManager::OnMouseLeave(UINT, WPARAM, LPARAM, LRESULT&)
{
    const LPARAM outside = MAKELPARAM(-1, -1);
    HideTooltip();
    if (hoverTracking_)
        SendMessageW(window_, WM_MOUSEMOVE, 0, outside);
    if (leftClick_)
        SendMessageW(window_, WM_LBUTTONUP, 0, outside);
    if (rightClick_)
        SendMessageW(window_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window_), outside);
    hoverTracking_ = false;
    return false;
}

bool VxPaintManager::OnNcMouseMove(UINT, WPARAM, LPARAM, LRESULT&)
{
    if (!nonClientTracking_) {
        Track(window_, TME_LEAVE | TME_NONCLIENT);
        nonClientTracking_ = true;
    }
    return false;
}

bool VxPaintManager::OnNcMouseLeave(UINT, WPARAM, LPARAM, LRESULT&)
{
    if (nonClientTracking_)
        SendMessageW(window_, WM_NCMOUSEMOVE, 0, -1);
    nonClientTracking_ = false;
    return false;
}

bool VxPaintManager::OnLButtonDown(UINT, WPARAM wParam, LPARAM lParam, LRESULT&)
{
    if (drawTabFocusBorder_ && !alwaysDrawTabFocusBorder_) {
        drawTabFocusBorder_ = false;
        Invalidate();
    }
    ::SetFocus(window_);
    const POINT point = ClientPoint(lParam);
    lastMouse_ = point;
    VxControl* control = FindOwnControl(point);
    if (!control)
        return false;
    leftClick_ = control;
    if (control->GetControlFlags(kFlagFocusable))
        SetFocus(control, true);
    SetCapture();
    // Read again: a focus handler may have destroyed the control.
    DeliverEvent(leftClick_, kEventLButtonDown, point,
                 {.keyState = LOWORD(wParam), .wParam = wParam, .lParam = lParam});
    return false;
}

bool VxPaintManager::OnLButtonDblClk(UINT, WPARAM wParam, LPARAM lParam, LRESULT&)
{
    ::SetFocus(window_);
    const POINT point = ClientPoint(lParam);
    lastMouse_ = point;
    VxControl* control = FindOwnControl(point);
    if (!control)
        return false;
    SetCapture();
    leftClick_ = control;
    DeliverEvent(leftClick_, kEventLButtonDblClk, point,
                 {.keyState = LOWORD(wParam), .wParam = wParam, .lParam = lParam});
    return false;
}

bool VxPaintManager::OnLButtonUp(UINT, WPARAM wParam, LPARAM lParam, LRESULT&)
{
    const POINT point = ClientPoint(lParam);
    lastMouse_ = point;
    // Also when the pressed control was destroyed meanwhile, unless the right button holds it.
    if (!dropDrag_ && (leftClick_ || (captured_ && !rightClick_)))
        ReleaseCapture();
    if (!leftClick_)
        return false;
    DeliverEvent(std::exchange(leftClick_, nullptr), kEventLButtonUp, point,
                 {.keyState = LOWORD(wParam), .wParam = wParam, .lParam = lParam});
    return false;
}

bool VxPaintManager::OnRButtonDown(UINT, WPARAM wParam, LPARAM lParam, LRESULT&)
{
    ::SetFocus(window_);
    const POINT point = ClientPoint(lParam);
    lastMouse_ = point;
    VxControl* control = FindOwnControl(point);
    if (!control)
        return false;
    rightClick_ = control;
    SetFocus(control, true);
    SetCapture();
    DeliverEvent(rightClick_, kEventRButtonDown, point,
                 {.keyState = LOWORD(wParam), .wParam = wParam, .lParam = lParam});
    return false;
}

bool VxPaintManager::OnContextMenu(UINT, WPARAM wParam, LPARAM lParam, LRESULT&)
{
    const POINT point = ScreenToClientPoint(window_, lParam);
    lastMouse_ = point;
    if (!rightClick_)
        return false;
    ReleaseCapture();
    VxControl* control = std::exchange(rightClick_, nullptr);
    DeliverEvent(control, kEventContextMenu, point,
                 {.wParam = wParam, .lParam = reinterpret_cast<LPARAM>(control)});
    return false;
}

bool VxPaintManager::OnMouseWheel(UINT, WPARAM wParam, LPARAM lParam, LRESULT&)
{
    const POINT point = ScreenToClientPoint(window_, lParam);
    lastMouse_ = point;
    VxControl* control = FindOwnControl(point);
    if (!control)
        return false;
    const WPARAM towardsUser = GET_WHEEL_DELTA_WPARAM(wParam) < 0 ? 1 : 0;
    DeliverEvent(control, kEventMouseWheel, point,
                 {.keyState = MapKeyState(), .wParam = towardsUser, .lParam = lParam});
    SendMessageW(window_, WM_MOUSEMOVE, 0, MAKELPARAM(lastMouse_.x, lastMouse_.y));
    return false;
}

}  // namespace VXM
