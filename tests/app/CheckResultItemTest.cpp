#include "CheckResultItem.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "AppNotify.h"
#include "CheckResult.h"
#include "ControlHost.h"
#include "ScanUpdate.h"
#include "VxButton.h"
#include "VxScrollbar.h"

using namespace VXM;
using app::CheckResult;
using app::CheckResultItem;

namespace {

VxEventUI EventFrom(VxControl* sender, UINT type = kEventLButtonUp)
{
    VxEventUI event;
    event.type = type;
    event.sender = sender;
    return event;
}

struct RowFixture : ::testing::Test {
    ControlHost host;
    CheckResultItem* row = host.Add(new CheckResultItem(scan::kEventRow));
};

}  // namespace

TEST(CheckResultItem, AnswersItsOwnClassCodeAsAContainer)
{
    CheckResultItem row(scan::kEventRow);
    EXPECT_EQ(row.GetClass(), UINT{app::kClassCheckResultItem});
    for (UINT code : {app::kClassCheckResultItem, UINT{kClassContainer}, UINT{kClassControl}})
        EXPECT_EQ(row.GetInterface(code), &row) << code;
    for (UINT code : {UINT{kClassLabel}, app::kClassCheckResult, app::kClassRuntimeLibItem})
        EXPECT_EQ(row.GetInterface(code), nullptr) << code;
}

TEST(CheckResultItem, EachRowStyleStartsWithItsCountTextAndStatusIcon)
{
    struct Expect {
        int style;
        const wchar_t* count;
        const wchar_t* statusImage;
        bool statusVisible;
    };
    const Expect expected[] = {{scan::kEventRow, L"崩溃次数：0", L"res='119' restype='PNG'", true},
                               {scan::kErrorRow, L"错误", L"res='116' restype='PNG'", true},
                               {scan::kJunkRow, L"可清理：0", L"", false},
                               {scan::kDllRow, L"异常", L"res='119' restype='PNG'", true},
                               {7, L"", L"", true}};
    for (const Expect& expect : expected) {
        CheckResultItem row(expect.style);
        row.Init();
        EXPECT_EQ(row.GetRowStyle(), expect.style);
        EXPECT_EQ(row.CountLabel()->GetText(), expect.count) << expect.style;
        EXPECT_EQ(row.StatusIcon()->GetNormalBkImage(), expect.statusImage) << expect.style;
        EXPECT_EQ(row.StatusIcon()->IsVisible(), expect.statusVisible) << expect.style;
        EXPECT_FALSE(row.DescriptionLabel()->IsVisible()) << expect.style;
        EXPECT_EQ(row.GetDetailCount(), 0);
    }
}

TEST(CheckResultItem, TheRowAndItsChildrenLookAsTheListDrawsThem)
{
    CheckResultItem row(scan::kEventRow);
    row.Init();
    EXPECT_EQ(row.GetFixedHeight(), 68);
    EXPECT_EQ(row.GetNormalBkColor(), 0xFFF5F5F5u);
    EXPECT_EQ(row.GetNormalBorderColor(), 0xFFE6E6E6u);
    EXPECT_EQ(row.GetNormalBorderSize(), 1);
    EXPECT_EQ(row.GetPadding().bottom, 5);
    for (int event : {kEventMouseWheel, kEventMouseLeave, kEventMouseEnter})
        EXPECT_TRUE(row.GetControlDispatch(event)) << event;

    ASSERT_EQ(row.GetCount(), 5);
    VxControl* icon = row.GetItemAt(0);
    EXPECT_EQ(icon->GetFixedWidth(), 24);
    EXPECT_EQ(icon->GetFixedHeight(), 24);
    EXPECT_EQ(icon->GetPadding().left, 30);
    EXPECT_EQ(icon->GetPadding().top, 22);
    EXPECT_EQ(icon->GetNormalBkImage(), L"res='114' restype='PNG'");
    auto* column = static_cast<VxContainer*>(row.GetItemAt(1)->GetInterface(kClassContainer));
    ASSERT_NE(column, nullptr);
    EXPECT_EQ(column->GetItemAt(0), row.NameLabel());
    EXPECT_EQ(column->GetItemAt(1), row.DescriptionLabel());
    EXPECT_EQ(column->GetPadding().top, 10);
    EXPECT_EQ(row.NameLabel()->GetNormalFont(), L"normal18");
    EXPECT_EQ(row.NameLabel()->GetTextStyle(), UINT{DT_VCENTER | DT_SINGLELINE});
    EXPECT_EQ(row.DescriptionLabel()->GetNormalFont(), L"normal16");
    EXPECT_EQ(row.DescriptionLabel()->GetNormalTextColor(), 0xFF818181u);
    EXPECT_EQ(row.GetItemAt(2), row.StatusIcon());
    EXPECT_EQ(row.StatusIcon()->GetPadding().left, 10);
    EXPECT_EQ(row.GetItemAt(3), row.CountLabel());
    EXPECT_EQ(row.CountLabel()->GetFixedWidth(), 160);

    VxButton* button = row.ReportButton();
    EXPECT_EQ(row.GetItemAt(4), button);
    EXPECT_EQ(button->GetText(), L"查看报告");
    EXPECT_EQ(button->GetNormalFont(), L"underline16");
    EXPECT_EQ(button->GetNormalTextColor(), 0xFF0D3AFFu);
    EXPECT_EQ(button->GetFixedWidth(), 70);
    EXPECT_EQ(button->GetPadding().right, 45);
    EXPECT_TRUE(button->GetControlFlags(kFlagSetCursor));
    for (int event : {kEventMouseWheel, kEventMouseLeave, kEventMouseEnter, kEventSetCursor, kEventActivate})
        EXPECT_TRUE(button->GetControlDispatch(event)) << event;
}

