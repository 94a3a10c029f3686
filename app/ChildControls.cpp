#include "ChildControls.h"

namespace app {

void SetDispatch(VXM::VxControl& control, std::initializer_list<VXM::VxEventType> events)
{
    for (VXM::VxEventType event : events)
        control.SetControlDispatch(static_cast<int>(event), true);
}

void PassMouse(VXM::VxControl& control)
{
    SetDispatch(control, {VXM::kEventMouseWheel, VXM::kEventMouseLeave, VXM::kEventMouseEnter});
}

void ApplyTextLook(VXM::VxControl& control, const TextLook& look)
{
    control.SetNormalFont(look.font);
    control.SetNormalTextColor(look.color);
    control.SetFixedWidth(look.width);
    control.SetFixedHeight(look.height);
    control.SetPadding(look.padding);
    control.SetTextStyle(look.style);
}

std::wstring_view OneLine(std::wstring_view text)
{
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r'))
        text.remove_suffix(1);
    return text;
}

std::wstring PngImage(int resourceId)
{
    return L"res='" + std::to_wstring(resourceId) + L"' restype='PNG'";
}

}  // namespace app
