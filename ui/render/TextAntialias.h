#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace VXM {

// Text drawn in `color` onto black and alpha-rewritten (drawn pixels opaque, the rest 0) becomes
// premultiplied pixels whose alpha is the glyph's coverage: a drawn pixel that is not the text
// colour itself is scaled from the colour by value / colour (both read as 0x00BBGGRR), so
// antialiased edges blend with whatever lies under them.
void TextCoverageToAlpha(uint32_t* pixels, size_t count, COLORREF color);

}  // namespace VXM
