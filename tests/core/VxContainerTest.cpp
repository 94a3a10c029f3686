#include <gtest/gtest.h>

#include "ProbeControl.h"
#include "VxContainer.h"
#include "VxHorizontalLayout.h"
#include "VxPaintManager.h"
#include "VxScrollbar.h"
#include "VxVerticalLayout.h"

namespace {

using namespace VXM;

VxControl* Named(const wchar_t* name, UINT id = 0)
{
    auto* control = new ProbeControl();
    control->SetName(name);
    control->SetID(id);
    return control;
}

VxControl* ReturnAny(VxControl* control, void*)
{
    return control;
}

VxControl* ReturnNamedLeaf(VxControl* control, void* name)
{
    return control->GetName() == static_cast<const wchar_t*>(name) ? control : nullptr;
}

TEST(VxContainer, AddAndAddAtInsertWhereAsked)
{
    VxContainer container;
    VxControl* a = Named(L"a");
    VxControl* b = Named(L"b");
    VxControl* c = Named(L"c");
    VxControl* d = Named(L"d");
    EXPECT_FALSE(container.Add(nullptr));
    EXPECT_TRUE(container.Add(a));
    EXPECT_TRUE(container.AddAt(b, -3));
    EXPECT_TRUE(container.AddAt(c, 99));
    EXPECT_TRUE(container.AddAt(d, 1));
    ASSERT_EQ(container.GetCount(), 4);
    EXPECT_EQ(container.GetItemAt(0), b);
    EXPECT_EQ(container.GetItemAt(1), d);
    EXPECT_EQ(container.GetItemAt(2), a);
    EXPECT_EQ(container.GetItemAt(3), c);
    EXPECT_EQ(container.GetItemAt(4), nullptr);
    EXPECT_EQ(container.GetItemAt(-1), nullptr);
    EXPECT_EQ(a->GetParent(), &container);
    EXPECT_TRUE(container.IsUpdateNeeded());

    EXPECT_FALSE(container.Add(a)) << "a child listed twice would be destroyed twice";
    EXPECT_EQ(container.GetCount(), 4);
}

TEST(VxContainer, RemovingDestroysChildrenOnlyWithAutoDestroy)
{
    int destroyed = 0;
    VxContainer container;
    auto* first = new ProbeControl(&destroyed);
    auto* second = new ProbeControl(&destroyed);
    container.Add(first);
    container.Add(second);

    EXPECT_TRUE(container.Remove(first));
    EXPECT_EQ(destroyed, 1);
    EXPECT_FALSE(container.Remove(first));
    EXPECT_FALSE(container.RemoveAt(1));

    container.SetAttribute(L"autodestroy", L"false");
    EXPECT_FALSE(container.IsAutoDestroy());
    EXPECT_TRUE(container.RemoveAt(0));
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(second->GetParent(), nullptr) << "the kept child forgets its old parent";
    delete second;

    auto* kept = new ProbeControl(&destroyed);
    container.Add(kept);
    container.RemoveAll();
    EXPECT_EQ(container.GetCount(), 0);
    EXPECT_EQ(destroyed, 2);
    delete kept;
    EXPECT_EQ(destroyed, 3);
}

TEST(VxContainer, ReplacingAndMovingChildren)
{
    int destroyed = 0;
    VxContainer container;
    auto* a = new ProbeControl(&destroyed);
    auto* b = new ProbeControl(&destroyed);
    auto* c = new ProbeControl(&destroyed);
    container.Add(a);
    container.Add(b);
    container.Add(c);

    EXPECT_TRUE(container.SetItemIndex(a, 5));
    EXPECT_EQ(container.GetItemIndex(a), 2);
    EXPECT_TRUE(container.SetItemIndex(a, 0));
    EXPECT_EQ(container.GetItemIndex(a), 0);
    ProbeControl stranger;
    EXPECT_FALSE(container.SetItemIndex(&stranger, 0));
    EXPECT_EQ(destroyed, 0) << "a moved child stays alive";

    auto* replacement = new ProbeControl(&destroyed);
    EXPECT_FALSE(container.SetIndexItem(3, replacement));
    EXPECT_FALSE(container.SetIndexItem(0, nullptr));
    EXPECT_TRUE(container.SetIndexItem(1, replacement));
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(container.GetItemAt(1), replacement);
    EXPECT_EQ(replacement->GetParent(), &container);
    EXPECT_TRUE(container.SetIndexItem(1, replacement));
    EXPECT_EQ(destroyed, 1) << "putting a child in its own place destroys nothing";
}

TEST(VxContainer, DestructionTakesTheWholeOwnedTree)
{
    int destroyed = 0;
    {
        VxVerticalLayout root;
        auto* row = new VxHorizontalLayout();
        row->Add(new ProbeControl(&destroyed));
        row->Add(new ProbeControl(&destroyed));
        auto* keeper = new VxContainer();
        keeper->SetAutoDestroy(false);
        auto* survivor = new ProbeControl(&destroyed);
        keeper->Add(survivor);
        root.Add(row);
        root.Add(keeper);
        root.Add(new ProbeControl(&destroyed));
        root.EnableScrollBar(true, true);
        root.RemoveAt(1);
        EXPECT_EQ(survivor->GetParent(), nullptr);
        delete survivor;
    }
    EXPECT_EQ(destroyed, 4);
}

TEST(VxContainer, NamesAndIdsAreRegisteredWithTheManager)
{
    VxPaintManager manager;
    auto* root = new VxVerticalLayout();
    manager.AttachDialog(root);
    auto* row = new VxHorizontalLayout();
    VxControl* icon = Named(L"icon", 7);
    row->Add(icon);
    root->Add(row);
    EXPECT_EQ(icon->GetManager(), &manager);
    EXPECT_EQ(manager.FindControl(L"icon"), icon);
    EXPECT_EQ(manager.FindControl(7u), icon);

    VxControl* late = Named(L"late", 8);
    row->Add(late);
    EXPECT_EQ(manager.FindControl(L"late"), late);
    row->Remove(late);
    EXPECT_EQ(manager.FindControl(L"late"), nullptr);
}

TEST(VxContainer, HidingAContainerHidesItsSubtree)
{
    VxVerticalLayout root;
    auto* row = new VxHorizontalLayout();
    VxControl* leaf = new ProbeControl();
    VxControl* hiddenLeaf = new ProbeControl();
    hiddenLeaf->SetVisible(false);
    row->Add(leaf);
    row->Add(hiddenLeaf);
    root.Add(row);

    root.SetVisible(false);
    EXPECT_FALSE(row->IsVisible());
    EXPECT_FALSE(leaf->IsVisible());
    root.SetVisible(true);
    EXPECT_TRUE(row->IsVisible());
    EXPECT_TRUE(leaf->IsVisible());
    EXPECT_FALSE(hiddenLeaf->IsVisible()) << "its own flag stays";
}

TEST(VxContainer, InitAndTheParentReachTheWholeSubtree)
{
    VxVerticalLayout root;
    auto* row = new VxHorizontalLayout();
    auto* leaf = new ProbeControl();
    row->Add(leaf);
    root.Add(row);
    root.Init();
    EXPECT_EQ(leaf->inits, 1);

    VxContainer outer;
    root.SetParent(&outer);
    EXPECT_EQ(root.GetParent(), &outer);
    EXPECT_EQ(row->GetParent(), &root);
    EXPECT_EQ(leaf->GetParent(), row);
}

TEST(VxContainer, ContainerAttributes)
{
    VxContainer container;
    container.SetAttribute(L"inset", L"1,2,3,4");
    EXPECT_EQ(container.GetInset().left, 1);
    EXPECT_EQ(container.GetInset().bottom, 4);
    container.SetAttribute(L"childpadding", L"6");
    EXPECT_EQ(container.GetChildPadding(), 6);
    container.SetAttribute(L"alwayshowvscroll", L"True");
    EXPECT_FALSE(container.IsAlwaysShowVScrollbar());
    container.SetAttribute(L"alwayshowvscroll", L"true");
    EXPECT_TRUE(container.IsAlwaysShowVScrollbar());
    container.SetAttribute(L"name", L"box");
    EXPECT_EQ(container.GetName(), L"box") << "other names go to the control base";
    EXPECT_EQ(container.GetClass(), kClassContainer);
    EXPECT_EQ(container.GetInterface(kClassContainer), &container);
    EXPECT_EQ(container.GetInterface(kClassControl), &container);
    EXPECT_EQ(container.GetInterface(kClassButton), nullptr);
}

TEST(VxContainer, ScrollBarsFromTheManagersDefaultLists)
{
    VxPaintManager manager;
    manager.AddDefaultAttributeList(L"VScrollBar1", L"width=\"15\" linesize=\"30\" showbutton1=\"false\"");
    VxVerticalLayout list;
    list.SetManager(&manager);

    list.SetAttribute(L"vscrollbar", L"VScrollBar1");
    VxScrollbar* bar = list.GetVerticalScrollbar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetFixedWidth(), 15);
    EXPECT_EQ(bar->GetLineSize(), 30);
    EXPECT_FALSE(bar->GetShowButton1());
    EXPECT_EQ(bar->GetOwner(), &list);
    EXPECT_EQ(bar->GetParent(), &list);
    EXPECT_EQ(bar->GetManager(), &manager);
    EXPECT_FALSE(bar->IsHorizontal());
    EXPECT_EQ(list.GetHorizontalScrollbar(), nullptr);