TEST(CheckResultItem, DetailsAreOrderedByCodeUnitsAndKeepTheirFirstSecondColumn)
{
    CheckResultItem row(scan::kJunkRow);
    row.Init();
    row.AddDetail(L"b", L"2");
    row.AddDetail(L"B", L"3");
    row.AddDetail(L"a", L"1");
    row.AddDetail(L"b", L"99");
    const app::FindingDetails& details = row.GetDetails();
    const std::vector<app::FindingDetails::Id> order = details.SortedIds();
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(details.Detail(order[0]), L"B");
    EXPECT_EQ(details.Detail(order[1]), L"a");
    EXPECT_EQ(details.Extra(order[2]), L"2") << "the earlier pair stays";
    EXPECT_EQ(row.CountLabel()->GetText(), L"可清理：3");
}

TEST(CheckResultItem, WhatWasGivenBeforeInitShowsOnceTheChildrenExist)
{
    CheckResultItem row(scan::kJunkRow);
    row.SetGroupName(L"C:\\Temp");
    row.AddDetail(L"C:\\Temp\\a", L"1");
    row.AddDetail(L"C:\\Temp\\b", L"1");
    EXPECT_EQ(row.NameLabel(), nullptr);
    row.Init();
    EXPECT_EQ(row.NameLabel()->GetText(), L"C:\\Temp");
    EXPECT_EQ(row.DescriptionLabel()->GetText(), L"垃圾文件：2项");
    EXPECT_TRUE(row.DescriptionLabel()->IsVisible());
    EXPECT_EQ(row.CountLabel()->GetText(), L"可清理：2");
}

TEST(CheckResultItem, AnEventTimesLineBreakIsKeptButNotShown)
{
    CheckResultItem row(scan::kEventRow);
    row.SetDescription(L"最近一次崩溃时间: 2024-03-02 10:00:00\n");
    row.Init();
    EXPECT_EQ(row.DescriptionLabel()->GetText(), L"最近一次崩溃时间: 2024-03-02 10:00:00");
    row.SetDescription(L"最近一次崩溃时间: 2024-03-03 09:00:00\r\n");
    EXPECT_EQ(row.DescriptionLabel()->GetText(), L"最近一次崩溃时间: 2024-03-03 09:00:00");
    EXPECT_EQ(row.GetDescription(), L"最近一次崩溃时间: 2024-03-03 09:00:00\r\n");
}

TEST(CheckResultItem, ASharedTotalTakesTheCountSoFarAndEachNewDetail)
{
    CheckResultItem row(scan::kEventRow);
    row.AddDetail(L"1", L"");
    int total = 10;
    row.ShareDetailTotal(&total);
    EXPECT_EQ(total, 11);
    row.AddDetail(L"1", L"");
    row.AddDetail(L"2", L"");
    EXPECT_EQ(total, 12);
    row.ShareDetailTotal(nullptr);
    row.AddDetail(L"3", L"");
    EXPECT_EQ(total, 12);
}

