#pragma once

#include <windows.h>

#include "VxControl.h"
#include "VxPaintManager.h"

namespace app {

// The control of that skin id as class T, or null when the window has no such id or the control
// is of another class (GetInterface answers by class code).
template <typename T>
T* FindControlAs(const VXM::VxPaintManager& manager, UINT id, UINT classCode)
{
    VXM::VxControl* control = manager.FindControl(id);
    return control ? static_cast<T*>(control->GetInterface(classCode)) : nullptr;
}

}  // namespace app