    list.SetAttribute(L"hscrollbarstyle", L"linesize=\"5\"");
    ASSERT_NE(list.GetHorizontalScrollbar(), nullptr);
    EXPECT_TRUE(list.GetHorizontalScrollbar()->IsHorizontal());
    EXPECT_EQ(list.GetHorizontalScrollbar()->GetLineSize(), 5);
    EXPECT_EQ(list.GetVerticalScrollbar(), bar) << "the vertical bar stays";

    list.SetAttribute(L"vscrollbar", L"NoSuchStyle");
    EXPECT_EQ(list.GetVerticalScrollbar(), nullptr) << "a style without a list removes the bar";
    EXPECT_NE(list.GetHorizontalScrollbar(), nullptr);
    list.SetAttribute(L"hscrollbar", L"");
    EXPECT_EQ(list.GetHorizontalScrollbar(), nullptr);
}

TEST(VxContainer, HitTestingFindsTheDeepestControlUnderThePoint)
{
    VxContainer root;
    root.SetInset(RECT{10, 10, 10, 10});
    VxControl* under = NewSized(0, 0);
    VxControl* over = NewSized(50, 50);
    root.Add(under);
    root.Add(over);
    root.SetPos(RECT{0, 0, 100, 100});

    POINT point = {20, 20};
    EXPECT_EQ(root.FindControl(ReturnAny, &point, kFindHitTest), under);
    EXPECT_EQ(root.FindControl(ReturnAny, &point, kFindHitTest | kFindTopFirst), over);
    point = {70, 70};
    EXPECT_EQ(root.FindControl(ReturnAny, &point, kFindHitTest | kFindTopFirst), under);
    point = {5, 50};
    EXPECT_EQ(root.FindControl(ReturnAny, &point, kFindHitTest), &root) << "the inset belongs to the container";
    point = {150, 50};
    EXPECT_EQ(root.FindControl(ReturnAny, &point, kFindHitTest), nullptr);

    point = {20, 20};
    over->SetVisible(false);
    EXPECT_EQ(root.FindControl(ReturnAny, &point, kFindHitTest | kFindTopFirst | kFindVisible), under);
    EXPECT_EQ(root.FindControl(ReturnAny, &point, kFindHitTest | kFindMeFirst), &root);
    root.SetEnabled(false);
    EXPECT_EQ(root.FindControl(ReturnAny, &point, kFindHitTest | kFindEnabled), nullptr);
}

