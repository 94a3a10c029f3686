#pragma once

#include <windows.h>

namespace VXM {

// The top-left corner that centres `window` on `reference`, kept inside `workArea` on each
// axis (left and top win when the window is larger than the work area).
POINT CenteredPosition(const RECT& window, const RECT& reference, const RECT& workArea);

// Fills the tracking sizes and the maximised position from the skin's minimum and maximum
// window sizes (0 or less: not set) and the monitor's work area; `frame` is the sizing frame.
void ApplyTrackingSizes(MINMAXINFO& info, SIZE minimum, SIZE maximum, const RECT& workArea, SIZE frame);

// A rectangle shrunk by insets on each side.
RECT ShrinkRect(const RECT& rect, const RECT& insets);

}  // namespace VXM