TEST_F(RowFixture, OnlyTheReportButtonAsksForTheReport)
{
    VxEventUI fromButton = EventFrom(row->ReportButton());
    EXPECT_TRUE(row->Activate(fromButton));
    EXPECT_EQ(host.Count(app::kNotifyReportRequested, row), 1);
    EXPECT_EQ(host.Count(app::kNotifyReportRequested), 1) << "the row is the sender";

    for (VxControl* other : {static_cast<VxControl*>(row), row->NameLabel(), row->CountLabel(), row->StatusIcon()}) {
        VxEventUI event = EventFrom(other);
        EXPECT_TRUE(row->Activate(event));
    }
    VxEventUI noSender = EventFrom(nullptr);
    EXPECT_TRUE(row->Activate(noSender));
    EXPECT_EQ(host.Count(app::kNotifyReportRequested), 1);
}

TEST_F(RowFixture, ADoubleClickFromTheReportButtonAsksToo)
{
    VxEventUI fromLabel = EventFrom(row->NameLabel(), kEventLButtonDblClk);
    row->OnLButtonDblClk(fromLabel);
    EXPECT_EQ(host.Count(app::kNotifyReportRequested), 0);
    VxEventUI fromButton = EventFrom(row->ReportButton(), kEventLButtonDblClk);
    row->OnLButtonDblClk(fromButton);
    EXPECT_EQ(host.Count(app::kNotifyReportRequested, row), 1);
}

TEST_F(RowFixture, AHiddenOrDisabledRowAsksForNothing)
{
    VxEventUI event = EventFrom(row->ReportButton());
    row->SetVisible(false);
    EXPECT_FALSE(row->Activate(event));
    row->OnLButtonDblClk(event);
    row->SetVisible(true);
    row->SetEnabled(false);
    EXPECT_FALSE(row->Activate(event));
    row->OnLButtonDblClk(event);
    EXPECT_EQ(host.Count(app::kNotifyReportRequested), 0);
}

TEST(CheckResultItem, WithoutAManagerTheReportButtonActivatesQuietly)
{
    CheckResultItem row(scan::kEventRow);
    row.Init();
    VxEventUI event = EventFrom(row.ReportButton());
    EXPECT_TRUE(row.Activate(event));
}

TEST(CheckResultItemClicks, AClickOnTheReportButtonReachesTheListenersOnceAndTheRestDoesNot)
{
    ControlHost host;
    auto* list = host.Add(new CheckResult);
    list->AddFinding(L"app.exe", L"最近一次崩溃", scan::kEventRow, L"2024", L"");
    host.Paint();
    CheckResultItem* row = list->ShownRow(0);
    ASSERT_NE(row, nullptr);
    ASSERT_GT(row->ReportButton()->GetWidth(), 0);

    host.Click(CentreOf(*row->ReportButton()));
    EXPECT_EQ(host.Count(app::kNotifyReportRequested, row), 1);
    for (VxControl* other : {row->NameLabel(), row->CountLabel(), row->GetItemAt(0)})
        host.Click(CentreOf(*other));
    host.Click(POINT{row->GetPos().right - 3, CentreOf(*row).y});
    EXPECT_EQ(host.Count(app::kNotifyReportRequested), 1);
}

TEST(CheckResultItemClicks, TheWheelOverARowsTextScrollsTheList)
{
    ControlHost host(800, 400);
    auto* list = host.Add(new CheckResult);
    for (int i = 0; i < 30; ++i)
        list->AddFinding(L"app" + std::to_wstring(i) + L".exe", L"", scan::kEventRow, L"1", L"");
    host.Paint();
    VxScrollbar* bar = list->RowList()->GetVerticalScrollbar();
    ASSERT_TRUE(bar->IsVisible());
    ASSERT_EQ(bar->GetScrollPos(), 0);
    CheckResultItem* second = list->ShownRow(1);
    ASSERT_NE(second, nullptr);
    host.Wheel(CentreOf(*second->NameLabel()), true);
    EXPECT_EQ(bar->GetScrollPos(), 30) << "one line of the skin's bar";
    host.Wheel(CentreOf(*second->CountLabel()), true);
    host.Wheel(CentreOf(*second->StatusIcon()), true);
    EXPECT_EQ(bar->GetScrollPos(), 90);
}
