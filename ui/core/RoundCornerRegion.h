#pragma once

#include <windows.h>

#include <optional>

#include "GdiHandles.h"

namespace VXM {

// A window shape with round corners: a round rectangle, and optionally a plain rectangle added
// to it that squares off the top or the bottom corners again.
struct RoundCornerShape {
    RECT roundRect = {};  // CreateRoundRectRgn arguments, right and bottom exclusive
    int ellipse = 0;      // width and height of the corner ellipses
    std::optional<RECT> squareOff;
};

// The shape of `client` with corner size (cx, cy): both set rounds every corner, only cx the
// top corners, only cy the bottom ones. Nothing when both are 0 or negative.
std::optional<RoundCornerShape> RoundCornerShapeOf(const RECT& client, SIZE corner);

// The region of a shape; null when GDI cannot make it.
GdiRegion MakeRegion(const RoundCornerShape& shape);

}  // namespace VXM
