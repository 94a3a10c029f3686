#pragma once

#include <windows.h>

namespace VXM {

// Interaction state word of a control.
enum VxState : UINT {
    kStateFocused = 0x01,
    kStateSelected = 0x02,
    kStateDisabled = 0x04,
    kStateHot = 0x08,
    kStatePushed = 0x10,
    kStateCaptured = 0x40,
};

// Class codes answered by GetClass and GetInterface.
enum VxClass : UINT {
    kClassControl = 1,
    kClassContainer = 4,
    kClassButton = 5,
    kClassLabel = 6,
    kClassProgress = 7,
    kClassOption = 9,
    kClassScrollbar = 11,
};

// Positions of the control-flag set.
enum VxControlFlag : int {
    kFlagSetCursor = 1,
    kFlagEnterRollText = 2,
    kFlagTabStop = 3,
    kFlagFocusable = 4,  // cleared by the "notfocus" keyword
};
inline constexpr int kControlFlagCount = 5;

// Event types of VxEventUI, which are also the positions of the dispatch set.
enum VxEventType : UINT {
    kEventKeyDown = 1,
    kEventKeyUp = 2,
    kEventChar = 3,
    kEventSysKeyDown = 4,
    kEventMouseMove = 5,
    kEventMouseLeave = 6,
    kEventMouseEnter = 7,
    kEventMouseHover = 8,
    kEventMouseWheel = 9,
    kEventLButtonDown = 10,
    kEventLButtonUp = 11,
    kEventRButtonDown = 12,
    kEventLButtonDblClk = 13,
    kEventContextMenu = 14,
    kEventKillFocus = 15,
    kEventSetFocus = 16,
    kEventSetCursor = 17,
    kEventTimer = 18,
    kEventActivate = 19,  // dispatch position only
};
inline constexpr int kDispatchCount = 20;

// Notification types of VxNotify; 3..13 are also the positions of the notify set.
enum VxNotifyType : UINT {
    kNotifyWindowInit = 1,
    kNotifyLayout = 2,
    kNotifyClick = 3,
    kNotifyMouseEnter = 4,
    kNotifyMouseHover = 5,
    kNotifyMouseLeave = 6,
    kNotifySetFocus = 8,
    kNotifyKillFocus = 9,
    kNotifyLButtonDown = 10,
    kNotifyLButtonUp = 11,
    kNotifyRButtonDown = 12,
    kNotifyContextMenu = 13,
    kNotifySelectChanged = 14,
    kNotifyAnimationEnd = 24,
};
inline constexpr int kNotifyCount = 28;

// Flags of VxControl::FindControl.
enum VxFindFlag : UINT {
    kFindVisible = 0x00000001,
    kFindEnabled = 0x00000002,
    kFindHitTest = 0x00000004,
    kFindTopFirst = 0x00000008,
    kFindMeFirst = 0x80000000,
};

// Float anchoring bits of the "format" attribute.
enum VxFormat : UINT {
    kFormatTop = 0x01,
    kFormatRight = 0x02,
    kFormatBottom = 0x04,
    kFormatTopmost = 0x08,
    kFormatCenter = 0x10,
    kFormatVCenter = 0x20,
};

// Animation ids; the text roll is the only animation the framework drives itself.
inline constexpr UINT kAnimationEnd = 0x2001;
inline constexpr UINT kAnimationTextRoll = 0x2003;
inline constexpr UINT kAnimationFirst = 0x2000;
inline constexpr UINT kAnimationLast = 0x2006;

// Private window messages of the framework.
inline constexpr UINT kMessageUINotify = 0x2345;       // a posted notification for VxOnUIMessage
inline constexpr UINT kMessageDelayedCleanup = 0x8001;  // destroy the controls queued for it

// KillTimer key that stops every timer of a control.
inline constexpr UINT kTimerKeyAll = 0x2007;

}  // namespace VXM
