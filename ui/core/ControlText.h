#pragma once

#include <windows.h>

#include <string_view>

namespace VXM {

class VxPaintManager;

// The one place where the control base hands its text to the text renderer (the text seam).
// Today plain Win32 DrawTextW in the manager's font; the text functions of VxRenderUtils
// (DrawTextW, DrawHtmlText, GetTextSize) take over here, and only here.

// Draws `text` in `rect` with the font registered under `fontId` (empty: the default font),
// colour 0xAARRGGBB (alpha 0 draws nothing) and DrawText style; `html` asks for mark-up.
void DrawControlText(HDC dc, VxPaintManager* manager, RECT& rect, std::wstring_view text, DWORD color,
                     std::wstring_view fontId, UINT style, int rowHeight, bool html, bool forceBlend);

// The size of `text` in that font (DT_CALCRECT); measured in `dc`, else in the manager's paint
// DC, else in a screen DC.
SIZE MeasureControlText(HDC dc, VxPaintManager* manager, std::wstring_view text, std::wstring_view fontId);

}  // namespace VXM
