#include "NonClientHitTest.h"

namespace VXM {
namespace {

// Picks the first, middle or last code by where `at` lies along one edge.
LRESULT AlongEdge(int at, int low, int high, LRESULT lowCode, LRESULT middleCode, LRESULT highCode)
{
    if (at < low)
        return lowCode;
    if (at > high)
        return highCode;
    return middleCode;
}

}  // namespace

LRESULT SizeBoxHitTest(const RECT& client, const RECT& box, int rounder, POINT point)
{
    if (box.left == 0 && box.top == 0 && box.right == 0 && box.bottom == 0)
        return HTNOWHERE;
    const int leftCorner = client.left + box.left + rounder;
    const int rightCorner = client.right - box.right - rounder;
    const int topCorner = client.top + box.top + rounder;
    const int bottomCorner = client.bottom - box.bottom - rounder;
    if (point.y < client.top + box.top)
        return AlongEdge(point.x, leftCorner, rightCorner, HTTOPLEFT, HTTOP, HTTOPRIGHT);
    if (point.y > client.bottom - box.bottom)
        return AlongEdge(point.x, leftCorner, rightCorner, HTBOTTOMLEFT, HTBOTTOM, HTBOTTOMRIGHT);
    if (point.x < client.left + box.left)
        return AlongEdge(point.y, topCorner, bottomCorner, HTTOPLEFT, HTLEFT, HTBOTTOMLEFT);
    if (point.x > client.right - box.right)
        return AlongEdge(point.y, topCorner, bottomCorner, HTTOPRIGHT, HTRIGHT, HTBOTTOMRIGHT);
    return HTNOWHERE;
}

bool InCaptionBand(const RECT& client, const RECT& caption, POINT point)
{
    return point.x >= client.left + caption.left && point.x < client.right - caption.right &&
           point.y >= caption.top && point.y < caption.bottom;
}

}  // namespace VXM
