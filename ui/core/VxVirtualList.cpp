#include "VxVirtualList.h"

#include <algorithm>
#include <utility>

#include "LayoutGeometry.h"
#include "VxScrollbar.h"

namespace VXM {

void VxVirtualList::SetRows(std::unique_ptr<IVirtualRows> rows)
{
    rows_ = std::move(rows);
    std::fill(shownRows_.begin(), shownRows_.end(), -1);
    NeedUpdate();
}

void VxVirtualList::RowsInserted(int at, int count)
{
    VxScrollbar* bar = GetVerticalScrollbar();
    if (bar && bar->IsVisible()) {
        const virtual_list::Metrics metrics = MetricsFor(InnerRect());
        const int position = virtual_list::ScrollAfterInsert(metrics, bar->GetScrollPos(), at, count);
        // The layout that follows sets the range again; the position must fit in it now.
        bar->SetScrollRange(std::max(bar->GetScrollRange(), position));
        bar->SetScrollPos(position);
    }
    std::fill(shownRows_.begin(), shownRows_.end(), -1);
    NeedUpdate();
}

VxControl* VxVirtualList::ControlOfRow(int index) const
{
    if (index < range_.first || index >= range_.last || shownRows_.size() != items_.size() || items_.empty())
        return nullptr;
    const int slot = virtual_list::SlotOf(index, static_cast<int>(items_.size()));
    return shownRows_[slot] == index ? items_[slot] : nullptr;
}

// The container's flow is not used: the rows stand where the arithmetic puts them.
void VxVirtualList::SetPos(RECT rect)
{
    VxControl::SetPos(rect);
    if (rows_ && rows_->RowCount() > 0 && items_.empty())
        GrowPool(1);
    // A bar that appears or vanishes lays the list out again from here.
    ProcessScrollbar(InnerRect(), 0, virtual_list::ContentHeight(MetricsFor(InnerRect())));
    PlaceRows(InnerRect());
}

void VxVirtualList::SetScrollPos(SIZE position)
{
    VxScrollbar* bar = GetVerticalScrollbar();
    if (!bar || !bar->IsVisible())
        return;
    const int before = bar->GetScrollPos();
    bar->SetScrollPos(position.cy);
    if (bar->GetScrollPos() == before)
        return;
    PlaceRows(InnerRect());
    Invalidate();
}

void VxVirtualList::SetInsetVisible(bool visible)
{
    VxVerticalLayout::SetInsetVisible(visible);
    ShowRange();
}

virtual_list::Metrics VxVirtualList::MetricsFor(const RECT& inner) const
{
    virtual_list::Metrics metrics;
    metrics.rowCount = rows_ && rowHeight_ > 0 ? rows_->RowCount() : 0;
    metrics.rowHeight = rowHeight_;
    metrics.gap = childPadding_;
    metrics.viewHeight = static_cast<int>(layout::Height(inner));
    metrics.margin = kMargin;
    return metrics;
}

int VxVirtualList::ScrollTop() const
{
    const VxScrollbar* bar = GetVerticalScrollbar();
    return bar && bar->IsVisible() ? bar->GetScrollPos() : 0;
}

void VxVirtualList::GrowPool(int size)
{
    if (!rows_ || static_cast<int>(items_.size()) >= size)
        return;
    while (static_cast<int>(items_.size()) < size) {
        VxControl* row = rows_->MakeRow();
        if (!row || !Add(row))
            break;
        row->Init();
    }
    shownRows_.assign(items_.size(), -1);
    if (!items_.empty()) {
        const RECT padding = items_.front()->GetPadding();
        rowHeight_ = items_.front()->GetFixedHeight() + padding.top + padding.bottom;
    }
    // The new controls asked for a layout: this is it.
    updateNeeded_ = false;
}

void VxVirtualList::PlaceRows(const RECT& inner)
{
    GrowPool(virtual_list::PoolSize(MetricsFor(inner)));
    // A child added from outside takes a place in the pool.
    if (shownRows_.size() != items_.size())
        shownRows_.assign(items_.size(), -1);
    const virtual_list::Metrics metrics = MetricsFor(inner);
    const int scrollTop = ScrollTop();
    range_ = items_.empty() ? virtual_list::RowRange{} : virtual_list::VisibleRows(metrics, scrollTop);
    const int slots = static_cast<int>(items_.size());
    for (int index = range_.first; index < range_.last; ++index) {
        const int slot = virtual_list::SlotOf(index, slots);
        if (shownRows_[slot] != index) {
            rows_->ShowRow(*items_[slot], index);
            shownRows_[slot] = index;
        }
    }
    // Shown before they are placed: a row with children of its own, placed hidden, would lay out
    // none of them and keep that when it is next only moved.
    ShowRange();
    for (int index = range_.first; index < range_.last; ++index) {
        VxControl& row = *items_[virtual_list::SlotOf(index, slots)];
        const RECT padding = row.GetPadding();
        const int top = inner.top + virtual_list::RowTop(metrics, index, scrollTop) + padding.top;
        const int left = inner.left + padding.left;
        const int width = row.GetFixedWidth() > 0
                              ? row.GetFixedWidth()
                              : std::max(0, static_cast<int>(layout::Width(inner) - padding.left - padding.right));
        row.SetPos(RECT{left, top, left + width, top + row.GetFixedHeight()});
    }
}

void VxVirtualList::ShowRange()
{
    const bool shown = IsVisible();
    for (size_t slot = 0; slot < items_.size(); ++slot) {
        const int index = slot < shownRows_.size() ? shownRows_[slot] : -1;
        items_[slot]->SetInsetVisible(shown && index >= range_.first && index < range_.last);
    }
}

}  // namespace VXM
