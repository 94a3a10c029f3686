#include "LeftOption.h"

#include <gtest/gtest.h>

#include "AppNotify.h"
#include "ControlHost.h"

using namespace VXM;
using app::LeftOption;

namespace {

constexpr DWORD kSelectedBar = 0xFF1196FF;

VxEventUI EventFrom(VxControl* sender, UINT type = kEventLButtonUp)
{
    VxEventUI event;
    event.type = type;
    event.sender = sender;
    return event;
}

struct EntryFixture : ::testing::Test {
    ControlHost host{280, 300};
    LeftOption* entry = host.Add(new LeftOption);
};

}  // namespace

TEST(LeftOption, IsAHorizontalEntryAnsweringOnlyItsOwnCodeAndTheContainers)
{
    LeftOption entry;
    EXPECT_EQ(entry.GetClass(), UINT{app::kClassLeftOption});
    for (UINT code : {app::kClassLeftOption, UINT{kClassContainer}, UINT{kClassControl}})
        EXPECT_EQ(entry.GetInterface(code), &entry) << code;
    for (UINT code : {UINT{kClassButton}, UINT{kClassLabel}, UINT{kClassOption}, app::kClassCheckResult})
        EXPECT_EQ(entry.GetInterface(code), nullptr) << code;
    EXPECT_EQ(entry.GetLayoutType(), int{VxContainer::kLayoutHorizontal});
    EXPECT_EQ(entry.GetFixedHeight(), 60);
    EXPECT_TRUE(entry.GetControlFlags(kFlagSetCursor));
    for (int event : {kEventMouseWheel, kEventMouseLeave, kEventMouseEnter})
        EXPECT_TRUE(entry.GetControlDispatch(event)) << event;
    EXPECT_FALSE(entry.GetControlDispatch(kEventActivate));
    EXPECT_EQ(entry.CountBadge(), nullptr) << "children come with Init";
}

TEST_F(EntryFixture, InitMakesTheFourChildrenOnce)
{
    entry->Init();
    struct Listener : INotify {
        void Notify(VxNotify&) override {}
    } second;
    host.Manager().AddNotifier(&second);  // runs Init over the whole tree again
    ASSERT_EQ(entry->GetCount(), 4);
    EXPECT_EQ(entry->GetItemAt(0), entry->HighlightBar());
    EXPECT_EQ(entry->GetItemAt(1), entry->Icon());
    EXPECT_EQ(entry->GetItemAt(2), entry->Title());
    EXPECT_EQ(entry->GetItemAt(3), entry->CountBadge());
    for (int i = 0; i < 4; ++i) {
        VxControl* child = entry->GetItemAt(i);
        EXPECT_TRUE(child->GetControlFlags(kFlagSetCursor)) << i;
        for (int event : {kEventMouseWheel, kEventMouseLeave, kEventMouseEnter, kEventActivate, kEventSetCursor})
            EXPECT_TRUE(child->GetControlDispatch(event)) << i << " " << event;
        EXPECT_EQ(child->GetManager(), &host.Manager());
    }
}

TEST_F(EntryFixture, ChildrenWearTheirSizesFontsAndColours)
{
    EXPECT_EQ(entry->HighlightBar()->GetFixedWidth(), 5);
    EXPECT_EQ(entry->HighlightBar()->GetNormalBkColor(), 0u);
    VxControl* icon = entry->Icon();
    EXPECT_EQ(icon->GetFixedWidth(), 26);
    EXPECT_EQ(icon->GetFixedHeight(), 26);
    const RECT iconPadding = icon->GetPadding();
    EXPECT_EQ(iconPadding.left, 10);
    EXPECT_EQ(iconPadding.top, 17);
    EXPECT_EQ(iconPadding.right, 10);
    EXPECT_EQ(iconPadding.bottom, 13);
    VxControl* title = entry->Title();
    EXPECT_EQ(title->GetNormalFont(), L"normal18");
    EXPECT_EQ(title->GetNormalTextColor(), 0xFF222222u);
    EXPECT_EQ(title->GetSelectedTextColor(), kSelectedBar);
    EXPECT_EQ(title->GetTextStyle(), 36u);
    VxControl* badge = entry->CountBadge();
    EXPECT_EQ(badge->GetNormalFont(), L"normal18");
    EXPECT_EQ(badge->GetNormalTextColor(), 0xFF000000u);
    EXPECT_EQ(badge->GetNormalBkColor(), 0xFFFFC853u);
    EXPECT_EQ(badge->GetFixedHeight(), 30);
    EXPECT_EQ(badge->GetTextStyle(), 37u);
    EXPECT_TRUE(badge->IsSelfAdaption());
    EXPECT_EQ(badge->GetPadding().top, 15);
    EXPECT_EQ(badge->GetPadding().right, 10);
    EXPECT_EQ(badge->GetNormalTextPadding().left, 10);
    EXPECT_EQ(badge->GetNormalTextPadding().right, 10);
}

