#include "VxImageString.h"

#include <gtest/gtest.h>

namespace {

using VXM::VxImageString;

TEST(VxImageString, SetAppendsOnceThenReplacesInPlace)
{
    VxImageString text(L"res='106'");
    text.SetDest(RECT{1, 2, 3, 4});
    EXPECT_EQ(text.GetString(), L"res='106' dest='1,2,3,4'");
    text.SetDest(RECT{5, 6, 7, 8});
    EXPECT_EQ(text.GetString(), L"res='106' dest='5,6,7,8'");

    VxImageString middle(L"dest='1,1,1,1' res='2'");
    middle.SetDest(RECT{9, 9, 9, 9});
    EXPECT_EQ(middle.GetString(), L"dest='9,9,9,9' res='2'");

    VxImageString empty;
    empty.SetRes(7);
    EXPECT_EQ(empty.GetString(), L"res='7'") << "no leading blank";
}

TEST(VxImageString, ValueFormats)
{
    VxImageString text;
    text.SetMask(0xFFFF00FF);
    text.SetRgnMask(0xFF);
    text.SetHole(true);
    text.SetRotate(1.5);
    text.SetRound(SIZE{3, 4});
    text.SetImageFile(L"C:\\a b\\c.png");
    EXPECT_EQ(text.GetString(),
              L"mask='#FFFF00FF' rgnmask='#0000FF' hole='true' rotate='1.500000' round='3,4' file='C:\\a b\\c.png'");
    text.SetHole(false);
    EXPECT_FALSE(text.IsHole());

    DWORD mask = 0;
    EXPECT_TRUE(text.GetMask(mask));
    EXPECT_EQ(mask, 0xFFFF00FFu);
    double angle = 0;
    EXPECT_TRUE(text.GetRotate(angle));
    EXPECT_DOUBLE_EQ(angle, 1.5);
    SIZE round = {};
    EXPECT_TRUE(text.GetRound(round));
    EXPECT_EQ(round.cy, 4);
    std::wstring file;
    EXPECT_TRUE(text.GetImageFile(file));
    EXPECT_EQ(file, L"C:\\a b\\c.png");
}

TEST(VxImageString, GettersLeaveTheValueAloneWhenAbsentOrEmpty)
{
    VxImageString text(L"res='1' fade='' rgnmask='#FF00FF00'");
    RECT dest = {1, 2, 3, 4};
    EXPECT_FALSE(text.GetDest(dest));
    EXPECT_EQ(dest.right, 3);
    int fade = 99;
    EXPECT_FALSE(text.GetAlpha(fade));
    EXPECT_EQ(fade, 99);
    DWORD mask = 5;
    EXPECT_FALSE(text.GetMask(mask)) << "mask=' inside rgnmask=' is not the mask key";
    EXPECT_EQ(mask, 5u);
    text.SetMask(0xFF123456);
    EXPECT_TRUE(text.GetRgnMask(mask));
    EXPECT_EQ(mask, 0xFF00FF00u);
    EXPECT_FALSE(text.IsIco());
    EXPECT_FALSE(VxImageString().Draw(nullptr, RECT{}, RECT{}));
    EXPECT_EQ(static_cast<const std::wstring&>(text), text.GetString());
}

}  // namespace
