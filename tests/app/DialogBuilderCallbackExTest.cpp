#include "DialogBuilderCallbackEx.h"

#include <gtest/gtest.h>

#include <memory>

#include "AppNotify.h"
#include "CheckResultItem.h"
#include "MainSkin.h"
#include "VxScrollbar.h"

using namespace VXM;

TEST(DialogBuilderCallbackEx, MakesTheTwoApplicationElementsByTheirExactNames)
{
    app::DialogBuilderCallbackEx callback;
    std::unique_ptr<VxControl> list(callback.CreateCustomControl(L"CheckResult"));
    std::unique_ptr<VxControl> entry(callback.CreateCustomControl(L"LeftOption"));
    ASSERT_NE(list, nullptr);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(list->GetClass(), UINT{app::kClassCheckResult});
    EXPECT_EQ(entry->GetClass(), UINT{app::kClassLeftOption});
    EXPECT_EQ(static_cast<VxContainer*>(list->GetInterface(kClassContainer))->GetCount(), 0) << "constructed empty";
    for (const wchar_t* name : {L"checkresult", L"CHECKRESULT", L"leftoption", L"CheckResult ", L"CheckResultItem",
                                L"RuntimeLibItem", L"Check", L"", L"Button"})
        EXPECT_EQ(callback.CreateCustomControl(name), nullptr) << static_cast<const void*>(name);
    EXPECT_EQ(callback.CreateCustomControl(nullptr), nullptr);
}

TEST(DialogBuilderCallbackEx, TheEmbeddedMainWindowHasTheApplicationControlsWithTheirChildren)
{
    MainSkin skin;
    ASSERT_NE(skin.Root(), nullptr);
    for (UINT id = 117; id <= 120; ++id) {
        app::LeftOption* entry = skin.Entry(id);
        ASSERT_NE(entry, nullptr) << id;
        EXPECT_EQ(entry->GetClass(), UINT{app::kClassLeftOption});
        EXPECT_EQ(entry->GetCount(), 4) << "children made by the Init of AddNotifier";
        EXPECT_EQ(entry->GetPadding().left, 5) << "the skin's attributes stay";
        EXPECT_EQ(entry->GetFixedHeight(), 60);
    }
    for (UINT id = 121; id <= 124; ++id) {
        app::CheckResult* list = skin.List(id);
        ASSERT_NE(list, nullptr) << id;
        EXPECT_EQ(list->GetClass(), UINT{app::kClassCheckResult});
        EXPECT_EQ(list->GetCount(), 9);
        EXPECT_EQ(list->GetPadding().top, 25);
        EXPECT_EQ(list->IsVisible(), id == 121) << "the skin shows the first list only";
        ASSERT_NE(list->RowList()->GetVerticalScrollbar(), nullptr);
        EXPECT_EQ(list->RowList()->GetVerticalScrollbar()->GetFixedWidth(), 15) << "the skin's VScrollBar1";
        EXPECT_FALSE(list->RowList()->GetVerticalScrollbar()->GetShowButton1());
    }
    EXPECT_EQ(skin.List(117), nullptr);
    EXPECT_EQ(skin.Entry(121), nullptr);
}

TEST(DialogBuilderCallbackEx, AnotherListenerDoesNotBuildTheChildrenTwice)
{
    MainSkin skin;
    ASSERT_NE(skin.List(121), nullptr);
    skin.List(121)->AddFinding(L"app.exe", L"", 0, L"1", L"");
    // The scan page laid out: the row gets its control.
    skin.Manager().FindControl(103)->SetVisible(false);
    skin.Manager().FindControl(114)->SetVisible(true);
    skin.Root()->SetPos(RECT{0, 0, 1100, 824});
    ASSERT_NE(skin.List(121)->ShownRow(0), nullptr);
    struct Listener : INotify {
        void Notify(VxNotify&) override {}
    } second;
    skin.Manager().AddNotifier(&second);
    EXPECT_EQ(skin.List(121)->GetCount(), 9);
    EXPECT_EQ(skin.List(121)->RowCount(), 1);
    EXPECT_EQ(skin.List(121)->ShownRow(0)->GetCount(), 5);
    EXPECT_EQ(skin.Entry(117)->GetCount(), 4);
    skin.Manager().RemoveNotifier(&second);
}
