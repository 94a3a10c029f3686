// The Wine prefix the tests run in: the locale asked for, and the skin's Chinese font.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

TEST(Harness, AnsiCodePageFollowsTheLocaleOfTheRun)
{
    const char* expected = std::getenv("ZENTARIUM_EXPECT_ACP");
    ASSERT_NE(expected, nullptr) << "run through ctest";
    EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
}

TEST(Harness, TheSkinFontDrawsChineseGlyphs)
{
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    HFONT font = CreateFontW(-20, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"微软雅黑");
    ASSERT_NE(font, nullptr);
    HGDIOBJ old = SelectObject(dc, font);

    const wchar_t text[] = L"修复工具";
    WORD glyphs[4] = {};
    EXPECT_EQ(GetGlyphIndicesW(dc, text, 4, glyphs, GGI_MARK_NONEXISTING_GLYPHS), 4u);
    for (WORD glyph : glyphs)
        EXPECT_NE(glyph, 0xFFFF) << "the substituted font lacks a Chinese glyph";
    // Without a mapping the font mapper falls back to a default face and reports that name.
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    EXPECT_EQ(std::wstring(face), L"微软雅黑");

    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
}

}  // namespace
