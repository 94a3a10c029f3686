#include "TextInk.h"

#include <algorithm>

RECT InkBounds(const TestCanvas& canvas, uint32_t background, const RECT& within)
{
    RECT ink = {within.right, within.bottom, within.left, within.top};
    for (int y = within.top; y < within.bottom; ++y) {
        for (int x = within.left; x < within.right; ++x) {
            if (canvas.Pixel(x, y) == background)
                continue;
            ink.left = std::min<LONG>(ink.left, x);
            ink.top = std::min<LONG>(ink.top, y);
            ink.right = std::max<LONG>(ink.right, x + 1);
            ink.bottom = std::max<LONG>(ink.bottom, y + 1);
        }
    }
    return ink;
}

bool HasInk(const TestCanvas& canvas, uint32_t background, const RECT& within)
{
    const RECT ink = InkBounds(canvas, background, within);
    return ink.right > ink.left;
}

bool SamePixels(const TestCanvas& a, const TestCanvas& b)
{
    const RECT bounds = a.Bounds();
    const RECT other = b.Bounds();
    if (bounds.right != other.right || bounds.bottom != other.bottom)
        return false;
    for (int y = 0; y < bounds.bottom; ++y) {
        for (int x = 0; x < bounds.right; ++x) {
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return false;
        }
    }
    return true;
}
