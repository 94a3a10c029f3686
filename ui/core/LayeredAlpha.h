#pragma once

#include <windows.h>

namespace VXM {

// The constant source alpha of a layered window drawn at `percent` per cent: percent x 2.55,
// truncated; a percentage below 0 or above 100 counts as 100 (opaque).
BYTE LayeredSourceAlpha(int percent);

}  // namespace VXM
