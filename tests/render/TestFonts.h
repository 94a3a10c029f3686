#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "VxFontInfo.h"

// The skin's face, which the test harness maps to WenQuanYi Micro Hei.
inline constexpr wchar_t kSkinFace[] = L"微软雅黑";

// A window's font table for the text tests: real fonts by id, the first one added is the
// default. Not a paint manager: only what the text functions ask of one.
class TestFonts : public VXM::IVxFontSource {
public:
    // Antialiased glyphs blend into the background; the colour tests use plain ones so that
    // every inked pixel has exactly the text colour.
    VXM::VxFontInfo* Add(std::wstring_view id, std::wstring_view face, int size, bool bold = false,
                         bool underline = false, bool italic = false, bool antialiased = false);

    VXM::VxFontInfo* GetFont(std::wstring_view id) override;
    VXM::VxFontInfo* GetDefaultFont() override { return default_; }
    VXM::VxFontInfo* FindFont(std::wstring_view id) override;

private:
    std::map<std::wstring, std::unique_ptr<VXM::VxFontInfo>, std::less<>> fonts_;
    VXM::VxFontInfo* default_ = nullptr;  // in fonts_
};
