#include "ControlText.h"

#include <climits>
#include <optional>

#include "GdiHandles.h"
#include "VxPaintManager.h"

namespace VXM {
namespace {

HFONT FontOf(VxPaintManager* manager, std::wstring_view fontId)
{
    VxFontInfo* font = manager ? manager->GetFont(fontId) : nullptr;
    return font ? font->font.Get() : nullptr;
}

int TextLength(std::wstring_view text)
{
    return text.size() > INT_MAX ? INT_MAX : static_cast<int>(text.size());
}

void DrawPlain(HDC dc, HFONT font, RECT& rect, std::wstring_view text, DWORD color, UINT style)
{
    SelectGuard selection(dc, font);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(dc, RGB(color >> 16 & 0xFF, color >> 8 & 0xFF, color & 0xFF));
    ::DrawTextW(dc, text.data(), TextLength(text), &rect, style);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
}

}  // namespace

// Until the text renderer lands: no mark-up, no row height, no translucency; the text is drawn
// opaque in its colour whatever its alpha (but for alpha 0).
void DrawControlText(HDC dc, VxPaintManager* manager, RECT& rect, std::wstring_view text, DWORD color,
                     std::wstring_view fontId, UINT style, int, bool, bool)
{
    if (!dc || text.empty() || (color >> 24) == 0)
        return;
    DrawPlain(dc, FontOf(manager, fontId), rect, text, color, style);
}

SIZE MeasureControlText(HDC dc, VxPaintManager* manager, std::wstring_view text, std::wstring_view fontId)
{
    if (text.empty())
        return SIZE{};
    if (!dc && manager)
        dc = manager->GetPaintDC();
    std::optional<ClientDC> screen;
    if (!dc)
        dc = screen.emplace(nullptr).Get();
    SelectGuard selection(dc, FontOf(manager, fontId));
    RECT rect = {};
    ::DrawTextW(dc, text.data(), TextLength(text), &rect, DT_CALCRECT);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace VXM