TEST_F(EntryFixture, SetCountWidensTheBadgeAtTheNextLayout)
{
    entry->SetTitle(L"应用程序崩溃扫描");
    entry->SetCount(0);
    host.Paint();
    VxControl* badge = entry->CountBadge();
    const int oneDigit = badge->GetWidth();
    EXPECT_GT(oneDigit, 20) << "text and its padding of 10 on each side";
    EXPECT_EQ(badge->GetPos().right, entry->GetPos().right - 10);

    entry->SetCount(12);
    EXPECT_EQ(badge->GetText(), L"12");
    EXPECT_TRUE(entry->IsUpdateNeeded()) << "a request: the layout waits for the paint";
    EXPECT_TRUE(host.Manager().IsUpdateNeeded());
    EXPECT_EQ(badge->GetWidth(), oneDigit);
    host.Paint();
    const int twoDigits = badge->GetWidth();
    EXPECT_GT(twoDigits, oneDigit);
    EXPECT_EQ(badge->GetPos().right, entry->GetPos().right - 10);
    EXPECT_EQ(entry->Title()->GetPos().right, badge->GetPos().left) << "the title gives way";

    entry->SetCount(12345);
    host.Paint();
    EXPECT_GT(badge->GetWidth(), twoDigits);
    entry->SetCount(-3);
    EXPECT_EQ(badge->GetText(), L"-3");
}

TEST_F(EntryFixture, SelectionColoursTheHighlightBar)
{
    entry->SetSelected(true);
    EXPECT_EQ(entry->HighlightBar()->GetNormalBkColor(), kSelectedBar);
    std::vector<uint32_t> pixels = host.Paint();
    const POINT bar = CentreOf(*entry->HighlightBar());
    EXPECT_EQ(host.PixelAt(pixels, bar.x, bar.y), 0x1196FFu);
    entry->SetSelected(false);
    EXPECT_EQ(entry->HighlightBar()->GetNormalBkColor(), 0u);
    pixels = host.Paint();
    EXPECT_EQ(host.PixelAt(pixels, bar.x, bar.y), 0xFFFFFFu) << "the root's white shows through";
}

TEST_F(EntryFixture, ActivationTellsTheListenersWithTheEntryAsSender)
{
    VxEventUI event = EventFrom(entry);
    EXPECT_TRUE(entry->Activate(event));
    EXPECT_EQ(host.Count(app::kNotifyCategoryActivated, entry), 1);
    EXPECT_EQ(host.Count(kNotifyClick), 0) << "an entry reports activation, not a click";

    VxEventUI fromTitle = EventFrom(entry->Title());
    EXPECT_TRUE(entry->Title()->Activate(fromTitle)) << "children hand their activation to the entry";
    EXPECT_EQ(host.Count(app::kNotifyCategoryActivated, entry), 2);

    entry->OnLButtonDblClk(event);
    EXPECT_EQ(host.Count(app::kNotifyCategoryActivated, entry), 3);
}

TEST_F(EntryFixture, AHiddenOrDisabledEntryStaysQuiet)
{
    VxEventUI event = EventFrom(entry);
    entry->SetEnabled(false);
    EXPECT_FALSE(entry->Activate(event));
    entry->OnLButtonDblClk(event);
    entry->SetEnabled(true);
    entry->SetVisible(false);
    EXPECT_FALSE(entry->Activate(event));
    entry->OnLButtonDblClk(event);
    EXPECT_EQ(host.Count(app::kNotifyCategoryActivated), 0);
}

TEST(LeftOption, WithoutAManagerActivationStillSucceeds)
{
    LeftOption entry;
    entry.Init();
    VxEventUI event = EventFrom(&entry);
    EXPECT_TRUE(entry.Activate(event));
    entry.OnLButtonDblClk(event);
    entry.SetCount(3);
    EXPECT_EQ(entry.CountBadge()->GetText(), L"3");
}

TEST_F(EntryFixture, ClicksAnywhereOnTheEntryActivateItOnce)
{
    entry->SetTitle(L"系统错误扫描");
    entry->SetCount(7);
    host.Paint();
    for (VxControl* part : {entry->Title(), entry->CountBadge(), entry->Icon()})
        host.Click(CentreOf(*part));
    EXPECT_EQ(host.Count(app::kNotifyCategoryActivated, entry), 3);
    host.DoubleClick(CentreOf(*entry->Title()));
    EXPECT_EQ(host.Count(app::kNotifyCategoryActivated, entry), 4) << "the first click of the pair";
    host.DoubleClick(POINT{entry->GetPos().right - 2, entry->GetPos().top + 3});
    EXPECT_EQ(host.Count(app::kNotifyCategoryActivated, entry), 6) << "on the entry itself: click and double click";
}

TEST(LeftOptionRepaint, ANewCountAsksForTheEntrysRepaint)
{
    ControlHost host(280, 300, true);
    LeftOption* entry = host.Add(new LeftOption);
    entry->SetCount(1);
    host.Paint();
    ValidateRect(host.GetHWND(), nullptr);
    entry->SetCount(1);
    RECT update = {};
    EXPECT_FALSE(GetUpdateRect(host.GetHWND(), &update, FALSE)) << "the same count changes nothing";
    entry->SetCount(2);
    ASSERT_TRUE(GetUpdateRect(host.GetHWND(), &update, FALSE));
    RECT overlap = {};
    const RECT badge = entry->CountBadge()->GetPos();
    EXPECT_TRUE(IntersectRect(&overlap, &update, &badge));
}
