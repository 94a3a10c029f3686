#pragma once

#include <windows.h>

namespace repair {

// Posted to the main window (wParam and lParam 0): one per downloaded package, then the end.
inline constexpr UINT kRuntimeItemDone = 2030;
inline constexpr UINT kRepairFinished = 2031;

}  // namespace repair
