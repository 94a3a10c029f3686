#include "VxRenderUtils.h"

#include <gtest/gtest.h>

#include "MemoryPeak.h"
#include "TestCanvas.h"
#include "TestPaths.h"
#include "VxImageString.h"
#include "VxLoadResource.h"

namespace {

using namespace VXM;

constexpr uint32_t kGrey = 0xFF404040;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;

class DrawImageStringTest : public ::testing::Test {
protected:
    void SetUp() override { ResetLoader(); }
    void TearDown() override { ResetLoader(); }

    bool Draw(const wchar_t* image, const wchar_t* modifier = L"")
    {
        return VxRenderUtils::DrawImageString(canvas_.Dc(), control_, canvas_.Bounds(), image, modifier);
    }

    TestCanvas canvas_{300, 200, kGrey};
    RECT control_ = {100, 50, 200, 150};
};

TEST_F(DrawImageStringTest, NullModifierMeansNoModifier)
{
    const wchar_t* none = nullptr;
    ASSERT_TRUE(Draw(L"res='106' restype='PNG' dest='8,8,32,32'", none));
    EXPECT_TRUE(canvas_.Covers(RECT{108, 58, 132, 82}, kBlue));
    EXPECT_TRUE(VxRenderUtils::DrawImageString(canvas_.Dc(), control_, canvas_.Bounds(), L"res='106' restype='PNG'",
                                               nullptr));
}

TEST_F(DrawImageStringTest, TransformOfAHugeImageDrawsNothingAndSaysSo)
{
    // 16384 x 16384 pixels from a quarter-megabyte file: turned by 45 degrees they would need
    // gigabytes on every paint.
    const std::wstring huge = L"file='" + testing_paths::Fixture(L"render_huge.png") + L"'";
    const bool loaded = VxRenderUtils::DrawImageString(nullptr, control_, canvas_.Bounds(), huge);
    // A 32-bit process has no room for its gigabytes of pixels: there it is refused before decoding.
    if constexpr (sizeof(void*) == 8) {
        ASSERT_TRUE(loaded) << "loads once";
    }
    for (const wchar_t* transform : {L"rotate='45'", L"reverse='true'", L"rgnimage='" L"x" L"'"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(transform)));
        const std::wstring image = huge + L" " + transform;
        bool drawn = true;
        const ULONGLONG start = GetTickCount64();
        const size_t growth = memory_peak::GrowthDuring([&] { drawn = Draw(image.c_str()); });
        EXPECT_FALSE(drawn);
        EXPECT_LT(GetTickCount64() - start, 2000u);
        EXPECT_LT(growth, size_t{256} << 20);
        EXPECT_EQ(canvas_.CountOther(kGrey), 0);
    }
    EXPECT_TRUE(Draw(L"res='106' restype='PNG' dest='8,8,32,32' rotate='90'")) << "small images still turn";
    EXPECT_GT(canvas_.CountOther(kGrey), 0);
}

TEST_F(DrawImageStringTest, DestinationInsideTheControl)
{
    ASSERT_TRUE(Draw(L"res='106' restype='PNG' dest='8,8,32,32'"));
    EXPECT_TRUE(canvas_.Covers(RECT{108, 58, 132, 82}, kBlue));

    canvas_.Fill(kGrey);
    ASSERT_TRUE(Draw(L"res='106' restype='PNG' dest='10,10,0,0'"));
    EXPECT_TRUE(canvas_.Covers(RECT{110, 60, 200, 150}, kBlue)) << "zero right and bottom keep the edges";

    canvas_.Fill(kGrey);
    ASSERT_TRUE(Draw(L"res='106' restype='PNG' layout='right' dest='0,0,20,20'"));
    EXPECT_TRUE(canvas_.Covers(RECT{180, 50, 200, 70}, kBlue));

    canvas_.Fill(kGrey);
    ASSERT_TRUE(Draw(L"res='106' restype='PNG' dest='0,0,10,10'", L"dest='20,20,30,30'"));
    EXPECT_TRUE(canvas_.Covers(RECT{120, 70, 130, 80}, kBlue)) << "the modifier's dest wins";

    canvas_.Fill(kGrey);
    ASSERT_TRUE(Draw(L"res='106' restype='PNG'  dest='0,0,10,10'"));
    EXPECT_TRUE(canvas_.Covers(control_, kBlue)) << "after two blanks dest is an unknown key";
}

TEST_F(DrawImageStringTest, OnlyThePaintRectangleIsTouched)
{
    // An unscaled opaque image is copied for the visible part only; scaled parts rely on the clip.
    const RECT paint = {0, 0, 112, 200};
    ASSERT_TRUE(
        VxRenderUtils::DrawImageString(canvas_.Dc(), control_, paint, L"res='106' restype='PNG' dest='8,8,16,16'"));
    EXPECT_TRUE(canvas_.Covers(RECT{108, 58, 112, 66}, kBlue));

    canvas_.Fill(kGrey);
    const RECT away = {0, 0, 50, 50};
    EXPECT_TRUE(VxRenderUtils::DrawImageString(canvas_.Dc(), control_, away, L"res='106' restype='PNG'"));
    EXPECT_EQ(canvas_.CountOther(kGrey), 0);
}

