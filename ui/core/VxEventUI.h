#pragma once

#include <windows.h>

namespace VXM {

class VxControl;

// An input event delivered by the paint manager to a control (VxControl::Event).
struct VxEventUI {
    UINT type = 0;                   // VxEventType
    VxControl* sender = nullptr;     // not owned: the control the manager delivered it to
    VxControl* dispatcher = nullptr; // not owned: the first control that forwarded it to its parent
    DWORD timestamp = 0;             // GetTickCount at delivery
    POINT mouse = {};                // client coordinates of the last mouse message
    WORD key = 0;                    // character, or the virtual-key code for key events
    WORD keyState = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

}  // namespace VXM
