#include "VxScrollbar.h"

#include <gtest/gtest.h>

#include <memory>

#include "ScrollbarTestEvents.h"
#include "VxHorizontalLayout.h"
#include "VxPaintManager.h"
#include "VxVerticalLayout.h"

namespace {

using namespace VXM;
using namespace scrollbar_events;

// A child handed to a container, which owns it from then on.
template <typename Control>
Control* AddChild(VxContainer& container, int fixedWidth, int fixedHeight)
{
    auto child = std::make_unique<Control>();
    child->SetFixedWidth(fixedWidth);
    child->SetFixedHeight(fixedHeight);
    Control* raw = child.get();
    if (container.Add(raw))
        child.release();
    return raw;
}

// A vertical list of ten 100-pixel rows in a 200 x 300 rectangle: range 700, its bar owned by it.
class ScrollbarWithOwner : public testing::Test {
protected:
    void SetUp() override
    {
        list_.EnableScrollBar(true);
        firstRow_ = AddChild<VxControl>(list_, 0, 100);
        for (int i = 1; i < 10; ++i)
            AddChild<VxControl>(list_, 0, 100);
        list_.SetPos(RECT{0, 0, 200, 300});
        bar_ = list_.GetVerticalScrollbar();
    }

    LONG Scrolled() const { return list_.GetScrollPos().cy; }

    VxVerticalLayout list_;
    VxControl* firstRow_ = nullptr;
    VxScrollbar* bar_ = nullptr;
};

TEST_F(ScrollbarWithOwner, ArrowsAndTrackScrollTheOwner)
{
    ASSERT_NE(bar_, nullptr);
    ASSERT_EQ(bar_->GetOwner(), &list_);
    ASSERT_EQ(bar_->GetScrollRange(), 700);
    const RECT& barRect = bar_->GetPos();
    const LONG x = barRect.left + 8;

    Press(*bar_, x, 8);
    Release(*bar_, x, 8);
    EXPECT_EQ(Scrolled(), 0);
    Press(*bar_, x, barRect.bottom - 8);
    Release(*bar_, x, barRect.bottom - 8);
    EXPECT_EQ(Scrolled(), 8) << "owner's line step";
    EXPECT_EQ(firstRow_->GetPos().top, -8) << "the owner moved its rows";

    const LONG afterThumb = bar_->GetThumbRect().bottom + 2;
    Press(*bar_, x, afterThumb);
    Release(*bar_, x, afterThumb);
    EXPECT_EQ(Scrolled(), 308) << "owner's page: its inner height";
    EXPECT_EQ(bar_->GetScrollPos(), 308);

    const LONG beforeThumb = bar_->GetThumbRect().top - 2;
    Press(*bar_, x, beforeThumb);
    Release(*bar_, x, beforeThumb);
    EXPECT_EQ(Scrolled(), 8);
}

TEST_F(ScrollbarWithOwner, HeldArrowRepeatsThroughTheOwner)
{
    const RECT& barRect = bar_->GetPos();
    const LONG x = barRect.left + 8;
    Press(*bar_, x, barRect.bottom - 8);
    Tick(*bar_, 5);
    EXPECT_EQ(Scrolled(), 8);
    Tick(*bar_, 3);
    EXPECT_EQ(Scrolled(), 32);
    Release(*bar_, x, barRect.bottom - 8);
    Tick(*bar_, 3);
    EXPECT_EQ(Scrolled(), 32);
}

TEST_F(ScrollbarWithOwner, DraggedThumbSetsTheOwnersPosition)
{
    const RECT& barRect = bar_->GetPos();
    const LONG x = barRect.left + 8;
    const RECT thumb = bar_->GetThumbRect();
    const LONG travel = (barRect.bottom - 16) - (barRect.top + 16) - (thumb.bottom - thumb.top);
    Press(*bar_, x, thumb.top + 5);
    Move(*bar_, x, thumb.top + 5 + travel);
    Tick(*bar_);
    EXPECT_EQ(Scrolled(), 700);
    EXPECT_EQ(list_.GetScrollPos().cx, 0);
    Move(*bar_, x, thumb.top + 5 + travel / 2);
    Tick(*bar_);
    EXPECT_NEAR(Scrolled(), 350, 700 / travel + 1);
    Release(*bar_, x, thumb.top + 5);
}

// The product's list style: 15 wide, line 30, no arrows, wheel handed on to the list.
TEST(ScrollbarSkinStyle, ListScrollsByWheelAndTrack)
{
    VxVerticalLayout list;
    list.SetAttribute(L"vscrollbarstyle", L"dispatch=\"mousewheel\" width=\"15\" linesize=\"30\" "
                                          L"showbutton1=\"false\" showbutton2=\"false\"");
    for (int i = 0; i < 40; ++i)
        AddChild<VxControl>(list, 0, 50);
    list.SetPos(RECT{0, 0, 300, 300});
    VxScrollbar* bar = list.GetVerticalScrollbar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->GetScrollRange(), 1700);
    EXPECT_EQ(bar->GetPos().left, 285);
    EXPECT_TRUE(IsRectEmpty(&bar->GetButton1Rect()));
    // No arrows: the thumb runs the whole height; 300 x 300 / 2000 = 45 long.
    EXPECT_EQ(bar->GetThumbRect().top, 0);
    EXPECT_EQ(bar->GetThumbRect().bottom, 45);

