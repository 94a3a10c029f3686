#pragma once

#include <windows.h>

// The four categories in scan order, by the skin ids of their result list and category entry,
// and the messages the scan worker posts to the main window.
namespace scan {

struct CategoryIds {
    int list = 0;
    int entry = 0;
};

inline constexpr CategoryIds kApplicationCrashes{121, 117};
inline constexpr CategoryIds kSystemErrors{122, 118};
inline constexpr CategoryIds kJunkFiles{123, 119};
inline constexpr CategoryIds kSystemDlls{124, 120};
inline constexpr CategoryIds kScanOrder[] = {kApplicationCrashes, kSystemErrors, kJunkFiles, kSystemDlls};
inline constexpr int kCategoryCount = 4;

// wParam 0, lParam 0: every check has run.
inline constexpr UINT kScanFinished = 2029;
// wParam: the entry id of the category to show. Posted, so the worker never waits for the UI
// thread (which may itself be waiting for the worker to end).
inline constexpr UINT kShowCategoryRequest = 2032;

}  // namespace scan
