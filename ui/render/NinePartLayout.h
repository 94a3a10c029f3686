#pragma once

#include <windows.h>

#include <array>
#include <cstddef>

namespace VXM {

// One blit of a nine-part image: where it goes and the source rectangle it stretches.
struct ImagePart {
    RECT dest = {};
    RECT source = {};
};

struct NineParts {
    std::array<ImagePart, 9> parts;
    size_t count = 0;
};

// The parts in drawing order (centre, then the corners and edges clockwise from the top-left),
// leaving out the centre for a hole and the corners and edges whose widths are 0. Corner holds
// the fixed border widths left, top, right, bottom; every part is stretched, never tiled.
NineParts LayoutNineParts(const RECT& dest, const RECT& source, const RECT& corner, bool hole);

}  // namespace VXM