TEST_F(DrawImageStringTest, MissingImagesReportFalseAndDrawNothing)
{
    EXPECT_FALSE(Draw(L"res='9999' restype='PNG'"));
    EXPECT_FALSE(Draw(L"no-such-file.png"));
    EXPECT_FALSE(Draw(L"res='112' restype='PNG'"));
    EXPECT_FALSE(Draw(L""));
    EXPECT_EQ(canvas_.CountOther(kGrey), 0);
    EXPECT_TRUE(VxRenderUtils::DrawImageString(nullptr, control_, control_, L"res='106' restype='PNG'"));
    EXPECT_FALSE(VxRenderUtils::DrawImageString(nullptr, control_, control_, L"res='9999' restype='PNG'"));
}

TEST_F(DrawImageStringTest, NinePartImageKeepsItsBorders)
{
    control_ = RECT{0, 0, 100, 30};
    ASSERT_TRUE(Draw(L"res='110' restype='PNG' corner='4,4,4,4'"));
    struct Probe {
        int x, y;
        uint32_t color;
    } probes[] = {{0, 0, kRed}, {3, 3, kRed}, {4, 3, kBlue}, {3, 4, kBlue}, {4, 4, kGreen}, {95, 25, kGreen},
                  {96, 4, kBlue}, {96, 3, kRed}, {99, 29, kRed}, {50, 26, kBlue}, {50, 25, kGreen}, {100, 0, kGrey}};
    for (const Probe& p : probes)
        EXPECT_EQ(canvas_.Pixel(p.x, p.y), p.color) << p.x << "," << p.y;

    canvas_.Fill(kGrey);
    ASSERT_TRUE(Draw(L"res='110' restype='PNG' corner='4,4,4,4' hole='true'"));
    EXPECT_EQ(canvas_.Pixel(50, 15), kGrey) << "the hole leaves the centre alone";
    EXPECT_EQ(canvas_.Pixel(2, 15), kBlue);
}

TEST_F(DrawImageStringTest, FadeAndPerPixelAlpha)
{
    canvas_.Fill(0xFF000000);
    ASSERT_TRUE(Draw(L"res='106' restype='PNG' fade='128'"));
    EXPECT_NEAR(canvas_.Channel(150, 100, 0), 128, 1) << "an opaque image at half opacity";
    EXPECT_EQ(canvas_.Channel(150, 100, 2), 0);

    canvas_.Fill(0xFFFFFFFF);
    control_ = RECT{0, 0, 40, 40};
    ASSERT_TRUE(Draw(L"res='111' restype='PNG'"));
    EXPECT_EQ(canvas_.Pixel(20, 20), 0xFF1E90FFu) << "opaque centre";
    EXPECT_EQ(canvas_.Pixel(0, 0), 0xFFFFFFFFu) << "transparent corner";
    EXPECT_NEAR(canvas_.Channel(20, 3, 2), (30 + 255) / 2, 2) << "half-transparent rim";

    ASSERT_TRUE(Draw(L"res='111' restype='PNG' alphaClose='true'"));
    EXPECT_EQ(canvas_.Pixel(0, 0) & 0xFFFFFF, 0u) << "drawn opaque: the clear corner is black";
    canvas_.Fill(0xFFFFFFFF);
    ASSERT_TRUE(Draw(L"res='111' restype='PNG'"));
    EXPECT_EQ(canvas_.Pixel(0, 0) & 0xFFFFFF, 0u) << "the cached record stays opaque";
}

TEST_F(DrawImageStringTest, RoundReverseAndRotate)
{
    control_ = RECT{0, 0, 40, 40};
    ASSERT_TRUE(Draw(L"res='106' restype='PNG' round='16,16'"));
    EXPECT_EQ(canvas_.Pixel(0, 0), kGrey);
    EXPECT_EQ(canvas_.Pixel(20, 0), kBlue);
    EXPECT_EQ(canvas_.Pixel(0, 20), kBlue);
    ASSERT_TRUE(Draw(L"res='106' restype='PNG' dest='0,0,4,4'"));
    EXPECT_EQ(canvas_.Pixel(0, 0), kBlue) << "the round clip is gone again";

    canvas_.Fill(0xFFFFFFFF);
    ASSERT_TRUE(Draw(L"res='106' restype='PNG' reverse='true' dest='0,0,8,8'"));
    // Top row of an 8-row reflection: factor 177, blended over white.
    EXPECT_NEAR(canvas_.Channel(3, 0, 2), 255 - 177, 2);
    EXPECT_EQ(canvas_.Channel(3, 0, 0), 255);
    EXPECT_EQ(canvas_.Pixel(3, 7), 0xFFFFFFFFu) << "faded out at the bottom";

    canvas_.Fill(kGrey);
    ASSERT_TRUE(Draw(L"res='106' restype='PNG' rotate='45' dest='20,20,28,28'"));
    EXPECT_EQ(canvas_.Pixel(24, 24), kBlue);
    EXPECT_EQ(canvas_.Pixel(19, 19), kGrey) << "the rotated box's corner is transparent";
    EXPECT_GT(canvas_.Channel(24, 19, 0), 200) << "the tip reaches above the unrotated square";
}

