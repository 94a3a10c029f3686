#include <algorithm>

#include "VxControl.h"
#include "VxPaintManager.h"

namespace VXM {
namespace {

constexpr UINT kLocalIdCount = 255;

}  // namespace

// Ids cycle through 0..254 so that a window's timer ids stay small; an id still held by a
// running timer is passed over, else the new timer would silently replace the old one.
int VxPaintManager::NextLocalTimerId()
{
    for (UINT tried = 0; tried < kLocalIdCount; ++tried) {
        const UINT id = nextTimerId_;
        nextTimerId_ = (nextTimerId_ + 1) % kLocalIdCount;
        const bool held = std::any_of(timers_.begin(), timers_.end(),
                                      [&](const TimerRecord& t) { return t.window == window_ && t.localId == id; }) ||
                          std::find(plainTimers_.begin(), plainTimers_.end(), id) != plainTimers_.end();
        if (!held)
            return static_cast<int>(id);
    }
    return -1;
}

bool VxPaintManager::SetTimer(VxControl* control, UINT key, UINT elapse)
{
    if (!control || !window_)
        return false;
    for (const TimerRecord& timer : timers_) {
        if (timer.control == control && timer.window == window_ && timer.key == key)
            return ::SetTimer(window_, timer.localId, elapse, nullptr) != 0;
    }
    const int id = NextLocalTimerId();
    if (id < 0 || ::SetTimer(window_, static_cast<UINT>(id), elapse, nullptr) == 0)
        return false;
    timers_.push_back(TimerRecord{control, key, window_, static_cast<UINT>(id), elapse});
    return true;
}

bool VxPaintManager::KillTimer(VxControl* control, UINT key)
{
    bool killed = false;
    std::erase_if(timers_, [&](const TimerRecord& timer) {
        if (timer.control != control || timer.window != window_ || (key != kTimerKeyAll && timer.key != key))
            return false;
        if (IsWindow(timer.window))
            ::KillTimer(timer.window, timer.localId);
        killed = true;
        return true;
    });
    return killed;
}

void VxPaintManager::RemoveAllTimers()
{
    for (const TimerRecord& timer : timers_) {
        if (IsWindow(timer.window))
            ::KillTimer(timer.window, timer.localId);
    }
    timers_.clear();
}

int VxPaintManager::SetTimer(UINT elapse)
{
    if (!window_)
        return -1;
    const int id = NextLocalTimerId();
    if (id < 0 || ::SetTimer(window_, static_cast<UINT>(id), elapse, nullptr) == 0)
        return -1;
    plainTimers_.push_back(static_cast<UINT>(id));
    return id;
}

bool VxPaintManager::KillTimer(UINT id)
{
    auto at = std::find(plainTimers_.begin(), plainTimers_.end(), id);
    if (at == plainTimers_.end())
        return false;
    plainTimers_.erase(at);
    if (IsWindow(window_))
        ::KillTimer(window_, id);
    return true;
}

}  // namespace VXM
