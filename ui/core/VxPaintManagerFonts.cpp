#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <optional>

#include "VxPaintManager.h"

namespace VXM {
namespace {

constexpr std::wstring_view kDefaultFontId = L"Default";
// Larger character heights only make GDI allocate huge glyphs; no skin needs them.
constexpr int kMaxFontSize = 4096;

LOGFONTW StockGuiFont()
{
    LOGFONTW font = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    return font;
}

}  // namespace

VxFontInfo* VxPaintManager::AddFont(std::wstring_view id, std::wstring_view faceName, int size, bool bold,
                                    bool underline, bool italic, bool strikeout)
{
    const int height = std::clamp(size, -kMaxFontSize, kMaxFontSize);
    LOGFONTW logFont = StockGuiFont();
    const size_t faceLength = std::min(faceName.size(), std::size(logFont.lfFaceName) - 1);
    std::fill(std::begin(logFont.lfFaceName), std::end(logFont.lfFaceName), L'\0');
    std::copy_n(faceName.begin(), faceLength, logFont.lfFaceName);
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = -height;
    if (bold)
        logFont.lfWeight = std::min<LONG>(logFont.lfWeight + FW_BOLD, FW_HEAVY);
    logFont.lfUnderline = underline ? 1 : 0;
    logFont.lfItalic = italic ? 1 : 0;
    logFont.lfStrikeOut = strikeout ? 1 : 0;
    GdiFont font(CreateFontIndirectW(&logFont));
    if (!font)
        return nullptr;

    auto info = std::make_unique<VxFontInfo>();
    info->font = std::move(font);
    info->faceName = std::wstring(faceName.substr(0, faceLength));
    info->size = height;
    info->bold = bold;
    info->underline = underline;
    info->italic = italic;
    std::optional<ClientDC> screen;
    HDC dc = paintDC_ ? paintDC_ : screen.emplace(nullptr).Get();
    SelectGuard selection(dc, info->font.Get());
    GetTextMetricsW(dc, &info->metrics);

    // A font of the same id is replaced in place, so default-font pointers to it stay valid.
    auto found = fonts_.find(id);
    if (found != fonts_.end()) {
        *found->second = std::move(*info);
        return found->second.get();
    }
    return fonts_.emplace(std::wstring(id), std::move(info)).first->second.get();
}

VxFontInfo* VxPaintManager::GetFont(std::wstring_view id)
{
    if (id.empty())
        return GetDefaultFont();
    VxFontInfo* font = FindFont(id);
    return font ? font : GetDefaultFont();
}

VxFontInfo* VxPaintManager::GetDefaultFont()
{
    if (defaultFont_)
        return defaultFont_;
    if (VxFontInfo* font = FindFont(kDefaultFontId))
        return font;
    const LOGFONTW stock = StockGuiFont();
    return AddFont(kDefaultFontId, stock.lfFaceName, std::abs(stock.lfHeight), stock.lfWeight >= FW_BOLD,
                   stock.lfUnderline != 0, stock.lfItalic != 0, stock.lfStrikeOut != 0);
}

VxFontInfo* VxPaintManager::FindFont(std::wstring_view id)
{
    auto found = fonts_.find(id);
    return found == fonts_.end() ? nullptr : found->second.get();
}

void VxPaintManager::RemoveAllFont()
{
    defaultFont_ = defaultBoldFont_ = defaultLinkFont_ = nullptr;
    fonts_.clear();
}

}  // namespace VXM
