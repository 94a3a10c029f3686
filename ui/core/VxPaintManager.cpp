#include "VxPaintManager.h"

#include <algorithm>
#include <utility>

#include "VxControl.h"

namespace VXM {
namespace {

// GetDC may hand two windows of one class the same DC; a manager asks again this often.
constexpr int kDcAttempts = 10;
constexpr int kLayeredAlphaFull = 100;

template <typename Item>
bool Contains(const std::vector<Item>& items, const Item& item)
{
    return std::find(items.begin(), items.end(), item) != items.end();
}

template <typename Item>
bool EraseItem(std::vector<Item>& items, const Item& item)
{
    auto at = std::find(items.begin(), items.end(), item);
    if (at == items.end())
        return false;
    items.erase(at);
    return true;
}

void RegisterTree(VxPaintManager* manager, VxControl* control)
{
    control->FindControl(VxPaintManager::RegisterNameProc, manager, kFindMeFirst);
    control->FindControl(VxPaintManager::RegisterIdProc, manager, kFindMeFirst);
}

}  // namespace

VxPaintManager::VxPaintManager() = default;

VxPaintManager::~VxPaintManager()
{
    EraseItem(PreMessageList(), this);
    RunDelayedCleanup();
    delete std::exchange(root_, nullptr);
    RemoveAllTimers();
    for (UINT id : std::vector<UINT>(plainTimers_))
        KillTimer(id);
    RemoveAllFont();
    RemoveAllGroups();
    if (tooltipWindow_)
        DestroyWindow(tooltipWindow_);
    if (paintDC_)
        ReleaseDC(window_, paintDC_);
}

std::vector<VxPaintManager*>& VxPaintManager::PreMessageList()
{
    static std::vector<VxPaintManager*> managers;
    return managers;
}

void VxPaintManager::Init(HWND window)
{
    if (!window)
        return;
    if (paintDC_)
        ReleaseDC(window_, paintDC_);
    window_ = window;
    auto inUse = [this](HDC dc) {
        return std::any_of(PreMessageList().begin(), PreMessageList().end(),
                           [&](const VxPaintManager* other) { return other != this && other->paintDC_ == dc; });
    };
    std::vector<HDC> refused;
    paintDC_ = GetDC(window_);
    for (int attempt = 1; attempt < kDcAttempts && paintDC_ && inUse(paintDC_); ++attempt) {
        refused.push_back(paintDC_);
        paintDC_ = GetDC(window_);
    }
    // A class DC comes back unchanged and must not be released under the manager's feet.
    for (HDC dc : refused) {
        if (dc != paintDC_)
            ReleaseDC(window_, dc);
    }
    if (!Contains(PreMessageList(), this))
        PreMessageList().push_back(this);
}

bool VxPaintManager::AttachDialog(VxControl* root)
{
    if (!root)
        return false;
    SetFocus(nullptr, true);
    hover_ = keyEvent_ = leftClick_ = rightClick_ = tooltipHover_ = nullptr;
    if (root_ && root_ != root) {
        AddDelayedCleanup(root_);
        ExecDelayedCleanup();
    }
    // The old tree lives on until the clean-up; its names must not hide the new tree's.
    nameTable_.clear();
    idTable_.clear();
    root_ = root;
    fullLayoutNeeded_ = true;
    firstLayout_ = true;
    focusNeeded_ = true;
    return InitControls(root);
}

bool VxPaintManager::InitControls(VxControl* control, VxControl* parent)
{
    if (!control)
        return false;
    control->SetManager(this);
    if (parent)
        control->SetParent(parent);
    RegisterTree(this, control);
    return true;
}

bool VxPaintManager::AddNotifier(INotify* listener)
{
    if (!listener || Contains(notifiers_, listener))
        return false;
    notifiers_.push_back(listener);
    if (root_)
        root_->Init();
    return true;
}

bool VxPaintManager::RemoveNotifier(INotify* listener)
{
    return EraseItem(notifiers_, listener);
}

bool VxPaintManager::AddMessageFilter(IMessageFilterUI* filter)
{
    if (!filter || Contains(messageFilters_, filter))
        return false;
    messageFilters_.push_back(filter);
    return true;
}

bool VxPaintManager::RemoveMessageFilter(IMessageFilterUI* filter)
{
    return EraseItem(messageFilters_, filter);
}

void VxPaintManager::SendNotify(VxNotify& notify)
{
    notify.timestamp = GetTickCount();
    notify.mouse = lastMouse_;
    // A listener may remove itself or another one while it is notified.
    const std::vector<INotify*> listeners = notifiers_;
    for (INotify* listener : listeners) {
        if (Contains(notifiers_, listener))
            listener->Notify(notify);
    }
}

void VxPaintManager::SendNotify(VxControl* control, UINT type, WPARAM wParam, LPARAM lParam)
{
    VxNotify notify;
    notify.type = type;
    notify.sender = control;
    notify.wParam = wParam;
    notify.lParam = lParam;
    SendNotify(notify);
}

bool VxPaintManager::PostNotify(WPARAM wParam, LPARAM lParam)
{
    return window_ && PostMessageW(window_, kMessageUINotify, wParam, lParam);
}

void VxPaintManager::SetFocus(VxControl* control, bool focusWindow)
{
    if (window_ && ::GetFocus() != window_ && control != focus_ && focusWindow && windowFocus_)
        ::SetFocus(window_);
    if (control == focus_)
        return;
    VxEventUI event;
    event.timestamp = GetTickCount();
    event.mouse = lastMouse_;
    if (focus_) {
        event.type = kEventKillFocus;
        event.sender = control;
        std::exchange(focus_, nullptr)->Event(event);
    }
    if (!control || control->GetManager() != this || !control->IsVisible() || !control->IsEnabled())
        return;
    focus_ = control;
    event.type = kEventSetFocus;
    event.sender = control;
    event.dispatcher = nullptr;
    control->Event(event);
}

void VxPaintManager::SetCapture()
{
    if (window_)
        ::SetCapture(window_);
    captured_ = true;
}

// Only the manager's own capture is given up, not another window's.
void VxPaintManager::ReleaseCapture()
{
    if (window_ && ::GetCapture() == window_)
        ::ReleaseCapture();
    captured_ = false;
}

// Layered windows are redrawn from WM_PAINT as well, so both kinds take the same request.
void VxPaintManager::Invalidate()
{
    if (window_)
        ::InvalidateRect(window_, nullptr, FALSE);
}

void VxPaintManager::InvalidateRect(const RECT& rect)
{
    if (window_)
        ::InvalidateRect(window_, &rect, FALSE);
}

void VxPaintManager::AddDelayedCleanup(VxControl* control)
{
    if (control && !Contains(delayedCleanup_, control))
        delayedCleanup_.push_back(control);
}

void VxPaintManager::ExecDelayedCleanup()
{
    if (window_)
        PostMessageW(window_, kMessageDelayedCleanup, 0, 0);
}

void VxPaintManager::RunDelayedCleanup()
{
    // A destructor may queue further controls; they go in the same run.
    while (!delayedCleanup_.empty()) {
        VxControl* control = delayedCleanup_.back();
        delayedCleanup_.pop_back();
        delete control;
    }
}

void VxPaintManager::ReapObjects(VxControl* control)
{
    if (!control)
        return;
    KillTimer(control, kTimerKeyAll);
    // Timers it started under an earlier window of this manager go too.
    std::erase_if(timers_, [&](const TimerRecord& timer) {
        if (timer.control == control && IsWindow(timer.window))
            ::KillTimer(timer.window, timer.localId);
        return timer.control == control;
    });
    animations_.RemoveAll(control);
    for (VxControl** pointer : {&hover_, &keyEvent_, &leftClick_, &rightClick_, &focus_, &tooltipHover_}) {
        if (*pointer == control)
            *pointer = nullptr;
    }
    if (root_ == control)
        root_ = nullptr;
    std::erase_if(nameTable_, [&](const auto& entry) { return entry.second == control; });
    std::erase_if(idTable_, [&](const auto& entry) { return entry.second == control; });
    for (auto& [group, members] : optionGroups_)
        EraseItem(members, control);
    std::erase_if(optionGroups_, [](const auto& entry) { return entry.second.empty(); });
}

void VxPaintManager::SetInitSize(int cx, int cy)
{
    initSize_ = SIZE{std::max(cx, 0), std::max(cy, 0)};
}

void VxPaintManager::SetMinWindow(int cx, int cy)
{
    minWindow_ = SIZE{std::max(cx, 0), std::max(cy, 0)};
}

void VxPaintManager::SetMaxWindow(int cx, int cy)
{
    maxWindow_ = SIZE{std::max(cx, 0), std::max(cy, 0)};
}

void VxPaintManager::SetRoundCorner(int cx, int cy)
{
    roundCorner_ = SIZE{std::max(cx, 0), std::max(cy, 0)};
}

// The cached shape belongs to the old image.
void VxPaintManager::SetRoundCornerImage(std::wstring_view image)
{
    if (roundCornerImage_ == image)
        return;
    roundCornerImage_ = image;
    roundCornerRegion_.Reset();
}

void VxPaintManager::SetLayeredWindow(bool layered)
{
    if (layered_ == layered)
        return;
    layered_ = layered;
    // A window left with the layered style but never updated as one would show nothing.
    if (window_ && !layered_) {
        const LONG_PTR style = GetWindowLongPtrW(window_, GWL_EXSTYLE);
        if (style & WS_EX_LAYERED)
            SetWindowLongPtrW(window_, GWL_EXSTYLE, style & ~WS_EX_LAYERED);
    }
    Invalidate();
}

void VxPaintManager::SetLayeredWindowAlpha(int alpha)
{
    const int percent = alpha < 0 || alpha > kLayeredAlphaFull ? kLayeredAlphaFull : alpha;
    if (layeredAlpha_ == percent)
        return;
    layeredAlpha_ = percent;
    if (layered_)
        Invalidate();
}

WORD VxPaintManager::MapKeyState()
{
    struct KeyBit {
        int key;
        WORD bit;
    };
    constexpr KeyBit kKeys[] = {
        {VK_LBUTTON, 0x02}, {VK_RBUTTON, 0x01}, {VK_SHIFT, 0x04}, {VK_CONTROL, 0x08}, {VK_MENU, 0x20}};
    WORD state = 0;
    for (const KeyBit& key : kKeys) {
        if (GetKeyState(key.key) < 0)
            state |= key.bit;
    }
    return state;
}

}  // namespace VXM
