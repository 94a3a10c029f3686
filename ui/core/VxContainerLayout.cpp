#include <deque>
#include <vector>

#include "LayoutArithmetic.h"
#include "LayoutGeometry.h"
#include "NestingDepth.h"
#include "ScrollArithmetic.h"
#include "VxContainer.h"
#include "VxScrollbar.h"

namespace VXM {
namespace {

// A scroll bar appearing can make the other one appear; a few rounds settle any layout.
constexpr int kMaxRelayouts = 4;
// Lists longer than this give their scratch memory back after each layout.
constexpr size_t kKeptScratch = 1024;

// While a scroll moves the children, containers whose layout is current move along with their
// subtree instead of being laid out again.
thread_local bool t_moving = false;

class MovingScope {
public:
    explicit MovingScope(bool moving) : previous_(t_moving) { t_moving = moving; }
    MovingScope(const MovingScope&) = delete;
    MovingScope& operator=(const MovingScope&) = delete;
    ~MovingScope() { t_moving = previous_; }

private:
    bool previous_ = false;
};

struct Entry {
    VxControl* control = nullptr;  // not owned
    bool floating = false;
};

// The lists of one layout, one set per nesting level so that a child's layout keeps its
// parent's, kept between layouts to spare the allocations.
struct Scratch {
    std::vector<Entry> entries;
    std::vector<layout::LayoutChild> children;
    std::vector<RECT> rects;

