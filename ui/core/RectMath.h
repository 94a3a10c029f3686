#pragma once

#include <windows.h>

#include <climits>
#include <cstdint>

// Rectangle arithmetic that stays inside the int range whatever a skin sets: item rectangles,
// paddings and insets come from text and may be absurd.
namespace VXM {

inline int ClampToInt(int64_t value)
{
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

// `rect` moved in by the four margins of `by`; never inverted (right >= left, bottom >= top).
inline RECT ShrinkRect(const RECT& rect, const RECT& by)
{
    RECT shrunk = {ClampToInt(int64_t{rect.left} + by.left), ClampToInt(int64_t{rect.top} + by.top),
                   ClampToInt(int64_t{rect.right} - by.right), ClampToInt(int64_t{rect.bottom} - by.bottom)};
    if (shrunk.right < shrunk.left)
        shrunk.right = shrunk.left;
    if (shrunk.bottom < shrunk.top)
        shrunk.bottom = shrunk.top;
    return shrunk;
}

inline bool IsZeroRect(const RECT& rect)
{
    return rect.left == 0 && rect.top == 0 && rect.right == 0 && rect.bottom == 0;
}

}  // namespace VXM
