#pragma once

// The scroll arithmetic of a list whose rows all have one height and of which only the rows in
// view (plus a margin) have controls: which rows those are, where each stands, which control
// shows it, and how the scroll position follows rows added above the view. Pure functions.
namespace VXM::virtual_list {

struct Metrics {
    int rowCount = 0;
    int rowHeight = 0;   // of one row, its paddings included
    int gap = 0;         // between two rows (the container's child padding)
    int viewHeight = 0;  // of the inner rectangle
    int margin = 0;      // rows kept ready above and below the view
};

// Rows [first, last).
struct RowRange {
    int first = 0;
    int last = 0;
    int Count() const { return last - first; }
};

// All rows and the gaps between them; INT_MAX when they would not fit in an int.
int ContentHeight(const Metrics& metrics);

// The rows any part of which lies in the view at `scrollPos`, widened by the margin.
RowRange VisibleRows(const Metrics& metrics, int scrollPos);

// Top of row `index` relative to the top of the inner rectangle.
int RowTop(const Metrics& metrics, int index, int scrollPos);

// Controls enough for every range VisibleRows can give at this view height.
int PoolSize(const Metrics& metrics);

// The control (0 .. slots - 1) that shows row `index`: a row that stays in range while the list
// scrolls keeps its control, so a scroll step binds only the rows that came into view.
int SlotOf(int index, int slots);

// The scroll position after `added` rows were inserted before row `at` (`metrics` as before
// the insertion): rows that land above the top of the view move the position by their height,
// so that the rows in view stay where they are; rows inserted in view push the rows below.
int ScrollAfterInsert(const Metrics& metrics, int scrollPos, int at, int added);

}  // namespace VXM::virtual_list
