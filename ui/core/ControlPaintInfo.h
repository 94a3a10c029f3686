#pragma once

#include <windows.h>

#include <memory>

#include "VxImageInfo.h"

namespace VXM {

class VxControl;

// A snapshot of `control` painted as if it stood at the origin, width x height (0: its own
// size), with per-pixel alpha: what was painted is kept, what was not stays transparent.
// The control's place and state are restored. Null for an empty size or a failed bitmap.
std::unique_ptr<VxImageInfo> GetControlPaintInfo(HDC dc, VxControl* control, int width = 0, int height = 0);

}  // namespace VXM
