#include "VxOption.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "CoreTestSupport.h"
#include "TestBitmaps.h"
#include "TestCanvas.h"
#include "VxContainer.h"
#include "VxPaintManager.h"

using namespace VXM;

namespace {

constexpr POINT kInside = {20, 20};
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;

// Options of one manager whose notifications are logged: a, b and c in group 100, other in
// group 200, loose in none.
struct OptionFixture : ::testing::Test {
    void SetUp() override
    {
        manager.AddNotifier(&log);
        for (VxOption* option : {&a, &b, &c, &other, &loose}) {
            option->SetManager(&manager);
            option->SetPos(RECT{10, 10, 50, 40});
        }
        for (VxOption* option : {&a, &b, &c})
            option->SetAttribute(L"group", L"100");
        other.SetAttribute(L"group", L"200");
    }
    void Click(VxOption& option)
    {
        VxEventUI down = MakeEvent(kEventLButtonDown, kInside, &option);
        option.Event(down);
        VxEventUI up = MakeEvent(kEventLButtonUp, kInside, &option);
        option.Event(up);
    }
    // The selection notifications, as sender and new value.
    std::vector<std::pair<VxControl*, WPARAM>> Selections() const
    {
        std::vector<std::pair<VxControl*, WPARAM>> found;
        for (const NotifyLog::Entry& entry : log.entries) {
            if (entry.type == kNotifySelectChanged)
                found.emplace_back(entry.sender, entry.wParam);
        }
        return found;
    }

    VxPaintManager manager;
    NotifyLog log;
    VxOption a, b, c, other, loose;
};

using Selection = std::vector<std::pair<VxControl*, WPARAM>>;

}  // namespace

TEST(VxOption, ClassCodesOfTheLabelFamily)
{
    VxOption option;
    EXPECT_EQ(option.GetClass(), UINT{kClassOption});
    for (UINT code : {kClassOption, kClassButton, kClassLabel, kClassContainer, kClassControl})
        EXPECT_EQ(option.GetInterface(code), &option) << code;
    EXPECT_EQ(option.GetInterface(kClassProgress), nullptr);
    EXPECT_TRUE(option.GetControlNotify(kNotifyClick)) << "clicks without any attribute";
}

TEST_F(OptionFixture, SelectingOneDeselectsTheOthersOfItsGroup)
{
    other.Selected(true);
    a.Selected(true);
    log.entries.clear();
    b.Selected(true);
    EXPECT_FALSE(a.IsSelected());
    EXPECT_TRUE(b.IsSelected());
    EXPECT_FALSE(c.IsSelected());
    EXPECT_TRUE(other.IsSelected()) << "another group";
    EXPECT_EQ(Selections(), (Selection{{&a, 0}, {&b, 1}})) << "the deselected one first, then the new one";
    EXPECT_EQ(manager.GetGroupSelected(100), &b);
    EXPECT_EQ(b.GetMouseState() & kStateSelected, UINT{kStateSelected});
    EXPECT_EQ(a.GetMouseState() & kStateSelected, 0u);
    b.Selected(true);
    EXPECT_EQ(Selections().size(), 2u) << "no notification without a change";
}

TEST_F(OptionFixture, ClickingASelectedGroupedOptionKeepsItSelected)
{
    Click(b);
    EXPECT_TRUE(b.IsSelected());
    Click(b);
    EXPECT_TRUE(b.IsSelected());
    EXPECT_EQ(log.Count(kNotifyClick), 2);
    EXPECT_EQ(Selections(), (Selection{{&b, 1}}));
    Click(c);
    EXPECT_FALSE(b.IsSelected());
    EXPECT_TRUE(c.IsSelected());
}

TEST_F(OptionFixture, ClickingAnUngroupedOptionTogglesIt)
{
    Click(loose);
    EXPECT_TRUE(loose.IsSelected());
    Click(loose);
    EXPECT_FALSE(loose.IsSelected());
    EXPECT_EQ(Selections(), (Selection{{&loose, 1}, {&loose, 0}}));
}

