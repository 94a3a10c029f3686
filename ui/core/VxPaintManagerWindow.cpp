// The paint manager's side of the window frame: the window shape, resize borders and caption
// band, tracking sizes, and the release of pointer states when the window closes.

#include <windowsx.h>

#include "NonClientHitTest.h"
#include "RoundCornerRegion.h"
#include "VxControl.h"
#include "VxDefines.h"
#include "VxEventDelivery.h"
#include "VxPaintManager.h"
#include "VxRenderUtils.h"
#include "WindowPlacement.h"

namespace VXM {
namespace {

// Hands a region to the window, which owns it from then on.
void SetRegion(HWND window, GdiRegion region)
{
    if (region && SetWindowRgn(window, region.Get(), TRUE))
        region.Detach();
}

GdiRegion CopyRegion(HRGN source)
{
    GdiRegion copy(CreateRectRgn(0, 0, 0, 0));
    if (copy && CombineRgn(copy.Get(), source, nullptr, RGN_COPY) == ERROR)
        copy.Reset();
    return copy;
}

}  // namespace

bool VxPaintManager::OnSize(UINT, WPARAM wParam, LPARAM, LRESULT&)
{
    if (wParam == SIZE_MINIMIZED || IsIconic(window_))
        return true;
    RECT client = {};
    GetClientRect(window_, &client);
    const SIZE size = {client.right - client.left, client.bottom - client.top};
    if (!roundCornerImage_.empty()) {
        // The window owns what SetWindowRgn gets, so it receives a copy of the cached shape.
        if (!roundCornerRegion_ || size.cx != roundCornerRegionSize_.cx || size.cy != roundCornerRegionSize_.cy) {
            roundCornerRegion_ = VxRenderUtils::GetRoundCornerRgn(roundCornerImage_, size.cx, size.cy);
            roundCornerRegionSize_ = size;
        }
        if (roundCornerRegion_)
            SetRegion(window_, CopyRegion(roundCornerRegion_.Get()));
    } else if (const auto shape = RoundCornerShapeOf(client, roundCorner_)) {
        SetRegion(window_, MakeRegion(*shape));
        lastShapeRound_ = true;
    } else if (lastShapeRound_) {
        SetRegion(window_, GdiRegion(CreateRectRgnIndirect(&client)));
        lastShapeRound_ = false;
    }
    // Also after a resize shaped by an image: the buffer and the layout follow the new size.
    // A shrinking window has nothing invalid, so the paint that does the layout is asked for.
    fullLayoutNeeded_ = true;
    ::InvalidateRect(window_, nullptr, FALSE);
    return true;
}

bool VxPaintManager::OnNcHitTest(UINT, WPARAM, LPARAM lParam, LRESULT& result)
{
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(window_, &point);
    RECT client = {};
    GetClientRect(window_, &client);
    if (!IsZoomed(window_)) {
        const LRESULT border = SizeBoxHitTest(client, sizeBox_, sizeBoxRounder_, point);
        if (border != HTNOWHERE) {
            result = border;
            return true;
        }
    }
    if (!InCaptionBand(client, caption_, point))
        return false;
    VxControl* control = FindOwnControl(point);
    if (!control || !control->IsCaption())
        return false;
    result = HTCAPTION;
    return true;
}

bool VxPaintManager::OnGetMinMaxInfo(UINT, WPARAM, LPARAM lParam, LRESULT&)
{
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    MONITORINFO monitor = {sizeof(monitor)};
    if (!info || !GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor))
        return false;
    ApplyTrackingSizes(*info, minWindow_, maxWindow_, monitor.rcWork,
                       {GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME)});
    return false;
}

bool VxPaintManager::OnClose(UINT, WPARAM, LPARAM, LRESULT&)
{
    // Each pointer is read again after every event: a handler may destroy (and so reap) controls.
    DeliverEvent(std::exchange(hover_, nullptr), kEventMouseLeave, lastMouse_, {.sender = nullptr});
    DeliverEvent(std::exchange(leftClick_, nullptr), kEventLButtonUp, lastMouse_);
    DeliverEvent(std::exchange(rightClick_, nullptr), kEventContextMenu, lastMouse_);
    SetFocus(nullptr, true);
    if (const HWND owner = GetWindow(window_, GW_OWNER))
        ::SetFocus(owner);
    return false;
}

}  // namespace VXM
