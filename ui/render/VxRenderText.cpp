// Plain and wrapped text: VxRenderUtils::DrawTextW, DrawMultLineText and GetTextSize.

#include <algorithm>
#include <climits>
#include <vector>

#include "DcTextState.h"
#include "GdiColor.h"
#include "GdiLineMeasure.h"
#include "TextBreaks.h"
#include "VxDibMgr.h"
#include "VxRenderUtils.h"
#include "VxSSE.h"

namespace VXM {

namespace {

// Wrapped text measured for DT_CALCRECT in a rectangle without width gets this much room.
constexpr int kUnboundedWidth = 9999;
constexpr uint32_t kAlphaOne = 0x01000000;  // marks pixels GDI has not drawn on
// DrawText would write into the caller's constant text.
constexpr UINT kForbiddenStyle = DT_MODIFYSTRING;

int Width(const RECT& rect)
{
    return rect.right - rect.left;
}

int Height(const RECT& rect)
{
    return rect.bottom - rect.top;
}

int Length(std::wstring_view text)
{
    return static_cast<int>(std::min<size_t>(text.size(), INT_MAX / 2));
}

// Win32 reads text up to its terminator (length -1).
std::wstring_view UpToTerminator(std::wstring_view text)
{
    return text.substr(0, text.find(L'\0'));
}

struct TextBlock {
    int widest = 0;
    int height = 0;
};

TextBlock MeasureBlock(ITextMeasure& measure, const std::vector<std::wstring_view>& paragraphs, int available,
                       int lineSpacing)
{
    TextBlock block;
    for (std::wstring_view rest : paragraphs) {
        while (!rest.empty()) {
            const LineFit line = LongestFittingPrefix(measure, rest, available);
            block.widest = std::max(block.widest, static_cast<int>(line.size.cx));
            block.height += line.size.cy + lineSpacing;
            rest.remove_prefix(line.length);
        }
    }
    return block;
}

// The block is centred, not each line; a block larger than the rectangle starts at its corner.
void PlaceBlock(RECT& rect, UINT style, const TextBlock& block)
{
    if (style & DT_VCENTER)
        rect.top += std::max(Height(rect) - block.height, 0) / 2;
    else if (style & DT_BOTTOM)
        rect.top += std::max(Height(rect) - block.height, 0);
    if (style & DT_CENTER)
        rect.left += std::max(Width(rect) - block.widest, 0) / 2;
}

void DrawLine(HDC dc, std::wstring_view line, RECT& rect, UINT style)
{
    ::DrawTextW(dc, line.data(), Length(line), &rect, style);
}

// Line by line from the top; the last line that has room takes the rest of its paragraph,
// ending in "..." when it does not fit.
void DrawParagraphs(HDC dc, ITextMeasure& measure, RECT& rect, UINT style, int lineSpacing,
                    const std::vector<std::wstring_view>& paragraphs)
{
    const int available = Width(rect);
    const UINT lineStyle = (style & ~(DT_VCENTER | DT_BOTTOM)) | DT_SINGLELINE;
    for (std::wstring_view rest : paragraphs) {
        while (!rest.empty()) {
            if (rect.top >= rect.bottom)
                return;
            const LineFit line = LongestFittingPrefix(measure, rest, available);
            const int advance = std::max(static_cast<int>(line.size.cy) + lineSpacing, 0);
            if (rect.bottom < rect.top + 2 * advance) {
                DrawLine(dc, rest, rect, lineStyle | DT_END_ELLIPSIS);
                return;
            }
            DrawLine(dc, rest.substr(0, line.length), rect, lineStyle);
            rect.top += advance;
            rest.remove_prefix(line.length);
        }
    }
}

void DrawOpaqueText(HDC dc, IVxFontSource* fonts, RECT& rect, std::wstring_view text, DWORD color,
                    std::wstring_view font, UINT style, int lineSpacing)
{
    DcTextState restore(dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(color));
    if (VxFontInfo* info = fonts ? fonts->GetFont(font) : nullptr)
        SelectObject(dc, info->font.Get());
    if (style & DT_WORDBREAK)
        VxRenderUtils::DrawMultLineText(dc, rect, style & ~DT_WORDBREAK, lineSpacing, text);
    else
        ::DrawTextW(dc, text.data(), Length(text), &rect, style);
}

}  // namespace

void VxRenderUtils::DrawTextW(HDC dc, IVxFontSource* fonts, RECT& rect, std::wstring_view text, DWORD color,
                              std::wstring_view font, UINT style, int lineSpacing, bool forceBlend)
{
    if (!dc)
        return;
    text = UpToTerminator(text);
    style &= ~kForbiddenStyle;
    const BYTE alpha = AlphaOf(color);
    if ((alpha == 255 && !forceBlend) || (style & DT_CALCRECT)) {
        DrawOpaqueText(dc, fonts, rect, text, color, font, style, lineSpacing);
        return;
    }
    VxDibMgr picture;
    if (alpha == 0 || text.empty() || Width(rect) <= 0 || Height(rect) <= 0 ||
        !picture.Create(dc, Width(rect), Height(rect)))
        return;
    const size_t pixels = picture.GetSize() / 4;
    VxSSE::DoOr(picture.GetBits(), pixels, kAlphaOne);
    RECT local = {0, 0, Width(rect), Height(rect)};
    DrawOpaqueText(picture.GetSafeHdc(), fonts, local, text, color, font, style, lineSpacing);
    GdiFlush();
    VxSSE::OpenAlpha(picture.GetBits(), pixels);
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    AlphaBlend(dc, rect.left, rect.top, picture.GetWidth(), picture.GetHeight(), picture.GetSafeHdc(), 0, 0,
               picture.GetWidth(), picture.GetHeight(), blend);
}

void VxRenderUtils::DrawMultLineText(HDC dc, RECT& rect, UINT style, int lineSpacing, std::wstring_view text)
{
    if (!dc)
        return;
    style &= ~kForbiddenStyle;
    const std::vector<std::wstring_view> paragraphs = SplitParagraphs(text);
    GdiLineMeasure measure(dc, style);
    if (style & (DT_CENTER | DT_VCENTER | DT_BOTTOM | DT_CALCRECT)) {
        const bool unbounded = (style & DT_CALCRECT) && Width(rect) == 0;
        const TextBlock block =
            MeasureBlock(measure, paragraphs, unbounded ? kUnboundedWidth : Width(rect), lineSpacing);
        if (style & DT_CALCRECT) {
            rect.right = rect.left + block.widest;
            rect.bottom = rect.top + block.height;
            return;
        }
        PlaceBlock(rect, style, block);
        style &= ~(DT_CENTER | DT_VCENTER | DT_BOTTOM);
    }
    DrawParagraphs(dc, measure, rect, style, lineSpacing, paragraphs);
}

RECT VxRenderUtils::GetTextSize(HDC dc, IVxFontSource* fonts, std::wstring_view text, std::wstring_view font)
{
    MemoryDC scratch;
    if (!dc) {
        scratch.Reset(CreateCompatibleDC(nullptr));
        dc = scratch.Get();
    }
    RECT size = {};
    if (!dc)
        return size;
    text = UpToTerminator(text);
    DcTextState restore(dc);
    if (VxFontInfo* info = fonts ? fonts->GetFont(font) : nullptr)
        SelectObject(dc, info->font.Get());
    ::DrawTextW(dc, text.data(), Length(text), &size, DT_CALCRECT);
    return RECT{0, 0, size.right - size.left, size.bottom - size.top};
}

}  // namespace VXM
