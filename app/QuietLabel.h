#pragma once

#include <string_view>

#include "VxControl.h"

namespace app {

// A plain control whose owner changes its text often and then asks once for a repaint of all
// it changed: a drain changes a row's texts thousands of times between two paints, and each
// repaint request is a call into the window system.
class QuietLabel : public VXM::VxControl {
public:
    // SetText without the repaint request; the owner makes it.
    void StoreText(std::wstring_view text) { text_ = text; }
};

}  // namespace app
