#include <deque>
#include <vector>

#if defined(_MSC_VER)
#include <xmmintrin.h>
#endif

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

class MovingScope {
public:
    MovingScope(bool& moving, bool value) : moving_(moving), previous_(moving) { moving_ = value; }
    MovingScope(const MovingScope&) = delete;
    MovingScope& operator=(const MovingScope&) = delete;
    ~MovingScope() { moving_ = previous_; }

private:
    bool& moving_;
    bool previous_ = false;
};

// The estimates and rectangles of one layout, one set per nesting level so that a child's layout
// keeps its parent's, kept between layouts to spare the allocations.
struct Scratch {
    std::vector<layout::LayoutChild> children;
    std::vector<RECT> rects;

    void Clear()
    {
        children.clear();
        if (children.capacity() > kKeptScratch) {
            children = {};
            rects = {};
        }
    }
};

// What the layouts share; they run on the UI thread only, as does the whole framework.
struct LayoutState {
    // While a scroll moves the children, containers whose layout is current move along with
    // their subtree instead of being laid out again.
    bool moving = false;
    std::deque<Scratch> levels;  // a deque keeps the outer levels in place as it grows

    Scratch& ScratchAt(int level)
    {
        while (static_cast<int>(levels.size()) < level)
            levels.emplace_back();
        return levels[level - 1];
    }
};

LayoutState g_layout;

bool IsFloating(const VxControl& control)
{
    return control.IsFloat() || control.IsRelFloat() || control.IsAbsFloat();
}

// How far ahead in a list of children the memory is fetched.
constexpr size_t kPrefetchAhead = 3;

void PrefetchAddress(const void* address)
{
#if defined(_MSC_VER)
    _mm_prefetch(static_cast<const char*>(address), _MM_HINT_T0);
#else
    __builtin_prefetch(address);
#endif
}

layout::LayoutChild Describe(VxControl& control, SIZE available, layout::LayoutKind kind)
{
    layout::LayoutChild child;
    child.estimate = control.EstimateSize(available);
    child.padding = control.GetPadding();
    child.minSize = SIZE{control.GetMinWidth(), control.GetMinHeight()};
    child.maxSize = SIZE{control.GetMaxWidth(), control.GetMaxHeight()};
    // Only the overlaid layout centres; the flows spare the read.
    if (kind == layout::kOverlaid)
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
        ForgetLayout();
        return;
    }
    if (g_layout.moving && current && SameSize(previous, itemRect_)) {
        MoveSubtree(itemRect_.left - previous.left, itemRect_.top - previous.top, layoutType);
        return;
    }
    MovingScope fresh(g_layout.moving, false);
    ForgetLayout();
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

    Scratch& scratch = g_layout.ScratchAt(level);
    for (size_t i = 0; i < items_.size(); ++i) {
        if (i + kPrefetchAhead < items_.size())
            Prefetch(items_[i + kPrefetchAhead], true);
        VxControl* child = items_[i];
        if (!child->IsVisible())
            continue;
        if (IsFloating(*child)) {
            floatingChildren_.push_back(child);
            continue;
        }
        flowChildren_.push_back(child);
        scratch.children.push_back(Describe(*child, estimateFor, kind));
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

    // Indexed: a child's SetPos that lays this container out anew rebuilds the lists.
    for (size_t i = 0; i < flowChildren_.size() && i < scratch.rects.size(); ++i)
        flowChildren_[i]->SetPos(scratch.rects[i]);
    const RECT reference = layout::FloatReference(kind, itemRect_, inner);
    for (size_t i = 0; i < floatingChildren_.size(); ++i)
        SetFloatPos(floatingChildren_[i], reference);
    scratch.Clear();
    return needed;
}

// The lists of the last layout spare asking every child again whether it is visible and floating.
void VxContainer::MoveSubtree(int dx, int dy, int layoutType)
{
    if (dx == 0 && dy == 0)
        return;
    for (VxControl* child : flowChildren_)
        child->SetPos(layout::Offset(child->GetPos(), dx, dy));
    if (!floatingChildren_.empty()) {
        const RECT reference = layout::FloatReference(KindOf(layoutType), itemRect_, InnerRect());
        for (VxControl* child : floatingChildren_)
            SetFloatPos(child, reference);
    }
    for (VxScrollbar* bar : {verticalScrollbar_, horizontalScrollbar_}) {
        if (bar)
            bar->SetPos(layout::Offset(bar->GetPos(), dx, dy));
    }
}

void VxContainer::MoveChildren(int dx, int dy)
{
    MovingScope moving(g_layout.moving, true);
    if (laidOut_ && !updateNeeded_) {
        for (size_t i = 0; i < flowChildren_.size(); ++i) {
            if (i + kPrefetchAhead < flowChildren_.size())
                Prefetch(flowChildren_[i + kPrefetchAhead], false);
            VxControl* child = flowChildren_[i];
            child->SetPos(layout::Offset(child->GetPos(), dx, dy));
        }
        return;
    }
    for (VxControl* child : items_) {
        if (child->IsVisible() && !IsFloating(*child))
            child->SetPos(layout::Offset(child->GetPos(), dx, dy));
    }
}

// A list of thousands of rows is walked at the speed of memory, not of the arithmetic: each
// child's object is large and its fields lie apart. The fields are found by their offsets in
// this control, which are the same in every control; a child that is no container has no
// container fields, and fetching there is harmless.
void VxContainer::Prefetch(const VxControl* child, bool forLayout) const
{
    const char* self = reinterpret_cast<const char*>(static_cast<const VxControl*>(this));
    const char* other = reinterpret_cast<const char*>(child);
    auto fetch = [&](const void* field) { PrefetchAddress(other + (static_cast<const char*>(field) - self)); };
    fetch(self);
    fetch(&itemRect_);
    fetch(&updateNeeded_);
    fetch(&laidOut_);
    if (forLayout) {
        fetch(&float_);
        fetch(&visible_);
        fetch(&items_);
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