    void Clear()
    {
        entries.clear();
        children.clear();
        if (entries.capacity() > kKeptScratch) {
            entries.shrink_to_fit();
            children.shrink_to_fit();
            rects = {};
        }
    }
};

Scratch& ScratchAt(int level)
{
    thread_local std::deque<Scratch> levels;  // a deque keeps the outer levels in place as it grows
    while (static_cast<int>(levels.size()) < level)
        levels.emplace_back();
    return levels[level - 1];
}

bool IsFloating(const VxControl& control)
{
    return control.IsFloat() || control.IsRelFloat() || control.IsAbsFloat();
}

layout::LayoutChild Describe(VxControl& control, SIZE available)
{
    layout::LayoutChild child;
    child.estimate = control.EstimateSize(available);
    child.padding = control.GetPadding();
    child.minSize = SIZE{control.GetMinWidth(), control.GetMinHeight()};
    child.maxSize = SIZE{control.GetMaxWidth(), control.GetMaxHeight()};
    child.format = control.GetFormat();
    return child;
}

layout::BarExtent ExtentOf(const VxScrollbar* bar)
{
    if (!bar)
        return {};
    return layout::BarExtent{bar->IsVisible(), bar->GetScrollRange(), bar->GetScrollPos()};
}

layout::BarState StateOf(const VxScrollbar& bar)
{
    return layout::BarState{bar.IsVisible(), bar.IsEnabled(), bar.GetScrollRange(), bar.GetScrollPos()};
}

void Apply(VxScrollbar& bar, const layout::BarState& from, const layout::BarState& to)
{
    if (to.visible != from.visible)
        bar.SetVisible(to.visible);
    if (to.enabled != from.enabled)
        bar.SetEnabled(to.enabled);
    if (to.range != from.range)
        bar.SetScrollRange(to.range);
    if (to.position != bar.GetScrollPos())
        bar.SetScrollPos(to.position);
}

layout::LayoutKind KindOf(int layoutType)
{
    switch (layoutType) {
    case VxContainer::kLayoutHorizontal:
        return layout::kHorizontal;
    case VxContainer::kLayoutVertical:
        return layout::kVertical;
    default:
        return layout::kOverlaid;
    }
}

bool SameSize(const RECT& a, const RECT& b)
{
    return layout::Width(a) == layout::Width(b) && layout::Height(a) == layout::Height(b);
}

}  // namespace

void VxContainer::SetPos(RECT rect)
{
    SetPosAs(rect, layoutType_);
}

RECT VxContainer::InnerRect() const
{
    const int barWidth = verticalScrollbar_ && verticalScrollbar_->IsVisible() ? verticalScrollbar_->GetFixedWidth() : 0;
    const int barHeight =
        horizontalScrollbar_ && horizontalScrollbar_->IsVisible() ? horizontalScrollbar_->GetFixedHeight() : 0;
    return layout::InnerRect(itemRect_, inset_, barWidth, barHeight);
}

void VxContainer::SetPosAs(RECT rect, int layoutType)
{
    const RECT previous = itemRect_;
    const bool current = laidOut_ && !updateNeeded_;
    VxControl::SetPos(rect);
    NestingScope nesting;
    if (!nesting.Allowed()) {
        laidOut_ = false;
        return;
    }
    if (t_moving && current && SameSize(previous, itemRect_)) {
        MoveSubtree(itemRect_.left - previous.left, itemRect_.top - previous.top, layoutType);
        return;
    }
    MovingScope fresh(false);
    laidOut_ = false;
    const RECT inner = InnerRect();
    const SIZE needed = items_.empty() ? SIZE{} : LayOutChildren(layoutType, inner, nesting.Level());
    laidOut_ = true;
    ProcessScrollbar(inner, needed.cx, needed.cy);
}

SIZE VxContainer::LayOutChildren(int layoutType, const RECT& inner, int level)
{
    const layout::LayoutKind kind = KindOf(layoutType);
    const layout::LayoutArea area =
        layout::AreaFor(kind, inner, ExtentOf(horizontalScrollbar_), ExtentOf(verticalScrollbar_), childPadding_);
    const SIZE estimateFor = kind == layout::kOverlaid ? area.inner : area.available;

    Scratch& scratch = ScratchAt(level);
    for (VxControl* child : items_) {
        if (!child->IsVisible())
            continue;
        const bool floating = IsFloating(*child);
        scratch.entries.push_back(Entry{child, floating});
        if (!floating)
            scratch.children.push_back(Describe(*child, estimateFor));
    }
    scratch.rects.resize(scratch.children.size());
    SIZE needed = {};
    switch (kind) {
    case layout::kVertical:
        needed = layout::FlowVertical(area, scratch.children, scratch.rects);
        break;
    case layout::kHorizontal:
        needed = layout::FlowHorizontal(area, scratch.children, scratch.rects);
        break;
    case layout::kOverlaid:
        needed = layout::Overlay(area, scratch.children, scratch.rects);
        break;
    }

    const RECT reference = layout::FloatReference(kind, itemRect_, inner);
    size_t next = 0;
    for (const Entry& entry : scratch.entries) {
        if (entry.floating)
            SetFloatPos(entry.control, reference);
        else
            entry.control->SetPos(scratch.rects[next++]);
    }
    scratch.Clear();
    return needed;
}

void VxContainer::MoveSubtree(int dx, int dy, int layoutType)
{
    if (dx == 0 && dy == 0)
        return;
    const RECT reference = layout::FloatReference(KindOf(layoutType), itemRect_, InnerRect());
    for (VxControl* child : items_) {
        if (!child->IsVisible())
            continue;
        if (IsFloating(*child))
            SetFloatPos(child, reference);
        else
            child->SetPos(layout::Offset(child->GetPos(), dx, dy));
    }
    for (VxScrollbar* bar : {verticalScrollbar_, horizontalScrollbar_}) {
        if (bar)
            bar->SetPos(layout::Offset(bar->GetPos(), dx, dy));
    }
}

void VxContainer::MoveChildren(int dx, int dy)
{
    MovingScope moving(true);
    for (VxControl* child : items_) {
        if (child->IsVisible() && !IsFloating(*child))
            child->SetPos(layout::Offset(child->GetPos(), dx, dy));
    }
}

void VxContainer::SetFloatPos(VxControl* child, const RECT& rect)
{
    if (!child || !child->IsVisible())
        return;
    layout::FloatPlacement placement;
    if (child->IsFloat())
        placement.kind = layout::FloatKind::kFloat;
    else if (child->IsRelFloat())
        placement.kind = layout::FloatKind::kRelative;
    else if (child->IsAbsFloat())
        placement.kind = layout::FloatKind::kAbsolute;
    else
        return;
    placement.fixedXY = child->GetFixedXY();
    placement.fixedSize = SIZE{child->GetFixedWidth(), child->GetFixedHeight()};
    placement.padding = child->GetPadding();
    child->SetPos(layout::FloatRect(placement, rect));
}

void VxContainer::ProcessScrollbar(const RECT& inner, int neededWidth, int neededHeight)
{
    bool changed = false;
    if (VxScrollbar* bar = verticalScrollbar_) {
        const layout::BarState state = StateOf(*bar);
        const layout::BarDecision decision =
            layout::DecideVerticalBar(state, neededHeight, static_cast<int>(layout::Height(inner)), alwaysShowVScroll_);
        Apply(*bar, state, decision.state);
        changed |= decision.changed;
        bar->SetPos(layout::VerticalBarRect(inner, bar->GetFixedWidth()));
    }
    if (VxScrollbar* bar = horizontalScrollbar_) {
        const layout::BarState state = StateOf(*bar);
        const int innerWidth = static_cast<int>(layout::Width(inner));
        const layout::BarDecision decision = layout::DecideHorizontalBar(state, neededWidth, innerWidth);
        Apply(*bar, state, decision.state);
        changed |= decision.changed;
        if (neededWidth > innerWidth)
            bar->SetPos(layout::HorizontalBarRect(inner, bar->GetFixedHeight()));
    }
    if (!changed)
        return;
    if (relayouts_ < kMaxRelayouts) {
        ++relayouts_;
        SetPos(itemRect_);
        --relayouts_;
    }
    // A bar that changed its visibility asked for this layout; it is done.
    updateNeeded_ = false;
}

}  // namespace VXM
