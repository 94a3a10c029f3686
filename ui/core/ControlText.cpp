#include "ControlText.h"

#include "VxPaintManager.h"
#include "VxRenderUtils.h"

namespace VXM {

void DrawControlText(HDC dc, VxPaintManager* manager, RECT& rect, std::wstring_view text, DWORD color,
                     std::wstring_view fontId, UINT style, int rowHeight, bool html, bool forceBlend)
{
    if (!dc || text.empty() || (color >> 24) == 0)
        return;
    if (html)
        VxRenderUtils::DrawHtmlText(dc, manager, rect, text, color, fontId, style);
    else
        VxRenderUtils::DrawTextW(dc, manager, rect, text, color, fontId, style, rowHeight, forceBlend);
}

SIZE MeasureControlText(HDC dc, VxPaintManager* manager, std::wstring_view text, std::wstring_view fontId)
{
    if (text.empty())
        return SIZE{};
    if (!dc && manager)
        dc = manager->GetPaintDC();
    const RECT size = VxRenderUtils::GetTextSize(dc, manager, text, fontId);
    return SIZE{size.right, size.bottom};
}

}  // namespace VXM
