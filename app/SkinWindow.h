#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace VXM {
class VxWindowImplBase;
}

// What the main, report and customer-service windows share: their skin build and their
// frameless look (the skin draws the whole window).
namespace app {

// Builds the skin window `windowName` of the embedded skin into the window's paint manager and
// registers the window as its listener, which runs Init over the new tree. False without a root.
bool BuildSkinWindow(VXM::VxWindowImplBase& window, const char* windowName);

// WM_NCACTIVATE of a skin window: a minimised window keeps the default caption handling.
LRESULT SkinNcActivate(HWND window, WPARAM wParam, bool& handled);

// "res='<id>' restype='PNG'", optionally followed by " dest='<dest>'".
std::wstring PngImage(int resourceId, std::wstring_view dest = {});

}  // namespace app
