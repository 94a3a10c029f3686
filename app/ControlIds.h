#pragma once

#include <windows.h>

// The skin ids the application looks controls up by, per skin window, and the main window's
// progress timer.
namespace app {

namespace main_ids {
inline constexpr UINT kMinimiseButton = 100;
inline constexpr UINT kCloseButton = 101;
inline constexpr UINT kServiceButton = 102;
inline constexpr UINT kHomePage = 103;
inline constexpr UINT kStartScanButton = 104;
inline constexpr UINT kSymptomPicture = 106;
inline constexpr UINT kFirstSymptomLink = 109;
inline constexpr UINT kLastSymptomLink = 113;
inline constexpr UINT kScanPage = 114;
inline constexpr UINT kScanStatus = 115;
inline constexpr UINT kBackHomeButton = 116;
inline constexpr UINT kProgressRow = 125;
inline constexpr UINT kProgressBar = 126;
inline constexpr UINT kProgressText = 127;
inline constexpr UINT kSummaryRow = 128;
inline constexpr UINT kSummaryCount = 129;
inline constexpr UINT kRepairNowButton = 130;
inline constexpr UINT kRepairPage = 131;
inline constexpr UINT kRepairList = 132;
inline constexpr UINT kDonePage = 133;
inline constexpr UINT kDoneServiceLink = 134;
inline constexpr UINT kDoneTitle = 135;
inline constexpr UINT kDoneFailureNote = 136;
}  // namespace main_ids

namespace details_ids {
inline constexpr UINT kCloseButton = 100;
inline constexpr UINT kDllReport = 101;
inline constexpr UINT kDllName = 102;
inline constexpr UINT kDllRepairButton = 103;
inline constexpr UINT kListReport = 104;
inline constexpr UINT kListTitle = 105;
inline constexpr UINT kListDescription = 106;
inline constexpr UINT kListRepairButton = 107;
inline constexpr UINT kListHeading = 108;
inline constexpr UINT kListCount = 109;
inline constexpr UINT kDetailList = 110;
}  // namespace details_ids

namespace kefu_ids {
inline constexpr UINT kCloseButton = 100;
inline constexpr UINT kOnlineServiceButton = 102;
}  // namespace kefu_ids

// The scan page's percentage and the batched list updates run on this window timer.
inline constexpr UINT_PTR kProgressTimerId = 1001;
inline constexpr UINT kProgressTimerPeriodMs = 50;

// The skin's element window names and its resource id.
inline constexpr int kSkinResourceId = 100;
inline constexpr UINT kTitleStringId = 103;
inline constexpr UINT kIconId = 101;

}  // namespace app
