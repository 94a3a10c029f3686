// The three windows of the embedded skin build into the controls the application looks up.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "ExeModule.h"
#include "VxContainer.h"
#include "VxDialogBuilder.h"
#include "VxLoadResource.h"
#include "VxPaintManager.h"
#include "VxScrollbar.h"

using namespace VXM;

namespace {

constexpr int kSkinResourceId = 100;

// visible: the control's own flag (a hidden page hides its subtree when painting and hit-testing).
struct Expect {
    UINT id;
    UINT classCode;
    bool visible = true;
    bool enabled = true;
};

// Builds one skin window of Zentarium.exe into a manager of a plain window.
class SkinWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(exe_.Get(), nullptr);
        VxLoadResource::Instance().SetResourceInstance(exe_.Get());
        window_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1100, 824, nullptr, nullptr, nullptr, nullptr);
        manager_.Init(window_);
    }
    void TearDown() override
    {
        VxLoadResource::Instance().SetResourceInstance(nullptr);
        DestroyWindow(window_);
    }

    VxControl* Build(const char* name)
    {
        VxDialogBuilder builder;
        VxControl* root = builder.Create(MAKEINTRESOURCEW(kSkinResourceId), name, VxDialogBuilder::kXmlResource,
                                         L"XML", nullptr, &manager_);
        manager_.AttachDialog(root);
        return root;
    }

    void ExpectControls(std::initializer_list<Expect> controls)
    {
        for (const Expect& expect : controls) {
            VxControl* control = manager_.FindControl(expect.id);
            ASSERT_NE(control, nullptr) << "id " << expect.id;
            EXPECT_NE(control->GetInterface(expect.classCode), nullptr) << "id " << expect.id;
            EXPECT_EQ(control->IsVisible(), expect.visible) << "id " << expect.id;
            EXPECT_EQ(control->IsEnabled(), expect.enabled) << "id " << expect.id;
        }
    }

    void ExpectSkinScrollbar(UINT listId)
    {
        auto* list = static_cast<VxContainer*>(manager_.FindControl(listId)->GetInterface(kClassContainer));
        ASSERT_NE(list, nullptr);
        VxScrollbar* bar = list->GetVerticalScrollbar();
        ASSERT_NE(bar, nullptr) << "list " << listId;
        EXPECT_EQ(bar->GetFixedWidth(), 15);
        EXPECT_EQ(bar->GetLineSize(), 30);
        EXPECT_FALSE(bar->GetShowButton1());
        EXPECT_FALSE(bar->GetShowButton2());
        EXPECT_TRUE(bar->GetControlDispatch(kEventMouseWheel));
    }

    ExeModule exe_;
    HWND window_ = nullptr;
    VxPaintManager manager_;
};

}  // namespace

TEST_F(SkinWindows, MainWindowHasItsPagesButtonsAndLists)
{
    ASSERT_NE(Build("Main"), nullptr);
    ExpectControls({{100, kClassButton}, {101, kClassButton}, {102, kClassButton}, {103, kClassContainer},
                    {104, kClassButton}, {105, kClassButton}, {106, kClassContainer}, {109, kClassButton},
                    {110, kClassButton}, {111, kClassButton}, {112, kClassButton}, {113, kClassButton},
                    {114, kClassContainer, false}, {115, kClassControl}, {116, kClassButton, false},
                    {125, kClassContainer}, {126, kClassProgress}, {127, kClassControl},
                    {128, kClassContainer, false}, {129, kClassControl}, {130, kClassButton, true, false},
                    {131, kClassContainer, false}, {132, kClassContainer}, {133, kClassContainer, false},
                    {134, kClassButton}, {135, kClassControl}, {136, kClassControl, false}});
    ExpectSkinScrollbar(132);
    EXPECT_EQ(manager_.GetMinWindow().cx, 1100);
    EXPECT_EQ(manager_.GetMinWindow().cy, 824);
    EXPECT_EQ(manager_.GetCaptionRect().bottom, 70);
    EXPECT_TRUE(manager_.FindControl(129)->IsSelfAdaption());
}

TEST_F(SkinWindows, ChineseTextsSurviveAnyCodePage)
{
    ASSERT_NE(Build("Main"), nullptr);
    EXPECT_EQ(manager_.FindControl(104)->GetText(), L"一键修复DLL错误") << "code page " << GetACP();
    EXPECT_EQ(manager_.FindControl(113)->GetText(), L"5.提示无法启动此程序，因为计算机缺失***.dll");
    EXPECT_EQ(manager_.FindControl(134)->GetText(), L"修复后问题依然存在？请点击联系客服");
    EXPECT_NE(manager_.FindFont(L"bold30"), nullptr);
    EXPECT_EQ(manager_.FindFont(L"bold30")->faceName, L"微软雅黑");
}

TEST_F(SkinWindows, ReportWindowHasBothLayouts)
{
    ASSERT_NE(Build("Details"), nullptr);
    ExpectControls({{100, kClassButton}, {101, kClassContainer}, {102, kClassControl}, {103, kClassButton},
                    {104, kClassContainer, false}, {105, kClassControl}, {106, kClassControl},
                    {107, kClassButton}, {108, kClassControl}, {109, kClassControl}, {110, kClassContainer}});
    ExpectSkinScrollbar(110);
    EXPECT_EQ(manager_.FindControl(103)->GetText(), L"修复");
}

TEST_F(SkinWindows, CustomerServiceWindowHasItsButtons)
{
    ASSERT_NE(Build("Kefu"), nullptr);
    ExpectControls({{100, kClassButton}, {102, kClassButton}});
    EXPECT_EQ(manager_.FindControl(102)->GetText(), L"在线客服");
}
