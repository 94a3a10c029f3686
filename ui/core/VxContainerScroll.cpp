#include <cstdint>

#include "LayoutGeometry.h"
#include "VxContainer.h"
#include "VxPaintManager.h"
#include "VxScrollbar.h"

namespace VXM {
namespace {

// The horizontal line step; the vertical one is the bar's own line size.
constexpr int kHorizontalLine = 8;

bool Shown(const VxScrollbar* bar)
{
    return bar && bar->IsVisible();
}

bool Usable(const VxScrollbar* bar)
{
    return Shown(bar) && bar->IsEnabled();
}

}  // namespace

VxScrollbar* VxContainer::GetVerticalScrollbar() const
{
    return verticalScrollbar_;
}

VxScrollbar* VxContainer::GetHorizontalScrollbar() const
{
    return horizontalScrollbar_;
}

SIZE VxContainer::GetScrollPos() const
{
    return SIZE{Shown(horizontalScrollbar_) ? horizontalScrollbar_->GetScrollPos() : 0,
                Shown(verticalScrollbar_) ? verticalScrollbar_->GetScrollPos() : 0};
}

SIZE VxContainer::GetScrollRange() const
{
    return SIZE{Shown(horizontalScrollbar_) ? horizontalScrollbar_->GetScrollRange() : 0,
                Shown(verticalScrollbar_) ? verticalScrollbar_->GetScrollRange() : 0};
}

void VxContainer::SetScrollPos(SIZE position)
{
    const SIZE before = GetScrollPos();
    if (Shown(verticalScrollbar_))
        verticalScrollbar_->SetScrollPos(position.cy);
    if (Shown(horizontalScrollbar_))
        horizontalScrollbar_->SetScrollPos(position.cx);
    const SIZE after = GetScrollPos();
    if (after.cx == before.cx && after.cy == before.cy)
        return;
    MoveChildren(before.cx - after.cx, before.cy - after.cy);
    Invalidate();
}

void VxContainer::ScrollBy(int dx, int dy)
{
    const SIZE position = GetScrollPos();
    SetScrollPos(SIZE{layout::ClampCoordinate(int64_t{position.cx} + dx),
                      layout::ClampCoordinate(int64_t{position.cy} + dy)});
}

void VxContainer::LineUp()
{
    ScrollBy(0, verticalScrollbar_ ? -verticalScrollbar_->GetLineSize() : 0);
}

void VxContainer::LineDown()
{
    ScrollBy(0, verticalScrollbar_ ? verticalScrollbar_->GetLineSize() : 0);
}

void VxContainer::PageUp()
{
    ScrollBy(0, -static_cast<int>(layout::Height(InnerRect())));
}

void VxContainer::PageDown()
{
    ScrollBy(0, static_cast<int>(layout::Height(InnerRect())));
}

void VxContainer::HomeUp()
{
    SetScrollPos(SIZE{GetScrollPos().cx, 0});
}

void VxContainer::EndDown()
{
    SetScrollPos(SIZE{GetScrollPos().cx, GetScrollRange().cy});
}

void VxContainer::LineLeft()
{
    ScrollBy(-kHorizontalLine, 0);
}

void VxContainer::LineRight()
{
    ScrollBy(kHorizontalLine, 0);
}

void VxContainer::PageLeft()
{
    ScrollBy(-static_cast<int>(layout::Width(InnerRect())), 0);
}

void VxContainer::PageRight()
{
    ScrollBy(static_cast<int>(layout::Width(InnerRect())), 0);
}

void VxContainer::HomeLeft()
{
    SetScrollPos(SIZE{0, GetScrollPos().cy});
}

void VxContainer::EndRight()
{
    SetScrollPos(SIZE{GetScrollRange().cx, GetScrollPos().cy});
}

bool VxContainer::ScrollByKey(WORD key)
{
    struct Moves {
        void (VxContainer::*pageBack)();
        void (VxContainer::*pageOn)();
        void (VxContainer::*end)();
        void (VxContainer::*home)();
        void (VxContainer::*lineBack)();
        void (VxContainer::*lineOn)();
    };
    static const Moves kVertical = {&VxContainer::PageUp, &VxContainer::PageDown, &VxContainer::EndDown,
                                    &VxContainer::HomeUp, &VxContainer::LineUp,   &VxContainer::LineDown};
    static const Moves kHorizontal = {&VxContainer::PageLeft, &VxContainer::PageRight, &VxContainer::EndRight,
                                      &VxContainer::HomeLeft, &VxContainer::LineLeft,  &VxContainer::LineRight};
    const Moves* moves = Usable(verticalScrollbar_)     ? &kVertical
                         : Usable(horizontalScrollbar_) ? &kHorizontal
                                                        : nullptr;
    if (!moves)
        return false;
    switch (key) {
    case VK_PRIOR:
        (this->*moves->pageBack)();
        return true;
    case VK_NEXT:
        (this->*moves->pageOn)();
        return true;
    case VK_END:
        (this->*moves->end)();
        return true;
    case VK_HOME:
        (this->*moves->home)();
        return true;
    case VK_UP:
        (this->*moves->lineBack)();
        return true;
    case VK_DOWN:
        (this->*moves->lineOn)();
        return true;
    default:
        return false;
    }
}

void VxContainer::OnKeyDown(VxEventUI& event)
{
    if (!ScrollByKey(event.key))
        VxControl::OnKeyDown(event);
}

void VxContainer::OnMouseWheel(VxEventUI& event)
{
    // wParam 0 is a step up, 1 a step down.
    if (event.wParam <= 1) {
        const bool down = event.wParam == 1;
        if (Usable(verticalScrollbar_)) {
            down ? LineDown() : LineUp();
            return;
        }
        if (Usable(horizontalScrollbar_)) {
            down ? LineRight() : LineLeft();
            return;
        }
    }
    VxControl::OnMouseWheel(event);
}

void VxContainer::EnableScrollBar(bool vertical, bool horizontal)
{
    const bool hadVertical = verticalScrollbar_ != nullptr;
    const bool hadHorizontal = horizontalScrollbar_ != nullptr;
    if (vertical && !verticalScrollbar_) {
        verticalScrollbar_ = MakeScrollbar(false, verticalScrollbarStyle_);
    } else if (!vertical && verticalScrollbar_) {
        delete verticalScrollbar_;
        verticalScrollbar_ = nullptr;
    }
    if (horizontal && !horizontalScrollbar_) {
        horizontalScrollbar_ = MakeScrollbar(true, horizontalScrollbarStyle_);
    } else if (!horizontal && horizontalScrollbar_) {
        delete horizontalScrollbar_;
        horizontalScrollbar_ = nullptr;
    }
    if (hadVertical != vertical || hadHorizontal != horizontal)
        NeedUpdate();
}

VxScrollbar* VxContainer::MakeScrollbar(bool horizontal, const std::wstring& style)
{
    auto* bar = new VxScrollbar();  // owned by this container
    if (horizontal)
        bar->SetHorizontal(true);
    bar->SetOwner(this);
    bar->SetManager(manager_);
    bar->SetParent(this);
    if (manager_) {
        const std::wstring list = manager_->GetDefaultAttributeList(style);
        if (!list.empty())
            bar->ApplyAttributeList(list);
    }
    return bar;
}

}  // namespace VXM
