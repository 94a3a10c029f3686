#pragma once

#include <windows.h>

#include <cstdint>

// The arithmetic of a scroll bar, apart from the control: where its buttons and thumb lie, how
// far a dragged thumb moves the position, where the rail grip goes. Lengths along the bar are
// worked in 64 bits and results are clamped to the int range, so no rectangle or range
// overflows.
namespace VXM::scrollbar {

struct BarMetrics {
    RECT bar = {};  // the control rectangle
    RECT inset = {};
    bool horizontal = false;
    int thickness = 0;       // T: fixed width of a vertical bar, fixed height of a horizontal one
    int fixedLength = 0;     // M: fixed size along the bar; 0 when the skin sets none
    bool showButton1 = true;
    bool showButton2 = true;
    int range = 0;
    int position = 0;
};

struct BarParts {
    RECT button1 = {};  // zero length at the start when hidden
    RECT button2 = {};  // zero length at the end when hidden
    RECT thumb = {};    // empty when there is no thumb
};

// Buttons at both ends of the inner rectangle; the thumb between them, its length the visible
// share of the bar and its place the position's share of the free travel. A bar no longer than
// three thicknesses (with both buttons) gets half-length buttons and no thumb.
BarParts Layout(const BarMetrics& metrics);

// Pixels the thumb can move: the gap between the buttons minus the thumb; negative when a fixed
// thumb length overfills the gap.
int64_t FreeTravel(const BarParts& parts, bool horizontal);

// Position change for a thumb dragged `delta` pixels, so that the free travel spans the range.
// 0 when there is no free travel.
int DragOffset(int64_t delta, int range, int64_t freeTravel);

// The rail grip centred on the thumb; both rectangles relative to the control's top-left corner.
RECT RailRect(const RECT& thumb, int thickness, const RECT& inset, bool horizontal);

// position + step, saturated to the int range (the bar then clamps to 0..range).
int StepPosition(int position, int64_t step);

// The page step of a bar without owner: its own length along the axis.
int BarLength(const RECT& bar, bool horizontal);

}  // namespace VXM::scrollbar
