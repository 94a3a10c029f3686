#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>

// Rectangle helpers of the layout arithmetic. Sums of many children or of hostile sizes are
// formed in 64 bits and clamped when they become coordinates again.
namespace VXM::layout {

// Coordinates stay within this bound, so the difference of any two of them still fits in int.
inline constexpr int kMaxCoordinate = 0x3FFFFFFF;

inline int ClampCoordinate(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, -kMaxCoordinate, kMaxCoordinate));
}

// A length (size, range) clamped to 0..kMaxCoordinate.
inline int ClampLength(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, 0, kMaxCoordinate));
}

inline RECT MakeRect(int64_t left, int64_t top, int64_t right, int64_t bottom)
{
    return RECT{ClampCoordinate(left), ClampCoordinate(top), ClampCoordinate(right), ClampCoordinate(bottom)};
}

inline int64_t Width(const RECT& rect)
{
    return int64_t{rect.right} - rect.left;
}

inline int64_t Height(const RECT& rect)
{
    return int64_t{rect.bottom} - rect.top;
}

// Right raised to left and bottom to top when smaller.
inline RECT Normalized(const RECT& rect)
{
    return RECT{rect.left, rect.top, std::max(rect.left, rect.right), std::max(rect.top, rect.bottom)};
}

// The rectangle shrunk by margins (l, t, r, b), never turned inside out.
inline RECT Shrunk(const RECT& rect, const RECT& margins)
{
    const int64_t left = int64_t{rect.left} + margins.left;
    const int64_t top = int64_t{rect.top} + margins.top;
    return MakeRect(left, top, std::max(left, int64_t{rect.right} - margins.right),
                    std::max(top, int64_t{rect.bottom} - margins.bottom));
}

inline RECT Offset(const RECT& rect, int64_t dx, int64_t dy)
{
    return MakeRect(rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy);
}

// Whether two rectangles share at least one pixel (empty ones meet nothing).
inline bool Meets(const RECT& a, const RECT& b)
{
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

inline bool Contains(const RECT& rect, POINT point)
{
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

}  // namespace VXM::layout
