#pragma once

#include <windows.h>

#include <optional>

#include "VxEventUI.h"

namespace VXM {

class VxControl;

// The fields of an input event besides its type, target, time and mouse point.
struct VxEventFields {
    std::optional<VxControl*> sender;  // unset: the target itself
    WORD key = 0;
    WORD keyState = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// Stamps an event of `type` with the time and the mouse point and hands it to `target`
// (nothing for a null target).
void DeliverEvent(VxControl* target, UINT type, POINT mouse, const VxEventFields& fields = {});

}  // namespace VXM
