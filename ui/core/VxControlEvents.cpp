#include <iterator>

#include "VxControl.h"
#include "VxPaintManager.h"

namespace VXM {
namespace {

using Handler = void (VxControl::*)(VxEventUI&);

// Handler of each event type; the index is the type. 0 and 19 (activate) have none.
constexpr Handler kHandlers[] = {
    nullptr,
    &VxControl::OnKeyDown,
    &VxControl::OnKeyUp,
    &VxControl::OnChar,
    &VxControl::OnSysKeyDown,
    &VxControl::OnMouseMove,
    &VxControl::OnMouseLeave,
    &VxControl::OnMouseEnter,
    &VxControl::OnMouseHover,
    &VxControl::OnMouseWheel,
    &VxControl::OnLButtonDown,
    &VxControl::OnLButtonUp,
    &VxControl::OnRButtonDown,
    &VxControl::OnLButtonDblClk,
    &VxControl::OnContextMenu,
    &VxControl::OnKillFocus,
    &VxControl::OnSetFocus,
    &VxControl::OnSetCursor,
    &VxControl::OnTimer,
};

bool IsSelfOrAncestorOf(const VxControl* control, const VxControl* descendant)
{
    for (const VxControl* walk = descendant; walk; walk = walk->GetParent()) {
        if (walk == control)
            return true;
    }
    return false;
}

}  // namespace

void VxControl::Event(VxEventUI& event)
{
    if (event.type < std::size(kHandlers) && kHandlers[event.type])
        (this->*kHandlers[event.type])(event);
}

void VxControl::NotifyIfEnabled(UINT type, const VxEventUI& event)
{
    if (manager_ && GetControlNotify(static_cast<int>(type)))
        manager_->SendNotify(this, type, event.wParam, event.lParam);
}

void VxControl::Forward(VxEventUI& event, void (VxControl::*handler)(VxEventUI&))
{
    if (!parent_ || !GetControlDispatch(static_cast<int>(event.type)))
        return;
    if (!event.dispatcher)
        event.dispatcher = this;
    (parent_->*handler)(event);
}

void VxControl::OnMouseEnter(VxEventUI& event)
{
    if (!IsEnabled())
        return;
    if (PtInRect(&itemRect_, event.mouse) && !(state_ & kStateHot)) {
        state_ |= kStateHot;
        Invalidate();
    }
    if (GetControlFlags(kFlagEnterRollText) && manager_ && manager_->GetPaintWindow()) {
        VxAnimationManager& animations = manager_->GetAnimationManager();
        if (!animations.Has(this, kAnimationTextRoll))
            animations.Add(this, kAnimationTextRoll);
    }
    NotifyIfEnabled(kNotifyMouseEnter, event);
    Forward(event, &VxControl::OnMouseEnter);
}

void VxControl::OnMouseLeave(VxEventUI& event)
{
    bool repaint = false;
    if (state_ & kStateHot) {
        state_ &= ~kStateHot;
        repaint = true;
    }
    if (GetControlFlags(kFlagEnterRollText) && manager_) {
        VxAnimationManager& animations = manager_->GetAnimationManager();
        repaint = repaint || animations.Has(this, kAnimationTextRoll);
        animations.Remove(this, kAnimationTextRoll);
    }
    if (repaint)
        Invalidate();
    // Leaving into a child is not a leave of its container.
    if (!IsSelfOrAncestorOf(this, event.sender))
        NotifyIfEnabled(kNotifyMouseLeave, event);
    Forward(event, &VxControl::OnMouseLeave);
}

void VxControl::OnMouseHover(VxEventUI& event)
{
    NotifyIfEnabled(kNotifyMouseHover, event);
    Forward(event, &VxControl::OnMouseHover);
}

void VxControl::OnMouseMove(VxEventUI& event)
{
    if (!IsEnabled())
        return;
    if (state_ & kStateCaptured) {
        const UINT pushed = PtInRect(&itemRect_, event.mouse) ? UINT{kStatePushed} : 0u;
        if ((state_ & kStatePushed) != pushed) {
            state_ = (state_ & ~kStatePushed) | pushed;
            Invalidate();
        }
    }
    Forward(event, &VxControl::OnMouseMove);
}

void VxControl::OnMouseWheel(VxEventUI& event)
{
    if (IsEnabled())
        Forward(event, &VxControl::OnMouseWheel);
}

void VxControl::OnSetFocus(VxEventUI& event)
{
    focused_ = true;
    Invalidate();
    NotifyIfEnabled(kNotifySetFocus, event);
    Forward(event, &VxControl::OnSetFocus);
}

void VxControl::OnKillFocus(VxEventUI& event)
{
    focused_ = false;
    Invalidate();
    NotifyIfEnabled(kNotifyKillFocus, event);
    Forward(event, &VxControl::OnKillFocus);
}

void VxControl::OnSetCursor(VxEventUI& event)
{
    ::SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    Forward(event, &VxControl::OnSetCursor);
}

void VxControl::OnTimer(VxEventUI& event)
{
    Forward(event, &VxControl::OnTimer);
}

void VxControl::OnContextMenu(VxEventUI& event)
{
    Forward(event, &VxControl::OnContextMenu);
    if (PtInRect(&itemRect_, event.mouse) && IsEnabled())
        NotifyIfEnabled(kNotifyContextMenu, event);
}

void VxControl::OnRButtonDown(VxEventUI& event)
{
    NotifyIfEnabled(kNotifyRButtonDown, event);
    Forward(event, &VxControl::OnRButtonDown);
}

void VxControl::OnLButtonDown(VxEventUI& event)
{
    if (!IsEnabled())
        return;
    if (PtInRect(&itemRect_, event.mouse)) {
        state_ |= kStateCaptured | kStatePushed;
        Invalidate();
    }
    NotifyIfEnabled(kNotifyLButtonDown, event);
    Forward(event, &VxControl::OnLButtonDown);
}

void VxControl::OnLButtonUp(VxEventUI& event)
{
    if (!IsEnabled())
        return;
    if (state_ & kStateCaptured) {
        state_ &= ~(kStateCaptured | kStatePushed);
        Invalidate();
        // Only the control the button went up on clicks, not a parent it is forwarded to.
        if (PtInRect(&itemRect_, event.mouse) && !event.dispatcher)
            Activate(event);
    }
    NotifyIfEnabled(kNotifyLButtonUp, event);
    Forward(event, &VxControl::OnLButtonUp);
}

void VxControl::OnLButtonDblClk(VxEventUI& event)
{
    if (IsEnabled())
        Forward(event, &VxControl::OnLButtonDblClk);
}

void VxControl::OnKeyDown(VxEventUI& event)
{
    if (!IsEnabled())
        return;
    const bool activates = spaceReturn_ || (manager_ && manager_->IsControlSpaceReturn());
    if ((event.key == VK_SPACE || event.key == VK_RETURN) && activates)
        Activate(event);
    Forward(event, &VxControl::OnKeyDown);
}

void VxControl::OnKeyUp(VxEventUI& event)
{
    if (IsEnabled())
        Forward(event, &VxControl::OnKeyUp);
}

void VxControl::OnChar(VxEventUI& event)
{
    if (IsEnabled())
        Forward(event, &VxControl::OnChar);
}

void VxControl::OnSysKeyDown(VxEventUI& event)
{
    if (IsEnabled())
        Forward(event, &VxControl::OnSysKeyDown);
}

bool VxControl::Activate(VxEventUI& event)
{
    if (!IsVisible() || !IsEnabled())
        return false;
    if (parent_ && GetControlDispatch(kEventActivate)) {
        if (!event.dispatcher)
            event.dispatcher = this;
        parent_->Activate(event);
    }
    if (manager_ && GetControlNotify(kNotifyClick))
        manager_->SendNotify(this, kNotifyClick, 0, 0);
    return true;
}

void VxControl::OnAnimationEnd(UINT id)
{
    if (id == kAnimationEnd && manager_)
        manager_->SendNotify(this, kNotifyAnimationEnd);
}

}  // namespace VXM
