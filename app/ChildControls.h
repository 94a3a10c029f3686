#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "VxContainer.h"
#include "VxControl.h"
#include "VxDefines.h"

// How the application's controls make and dress their children.
namespace app {

inline constexpr UINT kTextVCenter = DT_VCENTER | DT_SINGLELINE;             // text style 36
inline constexpr UINT kTextCentered = DT_VCENTER | DT_SINGLELINE | DT_CENTER;  // text style 37
// The skin's red, of the summary count and of what failed.
inline constexpr DWORD kSkinRed = 0xFFF24D4D;

// One line of text; zero sizes are left to the layout.
struct TextLook {
    const wchar_t* font = L"";
    DWORD color = 0xFF000000;
    int width = 0;
    int height = 0;
    RECT padding = {};
    UINT style = 0;
};

void SetDispatch(VXM::VxControl& control, std::initializer_list<VXM::VxEventType> events);

// Hands the wheel, enter and leave to the parent, so it scrolls and tracks the pointer.
void PassMouse(VXM::VxControl& control);

void ApplyTextLook(VXM::VxControl& control, const TextLook& look);

// The text as a single-line control shows it: event times keep the line break their format
// ends with, which some fonts would draw as a box.
std::wstring_view OneLine(std::wstring_view text);

// "res='<id>' restype='PNG'": an embedded picture filling the control.
std::wstring PngImage(int resourceId);

// A child that hands the wheel to its parent, so the list it stands in scrolls under the pointer.
template <typename Control = VXM::VxControl>
Control* MakeWheelChild()
{
    auto* child = new Control;  // for a container, which owns it once added
    child->SetControlDispatch(VXM::kEventMouseWheel, true);
    return child;
}

// Hands `child` (made with new) to `parent`, which owns it from then on.
template <typename Control>
Control* AddChild(VXM::VxContainer& parent, Control* child)
{
    parent.Add(child);
    return child;
}

}  // namespace app
