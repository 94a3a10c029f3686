#include "RoundCornerRegion.h"

#include <algorithm>

namespace VXM {

std::optional<RoundCornerShape> RoundCornerShapeOf(const RECT& client, SIZE corner)
{
    const int r = std::max(corner.cx, corner.cy);
    if (r <= 0)
        return std::nullopt;
    RoundCornerShape shape;
    shape.roundRect = {client.left, client.top, client.right + 1, client.bottom + 1};
    shape.ellipse = r;
    if (corner.cx > 0 && corner.cy <= 0)
        shape.squareOff = RECT{client.left, client.top + r, client.right, client.bottom};
    else if (corner.cy > 0 && corner.cx <= 0)
        shape.squareOff = RECT{client.left, client.top, client.right, client.bottom - r + 1};
    return shape;
}

GdiRegion MakeRegion(const RoundCornerShape& shape)
{
    const RECT& round = shape.roundRect;
    GdiRegion region(CreateRoundRectRgn(round.left, round.top, round.right, round.bottom, shape.ellipse,
                                        shape.ellipse));
    if (!region || !shape.squareOff)
        return region;
    const RECT& square = *shape.squareOff;
    GdiRegion added(CreateRectRgn(square.left, square.top, square.right, square.bottom));
    if (!added || CombineRgn(region.Get(), region.Get(), added.Get(), RGN_OR) == ERROR)
        return GdiRegion();
    return region;
}

}  // namespace VXM
