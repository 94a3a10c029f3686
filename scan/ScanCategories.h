#pragma once

// The four categories in scan order, by the skin ids of their result list and category entry.
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

}  // namespace scan
