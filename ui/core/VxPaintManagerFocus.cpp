// Keyboard input and focus: key routing to the focus control, Tab order, and the pre-message
// step that turns Tab keys into focus moves before the message is dispatched.

#include <algorithm>

#include "TabOrder.h"
#include "VxControl.h"
#include "VxDefines.h"
#include "VxEventDelivery.h"
#include "VxPaintManager.h"

namespace VXM {
namespace {

struct TabWalkState {
    std::vector<VxControl*> controls;
    VxControl* current = nullptr;
};

bool IsTabStop(const VxControl* control)
{
    return control->GetControlFlags(kFlagTabStop);
}

// With kFindMeFirst a container is offered before and after its children: kept once.
VxControl* CollectTabWalk(VxControl* control, void* data)
{
    auto& state = *static_cast<TabWalkState*>(data);
    if ((IsTabStop(control) || control == state.current) &&
        std::find(state.controls.begin(), state.controls.end(), control) == state.controls.end())
        state.controls.push_back(control);
    return nullptr;
}

std::vector<TabWalkEntry> EntriesOf(const std::vector<VxControl*>& walk, const VxControl* current)
{
    std::vector<TabWalkEntry> entries;
    entries.reserve(walk.size());
    for (VxControl* control : walk)
        entries.push_back({IsTabStop(control), control == current});
    return entries;
}

VxControl* At(const std::vector<VxControl*>& walk, int index)
{
    return index < 0 ? nullptr : walk[size_t(index)];
}

// Whether `window` is `paintWindow` or lies inside it through child windows.
bool BelongsTo(HWND window, HWND paintWindow)
{
    for (HWND at = window; at; at = GetParent(at)) {
        if (at == paintWindow)
            return true;
        if (!(GetWindowLongW(at, GWL_STYLE) & WS_CHILD))
            return false;
    }
    return false;
}

}  // namespace

std::vector<VxControl*> VxPaintManager::TabWalk(VxControl* current) const
{
    TabWalkState state;
    state.current = current;
    if (root_)
        root_->FindControl(CollectTabWalk, &state, kFindVisible | kFindEnabled | kFindMeFirst);
    return state.controls;
}

bool VxPaintManager::SetNextTabControl(bool forward)
{
    if (fullLayoutNeeded_ && forward) {
        focusNeeded_ = true;
        ::InvalidateRect(window_, nullptr, FALSE);
        return true;
    }
    focusNeeded_ = false;
    const std::vector<VxControl*> walk = TabWalk(focus_);
    VxControl* next = At(walk, NextTabStop(EntriesOf(walk, focus_), forward));
    if (next)
        SetFocus(next, true);
    return true;
}

void VxPaintManager::SetFocusNeeded(VxControl* control)
{
    ::SetFocus(window_);
    if (!control || !root_)
        return;
    VxControl* old = std::exchange(focus_, nullptr);
    DeliverEvent(old, kEventKillFocus, lastMouse_, {.sender = control});
    const std::vector<VxControl*> walk = TabWalk(control);
    focus_ = At(walk, PrecedingTabStop(EntriesOf(walk, control)));
    focusNeeded_ = true;
    root_->NeedUpdate();
}

bool VxPaintManager::OnKillFocus(UINT, WPARAM wParam, LPARAM, LRESULT&)
{
    SetFocus(nullptr, false);
    if (VxControl* control = FindControl(reinterpret_cast<HWND>(wParam)))
        SetFocus(control, false);
    return false;
}

bool VxPaintManager::OnKeyDown(UINT, WPARAM wParam, LPARAM lParam, LRESULT&)
{
    if (!focus_)
        return false;
    keyEvent_ = focus_;
    DeliverEvent(keyEvent_, kEventKeyDown, lastMouse_,
                 {.key = WORD(wParam), .keyState = MapKeyState(), .wParam = wParam, .lParam = lParam});
    return false;
}

bool VxPaintManager::OnKeyUp(UINT, WPARAM wParam, LPARAM lParam, LRESULT&)
{
    if (!keyEvent_)
        return false;
    DeliverEvent(std::exchange(keyEvent_, nullptr), kEventKeyUp, lastMouse_,
                 {.key = WORD(wParam), .keyState = MapKeyState(), .wParam = wParam, .lParam = lParam});
    return false;
}

bool VxPaintManager::OnChar(UINT, WPARAM wParam, LPARAM lParam, LRESULT&)
{
    DeliverEvent(focus_, kEventChar, lastMouse_,
                 {.key = WORD(wParam), .keyState = MapKeyState(), .wParam = wParam, .lParam = lParam});
    return false;
}

bool VxPaintManager::PreMessageHandler(MSG* message)
{
    if (!window_ || !message || !BelongsTo(message->hwnd, window_))
        return false;
    // By index: a listener may remove itself while it is asked.
    for (size_t i = 0; i < notifiers_.size(); ++i) {
        if (notifiers_[i]->PreMessageHandler(message))
            return true;
    }
    if (message->message == WM_KEYDOWN && message->wParam == VK_TAB) {
        drawTabFocusBorder_ = true;
        SetNextTabControl(GetKeyState(VK_SHIFT) >= 0);
        return true;
    }
    if (message->message == WM_SYSKEYDOWN) {
        DeliverEvent(focus_, kEventSysKeyDown, lastMouse_,
                     {.key = WORD(message->wParam),
                      .keyState = MapKeyState(),
                      .wParam = message->wParam,
                      .lParam = message->lParam});
    }
    return false;
}

}  // namespace VXM