TEST_F(OptionFixture, JoiningAGroupSelectedDeselectsTheOthersThere)
{
    a.Selected(true);
    other.Selected(true);
    other.SetGroup(100);
    EXPECT_FALSE(a.IsSelected());
    EXPECT_TRUE(other.IsSelected());
    ASSERT_NE(manager.GetGroup(100), nullptr);
    EXPECT_EQ(manager.GetGroup(100)->size(), 4u);
    EXPECT_EQ(manager.GetGroup(200), nullptr) << "it left its old group";

    // The builder applies attributes before the option has a manager.
    VxOption late;
    late.ApplyAttributeList(L"group=\"100\" selected=\"true\"");
    EXPECT_TRUE(late.IsSelected());
    late.SetManager(&manager);
    EXPECT_TRUE(late.IsSelected());
    EXPECT_FALSE(other.IsSelected());
    EXPECT_EQ(manager.GetGroupSelected(100), &late);
}

// As the builder makes them: attributes first, then the tree is attached to the manager.
TEST(VxOption, OptionsOfAnAttachedTreeJoinTheirGroups)
{
    VxPaintManager manager;
    auto* root = new VxContainer;  // owned by the manager once attached
    VxOption* first = new VxOption;
    VxOption* second = new VxOption;
    first->ApplyAttributeList(L"group=\"3\" selected=\"true\"");
    second->ApplyAttributeList(L"group=\"3\"");
    root->Add(first);
    root->Add(second);
    manager.AttachDialog(root);
    ASSERT_NE(manager.GetGroup(3), nullptr);
    EXPECT_EQ(manager.GetGroup(3)->size(), 2u);
    EXPECT_EQ(manager.GetGroupSelected(3), first);
    second->Selected(true);
    EXPECT_FALSE(first->IsSelected());
}

TEST_F(OptionFixture, ADestroyedOptionLeavesItsGroup)
{
    auto temporary = std::make_unique<VxOption>();
    temporary->SetManager(&manager);
    temporary->SetGroup(100);
    const VxControl* gone = temporary.get();
    temporary.reset();
    for (const VxControl* member : *manager.GetGroup(100))
        EXPECT_NE(member, gone);
    b.Selected(true);
    EXPECT_TRUE(b.IsSelected());
}

TEST(VxOption, DisablingLeavesOnlyTheSelectedBit)
{
    VxOption option;
    option.Selected(true);
    option.SetMouseState(kStateSelected | kStateHot | kStatePushed | kStateCaptured);
    option.SetEnabled(false);
    EXPECT_EQ(option.GetMouseState(), UINT{kStateSelected});
    option.SetMouseState(kStateHot);
    option.SetEnabled(false);
    EXPECT_EQ(option.GetMouseState(), UINT{kStateHot}) << "no effect when unchanged";
    option.SetEnabled(true);
    option.Selected(false);
    option.SetMouseState(kStateHot);
    option.SetEnabled(false);
    EXPECT_EQ(option.GetMouseState(), 0u);
    EXPECT_FALSE(option.IsEnabled());
}

TEST(VxOption, SelectedBackgroundImageReplacesTheOthersAndIsDroppedWhenItFails)
{
    ResetLoader();
    const std::wstring green = WriteTwoColourBitmap(L"zentarium-option-green.bmp", 40, 30, 40);
    const std::wstring blue = WriteTwoColourBitmap(L"zentarium-option-blue.bmp", 40, 30, 0);
    VxOption option;
    option.SetPos(RECT{0, 0, 40, 30});
    option.SetAttribute(L"bknormalimage", green);
    option.SetAttribute(L"bkpushedimage", blue);
    option.SetAttribute(L"bkselectedimage", blue);
    TestCanvas canvas(40, 30, 0xFFFFFFFF);
    option.SetMouseState(kStatePushed);
    option.DoPaint(canvas.Dc(), canvas.Bounds());
    EXPECT_EQ(canvas.Pixel(20, 15), kGreen) << "an option shows no pushed background";
    option.Selected(true);
    option.DoPaint(canvas.Dc(), canvas.Bounds());
    EXPECT_EQ(canvas.Pixel(20, 15), kBlue);
    option.SetAttribute(L"bkselectedimage", L"no-such-selected-image.png");
    option.DoPaint(canvas.Dc(), canvas.Bounds());
    EXPECT_EQ(canvas.Pixel(20, 15), kGreen) << "the base background instead";
    EXPECT_TRUE(option.GetSelectedBkImage().empty());
    std::filesystem::remove(std::filesystem::path(green));
    std::filesystem::remove(std::filesystem::path(blue));
}
