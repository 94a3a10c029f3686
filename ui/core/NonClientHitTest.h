#pragma once

#include <windows.h>

namespace VXM {

// The resize-border code (HTLEFT ... HTBOTTOMRIGHT) of a client-coordinate point for a window
// whose resize borders are `sizeBox` wide inside `client`; `rounder` widens the corner zones.
// HTNOWHERE when the point lies on no border or the size box is all zero.
LRESULT SizeBoxHitTest(const RECT& client, const RECT& sizeBox, int rounder, POINT point);

// Whether a client-coordinate point lies in the caption band: `caption.left` and
// `caption.right` are margins from the client's sides, `caption.top` and `caption.bottom`
// distances from its top.
bool InCaptionBand(const RECT& client, const RECT& caption, POINT point);

}  // namespace VXM
