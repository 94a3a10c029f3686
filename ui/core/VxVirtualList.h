#pragma once

#include <memory>
#include <vector>

#include "VirtualListArithmetic.h"
#include "VxVerticalLayout.h"

namespace VXM {

// The records a virtual list shows, one row each.
class IVirtualRows {
public:
    virtual ~IVirtualRows() = default;
    virtual int RowCount() const = 0;
    // A control that can show any row; it must have a fixed height. Owned by the list.
    virtual VxControl* MakeRow() = 0;
    // Makes `row`, a control of MakeRow, show row `index`.
    virtual void ShowRow(VxControl& row, int index) = 0;
};

// A vertical list of rows of one height that has controls only for the rows in view and a
// margin around them, reused as the list scrolls: a layout, a scroll step or a paint costs what
// the visible rows cost, however many rows there are. Scroll bar, wheel, keys, painting and
// hit-testing are the container's own, over those controls.
class VxVirtualList : public VxVerticalLayout {
public:
    // Rows kept ready above and below the view.
    static constexpr int kMargin = 2;

    // Null shows nothing.
    void SetRows(std::unique_ptr<IVirtualRows> rows);
    // Rows were added before row `at`: the rows in view stay where they stand.
    void RowsInserted(int at, int count);
    // The control now showing row `index`, or null when that row is out of view.
    VxControl* ControlOfRow(int index) const;

    void SetPos(RECT rect) override;
    void SetScrollPos(SIZE position) override;
    void SetInsetVisible(bool visible = true) override;

private:
    virtual_list::Metrics MetricsFor(const RECT& inner) const;
    int ScrollTop() const;
    // Makes controls until there are `size`; a new pool size moves rows to other controls.
    void GrowPool(int size);
    void PlaceRows(const RECT& inner);
    // Shows the controls of the rows in range, hides the others.
    void ShowRange();

    std::unique_ptr<IVirtualRows> rows_;
    int rowHeight_ = 0;             // of the first control, its paddings included
    std::vector<int> shownRows_;    // per control (items_), the row it shows; -1 none
    virtual_list::RowRange range_;  // of the last placing
};

}  // namespace VXM
