#include "RuntimeLibItem.h"

#include <gtest/gtest.h>

#include "AppNotify.h"

using namespace VXM;
using app::RuntimeLibItem;

TEST(RuntimeLibItem, AnswersItsOwnClassCodeAsAContainer)
{
    RuntimeLibItem row;
    EXPECT_EQ(row.GetClass(), UINT{app::kClassRuntimeLibItem});
    for (UINT code : {app::kClassRuntimeLibItem, UINT{kClassContainer}, UINT{kClassControl}})
        EXPECT_EQ(row.GetInterface(code), &row) << code;
    for (UINT code : {app::kClassCheckResultItem, UINT{kClassLabel}})
        EXPECT_EQ(row.GetInterface(code), nullptr) << code;
}

TEST(RuntimeLibItem, StartsAsRepairingWithNoIcon)
{
    RuntimeLibItem row;
    row.Init();
    row.SetName(L"VC++ 2015-2022 x64");
    EXPECT_EQ(row.GetName(), L"VC++ 2015-2022 x64");
    EXPECT_EQ(row.NameLabel()->GetText(), L"VC++ 2015-2022 x64");
    EXPECT_EQ(row.StatusLabel()->GetText(), L"修复中...");
    EXPECT_EQ(row.StatusLabel()->GetNormalTextColor(), 0xFF000000u);
    EXPECT_EQ(row.StatusLabel()->GetFixedWidth(), 160);
    EXPECT_EQ(row.Icon()->GetNormalBkImage(), L"");
    EXPECT_EQ(row.Icon()->GetFixedWidth(), 24);
    EXPECT_EQ(row.Icon()->GetPadding().left, 30);
    EXPECT_FALSE(row.IsDone());
    EXPECT_EQ(row.GetFixedHeight(), 68);
    EXPECT_EQ(row.GetNormalBorderColor(), 0xFFE6E6E6u);
    EXPECT_EQ(row.GetNormalBkColor(), 0xFFF5F5F5u);
    ASSERT_EQ(row.GetCount(), 3);
    auto* column = static_cast<VxContainer*>(row.GetItemAt(1)->GetInterface(kClassContainer));
    ASSERT_NE(column, nullptr);
    EXPECT_EQ(column->GetItemAt(0), row.NameLabel());
    EXPECT_EQ(row.GetItemAt(2), row.StatusLabel());
}

TEST(RuntimeLibItem, MarkDoneShowsTheTickAndGreenText)
{
    RuntimeLibItem row;
    row.Init();
    row.MarkDone();
    EXPECT_TRUE(row.IsDone());
    EXPECT_EQ(row.Icon()->GetNormalBkImage(), L"res='114' restype='PNG'");
    EXPECT_EQ(row.StatusLabel()->GetNormalTextColor(), 0xFF28C445u);
    EXPECT_EQ(row.StatusLabel()->GetText(), L"已完成");
    row.Init();
    EXPECT_EQ(row.GetCount(), 3) << "children once";
    EXPECT_EQ(row.StatusLabel()->GetText(), L"已完成") << "never back to repairing";
}

TEST(RuntimeLibItem, MarkFailedShowsTheFailureInRedOnlyOnARowStillRepairing)
{
    RuntimeLibItem failed;
    failed.MarkFailed();
    failed.Init();
    EXPECT_TRUE(failed.IsFailed());
    EXPECT_FALSE(failed.IsDone());
    EXPECT_EQ(failed.StatusLabel()->GetText(), L"修复失败");
    EXPECT_EQ(failed.StatusLabel()->GetNormalTextColor(), 0xFFF24D4Du);
    EXPECT_EQ(failed.Icon()->GetNormalBkImage(), L"");

    RuntimeLibItem repaired;
    repaired.Init();
    repaired.MarkDone();
    repaired.MarkFailed();
    EXPECT_TRUE(repaired.IsDone());
    EXPECT_EQ(repaired.StatusLabel()->GetText(), L"已完成");
}

TEST(RuntimeLibItem, ANameOrStateGivenBeforeInitShowsAfterIt)
{
    RuntimeLibItem row;
    row.SetName(L"DirectX");
    row.MarkDone();
    EXPECT_EQ(row.NameLabel(), nullptr);
    row.Init();
    EXPECT_EQ(row.NameLabel()->GetText(), L"DirectX");
    EXPECT_EQ(row.StatusLabel()->GetText(), L"已完成");
}
