#include "VxVirtualList.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "VxScrollbar.h"

namespace {

using VXM::VxControl;
using VXM::VxVirtualList;

struct Counts {
    int made = 0;
    int shown = 0;
};

// Rows 50 high showing the texts of a vector the test owns.
class TextRows : public VXM::IVirtualRows {
public:
    TextRows(const std::vector<std::wstring>& texts, Counts& counts) : texts_(texts), counts_(counts) {}
    int RowCount() const override { return static_cast<int>(texts_.size()); }
    VxControl* MakeRow() override
    {
        ++counts_.made;
        auto* row = new VxControl;
        row->SetFixedHeight(50);
        return row;
    }
    void ShowRow(VxControl& row, int index) override
    {
        ++counts_.shown;
        row.SetText(texts_[index]);
    }

private:
    const std::vector<std::wstring>& texts_;
    Counts& counts_;
};

std::vector<std::wstring> Numbered(int count)
{
    std::vector<std::wstring> texts;
    for (int i = 0; i < count; ++i)
        texts.push_back(L"row" + std::to_wstring(i));
    return texts;
}

int VisibleChildren(const VxVirtualList& list)
{
    int visible = 0;
    for (int i = 0; i < list.GetCount(); ++i)
        visible += list.GetItemAt(i)->IsVisible() ? 1 : 0;
    return visible;
}

// The report's list: lines 50 high, 5 apart, in a view 330 high beside a bar 15 wide.
class VirtualList : public ::testing::Test {
protected:
    void SetUp() override
    {
        list_.SetChildPadding(5);
        list_.EnableScrollBar(true, false);
        list_.GetVerticalScrollbar()->SetFixedWidth(15);
        list_.SetRows(std::make_unique<TextRows>(texts_, counts_));
        list_.SetPos(kRect);
    }

    static constexpr RECT kRect = {10, 20, 310, 350};
    std::vector<std::wstring> texts_ = Numbered(100000);
    Counts counts_;
    VxVirtualList list_;
};

TEST_F(VirtualList, HasControlsOnlyForTheRowsInViewAndStandsThemWhereAFullListWould)
{
    EXPECT_EQ(list_.GetCount(), 12);
    EXPECT_EQ(counts_.made, 12);
    EXPECT_EQ(list_.GetScrollRange().cy, 100000 * 55 - 5 - 330);
    ASSERT_NE(list_.ControlOfRow(0), nullptr);
    EXPECT_EQ(list_.ControlOfRow(0)->GetText(), L"row0");
    const RECT first = list_.ControlOfRow(0)->GetPos();
    EXPECT_EQ(first.left, 10);
    EXPECT_EQ(first.top, 20);
    EXPECT_EQ(first.right, 310 - 15) << "the bar takes its width";
    EXPECT_EQ(first.bottom, 70);
    EXPECT_EQ(list_.ControlOfRow(5)->GetPos().top, 20 + 5 * 55);
    EXPECT_EQ(list_.ControlOfRow(8), nullptr);
    EXPECT_EQ(VisibleChildren(list_), 8) << "six in view and the margin below";
}

TEST_F(VirtualList, AScrollStepBindsOnlyTheRowsThatCameIntoView)
{
    counts_.shown = 0;
    list_.SetScrollPos(SIZE{0, 55});
    EXPECT_EQ(counts_.shown, 1);
    EXPECT_EQ(list_.ControlOfRow(1)->GetPos().top, 20);
    EXPECT_EQ(list_.ControlOfRow(1)->GetText(), L"row1");

    list_.LineDown();  // the bar's line size
    EXPECT_EQ(list_.ControlOfRow(1)->GetPos().top, 20 - 8);

    list_.EndDown();
    ASSERT_NE(list_.ControlOfRow(99999), nullptr);
    EXPECT_EQ(list_.ControlOfRow(99999)->GetText(), L"row99999");
    EXPECT_EQ(list_.ControlOfRow(99999)->GetPos().bottom, 350) << "the last row ends at the bottom";
    EXPECT_EQ(VisibleChildren(list_), 9) << "nothing shows past the end";
    EXPECT_EQ(counts_.made, 12) << "no control is made for scrolling";
}

TEST_F(VirtualList, RowsAddedAboveTheViewLeaveTheRowsInViewWhereTheyStand)
{
    list_.SetScrollPos(SIZE{0, 5500});
    ASSERT_EQ(list_.ControlOfRow(100)->GetText(), L"row100");
    texts_.insert(texts_.begin() + 10, L"new");
    list_.RowsInserted(10, 1);
    list_.SetPos(kRect);
    ASSERT_NE(list_.ControlOfRow(101), nullptr);
    EXPECT_EQ(list_.ControlOfRow(101)->GetText(), L"row100");
    EXPECT_EQ(list_.ControlOfRow(101)->GetPos().top, 20);

    texts_.insert(texts_.begin() + 103, L"in view");
    list_.RowsInserted(103, 1);
    list_.SetPos(kRect);
    EXPECT_EQ(list_.ControlOfRow(103)->GetText(), L"in view");
    EXPECT_EQ(list_.ControlOfRow(101)->GetPos().top, 20);
}

TEST_F(VirtualList, ResizingKeepsTheTopRowAndMakesControlsForTheTallerView)
{
    list_.SetScrollPos(SIZE{0, 5500});
    list_.SetPos(RECT{10, 20, 410, 680});
    EXPECT_EQ(list_.ControlOfRow(100)->GetPos().top, 20);
    EXPECT_EQ(list_.ControlOfRow(100)->GetPos().right, 410 - 15);
    EXPECT_EQ(list_.ControlOfRow(100)->GetText(), L"row100");
    ASSERT_NE(list_.ControlOfRow(113), nullptr);
    EXPECT_EQ(list_.ControlOfRow(113)->GetText(), L"row113");
    EXPECT_EQ(list_.GetCount(), 18);

    // Fewer rows than fit: no bar, a control per row.
    texts_.resize(3);
    list_.SetRows(std::make_unique<TextRows>(texts_, counts_));
    list_.SetPos(kRect);
    EXPECT_EQ(list_.GetScrollRange().cy, 0);
    EXPECT_EQ(VisibleChildren(list_), 3);
    EXPECT_EQ(list_.ControlOfRow(2)->GetPos().top, 20 + 2 * 55);
    EXPECT_EQ(list_.ControlOfRow(2)->GetPos().right, 310) << "without the bar the rows span the list";
}

}  // namespace
