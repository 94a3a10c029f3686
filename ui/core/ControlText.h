#pragma once

#include <windows.h>

#include <string_view>

namespace VXM {

class VxPaintManager;

// The one place where the control base hands its text to the text functions of VxRenderUtils
// (DrawTextW, DrawHtmlText, GetTextSize), with the manager as their font source.

// Draws `text` in `rect` with the font registered under `fontId` (empty: the default font),
// colour 0xAARRGGBB (alpha 0 draws nothing) and DrawText style; `html` asks for mark-up.
void DrawControlText(HDC dc, VxPaintManager* manager, RECT& rect, std::wstring_view text, DWORD color,
                     std::wstring_view fontId, UINT style, int rowHeight, bool html, bool forceBlend);

// The size of `text` in that font (DT_CALCRECT); measured in `dc`, else in the manager's paint
// DC, else in a screen-compatible DC.
SIZE MeasureControlText(HDC dc, VxPaintManager* manager, std::wstring_view text, std::wstring_view fontId);

}  // namespace VXM
