#pragma once

#include <windows.h>

namespace VXM {

// 0xAARRGGBB to GDI's 0x00BBGGRR.
inline COLORREF ToColorRef(DWORD color)
{
    return RGB(color >> 16 & 0xFF, color >> 8 & 0xFF, color & 0xFF);
}

inline BYTE AlphaOf(DWORD color)
{
    return static_cast<BYTE>(color >> 24);
}

}  // namespace VXM
