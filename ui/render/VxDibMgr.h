#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "GdiHandles.h"

namespace VXM {

// The off-screen 32-bit picture of translucent drawing: a bottom-up DIB section selected
// into a memory DC compatible with the target, and an optional copy of its pixels.
class VxDibMgr {
public:
    VxDibMgr() = default;
    VxDibMgr(const VxDibMgr&) = delete;
    VxDibMgr& operator=(const VxDibMgr&) = delete;
    ~VxDibMgr() { Clear(); }

    // False when already created or on failure (nothing is kept then).
    bool Create(HDC dc, int width, int height);
    void Clear();
    // A new DIB in the same DC; the old one goes to oldBitmap when asked for, else is deleted.
    bool Resize(int width, int height, GdiBitmap* oldBitmap = nullptr);

    HDC GetSafeHdc() const { return dc_.Get(); }
    uint32_t* GetBits() const { return bits_; }
    const BITMAPINFO& GetBitmapInfo() const { return info_; }
    HBITMAP GetBitmap() const { return bitmap_.Get(); }
    int GetWidth() const { return IsValid() ? info_.bmiHeader.biWidth : 0; }
    int GetHeight() const { return IsValid() ? info_.bmiHeader.biHeight : 0; }
    size_t GetSize() const { return static_cast<size_t>(GetWidth()) * static_cast<size_t>(GetHeight()) * 4; }
    bool IsValid() const { return dc_ && bitmap_ && bits_; }

    void Flush(uint32_t value);
    bool Backup();
    bool Restore();
    void ClearBackup() { backup_.reset(); }
    bool IsBackup() const { return backup_ != nullptr; }

private:
    bool MakeBitmap(int width, int height);
    size_t PixelCount() const { return GetSize() / 4; }

    MemoryDC dc_;
    GdiBitmap bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;  // the DC's own bitmap, put back before the DC goes
    BITMAPINFO info_ = {};
    uint32_t* bits_ = nullptr;
    std::unique_ptr<uint32_t[]> backup_;
};

}  // namespace VXM
