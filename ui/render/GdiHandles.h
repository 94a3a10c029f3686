#pragma once

#include <windows.h>

#include "UniqueHandle.h"

namespace VXM {

template <typename Object>
struct GdiObjectTraits {
    static Object Empty() { return nullptr; }
    static void Release(Object object) { DeleteObject(object); }
};
struct MemoryDCTraits {  // CreateCompatibleDC
    static HDC Empty() { return nullptr; }
    static void Release(HDC dc) { DeleteDC(dc); }
};
struct IconTraits {
    static HICON Empty() { return nullptr; }
    static void Release(HICON icon) { DestroyIcon(icon); }
};

using GdiBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using GdiRegion = UniqueHandle<GdiObjectTraits<HRGN>>;
using GdiPen = UniqueHandle<GdiObjectTraits<HPEN>>;
using GdiBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using GdiFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using MemoryDC = UniqueHandle<MemoryDCTraits>;
using IconHandle = UniqueHandle<IconTraits>;

// A device context from GetDC, released to its window.
class ClientDC {
public:
    explicit ClientDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ClientDC(const ClientDC&) = delete;
    ClientDC& operator=(const ClientDC&) = delete;
    ~ClientDC()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    HDC Get() const { return dc_; }

private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// Selects an object into a DC and puts the previous one back when it goes out of scope.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(dc && object ? SelectObject(dc, object) : nullptr) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard()
    {
        if (Selected())
            SelectObject(dc_, old_);
    }
    // False when the object could not be selected (a bitmap selected into another DC).
    bool Selected() const { return old_ != nullptr && old_ != HGDI_ERROR; }

private:
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

}  // namespace VXM
