#include "VxLabel.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "DibSection.h"
#include "GdiHandles.h"
#include "TestCanvas.h"
#include "TextInk.h"
#include "VxPaintManager.h"

using namespace VXM;

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;

// A label of 200 x 40 in the skin's 20-pixel font, its text antialiased.
struct LabelFixture : ::testing::Test {
    LabelFixture()
    {
        manager.AddFont(L"normal20", L"微软雅黑", 20, false, false, false);
        label.SetManager(&manager);
        label.SetPos(RECT{0, 0, 200, 40});
        label.ApplyAttributeList(L"normalfont=\"normal20\" text_antialias=\"true\" text=\"修复完成■\"");
    }

    VxPaintManager manager;
    VxLabel label;
};

}  // namespace

TEST(VxLabel, ClassCodesAndAttributes)
{
    VxLabel label;
    EXPECT_EQ(label.GetClass(), UINT{kClassLabel});
    for (UINT code : {kClassLabel, kClassContainer, kClassControl})
        EXPECT_EQ(label.GetInterface(code), &label) << code;
    EXPECT_EQ(label.GetInterface(kClassButton), nullptr);
    EXPECT_FALSE(label.IsTextAntialias());
    label.SetAttribute(L"text_antialias", L"true");
    EXPECT_TRUE(label.IsTextAntialias());
    label.SetAttribute(L"text_antialias", L"True");
    EXPECT_FALSE(label.IsTextAntialias());
    label.SetAttribute(L"text", L"passed on");
    EXPECT_EQ(label.GetText(), L"passed on");
}

// Over a transparent picture (a layered window's) the glyphs keep their coverage as alpha:
// premultiplied pixels, opaque cores in the text colour, partly transparent edges.
TEST_F(LabelFixture, AntialiasedTextCarriesItsCoverageAsAlpha)
{
    label.SetAttribute(L"normaltextcolor", L"#FF3366CC");
    uint32_t* bits = nullptr;
    GdiBitmap picture = CreateTopDownDib(200, 40, &bits);
    MemoryDC dc(CreateCompatibleDC(nullptr));
    SelectGuard select(dc.Get(), picture.Get());
    std::fill(bits, bits + 200 * 40, 0u);
    label.DoPaint(dc.Get(), RECT{0, 0, 200, 40});
    GdiFlush();
    int cores = 0, edges = 0;
    for (int i = 0; i < 200 * 40; ++i) {
        const uint32_t pixel = bits[i], alpha = pixel >> 24;
        ASSERT_LE(pixel >> 16 & 0xFF, alpha) << i;
        ASSERT_LE(pixel >> 8 & 0xFF, alpha) << i;
        ASSERT_LE(pixel & 0xFF, alpha) << i;
        cores += pixel == 0xFF3366CC;
        edges += alpha > 0 && alpha < 255;
    }
    EXPECT_GT(cores, 30);
    EXPECT_GT(edges, 0);
}

// Over a coloured background the edges blend into it: no dark fringe from the black the
// glyphs were first drawn on.
TEST_F(LabelFixture, AntialiasedEdgesBlendIntoTheBackground)
{
    label.SetAttribute(L"normaltextcolor", L"#FFFFFFFF");
    TestCanvas canvas(200, 40, 0xFF0000FF);
    label.DoPaint(canvas.Dc(), canvas.Bounds());
    int white = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 200; ++x) {
            ASSERT_GE(canvas.Channel(x, y, 0), 250) << x << "," << y;
            ASSERT_NEAR(canvas.Channel(x, y, 1), canvas.Channel(x, y, 2), 3) << x << "," << y;
            white += canvas.Pixel(x, y) == kWhite;
        }
    }
    EXPECT_GT(white, 30);
}

TEST_F(LabelFixture, StateChoosesColourAndPadding)
{
    label.ApplyAttributeList(L"normaltextcolor=\"#FFFF0000\" hottextcolor=\"#FF00FF00\" hottextpadding=\"100,0,0,0\"");
    TestCanvas canvas(200, 40, kWhite);
    label.DoPaint(canvas.Dc(), canvas.Bounds());
    const RECT normal = InkBounds(canvas, kWhite, canvas.Bounds());
    EXPECT_LT(normal.left, 10);
    canvas.Fill(kWhite);
    label.SetMouseState(kStateHot);
    label.DoPaint(canvas.Dc(), canvas.Bounds());
    const RECT hot = InkBounds(canvas, kWhite, canvas.Bounds());
    EXPECT_GE(hot.left, 100);
    int green = 0, red = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 200; ++x) {
            green += canvas.Pixel(x, y) == 0xFF00FF00;
            red += canvas.Pixel(x, y) == 0xFFFF0000;
        }
    }
    EXPECT_GT(green, 30);
    EXPECT_EQ(red, 0);
}
