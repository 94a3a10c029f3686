#pragma once

#include <windows.h>

#include <vector>

namespace VXM {

class VxControl;
class VxPaintManager;

// The least animation driver the framework needs: the text roll (kAnimationTextRoll) of
// controls whose text is wider than their place. One 50 ms window timer of the paint manager
// runs only while some animation is registered, so an idle window gets no timer messages.
class VxAnimationManager {
public:
    explicit VxAnimationManager(VxPaintManager& manager) : manager_(manager) {}
    VxAnimationManager(const VxAnimationManager&) = delete;
    VxAnimationManager& operator=(const VxAnimationManager&) = delete;

    // False when that animation of the control is already registered or the timer fails.
    bool Add(VxControl* control, UINT id);
    bool Has(const VxControl* control, UINT id) const;
    void Remove(VxControl* control, UINT id);
    // Every animation id kAnimationFirst..kAnimationLast of the control.
    void RemoveAll(VxControl* control);
    // Steps the animations when `timerId` is this manager's timer; true when it was.
    bool OnTimer(UINT_PTR timerId);

private:
    struct Animation {
        VxControl* control = nullptr;  // not owned; removed before the control dies
        UINT id = 0;
    };
    void StopTimerWhenIdle();

    VxPaintManager& manager_;  // owns this
    std::vector<Animation> animations_;
    int timerId_ = -1;
};

}  // namespace VXM