TEST(VxContainer, TheScrollBarIsHitBeforeTheChildren)
{
    VxVerticalLayout list;
    list.EnableScrollBar(true, false);
    for (int i = 0; i < 10; ++i)
        list.Add(NewSized(0, 100));
    list.SetPos(RECT{0, 0, 200, 300});
    POINT onBar = {195, 150};
    EXPECT_EQ(list.FindControl(ReturnAny, &onBar, kFindHitTest | kFindVisible), list.GetVerticalScrollbar());
    POINT onRow = {50, 150};
    EXPECT_EQ(list.FindControl(ReturnAny, &onRow, kFindHitTest | kFindVisible), list.GetItemAt(1));
}

TEST(VxContainer, SearchesWithoutAPointWalkTheWholeTree)
{
    VxVerticalLayout root;
    auto* row = new VxHorizontalLayout();
    VxControl* target = Named(L"target");
    row->Add(Named(L"other"));
    row->Add(target);
    root.Add(row);
    wchar_t name[] = L"target";
    EXPECT_EQ(root.FindControl(ReturnNamedLeaf, name, 0), target);
    target->SetVisible(false);
    EXPECT_EQ(root.FindControl(ReturnNamedLeaf, name, kFindVisible), nullptr);
    EXPECT_EQ(root.FindControl(ReturnNamedLeaf, name, 0), target);
}

}  // namespace
