#pragma once

#include <windows.h>

// The scroll-bar decisions of a container as pure functions: which bars show after a layout,
// their ranges and places, and the inner rectangle they leave to the children.
namespace VXM::layout {

struct BarState {
    bool visible = false;
    bool enabled = false;
    int range = 0;
    int position = 0;
};

struct BarDecision {
    BarState state;
    bool changed = false;  // the children must be laid out again
};

// The vertical bar for content `needed` pixels high in an inner rectangle `inner` pixels high: it
// shows (from position 0) when the content does not fit, and hides with range and position 0
// when it fits, unless it is always shown.
BarDecision DecideVerticalBar(const BarState& bar, int needed, int inner, bool alwaysShow);
// The same across; a horizontal bar that is not visible is left alone when the content fits.
BarDecision DecideHorizontalBar(const BarState& bar, int needed, int inner);

// A vertical bar stands right of the inner rectangle, a horizontal one below it.
RECT VerticalBarRect(const RECT& inner, int width);
RECT HorizontalBarRect(const RECT& inner, int height);

// The item rectangle minus the inset, the visible vertical bar's width at the right and the
// visible horizontal bar's height at the bottom (0 for a hidden bar); never inside out. Its
// height is the page step of the vertical moves, its width that of the horizontal ones.
RECT InnerRect(const RECT& item, const RECT& inset, int verticalBarWidth, int horizontalBarHeight);

}  // namespace VXM::layout
