#include "TestFonts.h"

#include "GdiHandles.h"

VXM::VxFontInfo* TestFonts::Add(std::wstring_view id, std::wstring_view face, int size, bool bold, bool underline,
                                bool italic, bool antialiased)
{
    auto info = std::make_unique<VXM::VxFontInfo>();
    const std::wstring faceName(face);
    info->font.Reset(CreateFontW(-size, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, underline, FALSE,
                                 DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 antialiased ? ANTIALIASED_QUALITY : NONANTIALIASED_QUALITY, DEFAULT_PITCH,
                                 faceName.c_str()));
    info->faceName = faceName;
    info->size = size;
    info->bold = bold;
    info->underline = underline;
    info->italic = italic;
    VXM::MemoryDC dc(CreateCompatibleDC(nullptr));
    {
        VXM::SelectGuard select(dc.Get(), info->font.Get());
        GetTextMetricsW(dc.Get(), &info->metrics);
    }
    VXM::VxFontInfo* result = info.get();
    fonts_[std::wstring(id)] = std::move(info);
    if (!default_)
        default_ = result;
    return result;
}

VXM::VxFontInfo* TestFonts::GetFont(std::wstring_view id)
{
    VXM::VxFontInfo* font = FindFont(id);
    return font ? font : default_;
}

VXM::VxFontInfo* TestFonts::FindFont(std::wstring_view id)
{
    const auto found = fonts_.find(id);
    return found == fonts_.end() ? nullptr : found->second.get();
}
