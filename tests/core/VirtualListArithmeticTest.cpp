#include "VirtualListArithmetic.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

namespace {

using namespace VXM::virtual_list;

// Lines 50 high with 5 between them in a view 330 high: the report's list.
constexpr Metrics kReport = {100000, 50, 5, 330, 2};

TEST(VirtualListArithmetic, ContentHeightCountsTheGapsBetweenRowsOnly)
{
    EXPECT_EQ(ContentHeight(kReport), 100000 * 55 - 5);
    EXPECT_EQ(ContentHeight({1, 50, 5, 330, 2}), 50);
    EXPECT_EQ(ContentHeight({0, 50, 5, 330, 2}), 0);
    EXPECT_EQ(ContentHeight({10, 0, 5, 330, 2}), 0) << "rows without a height show nothing";
    EXPECT_EQ(ContentHeight({INT_MAX, 50, 5, 330, 2}), INT_MAX);
}

TEST(VirtualListArithmetic, VisibleRowsAreThoseInViewWidenedByTheMargin)
{
    struct Case {
        Metrics metrics;
        int scrollPos;
        RowRange expected;
    };
    const Case cases[] = {
        {kReport, 0, {0, 6 + 2}},             // rows 0..5 (row 5 from 275 to 325), no margin above the first
        {kReport, 54, {0, 7 + 2}},            // row 0 is still partly in view, row 6 comes in
        {kReport, 55, {1 - 1, 7 + 2}},        // row 0 gone: the margin keeps it
        {kReport, 5500, {100 - 2, 106 + 2}},  // a view starting exactly at row 100
        {kReport, ContentHeight(kReport) - 330, {99993 - 2, 100000}},  // the end: nothing past the last row
        {{3, 50, 5, 330, 2}, 0, {0, 3}},      // fewer rows than fit
        {{0, 50, 5, 330, 2}, 0, {0, 0}},
        {kReport, -40, {0, 8}},               // a negative position reads as the top
        {{10, 50, 5, 0, 0}, 110, {2, 2}},     // no view height: nothing in view
    };
    for (const Case& c : cases) {
        const RowRange range = VisibleRows(c.metrics, c.scrollPos);
        EXPECT_EQ(range.first, c.expected.first) << "scroll " << c.scrollPos;
        EXPECT_EQ(range.last, c.expected.last) << "scroll " << c.scrollPos;
    }
}

TEST(VirtualListArithmetic, RowsStandAtTheirPitchLessTheScrollPosition)
{
    EXPECT_EQ(RowTop(kReport, 0, 0), 0);
    EXPECT_EQ(RowTop(kReport, 3, 0), 165);
    EXPECT_EQ(RowTop(kReport, 3, 100), 65);
    EXPECT_EQ(RowTop(kReport, 99999, ContentHeight(kReport) - 330), 330 - 50) << "the last row ends at the bottom";
}

// Every range the list can show at one view height fits its pool, each row of it in a control of
// its own; a scroll step of one row gives a new control to the one row that came into view.
TEST(VirtualListArithmetic, APoolHoldsEveryRangeAndAScrollStepRebindsOnlyTheNewRows)
{
    for (const Metrics& metrics : {kReport, Metrics{100000, 50, 5, 331, 2}, Metrics{100000, 68, 5, 507, 0}}) {
        const int slots = PoolSize(metrics);
        for (int scroll = 0; scroll < 2000; scroll += 7) {
            const RowRange range = VisibleRows(metrics, scroll);
            ASSERT_LE(range.Count(), slots) << "scroll " << scroll;
            std::set<int> used;
            for (int row = range.first; row < range.last; ++row)
                used.insert(SlotOf(row, slots));
            EXPECT_EQ(static_cast<int>(used.size()), range.Count()) << "scroll " << scroll;
        }
    }
    const RowRange before = VisibleRows(kReport, 550);
    const RowRange after = VisibleRows(kReport, 605);
    int rebound = 0;
    for (int row = after.first; row < after.last; ++row)
        rebound += row < before.first || row >= before.last ? 1 : 0;
    EXPECT_EQ(rebound, 1);
    EXPECT_EQ(PoolSize({3, 50, 5, 330, 2}), 3) << "never more controls than rows";
}

// Resizing only changes how many rows are in view; the row at the top stays.
TEST(VirtualListArithmetic, ResizingKeepsTheTopRowAndChangesTheRowsInView)
{
    Metrics taller = kReport;
    taller.viewHeight = 660;
    EXPECT_EQ(VisibleRows(taller, 5500).first, VisibleRows(kReport, 5500).first);
    EXPECT_EQ(VisibleRows(taller, 5500).last, 112 + 2);
    EXPECT_GT(PoolSize(taller), PoolSize(kReport));
}

TEST(VirtualListArithmetic, RowsAddedAboveTheViewKeepTheViewStill)
{
    struct Case {
        int scrollPos;
        int at;
        int added;
        int expected;
    };
    const Case cases[] = {
        {5500, 10, 1, 5555},   // above the view: the rows in view keep their place
        {5500, 10, 3, 5665},
        {5520, 100, 1, 5575},  // into the row cut by the top of the view: that row stays put
        {5500, 100, 1, 5500},  // at the top of the view: it shows there, the rest moves down
        {5500, 104, 1, 5500},  // in view
        {0, 0, 1, 0},          // at the very top the new row shows
        {5500, 10, 0, 5500},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScrollAfterInsert(kReport, c.scrollPos, c.at, c.added), c.expected) << "at " << c.at;
}

}  // namespace
