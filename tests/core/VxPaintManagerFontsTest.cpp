#include <gtest/gtest.h>

#include "CoreTestSupport.h"
#include "VxPaintManager.h"

using namespace VXM;

namespace {

LOGFONTW LogicalFont(const VxFontInfo* info)
{
    LOGFONTW font = {};
    GetObjectW(info->font.Get(), sizeof(font), &font);
    return font;
}

}  // namespace

TEST(VxPaintManagerFonts, WithoutFontsTheStockGuiFontBecomesDefault)
{
    VxPaintManager manager;
    EXPECT_EQ(manager.FindFont(L"Default"), nullptr);
    VxFontInfo* font = manager.GetFont(L"");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(manager.FindFont(L"Default"), font) << "registered under Default";
    EXPECT_EQ(manager.GetDefaultFont(), font);
    EXPECT_EQ(manager.GetFont(L"unknown"), font) << "an unknown id gives the default font";
    EXPECT_EQ(manager.FindFont(L"unknown"), nullptr) << "but FindFont does not fall back";

    LOGFONTW stock = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(stock), &stock);
    EXPECT_STREQ(LogicalFont(font).lfFaceName, stock.lfFaceName);
    EXPECT_GT(font->metrics.tmHeight, 0) << "measured";
}

TEST(VxPaintManagerFonts, TheSetDefaultWinsOverTheOneNamedDefault)
{
    VxPaintManager manager;
    VxFontInfo* named = manager.AddFont(L"Default", L"Tahoma", 14, false, false, false);
    VxFontInfo* chosen = manager.AddFont(L"title", L"Tahoma", 20, false, false, false);
    ASSERT_TRUE(named && chosen);
    EXPECT_EQ(manager.GetDefaultFont(), named);
    manager.SetDefaultFont(chosen);
    EXPECT_EQ(manager.GetDefaultFont(), chosen);
    EXPECT_EQ(manager.GetFont(L""), chosen);
    EXPECT_EQ(manager.GetFont(L"Default"), named) << "a known id is itself";
    manager.RemoveAllFont();
    EXPECT_EQ(manager.FindFont(L"title"), nullptr);
    EXPECT_NE(manager.GetDefaultFont(), nullptr) << "made again from the stock font";
}

TEST(VxPaintManagerFonts, SizeIsTheCharacterHeightInPixels)
{
    TestWindow window;
    VxPaintManager manager;
    manager.Init(window.Get());
    VxFontInfo* font = manager.AddFont(L"body", L"Tahoma", 12, false, false, false);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(LogicalFont(font).lfHeight, -12);
    EXPECT_EQ(LogicalFont(font).lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(font->metrics.tmHeight - font->metrics.tmInternalLeading, 12);
    EXPECT_EQ(font->size, 12);
    EXPECT_EQ(font->faceName, L"Tahoma");
}

TEST(VxPaintManagerFonts, BoldUnderlineItalicAndStrikeout)
{
    VxPaintManager manager;
    VxFontInfo* normal = manager.AddFont(L"n", L"Tahoma", 12, false, false, false);
    VxFontInfo* styled = manager.AddFont(L"b", L"Tahoma", 12, true, true, true, true);
    ASSERT_TRUE(normal && styled);
    const LOGFONTW logFont = LogicalFont(styled);
    EXPECT_GE(logFont.lfWeight, FW_BOLD);
    EXPECT_LE(logFont.lfWeight, FW_HEAVY);
    EXPECT_GT(styled->metrics.tmWeight, normal->metrics.tmWeight);
    EXPECT_EQ(logFont.lfUnderline, 1);
    EXPECT_EQ(logFont.lfItalic, 1);
    EXPECT_EQ(logFont.lfStrikeOut, 1);
    EXPECT_TRUE(styled->bold && styled->underline && styled->italic);
    EXPECT_EQ(LogicalFont(normal).lfWeight, FW_NORMAL);
}

TEST(VxPaintManagerFonts, ASecondFontOfTheSameIdReplacesTheFirstInPlace)
{
    VxPaintManager manager;
    VxFontInfo* first = manager.AddFont(L"x", L"Tahoma", 12, false, false, false);
    manager.SetDefaultBoldFont(first);
    VxFontInfo* second = manager.AddFont(L"x", L"Arial", 16, false, false, false);
    EXPECT_EQ(first, second);
    EXPECT_EQ(manager.GetDefaultBoldFont(), second) << "pointers to the id stay valid";
    EXPECT_EQ(second->faceName, L"Arial");
    EXPECT_EQ(LogicalFont(second).lfHeight, -16);
}

TEST(VxPaintManagerFonts, AbsurdNamesAndSizesAreCut)
{
    VxPaintManager manager;
    const std::wstring longName(1000, L'F');
    VxFontInfo* font = manager.AddFont(L"long", longName, 2147483647, false, false, false);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->faceName.size(), 31u) << "LOGFONT holds 31 characters";
    EXPECT_EQ(font->size, 4096);
    VxFontInfo* negative = manager.AddFont(L"neg", L"Tahoma", -2147483647 - 1, false, false, false);
    ASSERT_NE(negative, nullptr);
    EXPECT_EQ(LogicalFont(negative).lfHeight, 4096) << "negated without overflow";
}
