#include "VxButton.h"

namespace VXM {

VxButton::VxButton()
{
    textAntialias_ = false;
    SetControlNotify(kNotifyClick, true);
    SetControlFlags(kFlagTabStop, true);
}

UINT VxButton::GetClass() const
{
    return kClassButton;
}

VxControl* VxButton::GetInterface(UINT classCode)
{
    return classCode == kClassButton ? this : VxLabel::GetInterface(classCode);
}

void VxButton::OnSetCursor(VxEventUI& event)
{
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    Forward(event, &VxControl::OnSetCursor);
}

// The second press of a double click presses the button again, so it clicks again on release.
void VxButton::OnLButtonDblClk(VxEventUI& event)
{
    OnLButtonDown(event);
    if (IsEnabled())
        Forward(event, &VxControl::OnLButtonDblClk);
}

}  // namespace VXM
