// Colour fills, gradients and the translucent GDI shapes of VxRenderUtils.

#include <algorithm>

#include "DibSection.h"
#include "PixelTransforms.h"
#include "VxDibMgr.h"
#include "VxRenderUtils.h"
#include "VxSSE.h"

namespace VXM {

namespace {

constexpr uint32_t kOpaque = 0xFF000000;
constexpr uint32_t kAlphaOne = 0x01000000;  // marks pixels GDI has not drawn on

BYTE Alpha(DWORD color)
{
    return static_cast<BYTE>(color >> 24);
}

COLORREF ToColorRef(DWORD color)
{
    return RGB(color >> 16 & 0xFF, color >> 8 & 0xFF, color & 0xFF);
}

enum class Shape { kLine, kRectangle, kRoundRect };

struct ShapeStyle {
    Shape shape = Shape::kRectangle;
    int penStyle = PS_INSIDEFRAME;
    int penWidth = 1;
    int cornerWidth = 0;
    int cornerHeight = 0;
};

void Outline(HDC dc, const RECT& rect, const ShapeStyle& style, COLORREF color)
{
    GdiPen pen(CreatePen(style.penStyle, style.penWidth, color));
    if (!pen)
        return;
    SelectGuard selectPen(dc, pen.Get());
    SelectGuard selectBrush(dc, GetStockObject(NULL_BRUSH));
    // Dash gaps stay see-through instead of taking the DC's background colour.
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    switch (style.shape) {
    case Shape::kLine:
        MoveToEx(dc, rect.left, rect.top, nullptr);
        LineTo(dc, rect.right, rect.bottom);
        break;
    case Shape::kRectangle:
        Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
        break;
    case Shape::kRoundRect:
        RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, style.cornerWidth, style.cornerHeight);
        break;
    }
    if (oldMode)
        SetBkMode(dc, oldMode);
}

// The picture a translucent shape is drawn into. A line's rectangle may be flat, and its pen
// reaches past the end points, so its picture is widened by the pen on every side.
RECT ShapeArea(const RECT& rect, const ShapeStyle& style)
{
    if (style.shape != Shape::kLine)
        return rect;
    RECT area = {std::min(rect.left, rect.right), std::min(rect.top, rect.bottom), std::max(rect.left, rect.right),
                 std::max(rect.top, rect.bottom)};
    InflateRect(&area, style.penWidth, style.penWidth);
    return area;
}

void DrawShape(HDC dc, const RECT& rect, const ShapeStyle& style, DWORD color)
{
    const BYTE alpha = Alpha(color);
    if (!dc || alpha == 0)
        return;
    if (alpha == 255) {
        Outline(dc, rect, style, ToColorRef(color));
        return;
    }
    const RECT area = ShapeArea(rect, style);
    VxDibMgr picture;
    if (!picture.Create(dc, area.right - area.left, area.bottom - area.top))
        return;
    const size_t pixels = picture.GetSize() / 4;
    VxSSE::DoOr(picture.GetBits(), pixels, kAlphaOne);
    RECT local = rect;
    OffsetRect(&local, -area.left, -area.top);
    Outline(picture.GetSafeHdc(), local, style, ToColorRef(color));
    GdiFlush();
    VxSSE::OpenAlpha(picture.GetBits(), pixels);
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    AlphaBlend(dc, area.left, area.top, picture.GetWidth(), picture.GetHeight(), picture.GetSafeHdc(), 0, 0,
               picture.GetWidth(), picture.GetHeight(), blend);
}

void FillGradientPicture(VxDibMgr& picture, DWORD from, DWORD to, bool vertical)
{
    const int width = picture.GetWidth(), height = picture.GetHeight();
    const int steps = vertical ? height : width;
    uint32_t* bits = picture.GetBits();
    for (int step = 0; step < steps; ++step) {
        const uint32_t pixel = GradientPixel(from, to, step, steps);
        if (vertical) {
            uint32_t* row = bits + static_cast<size_t>(height - 1 - step) * width;  // bottom-up rows
            std::fill(row, row + width, pixel);
        } else {
            for (int y = 0; y < height; ++y)
                bits[static_cast<size_t>(y) * width + step] = pixel;
        }
    }
}

}  // namespace

void VxRenderUtils::DrawColor(HDC dc, const RECT& rect, DWORD color, bool forceBlend)
{
    const BYTE alpha = Alpha(color);
    if (!dc || alpha == 0)
        return;
    if (alpha == 255 && !forceBlend) {
        const COLORREF old = SetBkColor(dc, ToColorRef(color));
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
        SetBkColor(dc, old);
        return;
    }
    uint32_t* bits = nullptr;
    GdiBitmap pixel = CreateTopDownDib(1, 1, &bits);
    if (!pixel)
        return;
    *bits = color | kOpaque;
    DrawImage(dc, pixel.Get(), rect, rect, RECT{0, 0, 1, 1}, RECT{}, false, alpha, false);
}

void VxRenderUtils::DrawGradient(HDC dc, const RECT& rect, DWORD from, DWORD to, bool vertical)
{
    if (!dc || (Alpha(from) == 0 && Alpha(to) == 0) || rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    if (Alpha(from) == 255 && Alpha(to) == 255) {
        auto channel = [](DWORD color, int shift) { return static_cast<COLOR16>((color >> shift & 0xFF) << 8); };
        TRIVERTEX vertices[2] = {
            {rect.left, rect.top, channel(from, 16), channel(from, 8), channel(from, 0), 0xFF00},
            {rect.right, rect.bottom, channel(to, 16), channel(to, 8), channel(to, 0), 0xFF00},
        };
        GRADIENT_RECT mesh = {0, 1};
        GradientFill(dc, vertices, 2, &mesh, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
        return;
    }
    VxDibMgr picture;
    if (!picture.Create(dc, rect.right - rect.left, rect.bottom - rect.top))
        return;
    FillGradientPicture(picture, from, to, vertical);
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, rect.left, rect.top, picture.GetWidth(), picture.GetHeight(), picture.GetSafeHdc(), 0, 0,
               picture.GetWidth(), picture.GetHeight(), blend);
}

void VxRenderUtils::DrawLine(HDC dc, const RECT& rect, int penWidth, DWORD color)
{
    DrawShape(dc, rect, ShapeStyle{Shape::kLine, PS_INSIDEFRAME, penWidth}, color);
}

void VxRenderUtils::DrawFront(HDC dc, const RECT& rect, int penWidth, DWORD color)
{
    DrawShape(dc, rect, ShapeStyle{Shape::kLine, PS_DASH, penWidth}, color);
}

void VxRenderUtils::DrawRect(HDC dc, const RECT& rect, int penWidth, DWORD color)
{
    DrawShape(dc, rect, ShapeStyle{Shape::kRectangle, PS_INSIDEFRAME, penWidth}, color);
}

void VxRenderUtils::DrawFrontRect(HDC dc, const RECT& rect, int penWidth, DWORD color)
{
    DrawShape(dc, rect, ShapeStyle{Shape::kRectangle, PS_DASH, penWidth}, color);
}

void VxRenderUtils::DrawRoundRect(HDC dc, const RECT& rect, int penWidth, int cornerWidth, int cornerHeight,
                                  DWORD color)
{
    DrawShape(dc, rect, ShapeStyle{Shape::kRoundRect, PS_INSIDEFRAME, penWidth, cornerWidth, cornerHeight}, color);
}

}  // namespace VXM
