#pragma once

#include <windows.h>

namespace VXM {

// One decoded image: a 32-bit top-down DIB section, B, G, R, A bytes, colours premultiplied.
// The record owns its bitmap.
struct VxImageInfo {
    VxImageInfo() = default;
    VxImageInfo(HBITMAP bitmap, int w, int h, bool hasAlpha) : hBitmap(bitmap), width(w), height(h), alpha(hasAlpha)
    {
    }
    VxImageInfo(const VxImageInfo&) = delete;
    VxImageInfo& operator=(const VxImageInfo&) = delete;
    ~VxImageInfo()
    {
        if (hBitmap)
            DeleteObject(hBitmap);
    }

    HBITMAP hBitmap = nullptr;
    int width = 0;
    int height = 0;
    bool alpha = false;  // per-pixel alpha is used only when set
};

}  // namespace VXM
