#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string_view>

#include "GdiHandles.h"
#include "VxFontInfo.h"
#include "VxImageInfo.h"

namespace VXM {

// Image strings, colour fills, translucent shapes, image transforms and text, all on GDI device
// contexts in device pixels. Colours are 0xAARRGGBB; alpha 0 draws nothing.
class VxRenderUtils {
public:
    // Parses the image string (then the modifier over it), loads the image through the loader
    // and draws it into its place inside the control rectangle. True when drawn, when it lies
    // outside the control or the paint rectangle, or for a null DC (load only); false when the
    // image cannot be had.
    // False too when a transform (rotation, reflection, region) could not be made: nothing was
    // drawn.
    static bool DrawImageString(HDC dc, const RECT& control, const RECT& paint, std::wstring_view image,
                                std::wstring_view modifier = {});
    // The same for callers that hold the modifier as a C string, which may be null: no modifier.
    static bool DrawImageString(HDC dc, const RECT& control, const RECT& paint, std::wstring_view image,
                                const wchar_t* modifier);

    // The nine-part blitter: corner holds the unscaled border widths; per-pixel alpha when alpha
    // is set, constant alpha fade; hole leaves the centre out.
    static void DrawImage(HDC dc, HBITMAP bitmap, const RECT& dest, const RECT& paint, const RECT& source,
                          const RECT& corner, bool alpha, BYTE fade, bool hole);

    static void DrawColor(HDC dc, const RECT& rect, DWORD color, bool forceBlend = false);
    static void DrawGradient(HDC dc, const RECT& rect, DWORD from, DWORD to, bool vertical);
    static void DrawLine(HDC dc, const RECT& rect, int penWidth, DWORD color);
    static void DrawRect(HDC dc, const RECT& rect, int penWidth, DWORD color);
    static void DrawFront(HDC dc, const RECT& rect, int penWidth, DWORD color);
    static void DrawFrontRect(HDC dc, const RECT& rect, int penWidth, DWORD color);
    static void DrawRoundRect(HDC dc, const RECT& rect, int penWidth, int cornerWidth, int cornerHeight, DWORD color);

    // Transforms return new bitmaps (null on failure) that the caller owns. Neither the image nor
    // the result may hold more than kMaxTransformPixels: a small, highly compressed file could
    // otherwise cost gigabytes on every paint.
    static constexpr int64_t kMaxTransformPixels = int64_t{1} << 24;
    static GdiBitmap GetZoom(const VxImageInfo* image, int width, int height);
    static GdiBitmap GetRotate(const VxImageInfo* image, RECT& dest, double angle);
    static GdiBitmap GetReverse(const VxImageInfo* image, const RECT& dest);
    static GdiBitmap GetRgnBitmap(const VxImageInfo* image, const VxImageInfo* stencil, const RECT& dest,
                                  DWORD keyColor);

    // An icon as a size x size image with per-pixel alpha.
    static std::unique_ptr<VxImageInfo> ConvertIconToInfo(HDC dc, HICON icon, int size);
    // A window region without the transparent pixels of the image's corners; null when the
    // string has no corner.
    static GdiRegion GetRoundCornerRgn(std::wstring_view image, int width, int height);
    // A skin background of width x height from the image; color receives its average colour.
    static std::unique_ptr<VxImageInfo> GenerationBGMapInfo(const VxImageInfo* image, int width, int height,
                                                            DWORD& color);

    // Text with DrawText flags in the font named by id (fonts may be null: the DC's font). An
    // opaque colour draws directly; a translucent one, or forceBlend (layered windows), draws
    // through an off-screen picture so the text keeps its alpha. DT_WORDBREAK wraps with
    // DrawMultLineText, lineSpacing pixels between lines. DT_CALCRECT measures into rect.
    static void DrawTextW(HDC dc, IVxFontSource* fonts, RECT& rect, std::wstring_view text, DWORD color,
                          std::wstring_view font, UINT style, int lineSpacing = 0, bool forceBlend = false);
    // Wrapped text in the DC's font: paragraphs at line breaks, lines broken between any two
    // characters; the last line that has room ends in "..." when more text follows. Moves
    // rect.top down as it draws; DT_CALCRECT measures into rect.
    static void DrawMultLineText(HDC dc, RECT& rect, UINT style, int lineSpacing, std::wstring_view text);
    // (0, 0, width, height) of the text in the named font.
    static RECT GetTextSize(HDC dc, IVxFontSource* fonts, std::wstring_view text, std::wstring_view font);
    // Text with inline mark-up (font, colour, line break, paragraph, raw, selection, pen and
    // line-height tags); nothing without fonts. Drawn inside rect only; DT_CALCRECT measures into
    // rect instead.
    static void DrawHtmlText(HDC dc, IVxFontSource* fonts, RECT& rect, std::wstring_view text, DWORD color,
                             std::wstring_view font, UINT style);
};

}  // namespace VXM
