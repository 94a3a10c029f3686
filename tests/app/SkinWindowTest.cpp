// The helpers the three application windows share.
#include <gtest/gtest.h>

#include "SkinWindow.h"
#include "VxVerticalLayout.h"
#include "ZentariumDetailsWnd.h"

namespace {

TEST(SkinWindow, PngImageNamesTheResourceAndItsDestination)
{
    EXPECT_EQ(app::PngImage(121), L"res='121' restype='PNG'");
    EXPECT_EQ(app::PngImage(107, L"425,0,1099,350"), L"res='107' restype='PNG' dest='425,0,1099,350'");
}

// A finding row sits in the row list of its result list: the report's category is the id of
// the row's parent's parent.
TEST(ReportCategory, IsTheIdOfTheListHoldingTheRowsList)
{
    VXM::VxVerticalLayout list;
    list.SetID(123);
    auto* rows = new VXM::VxVerticalLayout;
    auto* row = new VXM::VxVerticalLayout;
    rows->Add(row);
    list.Add(rows);
    EXPECT_EQ(app::ReportCategory(*row), 123u);
    EXPECT_EQ(app::ReportCategory(*rows), 0u) << "the list itself has no parent";

    VXM::VxVerticalLayout loose;
    EXPECT_EQ(app::ReportCategory(loose), 0u);
}

TEST(ReportCategory, OnlyTheEventAndJunkListsGiveTheListReport)
{
    for (UINT id : {121u, 122u, 123u})
        EXPECT_TRUE(app::IsListReport(id)) << id;
    for (UINT id : {0u, 120u, 124u, 125u})
        EXPECT_FALSE(app::IsListReport(id)) << id;
}

}  // namespace
