#pragma once

#include <windows.h>

// What the scan and repair workers post to the main window. Posted, never sent, so a worker
// never waits for the UI thread (which may itself be waiting for the worker to end).
namespace workers {

// wParam 0, lParam 0: every check has run.
inline constexpr UINT kScanFinished = 2029;
// One per repaired package (its action succeeded); wParam: its index in the runtime-library list
// the repair worker was given, lParam 0.
inline constexpr UINT kRuntimeItemDone = 2030;
// The repair worker has ended (wParam and lParam 0).
inline constexpr UINT kRepairFinished = 2031;
// wParam: the entry id of the category to show.
inline constexpr UINT kShowCategoryRequest = 2032;
// wParam 0, lParam 0: a fetch brought the runtime-library list (it may be empty).
inline constexpr UINT kRuntimeLibListReady = 2033;

}  // namespace workers
