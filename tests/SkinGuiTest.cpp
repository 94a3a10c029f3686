// The embedded "Main" window in a real framework window under the test display, as a user
// first sees it; the picture is saved into the build tree for a person to look at.
#include <gtest/gtest.h>
#include <windows.h>

#include "ExeModule.h"
#include "GuiTestSupport.h"
#include "PixelImage.h"
#include "SkinFiles.h"
#include "TestPaths.h"
#include "TreeWindow.h"
#include "VxDialogBuilder.h"
#include "VxLoadResource.h"

using namespace VXM;

namespace {

constexpr int kWidth = 1100;
constexpr int kHeight = 824;

bool SaveBmp(const std::vector<uint32_t>& pixels, const std::wstring& path)
{
    PixelImage image(kWidth, kHeight);
    for (size_t i = 0; i < image.pixels.size() && i < pixels.size(); ++i)
        image.pixels[i] = 0xFF000000 | pixels[i];
    return WriteWholeFile(path, Encode24BitBmp(image));
}

RECT CentreOf(const RECT& rect)
{
    const int x = (rect.left + rect.right) / 2;
    const int y = (rect.top + rect.bottom) / 2;
    return RECT{x, y, x, y};
}

}  // namespace

TEST(SkinGui, HomePageOfTheMainWindowPaintsAsTheSkinSays)
{
    ExeModule exe;
    ASSERT_NE(exe.Get(), nullptr);
    VxLoadResource::Instance().SetResourceInstance(exe.Get());
    gui_test::TreeWindow* self = nullptr;
    gui_test::TreeWindow window([&self](VxContainer& root) {
        VxDialogBuilder builder;
        root.Add(builder.Create(MAKEINTRESOURCEW(100), "Main", VxDialogBuilder::kXmlResource, L"XML", nullptr,
                                &self->Manager()));
    });
    self = &window;
    ASSERT_NE(window.Open(kWidth, kHeight), nullptr);
    gui_test::PumpFor(200);
    const std::vector<uint32_t> pixels = window.Capture();
    ASSERT_EQ(pixels.size(), size_t(kWidth) * kHeight);
    EXPECT_TRUE(SaveBmp(pixels, testing_paths::ExeFolder() + L"skin-main-home.bmp"));

    VxControl* repair = window.Manager().FindControl(104U);
    ASSERT_NE(repair, nullptr);
    const RECT centre = CentreOf(repair->GetPos());
    EXPECT_EQ(repair->GetPos().right - repair->GetPos().left, 250);
    EXPECT_EQ(window.PixelAt(pixels, repair->GetPos().left + 6, centre.top), 0x0D3AFFu) << "the button's own blue";
    EXPECT_EQ(window.PixelAt(pixels, 3, 400), 0xFFFFFFu) << "the page is white";
    EXPECT_EQ(window.PixelAt(pixels, 0, 400), 0xAAAAAAu) << "the window's grey border";

    // The first symptom's text on the list's panel colour, in the skin's 20-pixel font.
    VxControl* symptom = window.Manager().FindControl(109U);
    ASSERT_NE(symptom, nullptr);
    const RECT row = symptom->GetPos();
    int inkRows = 0;
    for (int y = row.top; y < row.bottom; ++y) {
        bool ink = false;
        for (int x = row.left; x < row.right && !ink; ++x)
            ink = window.PixelAt(pixels, x, y) != 0xF6F7FBu;
        inkRows += ink ? 1 : 0;
    }
    EXPECT_GE(inkRows, 14) << "text of a 20-pixel font is drawn";
    EXPECT_LT(inkRows, 30);
    VxLoadResource::Instance().SetResourceInstance(nullptr);
}
