#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "LayoutGeometry.h"
#include "ProbeControl.h"
#include "VxContainer.h"
#include "VxHorizontalLayout.h"
#include "VxScrollbar.h"
#include "VxVerticalLayout.h"

namespace {

using namespace VXM;

void ExpectRect(const RECT& actual, int left, int top, int right, int bottom)
{
    EXPECT_EQ(actual.left, left);
    EXPECT_EQ(actual.top, top);
    EXPECT_EQ(actual.right, right);
    EXPECT_EQ(actual.bottom, bottom);
}

int Height(const VxControl* control)
{
    return control->GetPos().bottom - control->GetPos().top;
}

TEST(VxLayout, VerticalSharesTheHeightAndGivesTheRemainderToTheLast)
{
    VxVerticalLayout list;
    list.SetChildPadding(10);
    VxControl* first = NewSized(0, 0);
    VxControl* fixed = NewSized(0, 50);
    VxControl* last = NewSized(0, 0);
    for (VxControl* child : {first, fixed, last})
        list.Add(child);

    list.SetPos(RECT{0, 0, 100, 300});
    ExpectRect(first->GetPos(), 0, 0, 100, 115);
    ExpectRect(fixed->GetPos(), 0, 125, 100, 175);
    ExpectRect(last->GetPos(), 0, 185, 100, 300);

    list.SetPos(RECT{0, 0, 100, 301});
    EXPECT_EQ(Height(first), 115);
    EXPECT_EQ(Height(last), 116);

    first->SetMinHeight(200);
    list.SetPos(RECT{0, 0, 100, 100});
    EXPECT_EQ(Height(first), 200) << "the minimum overflows the container";
}

TEST(VxLayout, PaddingInsetAndInvisibleChildren)
{
    VxVerticalLayout list;
    list.SetInset(RECT{4, 6, 4, 6});
    VxControl* padded = NewSized(0, 20);
    padded->SetPadding(RECT{10, 0, 10, 0});
    VxControl* hidden = NewSized(0, 40);
    hidden->SetVisible(false);
    VxControl* rest = NewSized(0, 0);
    for (VxControl* child : {padded, hidden, rest})
        list.Add(child);

    list.SetPos(RECT{100, 100, 300, 300});
    ExpectRect(padded->GetPos(), 114, 106, 286, 126);
    // The hidden child takes no room.
    ExpectRect(rest->GetPos(), 104, 126, 296, 294);
}

TEST(VxLayout, HorizontalPlacesSideBySide)
{
    VxHorizontalLayout row;
    row.SetChildPadding(10);
    row.SetInset(RECT{5, 5, 5, 5});
    VxControl* icon = NewSized(32, 32);
    VxControl* text = NewSized(0, 0);
    VxControl* button = NewSized(80, 0);
    button->SetPadding(RECT{0, 4, 0, 4});
    for (VxControl* child : {icon, text, button})
        row.Add(child);

    row.SetPos(RECT{0, 0, 410, 50});
    ExpectRect(icon->GetPos(), 5, 5, 37, 37);
    ExpectRect(text->GetPos(), 47, 5, 315, 45);
    ExpectRect(button->GetPos(), 325, 9, 405, 41);
}

TEST(VxLayout, FloatIsPlacedFromTheOuterCornerInAVerticalLayoutAndTheInsetCornerInAHorizontalOne)
{
    auto place = [](VxContainer& container) {
        container.SetInset(RECT{7, 9, 0, 0});
        VxControl* box = new ProbeControl();
        box->SetAttribute(L"float", L"true");
        box->SetAttribute(L"pos", L"10,10,60,30");
        VxControl* flowing = NewSized(0, 20);
        container.Add(box);
        container.Add(flowing);
        container.SetPos(RECT{100, 200, 400, 500});
        EXPECT_EQ(flowing->GetPos().left, 107) << "the floating child takes no part in the flow";
        EXPECT_EQ(flowing->GetPos().top, 209);
        return box->GetPos();
    };
    VxVerticalLayout vertical;
    ExpectRect(place(vertical), 110, 210, 160, 230);
    VxHorizontalLayout horizontal;
    ExpectRect(place(horizontal), 117, 219, 167, 239);
}

TEST(VxLayout, ContainerLayoutTypesAndCentring)
{
    VxContainer overlaid;
    VxControl* filling = NewSized(0, 0);
    VxControl* centred = NewSized(40, 20);
    centred->SetAttribute(L"format", L"center vcen");
    overlaid.Add(filling);
    overlaid.Add(centred);
    overlaid.SetPos(RECT{0, 0, 200, 100});
    ExpectRect(filling->GetPos(), 0, 0, 200, 100);
    ExpectRect(centred->GetPos(), 80, 40, 120, 60);

    overlaid.SetAttribute(L"layouttype", L"horizontal");
    EXPECT_EQ(overlaid.GetLayoutType(), VxContainer::kLayoutHorizontal);
    overlaid.SetPos(RECT{0, 0, 200, 100});
    ExpectRect(filling->GetPos(), 0, 0, 160, 100);
    ExpectRect(centred->GetPos(), 160, 0, 200, 20);

    overlaid.SetAttribute(L"layouttype", L"vertical");
    overlaid.SetPos(RECT{0, 0, 200, 100});
    ExpectRect(centred->GetPos(), 0, 80, 40, 100);
    overlaid.SetAttribute(L"layouttype", L"diagonal");
    EXPECT_EQ(overlaid.GetLayoutType(), VxContainer::kLayoutVertical);
}

TEST(VxLayout, AnInsideOutRectangleIsStoredEmpty)
{
    VxVerticalLayout list;
    VxControl* child = NewSized(0, 0);
    list.Add(child);
    list.SetPos(RECT{50, 50, 10, 10});
    ExpectRect(list.GetPos(), 50, 50, 50, 50);
    ExpectRect(child->GetPos(), 50, 50, 50, 50);
}

TEST(VxLayout, HostileInsetsPaddingsAndSizesKeepRectanglesSane)
{
    VxVerticalLayout list;
    list.SetInset(RECT{INT_MAX, INT_MIN, INT_MAX, INT_MIN});
    list.SetChildPadding(INT_MIN);
    for (int i = 0; i < 50; ++i) {
        VxControl* child = NewSized(i % 2 ? INT_MAX : 0, i % 3 ? INT_MAX : 0);
        child->SetPadding(RECT{INT_MAX, INT_MIN, INT_MIN, INT_MAX});
        child->SetMinHeight(INT_MAX);
        list.Add(child);
    }
    list.EnableScrollBar(true, true);
    list.SetPos(RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    for (int i = 0; i < list.GetCount(); ++i) {
        const RECT& rect = list.GetItemAt(i)->GetPos();
        EXPECT_LE(rect.left, rect.right);
        EXPECT_LE(rect.top, rect.bottom);
        EXPECT_LE(rect.bottom, layout::kMaxCoordinate);
    }
    list.PageDown();
    list.EndRight();
    list.LineUp();
    EXPECT_GE(list.GetScrollPos().cy, 0);
}

// A vertical list with a bar, 200 x 300, holding rows 100 pixels high.
struct ScrollingList {
    ScrollingList(int rows, int rowHeight = 100)
    {
        list.EnableScrollBar(true, false);
        for (int i = 0; i < rows; ++i)
            list.Add(NewSized(0, rowHeight));
        list.SetPos(RECT{0, 0, 200, 300});
    }
    VxScrollbar* Bar() const { return list.GetVerticalScrollbar(); }
    const RECT& Row(int index) const { return list.GetItemAt(index)->GetPos(); }

    VxVerticalLayout list;
};

TEST(VxLayout, TheBarAppearsWhenTheContentOverflowsAndNarrowsTheRows)
{
    ScrollingList fitting(3);
    EXPECT_FALSE(fitting.Bar()->IsVisible());
    EXPECT_EQ(fitting.Row(0).right, 200);

    ScrollingList overflowing(5);
    ASSERT_TRUE(overflowing.Bar()->IsVisible());
    EXPECT_EQ(overflowing.Row(0).right, 200 - overflowing.Bar()->GetFixedWidth());
    EXPECT_EQ(overflowing.list.GetScrollRange().cy, 200);
    ExpectRect(overflowing.Bar()->GetPos(), 200 - overflowing.Bar()->GetFixedWidth(), 0, 200, 300);

    // Content shrinking back hides the bar and resets its position.
    overflowing.list.SetScrollPos(SIZE{0, 150});
    overflowing.list.RemoveAt(4);
    overflowing.list.RemoveAt(3);
    overflowing.list.SetPos(RECT{0, 0, 200, 300});
    EXPECT_FALSE(overflowing.Bar()->IsVisible());
    EXPECT_EQ(overflowing.list.GetScrollPos().cy, 0);
    EXPECT_EQ(overflowing.Bar()->GetScrollPos(), 0);
    ExpectRect(overflowing.Row(0), 0, 0, 200, 100);
}

TEST(VxLayout, AnAlwaysShownBarStaysWithRangeZero)
{
    ScrollingList list(5);
    list.list.SetAttribute(L"alwayshowvscroll", L"true");
    list.list.RemoveAt(4);
    list.list.RemoveAt(3);
    list.list.SetPos(RECT{0, 0, 200, 300});
    EXPECT_TRUE(list.Bar()->IsVisible());
    EXPECT_EQ(list.Bar()->GetScrollRange(), 0);
    EXPECT_EQ(list.Row(0).right, 200 - list.Bar()->GetFixedWidth());
}

TEST(VxLayout, PageLineHomeAndEndMoves)
{
    ScrollingList list(10);  // 1000 pixels in 300: range 700
    list.list.PageDown();
    EXPECT_EQ(list.list.GetScrollPos().cy, 300) << "a page is the visible inner height";
    EXPECT_EQ(list.Row(3).top, 0);
    list.list.LineDown();
    EXPECT_EQ(list.list.GetScrollPos().cy, 300 + list.Bar()->GetLineSize());
    list.list.LineUp();
    list.list.PageUp();
    EXPECT_EQ(list.list.GetScrollPos().cy, 0);
    list.list.PageUp();
    EXPECT_EQ(list.list.GetScrollPos().cy, 0) << "the bar clamps at the start";
    list.list.EndDown();
    EXPECT_EQ(list.list.GetScrollPos().cy, 700);
    EXPECT_EQ(list.Row(9).bottom, 300);
    list.list.PageDown();
    EXPECT_EQ(list.list.GetScrollPos().cy, 700);
    list.list.HomeUp();
    EXPECT_EQ(list.Row(0).top, 0);

    // The inset takes its share off the page.
    list.list.SetInset(RECT{0, 20, 0, 30});
    list.list.SetPos(RECT{0, 0, 200, 300});
    list.list.PageDown();
    EXPECT_EQ(list.list.GetScrollPos().cy, 250);
}

TEST(VxLayout, KeysAndTheWheelScrollThroughTheVisibleBar)
{
    ScrollingList list(10);
    VxEventUI key;
    key.type = kEventKeyDown;
    key.key = VK_NEXT;
    list.list.Event(key);
    EXPECT_EQ(list.list.GetScrollPos().cy, 300);
    key.key = VK_END;
    list.list.Event(key);
    EXPECT_EQ(list.list.GetScrollPos().cy, 700);
    key.key = VK_HOME;
    list.list.Event(key);
    EXPECT_EQ(list.list.GetScrollPos().cy, 0);
    key.key = VK_DOWN;
    list.list.Event(key);
    const int line = list.Bar()->GetLineSize();
    EXPECT_EQ(list.list.GetScrollPos().cy, line);

    VxEventUI wheel;
    wheel.type = kEventMouseWheel;
    wheel.wParam = 1;
    list.list.Event(wheel);
    EXPECT_EQ(list.list.GetScrollPos().cy, 2 * line);
    wheel.wParam = 0;
    list.list.Event(wheel);
    EXPECT_EQ(list.list.GetScrollPos().cy, line);
    wheel.wParam = 7;
    list.list.Event(wheel);
    EXPECT_EQ(list.list.GetScrollPos().cy, line) << "another value is not a step";

    // A child without a bar of its own hands the wheel on when it dispatches it.
    auto* row = static_cast<VxControl*>(list.list.GetItemAt(4));
    row->SetAttribute(L"dispatch", L"mousewheel");
    wheel.wParam = 1;
    row->Event(wheel);
    EXPECT_EQ(list.list.GetScrollPos().cy, 2 * line);

    // A disabled bar takes no keys.
    list.Bar()->SetEnabled(false);
    key.key = VK_NEXT;
    list.list.Event(key);
    EXPECT_EQ(list.list.GetScrollPos().cy, 2 * line);
}

TEST(VxLayout, ScrollingMovesTheChildrenAndTheirSubtreesWithoutALayout)
{
    VxVerticalLayout list;
    list.EnableScrollBar(true, false);
    std::vector<VxHorizontalLayout*> rows;
    for (int i = 0; i < 20; ++i) {
        auto* row = new VxHorizontalLayout();
        row->SetFixedHeight(40);
        row->Add(NewSized(30, 30));
        row->Add(NewSized(0, 0));
        list.Add(row);
        rows.push_back(row);
    }
    list.SetPos(RECT{0, 0, 300, 200});
    const RECT icon = rows[5]->GetItemAt(0)->GetPos();
    const RECT text = rows[5]->GetItemAt(1)->GetPos();
    list.SetScrollPos(SIZE{0, 75});
    EXPECT_EQ(rows[5]->GetPos().top, 200 - 75);
    ExpectRect(rows[5]->GetItemAt(0)->GetPos(), icon.left, icon.top - 75, icon.right, icon.bottom - 75);
    ExpectRect(rows[5]->GetItemAt(1)->GetPos(), text.left, text.top - 75, text.right, text.bottom - 75);

    // A row whose layout was asked for is laid out, not just moved.
    rows[6]->GetItemAt(0)->SetFixedWidth(50);
    rows[6]->NeedUpdate();
    list.SetScrollPos(SIZE{0, 80});
    EXPECT_EQ(rows[6]->GetItemAt(1)->GetPos().left, 50);
    EXPECT_EQ(rows[6]->GetItemAt(1)->GetPos().top, 240 - 80);
}

TEST(VxLayout, ScrollingCarriesFloatsInsideRowsButNotAbsoluteOnesOrTheListsOwn)
{
    VxVerticalLayout list;
    list.EnableScrollBar(true, false);
    VxControl* pinned = NewSized(0, 0);
    pinned->SetAttribute(L"float", L"true");
    pinned->SetAttribute(L"pos", L"2,2,12,12");
    list.Add(pinned);
    auto* row = new VxHorizontalLayout();
    row->SetFixedHeight(40);
    VxControl* badge = new ProbeControl();
    badge->SetAttribute(L"float", L"true");
    badge->SetAttribute(L"pos", L"5,5,15,15");
    VxControl* corner = new ProbeControl();
    corner->SetAttribute(L"absfloat", L"true");
    corner->SetAttribute(L"pos", L"1,1,11,11");
    row->Add(badge);
    row->Add(corner);
    row->Add(NewSized(0, 0));
    list.Add(row);
    for (int i = 0; i < 10; ++i)
        list.Add(NewSized(0, 40));
    list.SetPos(RECT{0, 0, 200, 100});
    ExpectRect(badge->GetPos(), 5, 5, 15, 15);

    list.SetScrollPos(SIZE{0, 30});
    ExpectRect(row->GetPos(), 0, -30, 184, 10);
    ExpectRect(badge->GetPos(), 5, -25, 15, -15);
    ExpectRect(corner->GetPos(), 1, 1, 11, 11);
    ExpectRect(pinned->GetPos(), 2, 2, 12, 12);
}

TEST(VxLayout, ScrollingAfterTheChildrenChangedMovesWhatIsThereNow)
{
    ScrollingList list(10);
    const RECT hiddenBefore = list.Row(2);
    list.list.GetItemAt(2)->SetVisible(false);
    list.list.SetScrollPos(SIZE{0, 50});
    ExpectRect(list.Row(2), hiddenBefore.left, hiddenBefore.top, hiddenBefore.right, hiddenBefore.bottom);
    EXPECT_EQ(list.Row(3).top, 250);

    // Emptied without a layout request: the rows of the last layout are gone and not touched.
    list.list.RemoveAll();
    VxControl* fresh = NewSized(0, 100);
    list.list.Add(fresh);
    list.list.SetScrollPos(SIZE{0, 80});
    EXPECT_EQ(fresh->GetPos().top, -30);
}

TEST(VxLayout, AHundredThousandRowsLayOutAndScroll)
{
    VxVerticalLayout list;
    list.EnableScrollBar(true, false);
    constexpr int kRows = 100000;
    for (int i = 0; i < kRows; ++i)
        list.Add(NewSized(0, 30));
    list.SetPos(RECT{0, 0, 400, 600});
    EXPECT_EQ(list.GetItemAt(kRows - 1)->GetPos().top, (kRows - 1) * 30);
    EXPECT_EQ(list.GetScrollRange().cy, kRows * 30 - 600);
    list.EndDown();
    EXPECT_EQ(list.GetItemAt(kRows - 1)->GetPos().bottom, 600);
    EXPECT_EQ(list.GetItemAt(0)->GetPos().top, 600 - kRows * 30);
}

}  // namespace
