#pragma once

namespace VXM {

// The filled pixels of a progress bar `available` pixels wide: available / (maximum div step) x
// value, truncated, at most the whole bar and never negative; the minimum of the range does not
// enter it. Worked in integers so that a full bar is never a pixel short by rounding. A maximum
// below the step (quotient 0) counts as one step, which fills the bar for any positive value.
int ProgressFill(int available, int value, int maximum, int step);

}  // namespace VXM
