#pragma once

#include <windows.h>

// Notification types the application's own controls raise, next to the framework's.
namespace app {

inline constexpr UINT kNotifyCategoryActivated = 28;  // a LeftOption was activated
inline constexpr UINT kNotifyReportRequested = 29;    // a CheckResultItem's report button

// Class codes of the application's controls.
inline constexpr UINT kClassLeftOption = 22;
inline constexpr UINT kClassCheckResult = 23;
inline constexpr UINT kClassCheckResultItem = 24;
inline constexpr UINT kClassRuntimeLibItem = 25;

}  // namespace app
