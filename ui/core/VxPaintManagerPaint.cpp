// Double-buffered painting with lazy layout, and the redraw of layered windows.

#include <algorithm>
#include <unordered_set>

#include "DibSection.h"
#include "LayeredAlpha.h"
#include "VxControl.h"
#include "VxDefines.h"
#include "VxPaintManager.h"

namespace VXM {
namespace {

VxControl* FindUpdateNeeded(VxControl* control, void*)
{
    return control->IsUpdateNeeded() ? control : nullptr;
}

SIZE SizeOf(const RECT& rect)
{
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

// The buffer is kept between paints and made anew only for a new size.
bool VxPaintManager::PrepareOffscreen(SIZE size)
{
    if (size.cx <= 0 || size.cy <= 0)
        return false;
    if (offscreenBitmap_ && offscreenDC_ && size.cx == offscreenSize_.cx && size.cy == offscreenSize_.cy)
        return true;
    offscreenBitmap_.Reset();
    offscreenBits_ = nullptr;
    offscreenDC_.Reset(CreateCompatibleDC(paintDC_));
    offscreenBitmap_ = CreateTopDownDib(size.cx, size.cy, &offscreenBits_);
    offscreenSize_ = offscreenBitmap_ ? size : SIZE{};
    return offscreenDC_ && offscreenBitmap_;
}

void VxPaintManager::RunPendingLayout(const RECT& client)
{
    if (fullLayoutNeeded_) {
        fullLayoutNeeded_ = false;
        if (root_) {
            root_->SetPos(client);
            SendNotify(root_, kNotifyLayout);
        }
    }
    if (focusNeeded_)
        SetNextTabControl(true);
    if (firstLayout_ && root_) {
        firstLayout_ = false;
        SendNotify(root_, kNotifyWindowInit);
    }
    if (layoutNeeded_) {
        LayOutUpdateNeeded();
        // Requests made by the layouts themselves were served by the same walk. Left set, the
        // flag would say "layout pending" with no paint on its way to run it.
        layoutNeeded_ = false;
    }
}

void VxPaintManager::LayOutUpdateNeeded()
{
    // A control whose SetPos leaves its flag set would be found forever: each is laid out once.
    std::unordered_set<VxControl*> done;
    while (root_) {
        VxControl* control = root_->FindControl(FindUpdateNeeded, nullptr, kFindVisible | kFindMeFirst);
        if (!control || !done.insert(control).second)
            break;
        control->SetPos(control->GetPos());
    }
}

bool VxPaintManager::OnPaint(UINT, WPARAM, LPARAM, LRESULT&)
{
    if (layered_) {
        UpdateLayeredWindow(layeredAlpha_);
        ValidateRect(window_, nullptr);
        return true;
    }
    RECT update = {};
    if (!GetUpdateRect(window_, &update, FALSE))
        return true;
    RECT client = {};
    GetClientRect(window_, &client);
    const bool buffered = PrepareOffscreen(SizeOf(client));
    RunPendingLayout(client);

    PAINTSTRUCT paint = {};
    const HDC windowDC = BeginPaint(window_, &paint);
    if (buffered && root_ && windowDC) {
        const RECT& area = paint.rcPaint;
        SelectGuard select(offscreenDC_.Get(), offscreenBitmap_.Get());
        root_->DoPaint(offscreenDC_.Get(), area);
        BitBlt(windowDC, area.left, area.top, area.right - area.left, area.bottom - area.top, offscreenDC_.Get(),
               area.left, area.top, SRCCOPY);
    }
    EndPaint(window_, &paint);
    return true;
}

bool VxPaintManager::OnPrintClient(UINT, WPARAM wParam, LPARAM, LRESULT&)
{
    const HDC target = reinterpret_cast<HDC>(wParam);
    RECT client = {};
    GetClientRect(window_, &client);
    if (!target || !PrepareOffscreen(SizeOf(client)))
        return true;
    RunPendingLayout(client);
    if (!root_)
        return true;
    SelectGuard select(offscreenDC_.Get(), offscreenBitmap_.Get());
    root_->DoPaint(offscreenDC_.Get(), client);
    BitBlt(target, 0, 0, client.right, client.bottom, offscreenDC_.Get(), 0, 0, SRCCOPY);
    return true;
}

void VxPaintManager::UpdateLayeredWindow(int alpha)
{
    RECT client = {};
    GetClientRect(window_, &client);
    SIZE size = SizeOf(client);
    if (!PrepareOffscreen(size))
        return;
    // Controls blend onto what is there: the buffer starts fully transparent on every redraw.
    std::fill_n(offscreenBits_, size_t(size.cx) * size_t(size.cy), 0u);
    RunPendingLayout(client);
    const LONG exStyle = GetWindowLongW(window_, GWL_EXSTYLE);
    if (!(exStyle & WS_EX_LAYERED))
        SetWindowLongW(window_, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    if (!root_)
        return;
    SelectGuard select(offscreenDC_.Get(), offscreenBitmap_.Get());
    root_->DoPaint(offscreenDC_.Get(), client);
    RECT windowRect = {};
    GetWindowRect(window_, &windowRect);
    POINT position = {windowRect.left, windowRect.top};
    POINT source = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, LayeredSourceAlpha(alpha), AC_SRC_ALPHA};
    ::UpdateLayeredWindow(window_, paintDC_, &position, &size, offscreenDC_.Get(), &source, 0,
                          &blend, ULW_ALPHA);
}

}  // namespace VXM
