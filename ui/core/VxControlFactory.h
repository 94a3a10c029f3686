#pragma once

#include <string_view>

namespace VXM {

class VxControl;

// A new control of the framework class that a skin element name stands for (exact,
// case-sensitive), or null when the framework has no such class here.
VxControl* CreateFrameworkControl(std::wstring_view elementName);

}  // namespace VXM
