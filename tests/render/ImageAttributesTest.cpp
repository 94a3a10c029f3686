#include "ImageAttributes.h"

#include <gtest/gtest.h>

namespace {

using namespace VXM;

bool Same(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

TEST(ImageAttributes, ReadsEveryKeyOfAnImageString)
{
    VxImageAttributes a = ParseImageAttributes(
        L"res='106' restype='PNG' dest='8,8,32,32' source='1,2,3,4' corner='4,4,4,4' mask='#FFFF00FF' fade='300' "
        L"hole='true' alphaClose='true' icon='true' iconsize='16' round='3,4' reverse='True' rotate='12.5' "
        L"rgnimage='r.png' rgnrestype='PNG' rgnmask='FF0000FF' layout='right bottom' unknown='1'");
    EXPECT_EQ(a.name, L"106");
    EXPECT_EQ(a.resourceType, L"PNG");
    EXPECT_TRUE(Same(a.dest, RECT{8, 8, 32, 32}));
    EXPECT_TRUE(Same(a.source, RECT{1, 2, 3, 4}));
    EXPECT_TRUE(Same(a.corner, RECT{4, 4, 4, 4}));
    EXPECT_EQ(a.mask, 0xFFFF00FFu);
    EXPECT_EQ(a.fade, 300 & 0xFF);
    EXPECT_TRUE(a.hole && a.alphaClose && a.icon);
    EXPECT_FALSE(a.reverse) << "only the exact text true counts";
    EXPECT_EQ(a.iconSize, 16);
    EXPECT_EQ(a.round.cx, 3);
    EXPECT_EQ(a.round.cy, 4);
    EXPECT_DOUBLE_EQ(a.rotate, 12.5);
    EXPECT_EQ(a.regionImage, L"r.png");
    EXPECT_EQ(a.regionMask, 0xFF0000FFu);
    EXPECT_EQ(a.layout, L"right bottom");
}

TEST(ImageAttributes, PieceRules)
{
    EXPECT_EQ(ParseImageAttributes(L"C:\\skin\\a b.png").name, L"C:\\skin\\a b.png") << "bare file name";
    EXPECT_EQ(ParseImageAttributes(L"fade='10' fade='20'").fade, 20) << "later key wins";
    EXPECT_EQ(ParseImageAttributes(L"fade='10' fade=''").fade, 10) << "empty value ignored";

    VxImageAttributes spaced = ParseImageAttributes(L"res='1'  dest='1,1,9,9'");
    EXPECT_TRUE(Same(spaced.dest, RECT{})) << "a second blank makes the key \" dest\"";

    VxImageAttributes quoted = ParseImageAttributes(L"file='C:\\My Skins\\it's.png' fade='9'");
    EXPECT_EQ(quoted.name, L"C:\\My Skins\\it's.png");
    EXPECT_EQ(quoted.fade, 9);

    VxImageAttributes broken = ParseImageAttributes(L"fade='9' dest=1,2,3,4 mask='#FF'");
    EXPECT_EQ(broken.fade, 9) << "pieces before a malformed one are kept";
    EXPECT_EQ(broken.mask, 0u);
    EXPECT_EQ(ParseImageAttributes(L"file='never closed").name, L"file='never closed");
}

TEST(ImageAttributes, ModifierOverridesTheImageString)
{
    VxImageAttributes a = ParseImageAttributes(L"res='1' dest='1,2,3,4' fade='7'", L"dest='5,6,7,8'");
    EXPECT_EQ(a.name, L"1");
    EXPECT_EQ(a.fade, 7);
    EXPECT_TRUE(Same(a.dest, RECT{5, 6, 7, 8}));
}

TEST(ImageDestination, OffsetsFromTheControlCorner)
{
    const RECT control = {100, 50, 200, 150};
    struct Case {
        RECT dest;
        const wchar_t* layout;
        RECT expected;
    } cases[] = {
        {{8, 8, 32, 32}, L"", {108, 58, 132, 82}},
        {{0, 0, 0, 0}, L"", control},
        {{10, 10, 0, 0}, L"", {110, 60, 200, 150}},
        {{5, 5, 0, 0}, L"right", {200, 55, 200, 150}},
        {{0, 0, 20, 20}, L"right", {180, 50, 200, 70}},
        {{0, 0, 20, 20}, L"bottom", {100, 130, 120, 150}},
        {{0, 0, 20, 20}, L"right bottom", {180, 130, 200, 150}},
        {{5, 2, 25, 20}, L"vmiddle", {105, 92, 125, 112}},
        {{3, 5, 20, 25}, L"hmiddle", {143, 55, 163, 75}},
        {{0, 0, 0, 121}, L"vmiddle", {100, 40, 200, 161}},  // (100 - 121) / 2 truncates to -10
    };
    for (const Case& c : cases) {
        RECT d = ComputeImageDestination(control, c.dest, c.layout);
        EXPECT_TRUE(Same(d, c.expected)) << c.layout << " " << d.left << "," << d.top << "," << d.right << ","
                                         << d.bottom;
    }
}

}  // namespace