    VxEventUI wheel = MakeEvent(kEventMouseWheel, POINT{290, 100}, bar);
    wheel.wParam = 1;  // one step down
    bar->Event(wheel);
    EXPECT_EQ(list.GetScrollPos().cy, 30);

    Press(*bar, 290, 290);
    Release(*bar, 290, 290);
    EXPECT_EQ(list.GetScrollPos().cy, 330);
    EXPECT_EQ(bar->GetThumbRect().top, 255 * 330 / 1700);
}

TEST(ScrollbarWithHorizontalOwner, ArrowsAndTrackScrollSideways)
{
    VxHorizontalLayout row;
    row.EnableScrollBar(false, true);
    for (int i = 0; i < 5; ++i)
        AddChild<VxControl>(row, 100, 0);
    row.SetPos(RECT{0, 0, 200, 100});
    VxScrollbar* bar = row.GetHorizontalScrollbar();
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(bar->IsHorizontal());
    ASSERT_EQ(bar->GetScrollRange(), 300);
    const RECT& barRect = bar->GetPos();
    const LONG y = barRect.top + 8;

    Press(*bar, barRect.right - 8, y);
    Release(*bar, barRect.right - 8, y);
    EXPECT_EQ(row.GetScrollPos().cx, 8);
    Press(*bar, barRect.left + 8, y);
    Release(*bar, barRect.left + 8, y);
    EXPECT_EQ(row.GetScrollPos().cx, 0);
    const LONG afterThumb = bar->GetThumbRect().right + 2;
    Press(*bar, afterThumb, y);
    Release(*bar, afterThumb, y);
    EXPECT_EQ(row.GetScrollPos().cx, 200) << "owner's page: its inner width";
    EXPECT_EQ(row.GetScrollPos().cy, 0);
}

TEST(ScrollbarOwnership, HorizontalSwitchAsksTheOwnerForALayout)
{
    VxVerticalLayout owner;
    VxScrollbar bar;
    bar.SetOwner(&owner);
    owner.SetPos(RECT{0, 0, 100, 100});
    ASSERT_FALSE(owner.IsUpdateNeeded());
    bar.SetHorizontal(true);
    EXPECT_TRUE(owner.IsUpdateNeeded());
}

TEST(ScrollbarOwnership, FocusGoesToTheOwner)
{
    TestWindow window;
    VxPaintManager manager;
    manager.Init(window.Get());
    VxVerticalLayout list;
    list.EnableScrollBar(true);
    list.SetManager(&manager);
    VxScrollbar* bar = list.GetVerticalScrollbar();
    ASSERT_NE(bar, nullptr);
    bar->SetFocus();
    EXPECT_EQ(manager.GetFocus(), &list);

    VxScrollbar loose;
    loose.SetManager(&manager);
    loose.SetFocus();
    EXPECT_EQ(manager.GetFocus(), &loose) << "without owner the bar takes it";
}

}  // namespace
