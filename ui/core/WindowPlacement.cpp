#include "WindowPlacement.h"

namespace VXM {
namespace {

int CenteredStart(int windowStart, int windowEnd, int referenceStart, int referenceEnd, int areaStart,
                  int areaEnd)
{
    const int size = windowEnd - windowStart;
    int start = (referenceStart + referenceEnd) / 2 - size / 2;
    if (start < areaStart)
        start = areaStart;
    else if (start + size > areaEnd)
        start = areaEnd - size;
    return start;
}

}  // namespace

POINT CenteredPosition(const RECT& window, const RECT& reference, const RECT& workArea)
{
    return {CenteredStart(window.left, window.right, reference.left, reference.right, workArea.left, workArea.right),
            CenteredStart(window.top, window.bottom, reference.top, reference.bottom, workArea.top, workArea.bottom)};
}

void ApplyTrackingSizes(MINMAXINFO& info, SIZE minimum, SIZE maximum, const RECT& workArea, SIZE frame)
{
    if (minimum.cx > 0)
        info.ptMinTrackSize.x = minimum.cx;
    if (minimum.cy > 0)
        info.ptMinTrackSize.y = minimum.cy;
    info.ptMaxTrackSize.x = maximum.cx > 0 ? maximum.cx : workArea.right - workArea.left + 2 * frame.cx;
    info.ptMaxTrackSize.y = maximum.cy > 0 ? maximum.cy : workArea.bottom - workArea.top + 2 * frame.cy;
    info.ptMaxPosition.x += workArea.left;
    info.ptMaxPosition.y += workArea.top;
}

RECT ShrinkRect(const RECT& rect, const RECT& insets)
{
    return {rect.left + insets.left, rect.top + insets.top, rect.right - insets.right, rect.bottom - insets.bottom};
}

}  // namespace VXM
