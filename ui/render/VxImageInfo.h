#pragma once

#include <windows.h>

namespace VXM {

// One decoded image: a 32-bit top-down DIB section, B, G, R, A bytes, colours premultiplied.
// The record owns its bitmap. UI thread only.
struct VxImageInfo {
    VxImageInfo() = default;
    VxImageInfo(HBITMAP bitmap, int w, int h, bool hasAlpha) : hBitmap(bitmap), width(w), height(h), alpha(hasAlpha)
    {
    }
    VxImageInfo(const VxImageInfo&) = delete;
    VxImageInfo& operator=(const VxImageInfo&) = delete;
    ~VxImageInfo()
    {
        if (memoryDC_) {
            SelectObject(memoryDC_, oldBitmap_);
            DeleteDC(memoryDC_);
        }
        if (hBitmap)
            DeleteObject(hBitmap);
    }

    // A memory DC with the bitmap selected, made on first use and kept, because selecting a
    // bitmap costs more than blitting a small one. From then on the bitmap cannot be selected
    // into another DC: draw from this one. Null when it cannot be made.
    HDC GetMemoryDC()
    {
        if (!memoryDC_ && hBitmap) {
            HDC dc = CreateCompatibleDC(nullptr);
            HGDIOBJ old = dc ? SelectObject(dc, hBitmap) : nullptr;
            if (old && old != HGDI_ERROR) {
                memoryDC_ = dc;
                oldBitmap_ = old;
            } else if (dc) {
                DeleteDC(dc);
            }
        }
        return memoryDC_;
    }

    HBITMAP hBitmap = nullptr;
    int width = 0;
    int height = 0;
    bool alpha = false;  // per-pixel alpha is used only when set

private:
    HDC memoryDC_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
};

}  // namespace VXM
