#include "ScrollbarGeometry.h"

#include <algorithm>
#include <climits>

namespace VXM::scrollbar {
namespace {

int ClampToInt(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

// A span along the bar and across it, turned into a rectangle of the bar's orientation.
RECT Oriented(bool horizontal, int64_t alongStart, int64_t alongEnd, int64_t acrossStart, int64_t acrossEnd)
{
    const LONG a0 = ClampToInt(alongStart);
    const LONG a1 = ClampToInt(alongEnd);
    const LONG c0 = ClampToInt(acrossStart);
    const LONG c1 = ClampToInt(acrossEnd);
    return horizontal ? RECT{a0, c0, a1, c1} : RECT{c0, a0, c1, a1};
}

int64_t AlongStart(const RECT& rect, bool horizontal)
{
    return horizontal ? rect.left : rect.top;
}

int64_t AlongEnd(const RECT& rect, bool horizontal)
{
    return horizontal ? rect.right : rect.bottom;
}

RECT InnerRect(const BarMetrics& metrics)
{
    RECT bar = metrics.bar;
    bar.right = std::max(bar.right, bar.left);
    bar.bottom = std::max(bar.bottom, bar.top);
    RECT inner{ClampToInt(int64_t{bar.left} + metrics.inset.left), ClampToInt(int64_t{bar.top} + metrics.inset.top),
               ClampToInt(int64_t{bar.right} - metrics.inset.right),
               ClampToInt(int64_t{bar.bottom} - metrics.inset.bottom)};
    inner.right = std::max(inner.right, inner.left);
    inner.bottom = std::max(inner.bottom, inner.top);
    return inner;
}

// With no fixed length the thumb keeps at least the bar's thickness: by the bare share a long
// list (range many times the bar's length) would shrink it to nothing, leaving nothing to grab.
int64_t ThumbLength(int64_t length, int64_t area, int range, int fixedLength, int thickness)
{
    const int64_t share = length * area / (length + range);
    const int64_t minimum = fixedLength > 0 ? fixedLength : thickness;
    return std::max(share, minimum);
}

}  // namespace

BarParts Layout(const BarMetrics& metrics)
{
    const bool horizontal = metrics.horizontal;
    const RECT inner = InnerRect(metrics);
    const int64_t start = AlongStart(inner, horizontal);
    // A span wider than INT_MAX is no real bar; capping it keeps every product below 2^63.
    const int64_t length = std::min<int64_t>(AlongEnd(inner, horizontal) - start, INT_MAX);
    const int64_t end = start + length;
    const int64_t across = horizontal ? inner.top : inner.left;
    const int64_t thickness = std::max(metrics.thickness, 0);
    const int64_t acrossEnd = across + thickness;
    const int64_t area = length - thickness * (int{metrics.showButton1} + int{metrics.showButton2});

    BarParts parts;
    const int64_t buttonLength = area > thickness ? thickness : std::min(thickness, length / 2);
    const int64_t button1End = metrics.showButton1 ? start + buttonLength : start;
    const int64_t button2Start = metrics.showButton2 ? end - buttonLength : end;
    parts.button1 = Oriented(horizontal, start, button1End, across, acrossEnd);
    parts.button2 = Oriented(horizontal, button2Start, end, across, acrossEnd);
    if (area <= thickness || metrics.range <= 0)
        return parts;

    const int64_t thumbLength =
        ThumbLength(length, area, metrics.range, std::max(metrics.fixedLength, 0), static_cast<int>(thickness));
    const int64_t position = std::clamp(metrics.position, 0, metrics.range);
    int64_t thumbStart = button1End + (area - thumbLength) * position / metrics.range;
    int64_t thumbEnd = thumbStart + thumbLength;
    if (thumbEnd > button2Start) {
        thumbEnd = button2Start;
        thumbStart = thumbEnd - thumbLength;
    }
    parts.thumb = Oriented(horizontal, thumbStart, thumbEnd, across, acrossEnd);
    return parts;
}

int64_t FreeTravel(const BarParts& parts, bool horizontal)
{
    if (IsRectEmpty(&parts.thumb))
        return 0;
    const int64_t gap = AlongStart(parts.button2, horizontal) - AlongEnd(parts.button1, horizontal);
    return gap - (AlongEnd(parts.thumb, horizontal) - AlongStart(parts.thumb, horizontal));
}

int DragOffset(int64_t delta, int range, int64_t freeTravel)
{
    if (freeTravel <= 0 || range <= 0)
        return 0;
    // Both scaled into the int range, keeping their ratio, so that the product stays below 2^62.
    while (freeTravel > INT_MAX) {
        freeTravel /= 2;
        delta /= 2;
    }
    // Beyond the free travel the position is at its end anyway.
    delta = std::clamp(delta, -freeTravel, freeTravel);
    return ClampToInt(delta * range / freeTravel);
}

RECT RailRect(const RECT& thumb, int thickness, const RECT& inset, bool horizontal)
{
    if (horizontal) {
        const int64_t left = (int64_t{thumb.left} + thumb.right) / 2 - thickness / 2;
        return Oriented(true, left, left + thickness, thumb.top, thumb.bottom);
    }
    const int64_t top = (int64_t{thumb.top} + thumb.bottom) / 2 - (int64_t{thickness} - inset.left) / 2;
    return Oriented(false, top, top + thickness, thumb.left, thumb.right);
}

int StepPosition(int position, int64_t step)
{
    return ClampToInt(position + step);
}

int BarLength(const RECT& bar, bool horizontal)
{
    return ClampToInt(std::max<int64_t>(AlongEnd(bar, horizontal) - AlongStart(bar, horizontal), 0));
}

}  // namespace VXM::scrollbar
