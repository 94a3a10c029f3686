// Formatted text: VxRenderUtils::DrawHtmlText over the mark-up layout.

#include <algorithm>
#include <climits>

#include "DcTextState.h"
#include "GdiColor.h"
#include "MarkupLayout.h"
#include "VxRenderClip.h"
#include "VxRenderUtils.h"

namespace VXM {

namespace {

// A single line is measured this wide before it is aligned.
constexpr int kMeasureWidth = 9999;
constexpr UINT kVerticalAlignment = DT_VCENTER | DT_BOTTOM;
constexpr UINT kAlignment = DT_CENTER | DT_RIGHT | kVerticalAlignment;

int ClampToInt(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN / 2, INT_MAX / 2));
}

class LinePainter {
public:
    LinePainter(HDC dc, std::wstring_view text) : dc_(dc), text_(text) {}

    void Paint(const MarkupLine& line, int top, int offset)
    {
        for (const MarkupPiece& piece : line.pieces) {
            Use(piece);
            const int y = top + line.height - MarkupLayout::FontHeight(piece.font);
            const int x = piece.x + offset;
            if (piece.length > 0)
                TextOutW(dc_, x, y, text_.data() + piece.begin, static_cast<int>(piece.length));
            if (piece.ellipsis)
                TextOutW(dc_, x + piece.width, y, L"...", 3);
        }
    }

private:
    void Use(const MarkupPiece& piece)
    {
        if (piece.font->font.Get() != font_) {
            font_ = piece.font->font.Get();
            SelectObject(dc_, font_);
        }
        if (piece.color != color_) {
            color_ = piece.color;
            SetTextColor(dc_, color_);
        }
        if (piece.selected != selected_) {
            selected_ = piece.selected;
            SetBkMode(dc_, selected_ ? OPAQUE : TRANSPARENT);
        }
    }

    HDC dc_ = nullptr;
    std::wstring_view text_;
    HFONT font_ = nullptr;
    COLORREF color_ = CLR_INVALID;
    bool selected_ = false;
};

// Multi-line text aligns line by line: the pieces of a line keep their distances.
int LineOffset(const MarkupLine& line, const MarkupFrame& frame)
{
    if (frame.style & DT_SINGLELINE)
        return 0;
    const int room = std::max(static_cast<int>(frame.area.right) - line.right, 0);
    if (frame.style & DT_CENTER)
        return room / 2;
    if (frame.style & DT_RIGHT)
        return room;
    return 0;
}

struct MarkupSize {
    int width = 0;
    int height = 0;
};

MarkupSize MeasureLines(HDC dc, IVxFontSource& fonts, std::wstring_view text, const MarkupFrame& frame)
{
    MarkupLayout layout(dc, fonts, text, frame);
    long long top = frame.area.top;
    int right = frame.area.left;
    while (!layout.AtEnd()) {
        const MarkupLine line = layout.NextLine(ClampToInt(top));
        right = std::max(right, line.right);
        top += line.height;
        if (frame.style & DT_SINGLELINE)
            break;
    }
    return MarkupSize{right - frame.area.left, ClampToInt(std::max(top - frame.area.top, 0LL))};
}

// Moves the area onto the measured block; it never grows past the given rectangle, so text too
// large for it starts at its top-left corner.
void Align(RECT& area, UINT style, MarkupSize size)
{
    const int spareWidth = std::max(static_cast<int>(area.right - area.left) - size.width, 0);
    const int spareHeight = std::max(static_cast<int>(area.bottom - area.top) - size.height, 0);
    if (style & DT_SINGLELINE) {
        if (style & DT_CENTER)
            area.left += spareWidth / 2;
        else if (style & DT_RIGHT)
            area.left += spareWidth;
    }
    if (style & DT_VCENTER)
        area.top += spareHeight / 2;
    else if (style & DT_BOTTOM)
        area.top += spareHeight;
}

void DrawLines(HDC dc, IVxFontSource& fonts, std::wstring_view text, const MarkupFrame& frame)
{
    MarkupLayout layout(dc, fonts, text, frame);
    LinePainter painter(dc, text);
    int top = frame.area.top;
    while (!layout.AtEnd() && top < frame.area.bottom) {
        const MarkupLine line = layout.NextLine(top);
        painter.Paint(line, top, LineOffset(line, frame));
        top = ClampToInt(static_cast<long long>(top) + line.height);
        if (frame.style & DT_SINGLELINE)
            break;
    }
}

// A single line that fits is drawn from its measuring layout, moved into place.
bool DrawMeasuredLine(HDC dc, IVxFontSource& fonts, std::wstring_view text, MarkupFrame frame)
{
    MarkupFrame wide = frame;
    wide.area.right = wide.area.left + kMeasureWidth;
    wide.drawing = false;
    MarkupLayout layout(dc, fonts, text, wide);
    const MarkupLine line = layout.NextLine(frame.area.top);
    const MarkupSize size{line.right - frame.area.left, line.height};
    if (size.width > frame.area.right - frame.area.left)
        return false;
    const LONG left = frame.area.left;
    Align(frame.area, frame.style, size);
    LinePainter(dc, text).Paint(line, frame.area.top, frame.area.left - left);
    return true;
}

}  // namespace

void VxRenderUtils::DrawHtmlText(HDC dc, IVxFontSource* fonts, RECT& rect, std::wstring_view text, DWORD color,
                                 std::wstring_view font, UINT style)
{
    if (!dc || !fonts || text.empty() || IsRectEmpty(&rect))
        return;
    MarkupFrame frame;
    frame.area = rect;
    frame.style = style;
    frame.defaultFont = fonts->GetFont(font);
    frame.defaultColor = ToColorRef(color);
    frame.drawing = (style & DT_CALCRECT) == 0;
    if (!frame.defaultFont)
        return;

    DcTextState restore(dc);
    SelectObject(dc, frame.defaultFont->font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, frame.defaultColor);
    if (!frame.drawing) {
        const MarkupSize size = MeasureLines(dc, *fonts, text, frame);
        rect.right = std::min(static_cast<LONG>(rect.left + size.width), rect.right);
        rect.bottom = std::max(rect.top + size.height, 0L);
        return;
    }

    VxRenderClip clip;
    VxRenderClip::GenerateClip(dc, rect, clip);
    const bool singleLine = (style & DT_SINGLELINE) != 0;
    if (singleLine && (style & kAlignment) && DrawMeasuredLine(dc, *fonts, text, frame))
        return;
    if (style & (singleLine ? kAlignment : kVerticalAlignment)) {
        MarkupFrame measuring = frame;
        measuring.drawing = false;
        if (singleLine)
            measuring.area.right = measuring.area.left + kMeasureWidth;
        Align(frame.area, style, MeasureLines(dc, *fonts, text, measuring));
    }
    DrawLines(dc, *fonts, text, frame);
}

}  // namespace VXM
