#include "VxAnimationManager.h"

#include <algorithm>
#include <climits>

#include "VxControl.h"
#include "VxPaintManager.h"

namespace VXM {
namespace {

constexpr UINT kTickMilliseconds = 50;
// Pixels the rolling text moves per tick.
constexpr int kTextRollStep = 2;

}  // namespace

bool VxAnimationManager::Add(VxControl* control, UINT id)
{
    // The text roll is the only animation this manager knows how to step.
    if (!control || id != kAnimationTextRoll || Has(control, id))
        return false;
    if (timerId_ < 0) {
        timerId_ = manager_.SetTimer(kTickMilliseconds);
        if (timerId_ < 0)
            return false;
    }
    animations_.push_back({control, id});
    return true;
}

bool VxAnimationManager::Has(const VxControl* control, UINT id) const
{
    return std::any_of(animations_.begin(), animations_.end(),
                       [&](const Animation& a) { return a.control == control && a.id == id; });
}

// The text goes back to its place when its roll stops.
void VxAnimationManager::Remove(VxControl* control, UINT id)
{
    if (!Has(control, id))
        return;
    std::erase_if(animations_, [&](const Animation& a) { return a.control == control && a.id == id; });
    if (id == kAnimationTextRoll)
        control->GetImageAttribute().SetTextRoll(0);
    StopTimerWhenIdle();
}

// For a control being destroyed: it is not touched, only forgotten.
void VxAnimationManager::RemoveAll(VxControl* control)
{
    std::erase_if(animations_, [&](const Animation& a) {
        return a.control == control && a.id >= kAnimationFirst && a.id <= kAnimationLast;
    });
    StopTimerWhenIdle();
}

bool VxAnimationManager::OnTimer(UINT_PTR timerId)
{
    if (timerId_ < 0 || timerId != static_cast<UINT_PTR>(timerId_))
        return false;
    // A repaint may end an animation (text that fits again), so step a copy.
    const std::vector<Animation> running = animations_;
    for (const Animation& animation : running) {
        if (!Has(animation.control, animation.id))
            continue;
        VxImageString& attribute = animation.control->GetImageAttribute();
        int offset = 0;
        attribute.GetTextRoll(offset);
        attribute.SetTextRoll(offset < INT_MAX - kTextRollStep ? offset + kTextRollStep : kTextRollStep);
        animation.control->Invalidate();
    }
    return true;
}

void VxAnimationManager::StopTimerWhenIdle()
{
    if (animations_.empty() && timerId_ >= 0) {
        manager_.KillTimer(static_cast<UINT>(timerId_));
        timerId_ = -1;
    }
}

}  // namespace VXM
