#include "NinePartLayout.h"

namespace VXM {

namespace {

void Add(NineParts& layout, const RECT& dest, LONG sourceX, LONG sourceY, LONG sourceWidth, LONG sourceHeight)
{
    layout.parts[layout.count++] = ImagePart{dest, RECT{sourceX, sourceY, sourceX + sourceWidth, sourceY + sourceHeight}};
}

}  // namespace

NineParts LayoutNineParts(const RECT& d, const RECT& s, const RECT& c, bool hole)
{
    NineParts layout;
    const LONG sw = s.right - s.left, sh = s.bottom - s.top;
    const LONG middleWidth = sw - c.left - c.right, middleHeight = sh - c.top - c.bottom;
    if (!hole)
        Add(layout, RECT{d.left + c.left, d.top + c.top, d.right - c.right, d.bottom - c.bottom}, s.left + c.left,
            s.top + c.top, middleWidth, middleHeight);
    if (c.left > 0 && c.top > 0)
        Add(layout, RECT{d.left, d.top, d.left + c.left, d.top + c.top}, s.left, s.top, c.left, c.top);
    if (c.top > 0)
        Add(layout, RECT{d.left + c.left, d.top, d.right - c.right, d.top + c.top}, s.left + c.left, s.top,
            middleWidth, c.top);
    if (c.right > 0 && c.top > 0)
        Add(layout, RECT{d.right - c.right, d.top, d.right, d.top + c.top}, s.right - c.right, s.top, c.right, c.top);
    if (c.left > 0)
        Add(layout, RECT{d.left, d.top + c.top, d.left + c.left, d.bottom - c.bottom}, s.left, s.top + c.top, c.left,
            middleHeight);
    if (c.right > 0)
        Add(layout, RECT{d.right - c.right, d.top + c.top, d.right, d.bottom - c.bottom}, s.right - c.right,
            s.top + c.top, c.right, middleHeight);
    if (c.left > 0 && c.bottom > 0)
        Add(layout, RECT{d.left, d.bottom - c.bottom, d.left + c.left, d.bottom}, s.left, s.bottom - c.bottom, c.left,
            c.bottom);
    if (c.bottom > 0)
        Add(layout, RECT{d.left + c.left, d.bottom - c.bottom, d.right - c.right, d.bottom}, s.left + c.left,
            s.bottom - c.bottom, middleWidth, c.bottom);
    if (c.right > 0 && c.bottom > 0)
        Add(layout, RECT{d.right - c.right, d.bottom - c.bottom, d.right, d.bottom}, s.right - c.right,
            s.bottom - c.bottom, c.right, c.bottom);
    return layout;
}

}  // namespace VXM