TEST_F(DrawImageStringTest, IconFallbackIsCachedAsAnImage)
{
    control_ = RECT{0, 0, 16, 16};
    const std::wstring icon = testing_paths::Fixture(L"render_icon.ico");
    const std::wstring fromFile = L"file='" + icon + L"' icon='true' iconsize='16'";
    EXPECT_FALSE(Draw((L"file='" + icon + L"'").c_str())) << "no fallback without icon='true'";
    ASSERT_TRUE(Draw(fromFile.c_str()));
    EXPECT_TRUE(canvas_.Covers(RECT{8, 0, 16, 16}, kRed));
    EXPECT_NE(VxLoadResource::Instance().LoadImageW(icon, 0, false), nullptr);

    canvas_.Fill(kGrey);
    ASSERT_TRUE(Draw(L"res='113' restype='ICO' icon='true' iconsize='16'"));
    EXPECT_TRUE(canvas_.Covers(RECT{8, 0, 16, 16}, kRed));
    EXPECT_NE(VxLoadResource::Instance().LoadImageW(113, 0, L"ICO"), nullptr);
}

TEST_F(DrawImageStringTest, DrawnImagesKeepTheirDcAndFreeItWithTheRecord)
{
    ASSERT_TRUE(Draw(L"res='106' restype='PNG' dest='0,0,8,8'"));
    VxImageInfo* image = VxLoadResource::Instance().LoadImageW(106, 0, L"PNG");
    const HBITMAP bitmap = image->hBitmap;
    ASSERT_NE(image->GetMemoryDC(), nullptr);
    EXPECT_EQ(GetCurrentObject(image->GetMemoryDC(), OBJ_BITMAP), bitmap);
    canvas_.Fill(kGrey);
    ASSERT_TRUE(Draw(L"res='106' restype='PNG' dest='0,0,8,8'"));
    EXPECT_TRUE(canvas_.Covers(RECT{100, 50, 108, 58}, kBlue)) << "drawn again from the kept DC";
    VxLoadResource::Instance().RemoveImage(106u);
    EXPECT_EQ(GetObjectType(bitmap), 0u) << "a bitmap still selected could not have been deleted";
}

TEST_F(DrawImageStringTest, HostileValuesNeitherCrashNorHang)
{
    const wchar_t* loadable[] = {
        L"res='106' restype='PNG' dest='-2147483648,-2147483648,2147483647,2147483647'",
        L"res='106' restype='PNG' corner='2147483647,2147483647,2147483647,2147483647'",
        L"res='106' restype='PNG' source='-5,-5,99999,99999' fade='-1'",
        L"res='106' restype='PNG' layout='vmiddle' dest='0,2147483647,0,-2147483648'",
        L"res='106' restype='PNG' round='2147483647,-2147483648'",
        L"res='106' restype='PNG' reverse='true' dest='0,0,5,-9'",
    };
    for (const wchar_t* image : loadable)
        EXPECT_TRUE(Draw(image)) << image;
    // Loaded, but no transform can be made of them: nothing is drawn, and the call says so.
    const wchar_t* untransformable[] = {
        L"res='106' restype='PNG' rotate='nan'",
        L"res='106' restype='PNG' rotate='1e308'",
        L"res='106' restype='PNG' rgnimage='res.png' rgnrestype='PNG'",
    };
    for (const wchar_t* image : untransformable)
        EXPECT_FALSE(Draw(image)) << image;
    EXPECT_FALSE(Draw(L"file='missing.ico' icon='true' iconsize='2147483647'"));
    EXPECT_FALSE(Draw(L"res='65536' restype='PNG' icon='true'"));
    EXPECT_FALSE(Draw(L"res='-1' restype='BMP'"));
}

TEST_F(DrawImageStringTest, ImageStringObjectDraws)
{
    VxImageString text(L"res='106' restype='PNG'");
    text.SetDest(RECT{0, 0, 5, 5});
    ASSERT_TRUE(text.Draw(canvas_.Dc(), control_, canvas_.Bounds()));
    EXPECT_TRUE(canvas_.Covers(RECT{100, 50, 105, 55}, kBlue));
}

}  // namespace
