#pragma once

#include <windows.h>

#include <cstddef>
#include <string_view>

namespace VXM {

struct TextExtent {
    size_t count = 0;  // code units, never ending inside a surrogate pair
    int width = 0;     // extent of those units
};

// The longest prefix whose extent in the DC's current font is at most maxWidth, found with
// one fit-count measurement per chunk; chunks grow from a small first one, so a long text
// costs about what its fitting part costs.
TextExtent FitText(HDC dc, std::wstring_view text, int maxWidth);

int TextWidth(HDC dc, std::wstring_view text);

}  // namespace VXM
